#include "files/sicheres_schreiben.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <utility>

#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvello {

namespace {

// What the system said about the last failed call, in its own words.
QString systemgrund(int nummer) {
    return qt_error_string(nummer);
}

// Writes all n bytes to fd, again after a partial write (a disk that fills
// up takes part of a write and refuses the rest); false with errno set when
// a byte did not get there. The program's signals interrupt a write only to
// abort it (EINTR): a pipe whose reader is slow must not hold Ctrl-C off.
bool alles_schreiben(int fd, const char* daten, qint64 n) {
    while (n > 0) {
        const ssize_t r = ::write(fd, daten, static_cast<std::size_t>(n));
        if (r < 0) return false;
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
        unterbrochen_ = errno == EINTR;
        setErrorString(systemgrund(errno));
        return -1;
    }

  public:
    bool unterbrochen_ = false;

  private:
    int fd_;
};

} // namespace

int stromnummer(const QString& datei) {
    if (datei == QLatin1String("-") || datei == QLatin1String("/dev/stdout")) return 1;
    if (datei == QLatin1String("/dev/stderr")) return 2;
    for (const QLatin1String ordner : {QLatin1String("/dev/fd/"), QLatin1String("/proc/self/fd/")})
        if (datei.startsWith(ordner)) {
            bool gut = false;
            const int n = datei.mid(ordner.size()).toInt(&gut);
            if (gut && n >= 0) return n;
        }
    return -1;
}

bool direktes_ziel(const QString& datei) {
    if (stromnummer(datei) >= 0) return true;
    struct stat st {};
    return ::stat(QFile::encodeName(datei).constData(), &st) == 0 && !S_ISREG(st.st_mode) &&
           !S_ISDIR(st.st_mode);
}

