// Soak test: whole generation runs over random control states (every list
// position and slider value in its range, both town shapes, the wall on and
// off), each with a time limit. Every run must either finish or be ended by
// its limit, soon after the limit; a finished map has only finite
// coordinates and saves, loads into a fresh model and saves again to the
// same bytes.
//
// The short run in the test suite is sized by the build; the environment
// makes it a long one (tools/soak.sh):
//   TARVELLO_DAUERLAUF_LAEUFE     number of runs
//   TARVELLO_DAUERLAUF_FRIST      time limit per run, seconds
//   TARVELLO_DAUERLAUF_STARTWERT  seed of the control states and the runs
//   TARVELLO_DAUERLAUF_KLEIN      share of runs kept to small maps, 0..1
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "core/parameter.h"
#include "files/kartendatei.h"
#include "generator/treiber.h"
#include "testwirt.h"

using namespace tarvello;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool mit_sanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool mit_sanitizer = true;
#else
constexpr bool mit_sanitizer = false;
#endif
#else
constexpr bool mit_sanitizer = false;
#endif
#ifdef NDEBUG
constexpr bool langsamer_bau = mit_sanitizer;
#else
constexpr bool langsamer_bau = true;
#endif

double umgebung(const char* name, double vorgabe) {
    const char* text = std::getenv(name);
    if (!text || !*text) return vorgabe;
    char* ende = nullptr;
    const double v = std::strtod(text, &ende);
    return ende && *ende == '\0' && std::isfinite(v) ? v : vorgabe;
}

double jetzt() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Lists that make a map large, and the highest position a small map uses.
struct Grenze {
    const char* liste;
    int hoechstens;
};
constexpr Grenze kleine_karte[] = {
    {"Combo_wege_anzahl", 6},      // 15 streets
    {"Combo_stadt_abmessung", 5},  // 1000 m
    {"Combo_n_gebaude", 12},       // 150 buildings
    {"Combo_n_fluesse_max", 3},    // 5 rivers
    {"Combo_n_plaetze", 5},        // 7 squares
    {"Combo_n_parks", 5},          // 5 parks
    {"Combo_fluss_breite_max", 9}, // 50 m
};

template <class Zahl> Zahl gleichverteilt(std::mt19937_64& g, Zahl a, Zahl b) {
    return std::uniform_int_distribution<Zahl>(a, b)(g);
}

// Random control states; run k alternates the town shape and the wall so
// that even a short soak has every combination.
Steuerwerte wuerfeln(std::mt19937_64& g, int k, bool klein) {
    Steuerwerte s;
    for (ListenSteuerung& l : s.listen)
        l.index = gleichverteilt(g, 0, static_cast<int>(l.eintraege_de.size()) - 1);
    for (Schieberegler& r : s.schieber)
        r.wert = gleichverteilt(g, r.min, r.max);
    // The smallest street width above the largest is refused before the run:
    // draw the two in order, so every run runs.
    ListenSteuerung* breite_min = s.finde_liste("Combo_wegbreite_min");
    ListenSteuerung* breite_max = s.finde_liste("Combo_wegbreite_max");
    if (breite_min->index > breite_max->index) std::swap(breite_min->index, breite_max->index);
    s.finde_liste("Combo_stadt_form")->index = k % 2;
    s.check_mauer = (k / 2) % 2;
    if (klein)
        for (const Grenze& b : kleine_karte) {
            ListenSteuerung* l = s.finde_liste(b.liste);
            l->index = l->index % (b.hoechstens + 1);
        }
    return s;
}

// The control states as options of `tarvello generate`, to run it again.
std::string als_befehl(const Steuerwerte& s, std::uint64_t startwert) {
    std::ostringstream o;
    o << "tarvello generate --seed " << startwert;
    for (const ListenSteuerung& l : s.listen)
        o << " --set " << l.name << "=" << l.index;
    for (const Schieberegler& r : s.schieber)
        o << " --set " << r.name << "=" << r.wert;
    o << " --set Check_Mauer=" << s.check_mauer;
    return o.str();
}

// What modell_endlich leaves out: towers, radii, widths and the map factor.
bool rest_endlich(const Stadtmodell& m) {
    bool gut = std::isfinite(m.karten_faktor);
    for (int w = 1; w <= m.n_wege; ++w)
        gut = gut && std::isfinite(m.wege[static_cast<std::size_t>(w)].breite);
    for (int t = 1; t <= m.n_tuerme; ++t) {
        const Turm& turm = m.tuerme[static_cast<std::size_t>(t)];
        gut = gut && std::isfinite(turm.mx) && std::isfinite(turm.my) && std::isfinite(turm.radius);
        for (std::size_t c = 1; c <= 4; ++c)
            gut = gut && std::isfinite(turm.x[c]) && std::isfinite(turm.y[c]);
    }
    return gut;
}

