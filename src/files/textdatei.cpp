#include "files/textdatei.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvello {

namespace {

// Input that is not a regular file (a pipe, a device) is read up to this size;
// /dev/zero must not fill the memory.
constexpr qint64 strom_max = 64LL * 1024 * 1024;

bool leerzeichen(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view beschneiden(std::string_view t) {
    while (!t.empty() && leerzeichen(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && leerzeichen(t.back()))
        t.remove_suffix(1);
    return t;
}

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

// Words shared by the reader and the writer.
Worte ein_ordner() {
    return {QStringLiteral("ist ein Ordner, keine Datei"),
            QStringLiteral("is a folder, not a file")};
}
Worte nicht_schreibbar(const QString& grund) {
    return Worte{QStringLiteral("kann nicht geschrieben werden (%1)"),
                 QStringLiteral("cannot be written (%1)")}
        .arg(grund);
}
Worte nicht_endlich(const Was& was) {
    return Worte{QStringLiteral("%1 ist keine endliche Zahl; es wurde nichts geschrieben"),
                 QStringLiteral("%1 is not a finite number; nothing was written")}
        .arg(was.beschreiben());
}

// The text of fest_formatieren for a v whose value times 10^stellen is
// exact in a double and below 2^53 (any float with up to six decimals short
// of 2^53 / 10^stellen): that product rounded to a whole number, halves to
// even, is the digits the general conversion writes. Written backwards so
// that it ends at `ende`; returns its start, or nullptr for other v.
char* fest_schnell(char* ende, double v, int stellen) {
    constexpr double zehner[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};
    if (stellen < 0 || stellen > 6) return nullptr;
    const double a = std::fabs(v) * zehner[stellen];
    if (!(a < 9007199254740992.0)) return nullptr; // 2^53; also NaN
    auto n = static_cast<std::uint64_t>(a);
    const double rest = a - static_cast<double>(n); // exact below 2^53
    if (rest > 0.5 || (rest == 0.5 && (n & 1u) != 0)) ++n;
    // The decimals without trailing zeros, then the whole part.
    char* z = ende;
    int nachkomma = stellen;
    while (nachkomma > 0 && n % 10 == 0) {
        n /= 10;
        --nachkomma;
    }
    const bool punkt = nachkomma > 0;
    for (; nachkomma > 0; --nachkomma) {
        *--z = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (punkt) *--z = '.';
    do {
        *--z = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    // No "-0": a negative value rounding to zero is written "0".
    if (std::signbit(v) && !(z[0] == '0' && z + 1 == ende)) *--z = '-';
    return z;
}

// Decimal text of v rounded to `stellen` places, halves to even (to_chars
// rounds the exact binary value), trailing zeros removed.
std::size_t fest_formatieren(char* puffer, std::size_t groesse, double v, int stellen) {
    auto r = std::to_chars(puffer, puffer + groesse, v, std::chars_format::fixed, stellen);
    char* ende = r.ptr;
    if (stellen > 0) {
        while (ende[-1] == '0')
            --ende;
        if (ende[-1] == '.') --ende;
    }
    std::size_t n = static_cast<std::size_t>(ende - puffer);
    if (n == 2 && puffer[0] == '-' && puffer[1] == '0') {
        puffer[0] = '0';
        n = 1;
    }
    return n;
}

} // namespace

QString Dateifehler::meldung(Sprache s) const {
    const QString name = QDir::toNativeSeparators(datei);
    if (zeile > 0)
        return (s == Sprache::deutsch ? QStringLiteral("%1: Zeile %2: %3")
                                      : QStringLiteral("%1: line %2: %3"))
            .arg(name)
            .arg(zeile)
            .arg(text.in(s));
    return QStringLiteral("%1: %2").arg(name, text.in(s));
}

Ergebnis Dateifehler::ergebnis(Fehlerart art) const {
    return Worte{meldung(Sprache::deutsch), meldung(Sprache::englisch)}.ergebnis(art);
}

Worte Was::beschreiben() const {
    const auto fuellen = [&](const char* muster) {
        QString s = QString::fromUtf8(muster);
        if (s.contains(QLatin1String("%2"))) return s.arg(a).arg(b);
        if (s.contains(QLatin1String("%1"))) return s.arg(a);
        return s;
    };
    const char* deutsch = beschreibung_deutsch(text);
    return {fuellen(deutsch ? deutsch : text), fuellen(text)};
}

// --- text forms -------------------------------------------------------------

void ganzzahl_anhaengen(std::string& s, long long wert) {
    char puffer[24];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, wert);
    if (wert >= 0) s += ' ';
    s.append(puffer, r.ptr);
    s += ' ';
}

bool gleitzahl_anhaengen(std::string& s, float wert, int stellen) {
    if (!std::isfinite(wert)) return false;
    char puffer[80]; // the largest float has 39 digits before the point
    char* const ende = puffer + sizeof puffer;
    if (const char* anfang = fest_schnell(ende, static_cast<double>(wert), stellen))
        s.append(anfang, static_cast<std::size_t>(ende - anfang));
    else
        s.append(puffer,
                 fest_formatieren(puffer, sizeof puffer, static_cast<double>(wert), stellen));
    return true;
}

std::optional<long long> ganzzahl_aus_zeile(std::string_view text) {
    text = beschneiden(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty() || text.front() == '+') return std::nullopt;
    long long wert = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    return wert;
}

std::optional<float> gleitzahl_aus_zeile(std::string_view text) {
    text = beschneiden(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty() || !(text.front() == '-' || text.front() == '.' ||
                          (text.front() >= '0' && text.front() <= '9')))
        return std::nullopt; // no "nan", "inf"
    double d = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), d);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(d) || std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(d);
}

float gleitzahl_wie_geschrieben(float wert) {
    if (!std::isfinite(wert)) return wert;
    // A float times 100 is exact in a double; rounding it to a whole number,
    // halves to even, is what writing two decimals does. The quotient by 100
    // is the double nearest the written text, as reading it finds.
    const double geschrieben = std::nearbyint(static_cast<double>(wert) * 100.0) / 100.0;
    // The text of a value rounding to zero is "0", never "-0".
    if (geschrieben == 0.0) return 0.0f;
    return static_cast<float>(geschrieben);
}

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

bool Textschreiber::gleitzahl(float wert, int stellen, const Was& was) {
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

namespace {

// What the system said about the last failed call, in its own words.
QString systemgrund(int nummer) {
    return qt_error_string(nummer);
}

// Writes all n bytes to fd, again after an interrupt or a partial write
// (a disk that fills up takes part of a write and refuses the rest); false
// with errno set when a byte did not get there.
bool alles_schreiben(int fd, const char* daten, qint64 n) {
    while (n > 0) {
        const ssize_t r = ::write(fd, daten, static_cast<std::size_t>(n));
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (r == 0) {
            errno = EIO;
            return false;
        }
        daten += r;
        n -= r;
    }
    return true;
}

// The bytes of a file on its way to the disk, unbuffered: every write goes
// to the system at once, entirely or with the system's reason.
class Dateigeraet : public QIODevice {
  public:
    explicit Dateigeraet(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* daten, qint64 n) override {
        if (alles_schreiben(fd_, daten, n)) return n;
        setErrorString(systemgrund(errno));
        return -1;
    }

  private:
    int fd_;
};

// A file written with the system's own calls, each of them checked: a
// regular file (or a new one) under a temporary name in its folder, renamed
// over the target when complete; a device or a pipe directly (renaming
// would put a plain file where /dev/full was).
class Systemdatei : public Schreibdatei {
  public:
    ~Systemdatei() override { verwerfen(); }

    bool oeffnen(const QString& datei) {
        const QFileInfo info(datei);
        direkt_ = info.exists() && !info.isFile();
        // A link is followed: the file it points to gets the new content.
        ziel_ =
            QFile::encodeName(info.isSymLink() && info.exists() ? info.canonicalFilePath() : datei);
        if (direkt_) {
            fd_ = ::open(ziel_.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        } else {
            struct stat alt {};
            const bool vorhanden = ::stat(ziel_.constData(), &alt) == 0;
            for (int versuch = 0; fd_ < 0 && versuch < 100; ++versuch) {
                temp_ = ziel_ + '.' +
                        QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
                fd_ = ::open(temp_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
                if (fd_ < 0 && errno != EEXIST) break;
            }
            // The new file keeps the old one's permissions.
            if (fd_ >= 0 && vorhanden && ::fchmod(fd_, alt.st_mode & 07777) != 0) {
            }
            if (fd_ < 0) temp_.clear();
        }
        if (fd_ < 0) {
            grund_ = systemgrund(errno);
            return false;
        }
        geraet_ = std::make_unique<Dateigeraet>(fd_);
        return true;
    }

    QIODevice& geraet() override { return *geraet_; }

    bool uebernehmen() override {
        if (fd_ < 0) return false;
        // Written out to the disk before the name changes, so a crash leaves
        // the old file or the whole new one; a device needs no sync.
        if (!direkt_ && ::fsync(fd_) != 0) return scheitern();
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0 && errno != EINTR) return scheitern();
        if (!direkt_ && ::rename(temp_.constData(), ziel_.constData()) != 0) return scheitern();
        temp_.clear();
        return true;
    }

    void verwerfen() override {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
        if (!temp_.isEmpty()) ::unlink(temp_.constData());
        temp_.clear();
    }

    QString grund() const override { return grund_; }

  private:
    bool scheitern() {
        grund_ = systemgrund(errno);
        verwerfen();
        return false;
    }

    QByteArray ziel_, temp_;
    int fd_ = -1;
    bool direkt_ = false;
    std::unique_ptr<Dateigeraet> geraet_;
    QString grund_;
};

class Echtdateisystem : public Dateisystem {
  public:
    std::unique_ptr<Schreibdatei> oeffnen(const QString& datei, QString& grund) override {
        auto f = std::make_unique<Systemdatei>();
        if (f->oeffnen(datei)) return f;
        grund = f->grund();
        return nullptr;
    }
};

} // namespace

Dateisystem& echtes_dateisystem() {
    static Echtdateisystem echt;
    return echt;
}

// Collects what the producer writes and passes it on in large pieces,
// checking that each piece reached the file whole. The first failure is
// kept: nothing more is written, and the file is not taken.
class Dateiausgabe::Pruefgeraet : public QIODevice {
  public:
    Pruefgeraet(Dateiausgabe& ausgabe, QIODevice& ziel) : ausgabe_(ausgabe), ziel_(ziel) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        puffer_.reserve(puffer_groesse);
    }
    bool isSequential() const override { return true; }

    bool leeren() {
        if (puffer_.isEmpty()) return !ausgabe_.fehlerhaft_;
        const bool gut = weitergeben(puffer_.constData(), puffer_.size());
        puffer_.clear();
        return gut;
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* daten, qint64 n) override {
        if (ausgabe_.fehlerhaft_) return -1;
        if (puffer_.size() + n > puffer_groesse && !leeren()) return -1;
        if (n >= puffer_groesse) {
            if (!weitergeben(daten, n)) return -1;
        } else {
            puffer_.append(daten, n);
        }
        return n;
    }

  private:
    static constexpr qint64 puffer_groesse = 1 << 20;

    bool weitergeben(const char* daten, qint64 n) {
        if (ausgabe_.fehlerhaft_) return false;
        while (n > 0) {
            const qint64 r = ziel_.write(daten, n);
            if (r <= 0) {
                QString grund = ausgabe_.datei_offen_->grund();
                if (grund.isEmpty()) grund = ziel_.errorString();
                ausgabe_.scheitern(grund);
                setErrorString(grund);
                return false;
            }
            daten += r;
            n -= r;
        }
        return true;
    }

    Dateiausgabe& ausgabe_;
    QIODevice& ziel_;
    QByteArray puffer_;
};

Dateiausgabe::Dateiausgabe(QString datei, Dateisystem& dateisystem)
    : datei_(std::move(datei)), dateisystem_(dateisystem) {}

Dateiausgabe::~Dateiausgabe() {
    verwerfen();
}

Ergebnis Dateiausgabe::fehler(const Worte& text) const {
    return Dateifehler{datei_, 0, text}.ergebnis();
}

Ergebnis Dateiausgabe::schreibfehler() const {
    return fehler(nicht_schreibbar(grund_));
}

Ergebnis Dateiausgabe::oeffnen() {
    verwerfen();
    fehlerhaft_ = false;
    if (datei_.trimmed().isEmpty())
        return fehler(
            {QStringLiteral("kein Dateiname angegeben"), QStringLiteral("no file name given")});
    if (QFileInfo(datei_).isDir()) return fehler(ein_ordner());
    QString grund;
    datei_offen_ = dateisystem_.oeffnen(datei_, grund);
    if (!datei_offen_) return fehler(nicht_schreibbar(grund));
    geraet_ = std::make_unique<Pruefgeraet>(*this, datei_offen_->geraet());
    return {};
}

QIODevice& Dateiausgabe::geraet() {
    return *geraet_;
}

void Dateiausgabe::scheitern(const QString& grund) {
    if (fehlerhaft_) return;
    fehlerhaft_ = true;
    grund_ = grund;
}

Ergebnis Dateiausgabe::leeren() {
    if (!datei_offen_) return schreibfehler();
    if (!geraet_->leeren()) {
        verwerfen();
        return schreibfehler();
    }
    return {};
}

Ergebnis Dateiausgabe::abschliessen() {
    if (!datei_offen_) return schreibfehler();
    if (!geraet_->leeren()) {
        verwerfen();
        return schreibfehler();
    }
    const bool gut = datei_offen_->uebernehmen();
    const QString grund = datei_offen_->grund();
    geraet_.reset();
    datei_offen_.reset();
    if (!gut) return fehler(nicht_schreibbar(grund));
    return {};
}

void Dateiausgabe::verwerfen() {
    geraet_.reset();
    if (datei_offen_) datei_offen_->verwerfen();
    datei_offen_.reset();
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
                                             : Worte{QStringLiteral("das Schreiben wurde "
                                                                    "abgebrochen"),
                                                     QStringLiteral("writing was aborted")});
    }
    return ausgabe.abschliessen();
}

