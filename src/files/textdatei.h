// The text files of the map, settings and palettes (one value per line,
// CR LF): a writer that buffers and checks each value, and a line reader that
// names the line of every fault and knows how much of the file is left. The
// number forms and the safe write they stand on have files of their own.
#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/ergebnis.h"
#include "files/dateifehler.h"
#include "files/sicheres_schreiben.h"
#include "files/textform.h"
#include "files/worte.h"

namespace tarvello {

// --- writing ----------------------------------------------------------------

class Textschreiber {
  public:
    explicit Textschreiber(QIODevice& ziel) : ziel_(ziel) { puffer_.reserve(puffer_groesse + 64); }

    void text(std::string_view t);
    void ganzzahl(long long wert);
    // False (with a message) when the value is not finite.
    bool gleitzahl(float wert, int stellen, const Meldung& was);

    // Writes what is buffered; false when the device refused.
    bool leeren();
    bool fehlerhaft() const { return fehlerhaft_; }
    const Meldung& fehler() const { return fehler_; }
    void fehler_setzen(const Meldung& f) {
        fehlerhaft_ = true;
        fehler_ = f;
    }

  private:
    static constexpr std::size_t puffer_groesse = 1 << 20;
    void zeile_beenden();
    QIODevice& ziel_;
    std::string puffer_;
    bool fehlerhaft_ = false;
    Meldung fehler_;
};

// Writes a file through `inhalt` (with a Dateiausgabe). On success the file
// holds what `inhalt` wrote. On failure (no name, a folder, the target
// cannot be opened, `inhalt` returned false, a byte did not reach the disk)
// the old file stays as it was and the result, a Fehlerart::datei, names
// the file.
Ergebnis textdatei_schreiben(const QString& datei,
                             const std::function<bool(Textschreiber&)>& inhalt,
                             Dateisystem& dateisystem = echtes_dateisystem());

// --- reading ----------------------------------------------------------------

class Textleser {
  public:
    explicit Textleser(const QString& datei) : datei_(datei) {}
    // Reads bytes already in memory, which must outlive the reader; datei
    // only names them in messages.
    Textleser(const QString& datei, std::string_view inhalt)
        : datei_(datei), daten_(inhalt.data()), groesse_(inhalt.size()), im_speicher_(true) {}
    Textleser(const Textleser&) = delete;
    Textleser& operator=(const Textleser&) = delete;

    // Reads the whole file, or standard input for "-" (nothing to do for
    // bytes in memory); false with a message when it cannot be read, is too
    // large or changed while it was read.
    bool oeffnen();
    // oeffnen failed because a signal asked for an abort.
    bool abgebrochen() const { return abgebrochen_; }

    // Next line without its line end (LF or CR LF); false (with a message
    // naming what was expected) at the end of the file and, unless allowed
    // below, for a last line without a line end, which was cut off.
    bool zeile(std::string_view& inhalt, const Meldung& was);
    // Accepts a last line without a line end, for files that other programs
    // write by hand or without a final line break.
    void letzte_zeile_ohne_ende_erlauben() { ohne_ende_erlaubt_ = true; }
    // Typed values; false with a message naming the line.
    bool ganzzahl(long long& wert, long long min, long long max, const Meldung& was);
    bool gleitzahl(float& wert, const Meldung& was);

    // False with a message when fewer than `zeilen` value lines can follow
    // (each takes at least two bytes): counts are checked against the bytes
    // left before tables are sized.
    bool platz_fuer(long long zeilen, const Meldung& was);
    // False with a message when anything but blank lines follows.
    bool ende_pruefen();

    // The value of the line read last as it is written in the file (without
    // the spaces around it), for messages about a value read successfully.
    QString wert_text() const;

    // Records a fault of the line read last; returns false.
    bool scheitern(const Meldung& text) {
        fehler_ = fehler_in_zeile(text);
        return false;
    }

    Dateifehler fehler_in_zeile(const Meldung& text) const;
    Dateifehler fehler_in_datei(const Meldung& text) const;
    const Dateifehler& fehler() const { return fehler_; }

  private:
    bool naechste_zeile(std::string_view& inhalt, bool& mit_ende);

    QString datei_;
    QByteArray kopie_; // the file's contents
    const char* daten_ = nullptr;
    std::size_t groesse_ = 0;
    std::size_t pos_ = 0;
    std::string_view letzte_zeile_;
    int zeile_ = 0;
    bool im_speicher_ = false;
    bool ohne_ende_erlaubt_ = false;
    bool abgebrochen_ = false;
    Dateifehler fehler_;
};

} // namespace tarvello