QByteArray lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Empty when the map saves, loads into a fresh model and saves again to the
// same bytes; else what went wrong.
std::string rundreise(const Stadtmodell& m, const QTemporaryDir& ordner) {
    const QString a = ordner.filePath(QStringLiteral("a.qls"));
    const QString b = ordner.filePath(QStringLiteral("b.qls"));
    const Kartenkopf kopf{QStringLiteral("Dauerlauf"), 4};
    if (const Ergebnis e = stadtplan_speichern(a, m, kopf); !e.gut())
        return "save: " + qtext(e, Sprache::englisch).toStdString();
    Stadtmodell neu;
    Kartenkopf neuer_kopf;
    if (const Ergebnis e = stadtplan_laden(a, neu, neuer_kopf); !e.gut())
        return "load: " + qtext(e, Sprache::englisch).toStdString();
    if (!(neuer_kopf == kopf)) return "the header changed";
    if (const Ergebnis e = stadtplan_speichern(b, neu, neuer_kopf); !e.gut())
        return "save again: " + qtext(e, Sprache::englisch).toStdString();
    const QByteArray erste = lesen(a);
    if (erste.isEmpty() || erste != lesen(b)) return "the second save differs from the first";
    return {};
}

TEST(Dauerlauf, ZufaelligeSteuerwerteEndenSauber) {
    const int laeufe =
        static_cast<int>(umgebung("TARVELLO_DAUERLAUF_LAEUFE", langsamer_bau ? 10 : 32));
    const double frist = umgebung("TARVELLO_DAUERLAUF_FRIST", langsamer_bau ? 4.0 : 1.5);
    const auto basis = static_cast<std::uint64_t>(umgebung("TARVELLO_DAUERLAUF_STARTWERT", 20240));
    const double anteil_klein = umgebung("TARVELLO_DAUERLAUF_KLEIN", langsamer_bau ? 1.0 : 0.5);
    // A run must notice its limit at its next yield; the stages yield often
    // enough that this is well under a second in an optimised build.
    const double nachlauf_max = langsamer_bau ? 20.0 : 5.0;

    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    std::mt19937_64 g(basis);
    int fertig = 0, frist_erreicht = 0, kein_plan = 0;
    double langsamste = -1, nachlauf_groesster = 0;
    std::string langsamste_steuerung;
    for (int k = 0; k < laeufe; ++k) {
        const bool klein = std::generate_canonical<double, 32>(g) < anteil_klein;
        const Steuerwerte s = wuerfeln(g, k, klein);
        const std::uint64_t startwert = g() >> 16;
        SCOPED_TRACE("run " + std::to_string(k) + ": " + als_befehl(s, startwert));

        Stadtmodell m;
        Testwirt wirt;
        wirt.frist(frist);
        const double beginn = jetzt();
        const Laufbericht b = stadtplan_erstellen({s, startwert, {}}, m, system_uhr(), wirt);
        const double dauer = jetzt() - beginn;
        std::printf("run %d%s: %s after %.2f s, %d attempts\n", k, klein ? " (small)" : "",
                    b.ende == Laufende::fertig        ? "finished"
                    : b.ende == Laufende::abgebrochen ? "limit"
                                                      : "fault",
                    dauer, b.versuche);
        std::fflush(stdout);

        if (b.ende == Laufende::fertig) {
            ++fertig;
            EXPECT_TRUE(m.plan_vorhanden);
            EXPECT_TRUE(modell_endlich(m) && rest_endlich(m)) << "a coordinate is not finite";
            EXPECT_EQ(rundreise(m, ordner), "");
            if (dauer > langsamste) {
                langsamste = dauer;
                langsamste_steuerung = als_befehl(s, startwert);
            }
        } else if (b.ende == Laufende::abgebrochen) {
            ++frist_erreicht;
            std::printf("run %d ended by the limit: %s\n", k, als_befehl(s, startwert).c_str());
            EXPECT_TRUE(wirt.abgelaufen) << "the run stopped without being asked";
            nachlauf_groesster = std::max(nachlauf_groesster, dauer - frist);
            EXPECT_LT(dauer, frist + nachlauf_max) << "the run went on long after its limit";
        } else if (b.ende == Laufende::abgelehnt ||
                   (b.ende == Laufende::fehler && b.status.art != Statusart::rechenfehler)) {
            // Controls the map cannot hold: refused before the run, or the run
            // ended saying it could make no town. Both are clean ends.
            ++kein_plan;
            std::printf("run %d made no town: %s\n", k, b.ergebnis().englisch().c_str());
            EXPECT_FALSE(m.plan_vorhanden);
            EXPECT_LT(dauer, frist + nachlauf_max);
        } else {
            ADD_FAILURE() << "the run ended on a fault: " << b.ergebnis().englisch();
        }
    }
    EXPECT_EQ(fertig + frist_erreicht + kein_plan, laeufe);
    std::printf("soak: %d runs (limit %.1f s, seed %llu): %d finished, %d ended by the limit "
                "(at most %.2f s late)\n",
                laeufe, frist, static_cast<unsigned long long>(basis), fertig, frist_erreicht,
                nachlauf_groesster);
    if (langsamste >= 0)
        std::printf("soak: slowest finished run %.2f s: %s\n", langsamste,
                    langsamste_steuerung.c_str());
}

} // namespace