// --- reading ----------------------------------------------------------------

Dateifehler Textleser::fehler_in_zeile(const Worte& text) const {
    return Dateifehler{datei_, zeile_ > 0 ? zeile_ : 1, text};
}

Dateifehler Textleser::fehler_in_datei(const Worte& text) const {
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
        fehler_ = fehler_in_datei(Worte{QStringLiteral("kann nicht geöffnet werden (%1)"),
                                        QStringLiteral("cannot be opened (%1)")}
                                      .arg(datei_handle_.errorString()));
        return false;
    }
    if (datei_handle_.isSequential()) {
        kopie_ = datei_handle_.read(strom_max + 1);
        if (kopie_.size() > strom_max) {
            fehler_ =
                fehler_in_datei({QStringLiteral("ist zu groß"), QStringLiteral("is too large")});
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
        fehler_ = fehler_in_datei(Worte{QStringLiteral("kann nicht gelesen werden (%1)"),
                                        QStringLiteral("cannot be read (%1)")}
                                      .arg(datei_handle_.errorString()));
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

bool Textleser::zeile(std::string_view& inhalt, const Was& was) {
    bool mit_ende = false;
    if (!naechste_zeile(inhalt, mit_ende)) {
        fehler_ = Dateifehler{datei_, zeile_ + 1,
                              groesse_ == 0 ? Worte{QStringLiteral("die Datei ist leer"),
                                                    QStringLiteral("the file is empty")}
                                            : Worte{QStringLiteral("die Datei endet, wo %1 folgen "
                                                                   "sollte"),
                                                    QStringLiteral("the file ends where %1 should "
                                                                   "follow")}
                                                  .arg(was.beschreiben())};
        return false;
    }
    if (!mit_ende && !ohne_ende_erlaubt_) {
        // Every line is written with its line end: a last line without one
        // was cut off, and "12.75" cut to "12.7" would still read as a number.
        fehler_ = fehler_in_zeile(
            Worte{QStringLiteral("die Datei endet mitten in %1 (die Zeile hat kein Zeilenende)"),
                  QStringLiteral("the file ends inside %1 (the line has no line end)")}
                .arg(was.beschreiben()));
        return false;
    }
    return true;
}

bool Textleser::ganzzahl(long long& wert, long long min, long long max, const Was& was) {
    std::string_view t;
    if (!zeile(t, was)) return false;
    const std::optional<long long> v = ganzzahl_aus_zeile(t);
    if (!v) {
        fehler_ =
            fehler_in_zeile(Worte{QStringLiteral("erwartet: %1 (eine ganze Zahl), gefunden: %2"),
                                  QStringLiteral("expected %1 (a whole number), found %2")}
                                .arg(was.beschreiben())
                                .arg(zeigen(t)));
        return false;
    }
    if (*v < min || *v > max) {
        fehler_ = fehler_in_zeile(Worte{QStringLiteral("%1 ist %2, außerhalb von %3..%4"),
                                        QStringLiteral("%1 is %2, outside %3..%4")}
                                      .arg(was.beschreiben())
                                      .arg(wert_text())
                                      .arg(min)
                                      .arg(max));
        return false;
    }
    wert = *v;
    return true;
}

bool Textleser::gleitzahl(float& wert, const Was& was) {
    std::string_view t;
    if (!zeile(t, was)) return false;
    const std::optional<float> v = gleitzahl_aus_zeile(t);
    if (!v) {
        fehler_ = fehler_in_zeile(Worte{QStringLiteral("erwartet: %1 (eine Zahl), gefunden: %2"),
                                        QStringLiteral("expected %1 (a number), found %2")}
                                      .arg(was.beschreiben())
                                      .arg(zeigen(t)));
        return false;
    }
    wert = *v;
    return true;
}

bool Textleser::platz_fuer(long long zeilen, const Was& was) {
    if (zeilen <= 0) return true;
    // Every value takes at least one character and a line end.
    const std::size_t rest = groesse_ - pos_;
    if (static_cast<unsigned long long>(zeilen) > rest / 2) {
        fehler_ = fehler_in_zeile(
            Worte{QStringLiteral("%1: der Rest der Datei (%2 Bytes) kann nicht so viele fassen"),
                  QStringLiteral("%1: the rest of the file (%2 bytes) cannot hold that many")}
                .arg(was.beschreiben())
                .arg(static_cast<qulonglong>(rest)));
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
            fehler_ = fehler_in_zeile(
                Worte{QStringLiteral("unerwarteter Inhalt nach dem Ende der Daten: %1"),
                      QStringLiteral("unexpected content after the end of the data: %1")}
                    .arg(zeigen(t)));
            return false;
        }
    }
    return true;
}

} // namespace tarvello
