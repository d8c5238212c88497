// Test helpers around results of file work: the parts of a file fault's
// message, and a file system that injects write faults.
#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

#include "core/ergebnis.h"
#include "files/textdatei.h"

namespace dateitest {

// A file fault's words "FILE: line N: text" or "FILE: text", taken apart.
struct Fehlerbild {
    int zeile = 0; // 0 when the words name no line
    QString text;  // what follows the file name and the line
    QString ganz;
    QString meldung() const { return ganz; }
};

inline Fehlerbild fehlerbild(const tarvello::Ergebnis& e) {
    Fehlerbild f;
    f.ganz = tarvello::qtext(e, tarvello::Sprache::englisch);
    const qsizetype nach_name = f.ganz.indexOf(QStringLiteral(": "));
    f.text = nach_name < 0 ? f.ganz : f.ganz.mid(nach_name + 2);
    if (f.text.startsWith(QStringLiteral("line "))) {
        const qsizetype ende = f.text.indexOf(QStringLiteral(": "));
        bool zahl = false;
        const int n = f.text.mid(5, ende - 5).toInt(&zahl);
        if (ende > 5 && zahl) {
            f.zeile = n;
            f.text = f.text.mid(ende + 2);
        }
    }
    return f;
}

// A file system that writes through the real one but fails where it is told
// to: on opening, on a write once a number of bytes went through, or on the
// final rename. What the writer does about it reaches the real disk, so a
// test sees whether the old file stayed.
class Stoerdateisystem : public tarvello::Dateisystem {
  public:
    enum class Stoerung { beim_oeffnen, beim_schreiben, beim_uebernehmen };
    explicit Stoerdateisystem(Stoerung s, qint64 bytes_bis_zum_fehler = 0)
        : stoerung_(s), bytes_(bytes_bis_zum_fehler) {}

    std::unique_ptr<tarvello::Schreibdatei> oeffnen(const QString& datei, QString& grund) override {
        if (stoerung_ == Stoerung::beim_oeffnen) {
            grund = QStringLiteral("Permission denied");
            return nullptr;
        }
        auto echt = tarvello::echtes_dateisystem().oeffnen(datei, grund);
        if (!echt) return nullptr;
        return std::make_unique<Datei>(std::move(echt), stoerung_, bytes_);
    }

  private:
    // Passes writes on to the real file until the limit, then fails.
    class Begrenzt : public QIODevice {
      public:
        Begrenzt(QIODevice& ziel, qint64 rest) : ziel_(ziel), rest_(rest) {
            open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        }

      protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char* daten, qint64 n) override {
            if (n > rest_) {
                if (rest_ > 0) ziel_.write(daten, rest_);
                rest_ = 0;
                setErrorString(QStringLiteral("No space left on device"));
                return -1;
            }
            rest_ -= n;
            return ziel_.write(daten, n);
        }

      private:
        QIODevice& ziel_;
        qint64 rest_;
    };

    class Datei : public tarvello::Schreibdatei {
      public:
        Datei(std::unique_ptr<tarvello::Schreibdatei> echt, Stoerung s, qint64 bytes)
            : echt_(std::move(echt)), stoerung_(s),
              begrenzt_(echt_->geraet(), s == Stoerung::beim_schreiben ? bytes : INT64_MAX) {}
        QIODevice& geraet() override { return begrenzt_; }
        bool uebernehmen() override {
            if (stoerung_ != Stoerung::beim_uebernehmen) return echt_->uebernehmen();
            echt_->verwerfen();
            return false;
        }
        void verwerfen() override { echt_->verwerfen(); }
        QString grund() const override {
            return stoerung_ == Stoerung::beim_uebernehmen ? QStringLiteral("Input/output error")
                                                           : echt_->grund();
        }

      private:
        std::unique_ptr<tarvello::Schreibdatei> echt_;
        Stoerung stoerung_;
        Begrenzt begrenzt_;
    };

    Stoerung stoerung_;
    qint64 bytes_;
};

} // namespace dateitest
