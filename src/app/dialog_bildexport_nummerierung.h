// The export's labelling dialog: which kinds of elements carry their numbers
// in the images (the same options as the print menu's labelling items) and
// the label size in the images.
#pragma once

#include <QDialog>
#include <functional>

#include "app/beschriftungen.h"
#include "core/steuerwerte.h"
#include "render/druckoptionen.h"

class QCheckBox;
class QLabel;
class QSlider;

namespace tarvello {

class Bildexportnummerierung : public QDialog {
    Q_OBJECT

  public:
    // menue_abgleichen is called after a check box changed an option, so the
    // print menu's check marks follow.
    Bildexportnummerierung(Druckoptionen& optionen, Sprache sprache,
                           std::function<void()> menue_abgleichen, QWidget* parent = nullptr);

    static constexpr int regler_start = export_regler_start;

    // Captions in s; the boxes and the slider stay.
    void sprache_setzen(Sprache s) { texte_.sprache_setzen(s); }

  private:
    void regler_geaendert(int wert);

    Druckoptionen& optionen_;
    Beschriftungen texte_;
    std::function<void()> menue_abgleichen_;
    QSlider* regler_ = nullptr;
    QLabel* hoehe_ = nullptr;
};

} // namespace tarvello
