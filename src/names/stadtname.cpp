#include "names/stadtname.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <utility>

namespace tarvello {

namespace {

constexpr std::string_view vokal_buchstaben = "aeiouy";
constexpr std::string_view vokal_erlaubt = "111111";
constexpr std::string_view vokal_wert = "221799";
constexpr std::string_view vokal_doppelt = "110100";

constexpr std::string_view konsonant_buchstaben = "bdfghjklmnpqrstvwxz";
constexpr std::string_view konsonant_erlaubt = "1111111111111111111";
constexpr std::string_view konsonant_wert = "1232436222588662289";
constexpr std::string_view konsonant_anlaut_erst = "1111001000100010000";
constexpr std::string_view konsonant_anlaut_zweit = "0000010100001000000";
constexpr std::string_view konsonant_auslaut_erst = "0010100111101100000";
constexpr std::string_view konsonant_auslaut_zweit = "1111001001100111001";

// Coda clusters that are hard to say.
constexpr std::array<std::string_view, 16> verbotene_auslaute = {
    "mn", "nm", "mg", "sf", "fs", "fz", "sv", "vs", "pd", "fn", "qu", "fg", "pt", "pn", "pg", "pk"};

constexpr int zeile_u = 4; // "u", 0-based
constexpr int zeile_y = 5; // "y"

int ziffer(char c) {
    return c - '0';
}

char klein(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool ist_ziffer(char c) {
    return c >= '0' && c <= '9';
}

// Int(r * n) without ever reaching n through float rounding.
int zeile_aus(float r, int n) {
    return std::min(static_cast<int>(std::floor(r * static_cast<float>(n))), n - 1);
}

} // namespace

Bereich bereich_lesen(std::string_view text) {
    Bereich b;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    while (i < text.size() && ist_ziffer(text[i])) {
        b.min = b.min * 10 + ziffer(text[i]);
        ++i;
    }
    if (!text.empty() && ist_ziffer(text.back())) b.max = ziffer(text.back());
    return b;
}

std::optional<Bereich> bereich_aus_liste(std::string_view text,
                                         std::span<const std::string_view> eintraege) {
    auto leer = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0;
    auto leer_ueberspringen = [&] {
        while (i < text.size() && leer(text[i]))
            ++i;
    };
    auto zahl_lesen = [&]() -> std::optional<int> {
        const std::size_t anfang = i;
        int wert = 0;
        while (i < text.size() && ist_ziffer(text[i]) && i - anfang < 6) {
            wert = wert * 10 + ziffer(text[i]);
            ++i;
        }
        if (i == anfang || (i < text.size() && ist_ziffer(text[i]))) return std::nullopt;
        return wert;
    };

    leer_ueberspringen();
    const auto min = zahl_lesen();
    if (!min) return std::nullopt;
    Bereich gesucht{*min, *min};
    leer_ueberspringen();
    if (i < text.size() && text[i] == '-') {
        ++i;
        leer_ueberspringen();
        const auto max = zahl_lesen();
        if (!max) return std::nullopt;
        gesucht.max = *max;
        leer_ueberspringen();
    }
    if (i != text.size()) return std::nullopt;

    for (std::string_view eintrag : eintraege)
        if (bereich_lesen(eintrag) == gesucht) return gesucht;
    return std::nullopt;
}

float stimmung_aus_regler(int regler) {
    return static_cast<float>(regler * 0.9 / 100.0 + 0.05);
}

Buchstabentabellen buchstabentabellen_laden() {
    Buchstabentabellen t;
    for (std::size_t i = 0; i < vokal_buchstaben.size(); ++i) {
        Vokal v;
        v.buchstabe = vokal_buchstaben[i];
        v.erlaubt = ziffer(vokal_erlaubt[i]);
        v.wert = static_cast<float>(ziffer(vokal_wert[i])) / 10.0f;
        v.doppelt = ziffer(vokal_doppelt[i]);
        t.vokale.push_back(v);
    }
    for (std::size_t i = 0; i < konsonant_buchstaben.size(); ++i) {
        Konsonant k;
        k.buchstabe = konsonant_buchstaben[i];
        k.erlaubt = ziffer(konsonant_erlaubt[i]);
        k.wert = static_cast<float>(ziffer(konsonant_wert[i])) / 10.0f;
        k.anlaut_erst = ziffer(konsonant_anlaut_erst[i]);
        k.anlaut_zweit = ziffer(konsonant_anlaut_zweit[i]);
        k.auslaut_erst = ziffer(konsonant_auslaut_erst[i]);
        k.auslaut_zweit = ziffer(konsonant_auslaut_zweit[i]);
        t.konsonanten.push_back(k);
    }
    return t;
}

bool ist_vokal(char c) {
    return vokal_buchstaben.find(klein(c)) != std::string_view::npos;
}

bool ist_konsonant(char c) {
    return konsonant_buchstaben.find(klein(c)) != std::string_view::npos;
}

Stadtnamengenerator::Stadtnamengenerator(Zufall& zufall, float stimmung)
    : zufall_(&zufall), tabellen_(buchstabentabellen_laden()), stimmung_(stimmung) {}

// Letters close to the mood are the likeliest to pass.
bool Stadtnamengenerator::annehmbar(float wert, int erlaubt) {
    const float r = zufall_->rnd();
    return 1.0f - std::fabs(wert - stimmung_) > r && erlaubt == 1;
}

int Stadtnamengenerator::vokal_zeile() {
    return zeile_aus(zufall_->rnd(), static_cast<int>(tabellen_.vokale.size()));
}

int Stadtnamengenerator::konsonant_zeile() {
    return zeile_aus(zufall_->rnd(), static_cast<int>(tabellen_.konsonanten.size()));
}

std::string Stadtnamengenerator::vokal_ziehen() {
    for (;;) {
        const int z = vokal_zeile();
        const Vokal& v = tabellen_.vokale[z];
        const bool ok = annehmbar(v.wert, v.erlaubt);
        const float r2 = zufall_->rnd();
        // "y" only passes every other time.
        if (!ok || (z == zeile_y && r2 <= 0.5f)) continue;
        return std::string(1, v.buchstabe);
    }
}

std::string Stadtnamengenerator::konsonant_ziehen() {
    const Konsonant* k = nullptr;
    do {
        k = &tabellen_.konsonanten[konsonant_zeile()];
    } while (!annehmbar(k->wert, k->erlaubt));
    const float r3 = zufall_->rnd();
    const float r4 = zufall_->rnd();
    if (r3 < stimmung_ && r4 > 0.96f) return "ch";
    return std::string(1, k->buchstabe);
}

std::string Stadtnamengenerator::doppelvokal_ziehen() {
    for (;;) {
        int erst = 0;
        do {
            erst = vokal_zeile();
        } while (!annehmbar(tabellen_.vokale[erst].wert, tabellen_.vokale[erst].erlaubt));
        int zweit = 0;
        do {
            zweit = vokal_zeile();
        } while (!annehmbar(tabellen_.vokale[zweit].wert, tabellen_.vokale[zweit].erlaubt));
        if (zufall_->rnd() > 0.8f) zweit = zeile_u;
        if (erst == zweit && tabellen_.vokale[erst].doppelt == 0) continue;
        return std::string{tabellen_.vokale[erst].buchstabe, tabellen_.vokale[zweit].buchstabe};
    }
}

std::string Stadtnamengenerator::anlaut_ziehen() {
    const auto& ks = tabellen_.konsonanten;
    int erst = 0;
    for (;;) {
        erst = konsonant_zeile();
        if (annehmbar(ks[erst].wert, ks[erst].erlaubt) && ks[erst].anlaut_erst == 1) break;
    }
    int zweit = 0;
    for (;;) {
        zweit = konsonant_zeile();
        if (annehmbar(ks[zweit].wert, ks[zweit].erlaubt) && ks[zweit].anlaut_zweit == 1) break;
    }
    return std::string{ks[erst].buchstabe, ks[zweit].buchstabe};
}

std::string Stadtnamengenerator::auslaut_ziehen() {
    const auto& ks = tabellen_.konsonanten;
    for (;;) {
        int erst = 0;
        for (;;) {
            erst = konsonant_zeile();
            if (annehmbar(ks[erst].wert, ks[erst].erlaubt) && ks[erst].auslaut_erst == 1) break;
        }
        int zweit = 0;
        for (;;) {
            zweit = konsonant_zeile();
            if (annehmbar(ks[zweit].wert, ks[zweit].erlaubt) && ks[zweit].auslaut_zweit == 1) break;
        }
        const std::string paar{ks[erst].buchstabe, ks[zweit].buchstabe};
        if (std::find(verbotene_auslaute.begin(), verbotene_auslaute.end(), paar) ==
            verbotene_auslaute.end())
            return paar;
    }
}

int Stadtnamengenerator::silbentyp_waehlen() {
    auto form_ziehen = [this] { return zeile_aus(zufall_->rnd(), 9) + 1; };
    const int p = letzter_silbentyp_;
    for (;;) {
        int c = form_ziehen();

        // Some shapes sound poor right after others; those get one redraw.
        bool umwerfen = false;
        switch (p) {
        case 1: {
            const float r1 = zufall_->rnd();
            const float r2 = zufall_->rnd();
            umwerfen = (c == 3 && r1 > 0.2f) || (c == 6 && r2 > 0.2f);
            break;
        }
        case 2: {
            const float r1 = zufall_->rnd();
            const float r2 = zufall_->rnd();
            umwerfen = (c == 3 && r1 > 0.5f) || (c == 6 && r2 > 0.3f);
            break;
        }
        case 3: {
            const float r1 = zufall_->rnd();
            const float r2 = zufall_->rnd();
            const float r3 = zufall_->rnd();
            umwerfen = (c == 5 && r1 > 0.2f) || (c == 9 && r2 > 0.2f) ||
                       ((c == 2 || c == 4 || c == 7) && r3 > 0.4f);
            break;
        }
        case 4: {
            const float r = zufall_->rnd();
            umwerfen = (c == 3 || c == 6) && r > 0.1f;
            break;
        }
        case 5: {
            const float r = zufall_->rnd();
            umwerfen = c == 1 && r > 0.1f;
            break;
        }
        case 6:
        case 8: {
            const float r1 = zufall_->rnd();
            const float r2 = zufall_->rnd();
            umwerfen = ((c == 2 || c == 4 || c == 7 || c == 8) && r1 > 0.3f) ||
                       ((c == 5 || c == 9) && r2 > 0.1f);
            break;
        }
        case 7:
        case 9: {
            const float r = zufall_->rnd();
            umwerfen = c == 9 && r > 0.2f;
            break;
        }
        default:
            break;
        }
        if (umwerfen) c = form_ziehen();

        // Lovely moods keep to the short vowel-led shapes; a tenth of the
        // others slips through anyway.
        const bool passt = static_cast<float>(c - 1) / 10.0f < stimmung_;
        const float r = zufall_->rnd();
        if (passt || r > 0.9f) return c;
    }
}

std::string Stadtnamengenerator::silbe_bauen(int typ) {
    auto vk = [this] {
        std::string s;
        do {
            s = vokal_ziehen() + konsonant_ziehen();
        } while (s.back() == 'j'); // no syllable ends in "j"
        return s;
    };
    switch (typ) {
    case 1:
        return doppelvokal_ziehen();
    case 2:
        return konsonant_ziehen() + vokal_ziehen();
    case 3:
        return vk();
    case 4:
        return konsonant_ziehen() + doppelvokal_ziehen();
    case 5:
        return anlaut_ziehen() + vokal_ziehen();
    case 6:
        return vokal_ziehen() + auslaut_ziehen();
    case 7:
        return konsonant_ziehen() + vk();
    case 8: {
        std::string s = konsonant_ziehen();
        s += vokal_ziehen();
        return s + auslaut_ziehen();
    }
    case 9: {
        std::string s = anlaut_ziehen();
        s += vokal_ziehen();
        return s + konsonant_ziehen();
    }
    default:
        return {};
    }
}

std::string Stadtnamengenerator::silbe_ziehen() {
    const int typ = silbentyp_waehlen();
    std::string silbe = silbe_bauen(typ);
    letzter_silbentyp_ = typ;
    return silbe;
}

std::string Stadtnamengenerator::wort_abschliessen(std::string wort) {
    if (wort.size() >= 2 && wort.compare(wort.size() - 2, 2, "qu") == 0) wort += vokal_ziehen();
    return wort;
}

bool Stadtnamengenerator::durchgang(std::string& name, bool erster) {
    const std::string vorher = name;
    // i is the 0-based index of the current position; every rule looks at
    // the letters from there on and may insert or delete right after it.
    auto zeichen = [&name](std::size_t k) { return klein(name[k]); };
    for (std::size_t i = 0; i + 1 < name.size(); ++i) {
        {
            const char a = zeichen(i);
            const char b = zeichen(i + 1);
            // "dh" is left to chance once; a later pass does not throw again.
            const float r = erster ? zufall_->rnd() : 0.0f;
            const bool dh = erster && a == 'd' && b == 'h' && r > 0.4f;
            if (dh || (a == 'k' && b == 'k'))
                name.insert(i + 1, 1, '\'');
            else if (a == 'q' && b != 'u')
                name.insert(i + 1, 1, 'u');
            else if ((a == 'w' || a == 'v') && (b == 'w' || b == 'v'))
                name.erase(i + 1, 1);
            else if ((a == 'v' && b == 'f') || (a == 'f' && b == 'v'))
                name.erase(i + 1, 1);
            // "ii" stays as it is.
        }
        if (i + 2 < name.size()) {
            const char a = zeichen(i);
            const char b = zeichen(i + 1);
            const char c = zeichen(i + 2);
            if (a == b && b == c) name.erase(i + 1, 1);
            if (a == 'q' && b == 'u' && ist_konsonant(c)) name.replace(i + 2, 1, vokal_ziehen());
            if (ist_konsonant(c) && ((a == 'f' && b == 'f') || (a == 'k' && b == 'k')))
                name.insert(i + 1, 1, '\'');
        }
        if (i + 3 < name.size()) {
            const char a = zeichen(i);
            const char b = zeichen(i + 1);
            const char c = zeichen(i + 2);
            const char d = zeichen(i + 3);
            if (ist_vokal(a) && ist_vokal(b) && ist_konsonant(c) && ist_konsonant(d))
                name.erase(i + 1, 1);
            if (ist_vokal(a) && ist_vokal(b) && ist_vokal(c) && ist_vokal(d))
                name.insert(i + 2, konsonant_ziehen());
        }
    }
    if (!erster) {
        // The pass may have made a word end in "qu" (a final "q" gets its
        // "u" only here); the end-of-word rule applies again.
        for (std::size_t k = 0; k + 1 < name.size(); ++k)
            if (zeichen(k) == 'q' && zeichen(k + 1) == 'u' &&
                (k + 2 == name.size() || name[k + 2] == ' '))
                name.insert(k + 2, vokal_ziehen());
    }
    return name != vorher;
}

std::string Stadtnamengenerator::bereinigen(std::string name) {
    durchgang(name, true);
    // One pass leaves faults behind: a final "q" that became "qu" after the
    // end-of-word rule, letters that a deletion moved behind the position
    // ("aaaa", "fvv", two vowels before two consonants). Further passes
    // repair until nothing changes. They draw from a generator of their own,
    // seeded from a copy of the name's, so that a name needing no repair
    // leaves the stream as it was and every later name is the same.
    Zufall kopie = *zufall_;
    // The constant only sets this stream apart from the one it copies.
    Zufall eigener(kopie.roh64() ^ 0x6E616368626573ull);
    Zufall* haupt = std::exchange(zufall_, &eigener);
    // Each pass removes faults or shortens the name; the bound only guards.
    for (int n = 0; n < 100; ++n)
        if (!durchgang(name, false)) break;
    zufall_ = haupt;
    return name;
}

std::string gross_schreiben(std::string name) {
    auto gross = [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    };
    if (!name.empty()) name[0] = gross(name[0]);
    for (std::size_t k = 1; k + 1 < name.size(); ++k)
        if (name[k - 1] == ' ') name[k] = gross(name[k]);
    return name;
}

std::string Stadtnamengenerator::name_erzeugen(Bereich woerter, Bereich silben) {
    const int n_woerter = zufall_->zufall_ganz(woerter.min, woerter.max);
    std::string name;
    for (int w = 0; w < n_woerter; ++w) {
        letzter_silbentyp_ = 0;
        std::string wort;
        const int n_silben = zufall_->zufall_ganz(silben.min, silben.max);
        for (int s = 0; s < n_silben; ++s) {
            zufall_->neu_saeen();
            wort += silbe_ziehen();
        }
        letzter_silbentyp_ = 0;
        name += wort_abschliessen(std::move(wort));
        name += ' ';
    }
    name = gross_schreiben(bereinigen(std::move(name)));
    const auto anfang = name.find_first_not_of(' ');
    if (anfang == std::string::npos) return {};
    const auto ende = name.find_last_not_of(' ');
    return name.substr(anfang, ende - anfang + 1);
}

std::string stadtname_erzeugen(Zufall& zufall, int woerter_min, int woerter_max, int silben_min,
                               int silben_max, float stimmung) {
    Stadtnamengenerator generator(zufall, stimmung);
    return generator.name_erzeugen({woerter_min, woerter_max}, {silben_min, silben_max});
}

} // namespace tarvello
