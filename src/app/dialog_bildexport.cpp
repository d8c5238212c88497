#include "app/dialog_bildexport.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

#include "app/dialog_bildexport_nummerierung.h"
#include "app/dialogtexte.h"
#include "app/eingabe.h"
#include "app/vorschau.h"

namespace tarvello {

namespace {

constexpr int matrix_start = 1;
constexpr int pixel_start = 1200;

// File dialog filters (German only, as all of the program's file filters).
struct Filter {
    Bildformat format;
    const char* text;
};
constexpr Filter filter[] = {
    {Bildformat::bmp, "Bitmap (*.bmp)"},
    {Bildformat::png, "PNG-Grafik (*.png)"},
    {Bildformat::svg, "SVG-Grafik (*.svg)"},
};

// Folder of the last export, for the next save dialog.
QString& letzter_ordner() {
    static QString ordner;
    return ordner;
}

} // namespace

Bildformat export_format(const QString& datei, Bildformat gewaehlt) {
    for (Bildformat f : {Bildformat::bmp, Bildformat::png, Bildformat::svg})
        if (datei.endsWith(bildformat_endung(f), Qt::CaseSensitive)) return f;
    return gewaehlt;
}

Bildexport::Bildexport(Eingabe& fenster)
    : QDialog(&fenster), fenster_(fenster), texte_(fenster.sprache()) {
    setObjectName("Bildexport");
    texte_.titel(this, dialogtext::export_titel);
    Druckoptionen& o = fenster_.daten().druckoptionen;
    const auto text = [this](const Zweisprachig& t) { return texte_.text(new QLabel, t); };

    // The lists show the current choice, or their start entries.
    matrix_ = new QComboBox;
    matrix_->setObjectName("Combo_Matrix");
    pixel_ = new QComboBox;
    pixel_->setObjectName("Combo_Pixel");
    int m_index = -1, p_index = -1;
    for (int m : export_matrizen) {
        if (m == o.export_matrix) m_index = matrix_->count();
        matrix_->addItem(QStringLiteral("%1 x %1").arg(m), m);
    }
    for (int p : export_pixelgroessen) {
        if (p == o.export_pixel) p_index = pixel_->count();
        pixel_->addItem(QString::number(p), p);
    }
    if (m_index < 0) m_index = matrix_->findData(matrix_start);
    if (p_index < 0) p_index = pixel_->findData(pixel_start);
    matrix_->setCurrentIndex(m_index);
    pixel_->setCurrentIndex(p_index);
    matrix_gewaehlt(m_index);
    pixel_gewaehlt(p_index);
    connect(matrix_, &QComboBox::currentIndexChanged, this, &Bildexport::matrix_gewaehlt);
    connect(pixel_, &QComboBox::currentIndexChanged, this, &Bildexport::pixel_gewaehlt);

    auto* raster = new QGridLayout;
    raster->addWidget(text(dialogtext::export_matrix_vor), 0, 0);
    raster->addWidget(matrix_, 0, 1);
    raster->addWidget(text(dialogtext::export_matrix_nach), 0, 2);
    raster->addWidget(text(dialogtext::export_pixel_vor), 1, 0);
    raster->addWidget(pixel_, 1, 1);
    raster->addWidget(text(dialogtext::export_pixel_nach), 1, 2);
    raster->setColumnStretch(3, 1);

    auto* bedarf_zeile = new QHBoxLayout;
    bedarf_ = new QLabel;
    bedarf_->setObjectName("Label_speicherbedarf");
    bedarf_zeile->addWidget(text(dialogtext::export_bedarf_vor));
    bedarf_zeile->addWidget(bedarf_);
    bedarf_zeile->addWidget(text(dialogtext::export_bedarf_nach));
    bedarf_zeile->addStretch(1);
    bedarf_zeigen();

    nur_umriss_ = texte_.text(new QCheckBox, dialogtext::export_nur_umriss);
    nur_umriss_->setObjectName("schalter_nur_umriss");
    nur_umriss_->setChecked(o.export_nur_umriss);
    connect(nur_umriss_, &QCheckBox::toggled, this,
            [this](bool an) { fenster_.daten().druckoptionen.export_nur_umriss = an; });

    auto* erklaerung = texte_.text(new QLabel, dialogtext::export_erklaerung);
    erklaerung->setObjectName("erklaerung");
    erklaerung->setWordWrap(true);
    erklaerung->setFrameShape(QFrame::StyledPanel);
    erklaerung->setMargin(6);
    erklaerung->setFixedWidth(460);

    auto knopf = [this](const char* name, const Zweisprachig& t) {
        auto* k = texte_.text(new QPushButton, t);
        k->setObjectName(name);
        k->setAutoDefault(false);
        return k;
    };
    QPushButton* generieren_knopf = knopf("knopf_generieren", dialogtext::export_generieren);
    generieren_knopf->setDefault(true);
    QPushButton* abbruch = knopf("knopf_abbruch", dialogtext::export_abbruch);
    QPushButton* farben = knopf("knopf_farben", dialogtext::export_farben);
    QPushButton* nummerierung = knopf("knopf_nummerierung", dialogtext::export_nummerierung);
    connect(generieren_knopf, &QPushButton::clicked, this, &Bildexport::generieren);
    connect(abbruch, &QPushButton::clicked, this, &Bildexport::reject);
    connect(farben, &QPushButton::clicked, this, &Bildexport::farben_gewuenscht);
    connect(nummerierung, &QPushButton::clicked, this, &Bildexport::nummerierung_oeffnen);

    auto* nebenbei = new QHBoxLayout;
    nebenbei->addWidget(farben);
    nebenbei->addWidget(nummerierung);
    nebenbei->addStretch(1);
    auto* abschluss = new QHBoxLayout;
    abschluss->addStretch(1);
    abschluss->addWidget(generieren_knopf);
    abschluss->addWidget(abbruch);

    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(raster);
    spalte->addLayout(bedarf_zeile);
    spalte->addWidget(nur_umriss_);
    spalte->addSpacing(4);
    spalte->addWidget(erklaerung);
    spalte->addSpacing(4);
    spalte->addLayout(nebenbei);
    spalte->addLayout(abschluss);
    spalte->setSizeConstraint(QLayout::SetFixedSize);
}

void Bildexport::matrix_gewaehlt(int index) {
    if (index < 0) return;
    fenster_.daten().druckoptionen.export_matrix = matrix_->itemData(index).toInt();
    bedarf_zeigen();
}

void Bildexport::pixel_gewaehlt(int index) {
    if (index < 0) return;
    fenster_.daten().druckoptionen.export_pixel = pixel_->itemData(index).toInt();
    bedarf_zeigen();
}

void Bildexport::bedarf_zeigen() {
    if (!bedarf_) return;
    const Druckoptionen& o = fenster_.daten().druckoptionen;
    if (o.export_pixel == 0) return;
    bedarf_->setText(
        megabyte_text(export_speicherbedarf(o.export_pixel, o.export_matrix), texte_.sprache()));
}

void Bildexport::sprache_setzen(Sprache s) {
    texte_.sprache_setzen(s);
    bedarf_zeigen(); // the number's decimal mark
    if (nummerierung_) nummerierung_->sprache_setzen(s);
}

QString Bildexport::bedarf_text() const {
    return bedarf_->text();
}

void Bildexport::nummerierung_oeffnen() {
    if (!nummerierung_) {
        nummerierung_ = new Bildexportnummerierung(
            fenster_.daten().druckoptionen, texte_.sprache(),
            [this] { fenster_.druckmenue_abgleichen(); }, this);
        nummerierung_->setAttribute(Qt::WA_DeleteOnClose);
        // Beside the export dialog.
        nummerierung_->adjustSize();
        nummerierung_->move(frameGeometry().topRight() + QPoint(8, 0));
    }
    nummerierung_->show();
    nummerierung_->raise();
    nummerierung_->activateWindow();
}

void Bildexport::generieren() {
    if (exportiert_) return;
    if (fenster_.beschaeftigt()) {
        meldung(dialogtext::export_beschaeftigt.in(texte_.sprache()));
        return;
    }
    if (!fenster_.daten().modell.plan_vorhanden) {
        meldung(dialogtext::export_kein_plan.in(texte_.sprache()));
        return;
    }
    QStringList filterliste;
    for (const Filter& f : filter)
        filterliste << QString::fromUtf8(f.text);
    QString gewaehlt = filterliste.first();
    const QString datei = QFileDialog::getSaveFileName(this, QString(), letzter_ordner(),
                                                       filterliste.join(";;"), &gewaehlt);
    if (datei.trimmed().isEmpty()) return;
    Bildformat format = Bildformat::bmp;
    for (const Filter& f : filter)
        if (gewaehlt == QString::fromUtf8(f.text)) format = f.format;
    letzter_ordner() = QFileInfo(datei).absolutePath();
    exportieren_nach(datei, export_format(datei, format));
}

bool Bildexport::exportieren_nach(const QString& datei, Bildformat f) {
    if (exportiert_) return false;
    Programmdaten& daten = fenster_.daten();
    if (fenster_.beschaeftigt()) {
        meldung(dialogtext::export_beschaeftigt.in(texte_.sprache()));
        return false;
    }
    if (!daten.modell.plan_vorhanden) {
        meldung(dialogtext::export_kein_plan.in(texte_.sprache()));
        return false;
    }
    // Refuse before anything is allocated or written.
    const QString hindernis =
        export_hindernis_fuer(datei, daten.druckoptionen, f, texte_.sprache());
    if (!hindernis.isEmpty()) {
        meldung(hindernis);
        return false;
    }

    // The section the preview shows now.
    Bildausschnitt ausschnitt = fenster_.vorschau()->ansicht();
    if (!(ausschnitt.zoom > 0.0f)) ausschnitt.zoom = 1.0f;
    bildausschnitt_begrenzen(ausschnitt, daten.modell.stadt_abmessung);

    // The colour and labelling dialogs stay usable meanwhile; the export
    // draws with the choices made when it started.
    const Druckfarben farben = daten.farben;
    Druckoptionen optionen = daten.druckoptionen;
    Ergebnis ergebnis = Ergebnis::fehler(Fehlerart::abbruch, "", "");

    exportiert_ = true;
    setEnabled(false);
    const bool lief = fenster_.arbeit_ausfuehren([&](Wirt& wirt) {
        const Zeichenauftrag auftrag{.modell = daten.modell,
                                     .farben = farben,
                                     .optionen = optionen,
                                     .ausschnitt = ausschnitt,
                                     .wirt = &wirt};
        ergebnis = bilder_exportieren(auftrag, {Exportdatei{f, datei}});
    });
    setEnabled(true);
    exportiert_ = false;

    if (!lief) {
        meldung(dialogtext::export_beschaeftigt.in(texte_.sprache()));
        return false;
    }
    switch (ergebnis.art()) {
    case Fehlerart::keiner:
        accept();
        return true;
    case Fehlerart::abbruch:
        return false;
    case Fehlerart::kein_plan:
        meldung(dialogtext::export_kein_plan.in(texte_.sprache()));
        return false;
    default:
        fenster_.fortschritt_setzen(0);
        meldung(dialogtext::export_fehlgeschlagen.in(texte_.sprache())
                    .arg(qtext(ergebnis, texte_.sprache())));
        return false;
    }
}

void Bildexport::closeEvent(QCloseEvent* e) {
    // The export is on the stack below the window's events: stay until it
    // has returned (Abort in the main window stops it).
    if (exportiert_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void Bildexport::reject() {
    if (exportiert_) return;
    QDialog::reject();
}

void Bildexport::meldung(const QString& text) {
    letzte_meldung_ = text;
    auto* box = new QMessageBox(QMessageBox::Warning, "Tarvello", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->show();
}

} // namespace tarvello
