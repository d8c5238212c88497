#include "files/textdatei.h"

#include <QFileInfo>
#include <cstring>

namespace tarvello {

namespace {

// Input that is not a regular file (a pipe, a device) is read up to this size;
// /dev/zero must not fill the memory.
constexpr qint64 strom_max = 64LL * 1024 * 1024;

// A line as it may appear in a message: printable, short. Characters that
// show nothing (a byte order mark, a zero-width space) are named, "<U+FEFF>".
QString zeigen(std::string_view t) {
    const bool lang = t.size() > 40;
    if (lang) t = t.substr(0, 40);
    QString s;
    // fromUtf8 would drop a leading mark without a trace.
    if (t.substr(0, 3) == "\xEF\xBB\xBF") {
        s = QStringLiteral("<U+FEFF>");
        t.remove_prefix(3);
    }
    const QString roh = QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    for (const QChar c : roh) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            s += QLatin1Char('?');
        else if (c.category() == QChar::Other_Format)
            s += QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            s += c;
    }
    return QLatin1Char('"') + s + (lang ? QStringLiteral("...\"") : QStringLiteral("\""));
}

} // namespace

// --- writing ----------------------------------------------------------------

void Textschreiber::zeile_beenden() {
    puffer_ += "\r\n";
    if (puffer_.size() >= puffer_groesse) leeren();
}

void Textschreiber::text(std::string_view t) {
    puffer_ += t;
    zeile_beenden();
}

void Textschreiber::ganzzahl(long long wert) {
    ganzzahl_anhaengen(puffer_, wert);
    zeile_beenden();
}

bool Textschreiber::gleitzahl(float wert, int stellen, const Meldung& was) {
    if (fehlerhaft_) return false; // the device failed: stop the writer early
    if (!gleitzahl_anhaengen(puffer_, wert, stellen)) {
        fehler_setzen(nicht_endlich(was));
        return false;
    }
    zeile_beenden();
    return true;
}

bool Textschreiber::leeren() {
    if (fehlerhaft_) {
        puffer_.clear(); // nothing more reaches the file
        return false;
    }
    if (puffer_.empty()) return true;
    const qint64 n = static_cast<qint64>(puffer_.size());
    if (ziel_.write(puffer_.data(), n) != n) {
        fehler_setzen(nicht_schreibbar(ziel_.errorString()));
        puffer_.clear();
        return false;
    }
    puffer_.clear();
    return true;
}

Ergebnis textdatei_schreiben(const QString& datei,
                             const std::function<bool(Textschreiber&)>& inhalt,
                             Dateisystem& dateisystem) {
    Dateiausgabe ausgabe(datei, dateisystem);
    if (Ergebnis e = ausgabe.oeffnen(); !e.gut()) return e;
    Textschreiber s(ausgabe.geraet());
    if (!inhalt(s) || !s.leeren()) {
        ausgabe.verwerfen();
        // A refused write is worded by the output, with the system's reason.
        if (ausgabe.fehlerhaft()) return ausgabe.schreibfehler();
        return ausgabe.fehler(s.fehlerhaft() ? s.fehler()
                                             : Meldung(Meldungsart::schreiben_abgebrochen));
    }
    return ausgabe.abschliessen();
}

// --- reading ----------------------------------------------------------------

Dateifehler Textleser::fehler_in_zeile(const Meldung& text) const {
    return Dateifehler{datei_, zeile_ > 0 ? zeile_ : 1, text};
}

Dateifehler Textleser::fehler_in_datei(const Meldung& text) const {
    return Dateifehler{datei_, 0, text};
}

bool Textleser::oeffnen() {
    if (im_speicher_) return true;
    const QFileInfo info(datei_);
    if (info.isDir()) {
        fehler_ = fehler_in_datei(ein_ordner());
        return false;
    }
    datei_handle_.setFileName(datei_);
    if (!datei_handle_.open(QIODevice::ReadOnly)) {
        fehler_ = fehler_in_datei(
            Meldung(Meldungsart::nicht_oeffenbar, zeichen(datei_handle_.errorString())));
        return false;
    }
    if (datei_handle_.isSequential()) {
        kopie_ = datei_handle_.read(strom_max + 1);
        if (kopie_.size() > strom_max) {
            fehler_ = fehler_in_datei(Meldung(Meldungsart::zu_gross));
            return false;
        }
    } else {
        const qint64 groesse = datei_handle_.size();
        if (groesse > 0) {
            // Mapping reads only what is used and never copies the file.
            if (uchar* p = datei_handle_.map(0, groesse)) {
                daten_ = reinterpret_cast<const char*>(p);
                groesse_ = static_cast<std::size_t>(groesse);
                return true;
            }
            kopie_ = datei_handle_.readAll();
        }
    }
    if (datei_handle_.error() != QFileDevice::NoError) {
        fehler_ = fehler_in_datei(
            Meldung(Meldungsart::nicht_lesbar, zeichen(datei_handle_.errorString())));
        return false;
    }
    daten_ = kopie_.constData();
    groesse_ = static_cast<std::size_t>(kopie_.size());
    return true;
}