namespace {

// The name a chain of links ends at, also when its last link dangles (the
// file is then made there); the name itself when it is no link.
QByteArray linkziel(const QByteArray& name) {
    QByteArray ziel = name;
    for (int schritt = 0; schritt < 40; ++schritt) {
        struct stat st {};
        if (::lstat(ziel.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return ziel;
        QByteArray inhalt(static_cast<qsizetype>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(ziel.constData(), inhalt.data(), inhalt.size());
        if (n <= 0 || n >= inhalt.size()) return ziel;
        inhalt.truncate(n);
        if (inhalt.startsWith('/')) {
            ziel = inhalt;
        } else {
            const qsizetype schnitt = ziel.lastIndexOf('/');
            ziel = schnitt < 0 ? inhalt : ziel.left(schnitt + 1) + inhalt;
        }
    }
    return ziel;
}

// Our own temporaries are the target's name, a dot, a random number in base
// 36 and ".tmp". Those older than a day beside the target were left by a
// run that was killed; they are removed when the target is next written.
void alte_reste_entfernen(const QByteArray& ziel) {
    const qsizetype schnitt = ziel.lastIndexOf('/');
    const QByteArray ordner = schnitt < 0 ? QByteArray(".") : ziel.left(schnitt + 1);
    const QByteArray anfang = (schnitt < 0 ? ziel : ziel.mid(schnitt + 1)) + '.';
    DIR* d = ::opendir(ordner.constData());
    if (!d) return;
    const time_t grenze = ::time(nullptr) - 24 * 60 * 60;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (!name.startsWith(anfang) || !name.endsWith(".tmp")) continue;
        const QByteArray mitte = name.mid(anfang.size(), name.size() - anfang.size() - 4);
        if (mitte.isEmpty() || mitte.size() > 13) continue;
        bool zahl = true;
        for (const char c : mitte)
            zahl = zahl && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'));
        if (!zahl) continue;
        const QByteArray pfad = schnitt < 0 ? name : ordner + name;
        struct stat st {};
        if (::lstat(pfad.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime < grenze)
            ::unlink(pfad.constData());
    }
    ::closedir(d);
}

// A file written with the system's own calls, each of them checked: a
// regular file (or a new one) under a temporary name in its folder, renamed
// over the target when complete; a device, a pipe or a standard stream
// directly (renaming would put a plain file where /dev/full was).
class Systemdatei : public Schreibdatei {
  public:
    ~Systemdatei() override { verwerfen(); }

    bool oeffnen(const QString& datei) {
        if (const int strom = stromnummer(datei); strom >= 0) {
            direkt_ = true;
            fd_ = ::fcntl(strom, F_DUPFD_CLOEXEC, 3);
            return geoeffnet();
        }
        // A link is followed, also one that dangles: the file it points to
        // gets the new content.
        ziel_ = linkziel(QFile::encodeName(datei));
        struct stat alt {};
        const bool vorhanden = ::stat(ziel_.constData(), &alt) == 0;
        direkt_ = vorhanden && !S_ISREG(alt.st_mode);
        if (direkt_) {
            // A pipe without a reader waits here; a signal ends the wait.
            fd_ = ::open(ziel_.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        } else {
            alte_reste_entfernen(ziel_);
            for (int versuch = 0; fd_ < 0 && versuch < 100; ++versuch) {
                temp_ = ziel_ + '.' +
                        QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
                fd_ = ::open(temp_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
                if (fd_ < 0 && errno != EEXIST) break;
            }
            if (fd_ < 0) temp_.clear();
            // The new file keeps the old one's permissions; one that cannot
            // get them is not taken, as a copy that would change who may
            // read the file.
            if (fd_ >= 0 && vorhanden && ::fchmod(fd_, alt.st_mode & 07777) != 0)
                return scheitern();
        }
        return geoeffnet();
    }

    bool unterbrochen() const override {
        return unterbrochen_ || (geraet_ && geraet_->unterbrochen_);
    }

    QIODevice& geraet() override { return *geraet_; }

    bool bereitstellen() override {
        if (bereit_) return true;
        if (fd_ < 0) return false;
        // Written out to the disk before the name changes, so a crash leaves
        // the old file or the whole new one; a device needs no sync.
        if (!direkt_ && ::fsync(fd_) != 0) return scheitern();
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0 && errno != EINTR) return scheitern();
        bereit_ = true;
        return true;
    }

    bool uebernehmen() override {
        if (!bereitstellen()) return false;
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
        unterbrochen_ = unterbrochen_ || errno == EINTR;
        grund_ = systemgrund(errno);
        verwerfen();
        return false;
    }

    bool geoeffnet() {
        if (fd_ >= 0) {
            geraet_ = std::make_unique<Dateigeraet>(fd_);
            return true;
        }
        unterbrochen_ = errno == EINTR;
        grund_ = systemgrund(errno);
        return false;
    }

    QByteArray ziel_, temp_;
    int fd_ = -1;
    bool direkt_ = false;
    bool bereit_ = false; // closed, waiting for its rename
    bool unterbrochen_ = false;
    std::unique_ptr<Dateigeraet> geraet_;
    QString grund_;
};

class Echtdateisystem : public Dateisystem {
  public:
    std::unique_ptr<Schreibdatei> oeffnen(const QString& datei, QString& grund) override {
        auto f = std::make_unique<Systemdatei>();
        if (f->oeffnen(datei)) return f;
        grund = f->grund();
        const bool unterbrochen = f->unterbrochen();
        f.reset();
        // Dateiausgabe tells an abort by this.
        errno = unterbrochen ? EINTR : 0;
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

Ergebnis Dateiausgabe::fehler(const Meldung& text) const {
    return Dateifehler{datei_, 0, text}.ergebnis();
}

Ergebnis Dateiausgabe::schreibfehler() const {
    if (unterbrochen_)
        return Dateifehler{datei_, 0, Meldung(Meldungsart::schreiben_abgebrochen)}.ergebnis(
            Fehlerart::abbruch);
    return fehler(nicht_schreibbar(grund_));
}

namespace {
Sammeluebernahme* offene_sammlung = nullptr;
} // namespace

Sammeluebernahme::Sammeluebernahme() {
    offene_sammlung = this;
}

Sammeluebernahme::~Sammeluebernahme() {
    if (offene_sammlung == this) offene_sammlung = nullptr;
    for (Wartend& w : wartend_)
        w.offen->verwerfen();
}

Ergebnis Sammeluebernahme::uebernehmen() {
    if (offene_sammlung == this) offene_sammlung = nullptr;
    Ergebnis e;
    for (Wartend& w : wartend_) {
        if (e.gut() && !w.offen->uebernehmen())
            e = Dateifehler{w.datei, 0, nicht_schreibbar(w.offen->grund())}.ergebnis();
        w.offen->verwerfen();
    }
    wartend_.clear();
    return e;
}

Ergebnis Dateiausgabe::oeffnen() {
    verwerfen();
    fehlerhaft_ = unterbrochen_ = false;
    if (datei_.trimmed().isEmpty()) return fehler(Meldung(Meldungsart::kein_dateiname));
    if (stromnummer(datei_) < 0 && QFileInfo(datei_).isDir()) return fehler(ein_ordner());
    QString grund;
    datei_offen_ = dateisystem_.oeffnen(datei_, grund);
    if (!datei_offen_) {
        // Only the program's own signals interrupt a call, to abort it.
        unterbrochen_ = errno == EINTR;
        grund_ = grund;
        return schreibfehler();
    }
    geraet_ = std::make_unique<Pruefgeraet>(*this, datei_offen_->geraet());
    return {};
}

QIODevice& Dateiausgabe::geraet() {
    return *geraet_;
}

void Dateiausgabe::scheitern(const QString& grund) {
    if (fehlerhaft_) return;
    fehlerhaft_ = true;
    unterbrochen_ = datei_offen_ && datei_offen_->unterbrochen();
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
    geraet_.reset();
    if (offene_sammlung) {
        // Waits, complete on the disk, for the command's other files.
        if (datei_offen_->bereitstellen()) {
            offene_sammlung->wartend_.push_back({datei_, std::move(datei_offen_)});
            return {};
        }
    } else if (datei_offen_->uebernehmen()) {
        datei_offen_.reset();
        return {};
    }
    unterbrochen_ = datei_offen_->unterbrochen();
    grund_ = datei_offen_->grund();
    datei_offen_.reset();
    return schreibfehler();
}

void Dateiausgabe::verwerfen() {
    geraet_.reset();
    if (datei_offen_) datei_offen_->verwerfen();
    datei_offen_.reset();
}

} // namespace tarvello
