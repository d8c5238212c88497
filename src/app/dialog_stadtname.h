// The town name generator dialog: how many words and syllables per word, a
// mood between lovely and ominous, and a new name at every "Next Try". Take
// hands the name to the main window's town name field.
#pragma once

#include <QDialog>

#include "app/beschriftungen.h"
#include "core/steuerwerte.h"
#include "core/zufall.h"

class QComboBox;
class QLineEdit;
class QSlider;

namespace tarvello {

class Stadtname : public QDialog {
    Q_OBJECT

  public:
    explicit Stadtname(Sprache sprache, QWidget* parent = nullptr);

    QString name() const;

    // Captions in s; the name, lists and slider stay.
    void sprache_setzen(Sprache s) { texte_.sprache_setzen(s); }

  public slots:
    // knopf_neuer_versuch: a new name from the lists and the slider.
    void naechster_versuch();
    // knopf_uebernehmen: hands the name over and closes.
    void uebernehmen();

  signals:
    void name_uebernommen(const QString& name);

  private:
    void breite_anpassen();

    Beschriftungen texte_;
    Zufall zufall_;
    QComboBox* silben_ = nullptr;
    QComboBox* woerter_ = nullptr;
    QSlider* duester_ = nullptr;
    QLineEdit* text_ = nullptr;
};

} // namespace tarvello
