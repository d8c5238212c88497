// The labelling dialog: how many streets, buildings, parks and squares get a
// number at the end of the next run. Save takes the four counts over into
// the model, Cancel leaves them as they were.
#pragma once

#include <QDialog>

#include "app/beschriftungen.h"
#include "core/stadtmodell.h"
#include "core/steuerwerte.h"

class QLineEdit;

namespace tarvello {

// A count as typed: the leading number rounded (halves to even), within
// 0..grenze.
int kennzeichnung_wert(const QString& text, int grenze);

class Kennzeichnung : public QDialog {
    Q_OBJECT

  public:
    Kennzeichnung(Stadtmodell& modell, Sprache sprache, QWidget* parent = nullptr);

    // Captions in s; the typed counts stay.
    void sprache_setzen(Sprache s) { texte_.sprache_setzen(s); }

  public slots:
    // knopf_speichern: the fields into the counts, then close.
    void speichern();

  private:
    QLineEdit* zaehlfeld(const char* name, int grenze, int wert);

    Stadtmodell& modell_;
    Beschriftungen texte_;
    QLineEdit* wege_ = nullptr;
    QLineEdit* haeuser_ = nullptr;
    QLineEdit* plaetze_ = nullptr;
    QLineEdit* parks_ = nullptr;
};

} // namespace tarvello
