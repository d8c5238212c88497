#include "files/textdatei.h"

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvello {

namespace {

// Input that is not a regular file (a pipe, a device) is read up to this size;
// /dev/zero must not fill the memory.
constexpr qint64 strom_max = 64LL * 1024 * 1024;
// Regular files up to this size are read whole; far more than any run
// writes, and a larger one could only fill the memory.
constexpr qint64 datei_max = 512LL * 1024 * 1024;

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

namespace {

// Reads everything from fd into `ziel`, at most `max` bytes (one more tells
// that there was more); false with errno set when a read failed. A signal
// only stops a read when it asks for an abort, which the caller sees.
bool alles_lesen(int fd, QByteArray& ziel, qint64 max) {
    constexpr qint64 stueck = 1 << 20;
    qint64 gelesen = 0;
    for (;;) {
        if (ziel.size() < gelesen + stueck)
            ziel.resize(std::min(max + 1, std::max<qint64>(gelesen + stueck, 2 * ziel.size())));
        const qint64 frei = ziel.size() - gelesen;
        if (frei <= 0) break;
        const ssize_t r = ::read(fd, ziel.data() + gelesen, static_cast<std::size_t>(frei));
        if (r < 0) {
            ziel.resize(gelesen);
            return false;
        }
        if (r == 0) break;
        gelesen += r;
    }
    ziel.resize(gelesen);
    return true;
}

} // namespace

bool Textleser::oeffnen() {
    if (im_speicher_) return true;
    const QFileInfo info(datei_);
    if (datei_ != QLatin1String("-") && info.isDir()) {
        fehler_ = fehler_in_datei(ein_ordner());
        return false;
    }
    // "-" is standard input. Files are read into memory with plain reads: a
    // mapping would kill the program when another one shortened the file.
    int fd = 0;
    if (datei_ != QLatin1String("-")) {
        fd = ::open(QFile::encodeName(datei_).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            fehler_ = fehler_in_datei(
                Meldung(Meldungsart::nicht_oeffenbar, zeichen(qt_error_string(errno))));
            return false;
        }
    }
    struct stat st {};
    const bool regulaer = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const qint64 max = regulaer ? datei_max : strom_max;
    bool gut = true;
    if (regulaer && st.st_size > max) {
        gut = false;
        fehler_ = fehler_in_datei(Meldung(Meldungsart::zu_gross));
    } else if (!alles_lesen(fd, kopie_, max)) {
        gut = false;
        abgebrochen_ = errno == EINTR;
        fehler_ = abgebrochen_ ? fehler_in_datei(Meldung(Meldungsart::laden_abgebrochen))
                               : fehler_in_datei(Meldung(Meldungsart::nicht_lesbar,
                                                         zeichen(qt_error_string(errno))));
    } else if (kopie_.size() > max) {
        gut = false;
        fehler_ = fehler_in_datei(Meldung(Meldungsart::zu_gross));
    } else if (regulaer) {
        // A file that another program shortened or lengthened meanwhile
        // holds neither the old nor the new content.
        struct stat danach {};
        if (kopie_.size() != st.st_size || ::fstat(fd, &danach) != 0 ||
            danach.st_size != st.st_size) {
            gut = false;
            fehler_ = fehler_in_datei(Meldung(Meldungsart::beim_lesen_veraendert));
        }
    }
    if (fd != 0) ::close(fd);
    if (!gut) {
        kopie_ = QByteArray();
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
