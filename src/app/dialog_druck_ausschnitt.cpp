#include "app/dialog_druck_ausschnitt.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

#include "app/texte.h"
#include "render/druckoptionen.h"

namespace tarvello {

namespace {

const Wortpaar titel{" Kartenausschnitt", " Print Section"};
const Wortpaar vergroesserung_text{"Vergrößerung:", "Magnification:"};
const Wortpaar alle_markieren_text{"alle Felder markieren", "Mark All Fields"};
const Wortpaar alle_aus_text{"alle Markierungen aus", "Unmark All Fields"};
const Wortpaar uebernehmen_text{"Übernehmen", "Take"};
const Wortpaar drucken_text{"Übernehmen und drucken", "Take + Print"};
const Wortpaar abbruch_text{"Abbruch", "Cancel"};

const char* const eintraege[] = {"  2 x", "  3 x", "  4 x", "  5 x", "  6 x",
                                 "  7 x", "  8 x", "10 x",  "12 x",  "15 x"};

// Enough buttons for the largest grid.
constexpr int felder_max = 251;

const QString stil_markiert =
    QStringLiteral("QPushButton { background-color: rgb(0, 0, 128); border: 1px solid gray; }");
const QString stil_frei =
    QStringLiteral("QPushButton { background-color: rgb(255, 255, 255); border: 1px solid gray; }");

} // namespace

Druckausschnitt::Druckausschnitt(Druckoptionen& optionen, Sprache sprache, QWidget* parent)
    : QDialog(parent), optionen_(optionen), texte_(sprache) {
    setObjectName("Druckausschnitt");
    texte_.titel(this, titel);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, rand, 0, rand);
    spalte->setSpacing(rand);

    auto* kopf = new QHBoxLayout;
    kopf->setContentsMargins(rand, 0, rand, 0);
    auto* label = texte_.text(new QLabel, vergroesserung_text);
    label->setObjectName("Label_Vergroesserung");
    combo_ = new QComboBox;
    combo_->setObjectName("liste_vergroesserung");
    for (const char* e : eintraege)
        combo_->addItem(QString::fromLatin1(e));
    combo_->setCurrentIndex(3); // 5 x
    label->setBuddy(combo_);
    kopf->addWidget(label);
    kopf->addWidget(combo_);
    kopf->addStretch(1);
    spalte->addLayout(kopf);

    // The grid: cells of (width - 2 x margin) / N, placed by hand.
    raster_ = new QWidget;
    raster_->setObjectName("Raster");
    raster_->setFixedSize(rasterbreite + 2 * rand, rasterbreite);
    spalte->addWidget(raster_);

    auto knopf = [&](const char* name, const Wortpaar& text, void (Druckausschnitt::*slot)()) {
        auto* k = texte_.text(new QPushButton, text);
        k->setObjectName(name);
        k->setAutoDefault(false);
        connect(k, &QPushButton::clicked, this, slot);
        return k;
    };
    auto* marken = new QHBoxLayout;
    marken->setContentsMargins(rand, 0, rand, 0);
    marken->addWidget(
        knopf("knopf_alle_markieren", alle_markieren_text, &Druckausschnitt::alle_markieren));
    marken->addWidget(knopf("knopf_alle_aus", alle_aus_text, &Druckausschnitt::alle_aus));
    spalte->addLayout(marken);
    auto* ende = new QHBoxLayout;
    ende->setContentsMargins(rand, 0, rand, 0);
    ende->addWidget(knopf("knopf_uebernehmen", uebernehmen_text, &Druckausschnitt::uebernehmen));
    ende->addWidget(knopf("knopf_uebernehmen_und_drucken", drucken_text,
                          &Druckausschnitt::uebernehmen_und_drucken));
    ende->addWidget(knopf("knopf_abbruch", abbruch_text, &Druckausschnitt::abbrechen));
    spalte->addLayout(ende);
    spalte->setSizeConstraint(QLayout::SetFixedSize);

    connect(combo_, &QComboBox::currentIndexChanged, this, [this] { raster_auslegen(); });
    raster_auslegen();
}

int Druckausschnitt::vergroesserung() const {
    const int i = combo_->currentIndex();
    return i >= 0 && i < static_cast<int>(std::size(stufen)) ? stufen[i] : 5;
}

QPushButton* Druckausschnitt::feld(int i) const {
    return i >= 0 && i < static_cast<int>(felder_.size()) ? felder_[static_cast<std::size_t>(i)]
                                                          : nullptr;
}

QColor Druckausschnitt::feldfarbe(int i) const {
    QPushButton* k = feld(i);
    if (!k) return {};
    const QImage bild = k->grab().toImage();
    return bild.pixelColor(bild.width() / 2, bild.height() / 2);
}

void Druckausschnitt::raster_auslegen() {
    const int n = vergroesserung();
    const int w = rasterbreite / n;
    for (int i = 0; i < n * n && i < felder_max; ++i) {
        if (i >= static_cast<int>(felder_.size())) {
            auto* k = new QPushButton(raster_);
            k->setObjectName(QStringLiteral("knopf_blatt_%1").arg(i));
            k->setAutoDefault(false);
            k->setFocusPolicy(Qt::NoFocus);
            connect(k, &QPushButton::clicked, this, [this, i] { feld_umschalten(i); });
            felder_.push_back(k);
        }
        const int zeile = i / n + 1;
        const int spalte = i - (zeile - 1) * n + 1;
        QPushButton* k = felder_[static_cast<std::size_t>(i)];
        k->setGeometry(rand + (spalte - 1) * w, (zeile - 1) * w, w, w);
        k->show();
    }
    // Buttons of a larger grid stay but neither show nor react.
    for (std::size_t i = static_cast<std::size_t>(n * n); i < felder_.size(); ++i)
        felder_[i]->hide();
    faerben();
}

void Druckausschnitt::feld_umschalten(int i) {
    const int n = vergroesserung();
    if (i >= n * n) return;
    const int zeile = i / n + 1;
    const int spalte = i - (zeile - 1) * n + 1;
    std::uint8_t& marke = optionen_.blatt_gewaehlt(zeile, spalte);
    marke = marke != 0 ? 0 : 1;
    faerben();
}

void Druckausschnitt::faerben() {
    const int n = vergroesserung();
    for (int i = 0; i < n * n && i < static_cast<int>(felder_.size()); ++i) {
        const int zeile = i / n + 1;
        const int spalte = i - (zeile - 1) * n + 1;
        felder_[static_cast<std::size_t>(i)]->setStyleSheet(
            optionen_.blatt_gewaehlt(zeile, spalte) != 0 ? stil_markiert : stil_frei);
    }
}

void Druckausschnitt::alle_markieren() {
    optionen_.blatt_auswahl.fill(1);
    faerben();
}

void Druckausschnitt::alle_aus() {
    optionen_.blatt_auswahl.fill(0);
    faerben();
}

void Druckausschnitt::in_optionen_uebernehmen() {
    optionen_.blaetter_je_seite = vergroesserung();
    optionen_.ausschnitt_modus = true;
}

void Druckausschnitt::uebernehmen() {
    in_optionen_uebernehmen();
    emit uebernommen();
    close();
}

void Druckausschnitt::uebernehmen_und_drucken() {
    in_optionen_uebernehmen();
    emit uebernommen();
    emit drucken_verlangt();
    close();
}

void Druckausschnitt::abbrechen() {
    optionen_.ausschnitt_modus = false;
    emit abgebrochen();
    close();
}

} // namespace tarvello
