// The text form shared by the map, settings and palette files (one value per
// line, CR LF, integers with a sign space, rounded floats with a decimal
// point in any locale), a line reader that names the line of every fault and
// knows how much of the file is left, and the safe way of writing a file:
// to a temporary name in the same folder, renamed over the target only when
// everything was written.
#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/ergebnis.h"
#include "files/worte.h"

namespace tarvello {

// What the reader and the writer record about a fault of a file. zeile is
// the line of the fault (1-based), 0 when the fault concerns the whole file.
struct Dateifehler {
    QString datei;
    int zeile = 0;
    Worte text;

    // "FILE: line N: text" or "FILE: text" ("Zeile" in German), on one line.
    QString meldung(Sprache s) const;
    // The fault as a result of kind `art` (Fehlerart::datei unless said),
    // worded by meldung() in both languages.
    Ergebnis ergebnis(Fehlerart art = Fehlerart::datei) const;
};

// The words of a result for Qt in one language (empty on success).
inline QString qtext(const Ergebnis& e, Sprache s) {
    return QString::fromStdString(e.text(s));
}

// What a value stands for, for messages only: text (English) may hold %1 and
// %2, replaced by a and b when the message is built. The German words come
// from beschreibung_deutsch.
struct Was {
    const char* text;
    long long a = 0;
    long long b = 0;
    Worte beschreiben() const;
};

// The German words of a value description of the files (a Was text, looked
// up by its English words); null when there are none, as for the name of a
// control, which reads the same in both languages.
const char* beschreibung_deutsch(std::string_view englisch);

// --- text forms -------------------------------------------------------------

// " 5 " for 5, "-5 " for -5.
void ganzzahl_anhaengen(std::string& s, long long wert);
// The value rounded to `stellen` decimals, halves to even, without trailing
// zeros and with a decimal point ("12.5", "-3.25", "100"). A value that is not
// finite appends nothing and returns false.
bool gleitzahl_anhaengen(std::string& s, float wert, int stellen);

// Whole number with an optional sign, spaces around it ignored.
std::optional<long long> ganzzahl_aus_zeile(std::string_view text);
// Decimal number (a point, an exponent allowed), spaces around it ignored,
// as the nearest float; nothing for text that is no finite float. A text
// written from a float reads back as that float wherever floats lie further
// apart than the written steps, and as a float written back as the same text
// elsewhere, so save - load - save gives the same file.
std::optional<float> gleitzahl_aus_zeile(std::string_view text);
// The value gleitzahl_aus_zeile reads from the text gleitzahl_anhaengen writes
// for it with two decimals, without making the text; a value that is not
// finite stays as it is.
float gleitzahl_wie_geschrieben(float wert);

// --- writing ----------------------------------------------------------------

class Textschreiber {
  public:
    explicit Textschreiber(QIODevice& ziel) : ziel_(ziel) { puffer_.reserve(puffer_groesse + 64); }

    void text(std::string_view t);
    void ganzzahl(long long wert);
    // False (with a message) when the value is not finite.
    bool gleitzahl(float wert, int stellen, const Was& was);

    // Writes what is buffered; false when the device refused.
    bool leeren();
    bool fehlerhaft() const { return fehlerhaft_; }
    const Worte& fehler() const { return fehler_; }
    void fehler_setzen(const Worte& f) {
        fehlerhaft_ = true;
        fehler_ = f;
    }

  private:
    static constexpr std::size_t puffer_groesse = 1 << 20;
    void zeile_beenden();
    QIODevice& ziel_;
    std::string puffer_;
    bool fehlerhaft_ = false;
    Worte fehler_;
};

// --- the file system under the writer ----------------------------------------

// One file being written. Its bytes reach the target only with uebernehmen.
class Schreibdatei {
  public:
    virtual ~Schreibdatei() = default;
    // Where the bytes go; a failed write sets its errorString.
    virtual QIODevice& geraet() = 0;
    // Makes everything written the target's content. False when that failed:
    // the target is then as it was, and grund() says why.
    virtual bool uebernehmen() = 0;
    // Drops what was written; the target stays as it was.
    virtual void verwerfen() = 0;
    virtual QString grund() const = 0;
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
// The reasons are the system's words for what failed.
Dateisystem& echtes_dateisystem();

// One file of any kind written safely: every byte the producer writes to
// geraet() is checked to have reached the file (a disk that fills up may
// take part of a write, and some writers do not look at the result), and
// the file replaces the target only when everything arrived. On any failure
// the old file stays as it was, nothing is left behind, and the result, a
// Fehlerart::datei, names the file and the system's reason.
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
    // Writes out what is held back and makes it the file's content.
    Ergebnis abschliessen();
    // Drops what was written; the target stays as it was.
    void verwerfen();

    // A write failed; grund() is the system's reason.
    bool fehlerhaft() const { return fehlerhaft_; }
    const QString& grund() const { return grund_; }
    const QString& datei() const { return datei_; }
    // A fault of this file in the files' wording: "FILE: text".
    Ergebnis fehler(const Worte& text) const;
    // The fault of the failed write: "FILE: cannot be written (reason)".
    Ergebnis schreibfehler() const;

  private:
    class Pruefgeraet;
    void scheitern(const QString& grund);

    QString datei_;
    Dateisystem& dateisystem_;
    std::unique_ptr<Schreibdatei> datei_offen_;
    std::unique_ptr<Pruefgeraet> geraet_;
    bool fehlerhaft_ = false;
    QString grund_;
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

    // Opens the file (nothing to do for bytes in memory); false with a
    // message when it cannot be read.
    bool oeffnen();

    // Next line without its line end (LF or CR LF); false (with a message
    // naming what was expected) at the end of the file and, unless allowed
    // below, for a last line without a line end, which was cut off.
    bool zeile(std::string_view& inhalt, const Was& was);
    // Accepts a last line without a line end, for files that other programs
    // write by hand or without a final line break.
    void letzte_zeile_ohne_ende_erlauben() { ohne_ende_erlaubt_ = true; }
    // Typed values; false with a message naming the line.
    bool ganzzahl(long long& wert, long long min, long long max, const Was& was);
    bool gleitzahl(float& wert, const Was& was);

    // False with a message when fewer than `zeilen` value lines can follow
    // (each takes at least two bytes): counts are checked against the bytes
    // left before tables are sized.
    bool platz_fuer(long long zeilen, const Was& was);
    // False with a message when anything but blank lines follows.
    bool ende_pruefen();

    // The value of the line read last as it is written in the file (without
    // the spaces around it), for messages about a value read successfully.
    QString wert_text() const;

    // Records a fault of the line read last; returns false.
    bool scheitern(const Worte& text) {
        fehler_ = fehler_in_zeile(text);
        return false;
    }

    Dateifehler fehler_in_zeile(const Worte& text) const;
    Dateifehler fehler_in_datei(const Worte& text) const;
    const Dateifehler& fehler() const { return fehler_; }

  private:
    bool naechste_zeile(std::string_view& inhalt, bool& mit_ende);

    QString datei_;
    QFile datei_handle_;
    QByteArray kopie_; // contents when the file cannot be mapped
    const char* daten_ = nullptr;
    std::size_t groesse_ = 0;
    std::size_t pos_ = 0;
    std::string_view letzte_zeile_;
    int zeile_ = 0;
    bool im_speicher_ = false;
    bool ohne_ende_erlaubt_ = false;
    Dateifehler fehler_;
};

} // namespace tarvello
