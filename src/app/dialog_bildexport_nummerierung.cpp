#include "app/dialog_bildexport_nummerierung.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/dialogtexte.h"

namespace tarvello {

Bildexportnummerierung::Bildexportnummerierung(Druckoptionen& optionen, Sprache sprache,
                                               std::function<void()> menue_abgleichen,
                                               QWidget* parent)
    : QDialog(parent), optionen_(optionen), texte_(sprache),
      menue_abgleichen_(std::move(menue_abgleichen)) {
    setObjectName("Bildexportnummerierung");
    texte_.titel(this, dialogtext::nummerierung_titel);

    auto* spalte = new QVBoxLayout(this);
    // The boxes show the options before they are connected, so opening the
    // dialog changes nothing.
    const struct {
        const char* name;
        const Wortpaar* text;
        bool Druckoptionen::*feld;
    } kaesten[] = {
        {"Check_wege", &dialogtext::nummerierung_wege, &Druckoptionen::kennzeichnung_wege},
        {"Check_haeuser", &dialogtext::nummerierung_haeuser, &Druckoptionen::kennzeichnung_haeuser},
        {"Check_plaetze", &dialogtext::nummerierung_plaetze, &Druckoptionen::kennzeichnung_plaetze},
        {"parks", &dialogtext::nummerierung_parks, &Druckoptionen::kennzeichnung_parks},
    };
    for (const auto& k : kaesten) {
        auto* kasten = texte_.text(new QCheckBox, *k.text);
        kasten->setObjectName(k.name);
        kasten->setChecked(optionen_.*(k.feld));
        connect(kasten, &QCheckBox::toggled, this, [this, feld = k.feld](bool an) {
            optionen_.*feld = an;
            if (menue_abgleichen_) menue_abgleichen_();
        });
        spalte->addWidget(kasten);
    }
    spalte->addSpacing(8);

    auto* zeile = new QHBoxLayout;
    auto* label = texte_.text(new QLabel, dialogtext::nummerierung_schriftgroesse);
    label->setObjectName("Label_schriftgroesse");
    hoehe_ = new QLabel;
    hoehe_->setObjectName("Label_schrifthoehe");
    hoehe_->setMinimumWidth(fontMetrics().horizontalAdvance("0000"));
    hoehe_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    zeile->addWidget(label);
    zeile->addStretch(1);
    zeile->addWidget(hoehe_);
    spalte->addLayout(zeile);

    regler_ = new QSlider(Qt::Horizontal);
    regler_->setObjectName("regler_schriftgroesse");
    regler_->setRange(0, 100);
    regler_->setPageStep(10);
    regler_->setMinimumWidth(220);
    spalte->addWidget(regler_);
    connect(regler_, &QSlider::valueChanged, this, &Bildexportnummerierung::regler_geaendert);
    regler_->setValue(regler_start);
    regler_geaendert(regler_->value()); // the start value counts as a change

    auto* schliessen = texte_.text(new QPushButton, dialogtext::nummerierung_schliessen);
    schliessen->setObjectName("knopf_schliessen");
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);
    auto* unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(schliessen);
    spalte->addSpacing(6);
    spalte->addLayout(unten);
    spalte->setSizeConstraint(QLayout::SetFixedSize);
}

void Bildexportnummerierung::regler_geaendert(int wert) {
    optionen_.export_schriftgroesse =
        export_schriftgroesse_aus_regler(wert, optionen_.export_pixel);
    hoehe_->setNum(optionen_.export_schriftgroesse);
}

} // namespace tarvello
