// The colour dialog: the sixteen drawing colours as swatches, each with a
// button that opens the colour chooser. The swatches are a draft until
// "Take This Time" or "Save As Default Colours" copies them into the
// program's colour table (the latter also into the settings store); palettes
// are loaded into both at once and saved from the swatches.
#pragma once

#include <QDialog>
#include <array>

#include "app/beschriftungen.h"
#include "core/steuerwerte.h"
#include "files/druckfarben.h"

class QLabel;

namespace tarvello {

class Farben : public QDialog {
    Q_OBJECT

  public:
    Farben(Druckfarben& tabelle, Sprache sprache, QWidget* parent = nullptr);

    // Captions in s (an open colour chooser's title too); the draft stays.
    void sprache_setzen(Sprache s) { texte_.sprache_setzen(s); }

    // The colour swatch i shows.
    QRgb farbe(int i) const { return entwurf_.farbe[static_cast<std::size_t>(i)]; }
    void farbe_setzen(int i, QRgb f);
    const Druckfarben& entwurf() const { return entwurf_; }

    // The two file operations after their file dialogs; false (with a
    // message) when the file could not be read or written.
    bool palette_laden_aus(const QString& datei);
    bool palette_speichern_als(const QString& datei);

    // Text of the last message the dialog showed.
    QString letzte_meldung() const { return letzte_meldung_; }

  public slots:
    // knopf_farbe_<i>: the colour chooser for swatch i.
    void farbe_waehlen(int i);
    // knopf_anwenden: the swatches into the table, then close.
    void anwenden();
    // knopf_als_standard: the swatches into the table and the settings store.
    bool als_standard_speichern();
    // knopf_standard_laden: the swatches from the table.
    void standard_laden();
    // knopf_palette_laden, knopf_palette_speichern: with a file dialog.
    void palette_laden();
    void palette_speichern();

  private:
    void uebernehmen();
    void meldung(const QString& text);

    Druckfarben& tabelle_;
    Druckfarben entwurf_;
    Beschriftungen texte_;
    std::array<QLabel*, n_druckfarben> felder_{};
    QString letzte_meldung_;
};

} // namespace tarvello
