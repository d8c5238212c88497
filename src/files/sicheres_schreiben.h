// The safe way of writing a file: to a temporary name in the same folder,
// renamed over the target only when every byte arrived, and the small seam
// over the file system that lets tests inject write faults.
#pragma once

#include <QIODevice>
#include <QString>
#include <memory>
#include <vector>

#include "core/ergebnis.h"
#include "files/dateifehler.h"

namespace tarvello {

// One file being written. Its bytes reach the target only with uebernehmen.
class Schreibdatei {
  public:
    virtual ~Schreibdatei() = default;
    // Where the bytes go; a failed write sets its errorString.
    virtual QIODevice& geraet() = 0;
    // Brings everything written to the disk, short of putting it in the
    // target's place (which uebernehmen then does at once). False when that
    // failed: the target is as it was, and grund() says why.
    virtual bool bereitstellen() { return true; }
    // Makes everything written the target's content. False when that failed:
    // the target is then as it was, and grund() says why.
    virtual bool uebernehmen() = 0;
    // Drops what was written; the target stays as it was.
    virtual void verwerfen() = 0;
    virtual QString grund() const = 0;
    // The last failure came from a signal asking for an abort.
    virtual bool unterbrochen() const { return false; }
};

// Where files are written: the real file system, or a test double that
// injects faults (tests/files/ergebnis_hilfe.h).
class Dateisystem {
  public:
    virtual ~Dateisystem() = default;
    // Opens `datei` for writing, or null with the reason in `grund`.
    virtual std::unique_ptr<Schreibdatei> oeffnen(const QString& datei, QString& grund) = 0;
};

// The real one. A regular file (or a new one) is written to a temporary name
// in its folder and renamed over the target on uebernehmen, after every
// write, the sync and the close succeeded; a device such as /dev/full is
// written directly (renaming would replace the device). A link is followed.
// The new file gets the old one's permissions; when it cannot, the open
// fails and the temporary file is removed. The reasons are the system's words for what failed.
Dateisystem& echtes_dateisystem();

// The descriptor a name for a standard stream stands for: 1 for "-" and
// /dev/stdout, 2 for /dev/stderr, N for /dev/fd/N and /proc/self/fd/N;
// -1 for any other name.
int stromnummer(const QString& datei);
// A target written as it is, never beside it nor with a suffix added: a
// standard stream, or an existing device, pipe or socket.
bool direktes_ziel(const QString& datei);

// One file of any kind written safely: every byte the producer writes to
// geraet() is checked to have reached the file (a disk that fills up may
// take part of a write, and some writers do not look at the result), and
// the file replaces the target only when everything arrived. On any failure
// the old file stays as it was, nothing is left behind, and the result, a
// Fehlerart::datei, names the file and the system's reason.
class Sammeluebernahme;

class Dateiausgabe {
  public:
    explicit Dateiausgabe(QString datei, Dateisystem& dateisystem = echtes_dateisystem());
    Dateiausgabe(const Dateiausgabe&) = delete;
    Dateiausgabe& operator=(const Dateiausgabe&) = delete;
    // Drops a file that was not completed.
    ~Dateiausgabe();

    // Refuses an empty name and a folder, then opens the file.
    Ergebnis oeffnen();
    // Where the content goes, after a successful oeffnen. A write that did
    // not reach the file fails (and every one after it).
    QIODevice& geraet();
    // Writes out what is held back, so a full disk shows now; the target is
    // not yet touched.
    Ergebnis leeren();
    // Writes out what is held back and makes it the file's content; while a
    // Sammeluebernahme is open, that waits for its end.
    Ergebnis abschliessen();
    // Drops what was written; the target stays as it was.
    void verwerfen();

    // A write failed; grund() is the system's reason.
    bool fehlerhaft() const { return fehlerhaft_; }
    const QString& grund() const { return grund_; }
    const QString& datei() const { return datei_; }
    // A fault of this file in the files' wording: "FILE: text".
    Ergebnis fehler(const Meldung& text) const;
    // The fault of the failed write: "FILE: cannot be written (reason)", or
    // a Fehlerart::abbruch when a signal interrupted it.
    Ergebnis schreibfehler() const;

  private:
    class Pruefgeraet;
    void scheitern(const QString& grund);

    QString datei_;
    Dateisystem& dateisystem_;
    std::unique_ptr<Schreibdatei> datei_offen_;
    std::unique_ptr<Pruefgeraet> geraet_;
    bool fehlerhaft_ = false;
    bool unterbrochen_ = false;
    QString grund_;
};

// The files one command writes, replaced together: while one is open, each
// Dateiausgabe that completes waits (written and synced under its temporary
// name) until uebernehmen puts them all in place. Ended without that, or
// after an abort, it removes them all and every target stays as it was.
// Devices, pipes and standard streams are written as they come. One at a
// time; it is meant for the outermost level of a command.
class Sammeluebernahme {
  public:
    Sammeluebernahme();
    ~Sammeluebernahme();
    Sammeluebernahme(const Sammeluebernahme&) = delete;
    Sammeluebernahme& operator=(const Sammeluebernahme&) = delete;

    // Puts every waiting file in place, in the order they completed; the
    // first that fails stops it (those before it stay replaced).
    Ergebnis uebernehmen();

  private:
    friend class Dateiausgabe;
    struct Wartend {
        QString datei;
        std::unique_ptr<Schreibdatei> offen;
    };
    std::vector<Wartend> wartend_;
};

} // namespace tarvello
