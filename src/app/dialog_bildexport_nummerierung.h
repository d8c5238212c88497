// The export's labelling dialog: which kinds of elements carry their numbers
// in the images (the same options as the print menu's labelling items) and
// the label size in the images.
#pragma once

#include <QDialog>
#include <functional>

#include "core/steuerwerte.h"
#include "render/druckoptionen.h"

class QCheckBox;
class QLabel;
class QSlider;

namespace tarvello {

// Label size in the images for a slider position: Int(regler * pixel / 2000 + 6).
int export_schriftgroesse_aus_regler(int regler, int pixel);

class Bildexport_Nummerierung : public QDialog {
    Q_OBJECT

  public:
    // menue_abgleichen is called after a check box changed an option, so the
    // print menu's check marks follow.
    Bildexport_Nummerierung(Druckoptionen& optionen, Sprache sprache,
                            std::function<void()> menue_abgleichen, QWidget* parent = nullptr);

    static constexpr int regler_start = 33;

  private:
    void regler_geaendert(int wert);

    Druckoptionen& optionen_;
    std::function<void()> menue_abgleichen_;
    QSlider* regler_ = nullptr;
    QLabel* hoehe_ = nullptr;
};

} // namespace tarvello