bool Textleser::naechste_zeile(std::string_view& inhalt, bool& mit_ende) {
    if (pos_ >= groesse_) return false;
    const char* anfang = daten_ + pos_;
    const std::size_t rest = groesse_ - pos_;
    const void* nl = std::memchr(anfang, '\n', rest);
    mit_ende = nl != nullptr;
    std::size_t laenge =
        nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - anfang) : rest;
    pos_ += nl ? laenge + 1 : laenge;
    if (laenge > 0 && anfang[laenge - 1] == '\r') --laenge;
    inhalt = std::string_view(anfang, laenge);
    // Editors on Windows may start a text file with a UTF-8 byte order mark.
    if (zeile_ == 0 && inhalt.substr(0, 3) == "\xEF\xBB\xBF") inhalt.remove_prefix(3);
    letzte_zeile_ = inhalt;
    ++zeile_;
    return true;
}

bool Textleser::zeile(std::string_view& inhalt, const Meldung& was) {
    bool mit_ende = false;
    if (!naechste_zeile(inhalt, mit_ende)) {
        fehler_ = Dateifehler{datei_, zeile_ + 1,
                              groesse_ == 0 ? Meldung(Meldungsart::datei_leer)
                                            : Meldung(Meldungsart::datei_endet_vor, was)};
        return false;
    }
    if (!mit_ende && !ohne_ende_erlaubt_) {
        // Every line is written with its line end: a last line without one
        // was cut off, and "12.75" cut to "12.7" would still read as a number.
        fehler_ = fehler_in_zeile(Meldung(Meldungsart::datei_endet_in, was));
        return false;
    }
    return true;
}

bool Textleser::ganzzahl(long long& wert, long long min, long long max, const Meldung& was) {
    std::string_view t;
    if (!zeile(t, was)) return false;
    const std::optional<long long> v = ganzzahl_aus_zeile(t);
    if (!v) {
        fehler_ = fehler_in_zeile(Meldung(Meldungsart::erwartet_ganzzahl, was, zeichen(zeigen(t))));
        return false;
    }
    if (*v < min || *v > max) {
        fehler_ = fehler_in_zeile(
            Meldung(Meldungsart::zahl_ausserhalb, was, zeichen(wert_text()), min, max));
        return false;
    }
    wert = *v;
    return true;
}

bool Textleser::gleitzahl(float& wert, const Meldung& was) {
    std::string_view t;
    if (!zeile(t, was)) return false;
    const std::optional<float> v = gleitzahl_aus_zeile(t);
    if (!v) {
        fehler_ = fehler_in_zeile(Meldung(Meldungsart::erwartet_zahl, was, zeichen(zeigen(t))));
        return false;
    }
    wert = *v;
    return true;
}

bool Textleser::platz_fuer(long long zeilen, const Meldung& was) {
    if (zeilen <= 0) return true;
    // Every value takes at least one character and a line end.
    const std::size_t rest = groesse_ - pos_;
    if (static_cast<unsigned long long>(zeilen) > rest / 2) {
        fehler_ = fehler_in_zeile(
            Meldung(Meldungsart::zu_wenig_platz, was, static_cast<unsigned long long>(rest)));
        return false;
    }
    return true;
}

QString Textleser::wert_text() const {
    const std::string_view t = beschneiden(letzte_zeile_);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

bool Textleser::ende_pruefen() {
    std::string_view t;
    bool mit_ende = false;
    while (naechste_zeile(t, mit_ende)) {
        if (!beschneiden(t).empty()) {
            fehler_ =
                fehler_in_zeile(Meldung(Meldungsart::unerwarteter_inhalt, zeichen(zeigen(t))));
            return false;
        }
    }
    return true;
}

} // namespace tarvello
