#include "app/dialog_farben.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogtexte.h"
#include "files/farbspeicher.h"

namespace tarvello {

namespace {

QString feldstil(QRgb f) {
    return QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(QColor(f).name());
}

} // namespace

Farben::Farben(Druckfarben& tabelle, Sprache sprache, QWidget* parent)
    : QDialog(parent), tabelle_(tabelle), entwurf_(tabelle), texte_(sprache) {
    setObjectName("Farben");
    texte_.titel(this, dialogtext::farben_titel);

    // Two columns of eight: swatch and button.
    auto* raster = new QGridLayout;
    raster->setHorizontalSpacing(6);
    raster->setVerticalSpacing(4);
    constexpr int zeilen = n_druckfarben / 2;
    for (int i = 0; i < n_druckfarben; ++i) {
        auto* feld = new QLabel;
        feld->setObjectName(QStringLiteral("Shape_farben_%1").arg(i));
        feld->setFixedSize(36, 22);
        felder_[static_cast<std::size_t>(i)] = feld;
        auto* knopf =
            texte_.text(new QPushButton, dialogtext::farben_namen[static_cast<std::size_t>(i)]);
        knopf->setObjectName(QStringLiteral("knopf_farbe_%1").arg(i));
        knopf->setAutoDefault(false);
        connect(knopf, &QPushButton::clicked, this, [this, i] { farbe_waehlen(i); });
        const int zeile = i % zeilen, spalte = (i / zeilen) * 3;
        raster->addWidget(feld, zeile, spalte);
        raster->addWidget(knopf, zeile, spalte + 1);
    }
    raster->setColumnMinimumWidth(2, 12);

    auto knopf = [&](const char* name, const Zweisprachig& text) {
        auto* k = texte_.text(new QPushButton, text);
        k->setObjectName(name);
        k->setAutoDefault(false);
        return k;
    };
    QPushButton* standard = knopf("knopf_standard_laden", dialogtext::farben_standard_laden);
    QPushButton* laden = knopf("knopf_palette_laden", dialogtext::farben_palette_laden);
    QPushButton* speichern = knopf("knopf_palette_speichern", dialogtext::farben_palette_speichern);
    QPushButton* als_standard = knopf("knopf_als_standard", dialogtext::farben_als_standard);
    QPushButton* anwenden_knopf = knopf("knopf_anwenden", dialogtext::farben_anwenden);
    anwenden_knopf->setDefault(true);

    auto* dateien = new QHBoxLayout;
    dateien->addWidget(standard);
    dateien->addWidget(laden);
    dateien->addWidget(speichern);
    dateien->addStretch(1);
    auto* abschluss = new QHBoxLayout;
    abschluss->addStretch(1);
    abschluss->addWidget(als_standard);
    abschluss->addWidget(anwenden_knopf);

    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(raster);
    spalte->addSpacing(10);
    spalte->addLayout(dateien);
    spalte->addLayout(abschluss);
    spalte->setSizeConstraint(QLayout::SetFixedSize);

    connect(standard, &QPushButton::clicked, this, &Farben::standard_laden);
    connect(laden, &QPushButton::clicked, this, &Farben::palette_laden);
    connect(speichern, &QPushButton::clicked, this, &Farben::palette_speichern);
    connect(als_standard, &QPushButton::clicked, this, &Farben::als_standard_speichern);
    connect(anwenden_knopf, &QPushButton::clicked, this, &Farben::anwenden);

    standard_laden();
}

void Farben::farbe_setzen(int i, QRgb f) {
    if (i < 0 || i >= n_druckfarben) return;
    const auto k = static_cast<std::size_t>(i);
    entwurf_.farbe[k] = qRgb(qRed(f), qGreen(f), qBlue(f));
    felder_[k]->setStyleSheet(feldstil(entwurf_.farbe[k]));
}

void Farben::farbe_waehlen(int i) {
    if (i < 0 || i >= n_druckfarben) return;
    // Not blocking: a run that yields to the window goes on meanwhile.
    auto* waehler = new QColorDialog(QColor(farbe(i)), this);
    waehler->setObjectName("FarbDialog");
    texte_.titel(waehler, dialogtext::farben_namen[static_cast<std::size_t>(i)]);
    waehler->setAttribute(Qt::WA_DeleteOnClose);
    connect(waehler, &QColorDialog::colorSelected, this,
            [this, i](const QColor& c) { farbe_setzen(i, c.rgb()); });
    waehler->open();
}

void Farben::uebernehmen() {
    tabelle_ = entwurf_;
}

void Farben::anwenden() {
    uebernehmen();
    accept();
}

bool Farben::als_standard_speichern() {
    uebernehmen();
    if (const Ergebnis e = farben_speichern(tabelle_); !e.gut()) {
        meldung(
            dialogtext::farben_speicherfehler.in(texte_.sprache()).arg(qtext(e, texte_.sprache())));
        return false;
    }
    return true;
}

void Farben::standard_laden() {
    for (int i = 0; i < n_druckfarben; ++i)
        farbe_setzen(i, tabelle_.farbe[static_cast<std::size_t>(i)]);
}

void Farben::palette_laden() {
    const QString datei = QFileDialog::getOpenFileName(
        this, QString(), QString(), QString(palettendatei_filter) + ";;alle Dateien (*)");
    if (datei.trimmed().isEmpty()) return;
    palette_laden_aus(datei);
}

bool Farben::palette_laden_aus(const QString& datei) {
    // The table changes at once; a faulty file changes nothing.
    if (const Ergebnis e = tarvello::palette_laden(datei, tabelle_); !e.gut()) {
        meldung(dialogtext::farben_ladefehler.in(texte_.sprache()).arg(qtext(e, texte_.sprache())));
        return false;
    }
    standard_laden();
    return true;
}

void Farben::palette_speichern() {
    QString datei = QFileDialog::getSaveFileName(this, QString(), QStringLiteral("*.qlf"),
                                                 palettendatei_filter);
    if (datei.trimmed().isEmpty()) return;
    if (QFileInfo(datei).suffix().isEmpty()) datei += QStringLiteral(".qlf");
    palette_speichern_als(datei);
}

bool Farben::palette_speichern_als(const QString& datei) {
    uebernehmen();
    if (const Ergebnis e = tarvello::palette_speichern(datei, tabelle_); !e.gut()) {
        meldung(
            dialogtext::farben_schreibfehler.in(texte_.sprache()).arg(qtext(e, texte_.sprache())));
        return false;
    }
    return true;
}

void Farben::meldung(const QString& text) {
    letzte_meldung_ = text;
    auto* box = new QMessageBox(QMessageBox::Warning, "Tarvello", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->show();
}

} // namespace tarvello
