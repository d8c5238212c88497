// The image export dialog: the preview's visible section as one picture or a
// matrix of N x N pictures of a chosen size, with the total size estimate,
// building outlines, the labelling options and the colours. The export runs
// through the main window, which shows its progress and can abort it.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QtGlobal>

#include "app/beschriftungen.h"
#include "core/steuerwerte.h"
#include "render/bildexport.h"
#include "render/exportpruefung.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tarvello {

class Eingabe;
class Bildexportnummerierung;

// The entries of Combo_Matrix (images per side) and Combo_Pixel.
inline constexpr int export_matrizen[] = {1, 2, 3, 4, 5};
inline constexpr int export_pixelgroessen[] = {400, 600, 800, 1000, 1200, 1500, 2000, 2600, 3200};

// The format for a chosen file name: its suffix when it is exactly one of
// ".bmp", ".png", ".svg", otherwise the format of the chosen filter.
Bildformat export_format(const QString& datei, Bildformat filter);

class Bildexport : public QDialog {
    Q_OBJECT

  public:
    explicit Bildexport(Eingabe& fenster);

    // The size estimate as shown (without the captions around it).
    QString bedarf_text() const;

    // Exports the preview's section into `datei` (a matrix appends
    // _column_row). On success the dialog closes; false when nothing or
    // not everything was written (the reason was shown) or the user aborted.
    bool exportieren_nach(const QString& datei, Bildformat f);

    QString letzte_meldung() const { return letzte_meldung_; }

    // Captions in s, of its labelling dialog too; the choices stay.
    void sprache_setzen(Sprache s);

  public slots:
    // knopf_generieren: the save dialog, then the export.
    void generieren();
    // knopf_nummerierung.
    void nummerierung_oeffnen();

  signals:
    // knopf_farben: the window opens its colour dialog.
    void farben_gewuenscht();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

  private:
    void matrix_gewaehlt(int index);
    void pixel_gewaehlt(int index);
    void bedarf_zeigen();
    void meldung(const QString& text);

    Eingabe& fenster_;
    Beschriftungen texte_;
    QComboBox* matrix_ = nullptr;
    QComboBox* pixel_ = nullptr;
    QCheckBox* nur_umriss_ = nullptr;
    QLabel* bedarf_ = nullptr;
    QPointer<Bildexportnummerierung> nummerierung_;
    bool exportiert_ = false; // an export is running
    QString letzte_meldung_;
};

} // namespace tarvello
