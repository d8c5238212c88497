// The print-section dialog: the map enlarged N times over N x N sheets, of
// which only the marked ones are printed. A grid of buttons stands for the
// sheets; a click marks or unmarks one. The marks live in the print options,
// so they outlast the dialog and a change of N.
#pragma once

#include <QDialog>
#include <vector>

#include "app/beschriftungen.h"
#include "core/steuerwerte.h"

class QComboBox;
class QPushButton;

namespace tarvello {

struct Druckoptionen;

class Druckausschnitt : public QDialog {
    Q_OBJECT

  public:
    Druckausschnitt(Druckoptionen& optionen, Sprache sprache, QWidget* parent = nullptr);

    // Captions in s; the magnification and the marks stay.
    void sprache_setzen(Sprache s) { texte_.sprache_setzen(s); }

    // Magnification of the selected liste_vergroesserung entry.
    int vergroesserung() const;
    // The sheet button knopf_blatt_<i> (row-major from 0), null beyond those made.
    QPushButton* feld(int i) const;
    // The colour button i shows: navy when marked, white when not.
    QColor feldfarbe(int i) const;

    // Width and height of the grid area, and its distance from the top.
    static constexpr int rasterbreite = 400;
    static constexpr int rand = 8;
    static constexpr int raster_oben = rand + 36;
    // The magnifications of liste_vergroesserung.
    static constexpr int stufen[] = {2, 3, 4, 5, 6, 7, 8, 10, 12, 15};

  signals:
    // knopf_uebernehmen and knopf_uebernehmen_und_drucken: section mode is on with the dialog's N.
    void uebernommen();
    // knopf_uebernehmen_und_drucken, after uebernommen.
    void drucken_verlangt();
    // knopf_abbruch: section mode is off.
    void abgebrochen();

  public slots:
    void uebernehmen();
    void uebernehmen_und_drucken();
    void abbrechen();
    void alle_markieren();
    void alle_aus();

  private:
    void raster_auslegen();
    void feld_umschalten(int i);
    void faerben();
    void in_optionen_uebernehmen();

    Druckoptionen& optionen_;
    Beschriftungen texte_;
    QComboBox* combo_ = nullptr;
    QWidget* raster_ = nullptr;
    std::vector<QPushButton*> felder_;
};

} // namespace tarvello
