#include "files/sicheres_schreiben.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvello {

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
            if (fd_ < 0) temp_.clear();
            // The new file keeps the old one's permissions; one that cannot
            // get them is not taken, as a copy that would change who may
            // read the file.
            if (fd_ >= 0 && vorhanden && ::fchmod(fd_, alt.st_mode & 07777) != 0)
                return scheitern();
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

Ergebnis Dateiausgabe::fehler(const Meldung& text) const {
    return Dateifehler{datei_, 0, text}.ergebnis();
}

Ergebnis Dateiausgabe::schreibfehler() const {
    return fehler(nicht_schreibbar(grund_));
}

Ergebnis Dateiausgabe::oeffnen() {
    verwerfen();
    fehlerhaft_ = false;
    if (datei_.trimmed().isEmpty()) return fehler(Meldung(Meldungsart::kein_dateiname));
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

} // namespace tarvello
