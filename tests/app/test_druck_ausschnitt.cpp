// Printing from the window and the print-section dialog: its grid of sheet
// buttons, marks that outlast a change of N and the dialog itself, Take and
// Cancel with the print menu, captions in both languages, and a print onto
// a printer that writes a PDF file.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/dialog_druck_ausschnitt.h"
#include "app/eingabe.h"
#include "render/render_hilfe.h"

using namespace tarvello;

namespace {

template <typename T> T* kind(const QObject& o, const char* name) {
    T* t = o.findChild<T*>(name);
    EXPECT_NE(t, nullptr) << name;
    return t;
}

Druckausschnitt* ausschnitt_oeffnen(Eingabe& w) {
    kind<QAction>(w, "menue_druck_ausschnitt")->trigger();
    return w.findChild<Druckausschnitt*>();
}

bool markiert_angezeigt(const Druckausschnitt& a, int i) {
    return a.feldfarbe(i) == QColor(0, 0, 128);
}

bool frei_angezeigt(const Druckausschnitt& a, int i) {
    return a.feldfarbe(i) == QColor(255, 255, 255);
}

// The window with the small test town as its map.
struct Fenster {
    Programmdaten d;
    Eingabe w{d};
    Fenster() {
        d.modell = testhilfe::kleine_stadt();
        d.modell.plan_vorhanden = true;
        w.karte_geladen();
    }
};

int pdf_seiten(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray pdf = f.readAll();
    return static_cast<int>(pdf.count("/Type /Page\n"));
}

} // namespace

TEST(DruckAusschnitt, ErstesOeffnenZeigtFuenfMalFuenfWeisseFelder) {
    Programmdaten d;
    Eingabe w(d);
    Druckausschnitt* a = ausschnitt_oeffnen(w);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isVisible());
    EXPECT_FALSE(a->isModal());
    EXPECT_EQ(a->windowTitle(), " Print Section");
    EXPECT_EQ(kind<QComboBox>(*a, "liste_vergroesserung")->currentText(), "  5 x");
    EXPECT_EQ(a->vergroesserung(), 5);
    for (int i = 0; i < 25; ++i) {
        ASSERT_NE(a->feld(i), nullptr);
        EXPECT_TRUE(a->feld(i)->isVisible()) << i;
        EXPECT_TRUE(frei_angezeigt(*a, i)) << i;
    }
    EXPECT_EQ(a->feld(25), nullptr);
    // The grid fills the width: cells of (width - 2 x 8) / 5.
    EXPECT_EQ(a->feld(6)->width(), Druckausschnitt::rasterbreite / 5);
    EXPECT_EQ(a->feld(6)->x() - a->feld(5)->x(), Druckausschnitt::rasterbreite / 5);
    EXPECT_EQ(a->feld(5)->y() - a->feld(0)->y(), Druckausschnitt::rasterbreite / 5);
    // Opening shows the section layout in the menu; nothing is taken yet.
    EXPECT_TRUE(kind<QAction>(w, "menue_druck_ausschnitt")->isChecked());
    EXPECT_FALSE(kind<QAction>(w, "menue_druck_einseitig")->isChecked());
    EXPECT_FALSE(d.druckoptionen.ausschnitt_modus);
    // Opening again brings the same dialog forward.
    EXPECT_EQ(ausschnitt_oeffnen(w), a);
}

TEST(DruckAusschnitt, MarkenBleibenBeiWechselDerVergroesserung) {
    Druckoptionen o;
    Druckausschnitt a(o, Sprache::englisch);
    a.feld(1)->click(); // row 1, column 2
    a.feld(6)->click(); // row 2, column 2
    a.feld(24)->click();
    EXPECT_EQ(o.blatt_gewaehlt(1, 2), 1);
    EXPECT_EQ(o.blatt_gewaehlt(2, 2), 1);
    EXPECT_EQ(o.blatt_gewaehlt(5, 5), 1);
    EXPECT_TRUE(markiert_angezeigt(a, 6));
    EXPECT_TRUE(frei_angezeigt(a, 5));
    a.feld(24)->click(); // unmarks again
    EXPECT_EQ(o.blatt_gewaehlt(5, 5), 0);
    a.feld(24)->click();

    QComboBox* c = kind<QComboBox>(a, "liste_vergroesserung");
    c->setCurrentIndex(1); // 3 x
    EXPECT_EQ(a.vergroesserung(), 3);
    for (int i = 9; i < 25; ++i)
        EXPECT_FALSE(a.feld(i)->isVisibleTo(&a)) << i;
    EXPECT_TRUE(markiert_angezeigt(a, 1)); // (1,2)
    EXPECT_TRUE(markiert_angezeigt(a, 4)); // (2,2) in the 3 x 3
    EXPECT_TRUE(frei_angezeigt(a, 3));
    // A hidden button of the larger grid does not react.
    a.feld(20)->click();
    EXPECT_EQ(o.blatt_gewaehlt(5, 1), 0);
    EXPECT_EQ(o.blatt_gewaehlt(3, 3), 0);

    c->setCurrentIndex(3); // back to 5 x: the marks beyond 3 x 3 reappear
    EXPECT_TRUE(markiert_angezeigt(a, 24));
    EXPECT_TRUE(markiert_angezeigt(a, 6));

    c->setCurrentIndex(9); // 15 x: 225 buttons
    EXPECT_EQ(a.vergroesserung(), 15);
    ASSERT_NE(a.feld(224), nullptr);
    EXPECT_TRUE(a.feld(224)->isVisibleTo(&a));
    EXPECT_TRUE(markiert_angezeigt(a, 16)); // (2,2) in the 15 x 15
}

TEST(DruckAusschnitt, AlleMarkierenUndAlleAusBetreffenAlle400) {
    Druckoptionen o;
    Druckausschnitt a(o, Sprache::englisch);
    kind<QComboBox>(a, "liste_vergroesserung")->setCurrentIndex(0); // 2 x
    kind<QPushButton>(a, "knopf_alle_markieren")->click();
    for (std::uint8_t m : o.blatt_auswahl)
        EXPECT_EQ(m, 1);
    EXPECT_TRUE(markiert_angezeigt(a, 3));
    kind<QPushButton>(a, "knopf_alle_aus")->click();
    for (std::uint8_t m : o.blatt_auswahl)
        EXPECT_EQ(m, 0);
    EXPECT_TRUE(frei_angezeigt(a, 3));
}

TEST(DruckAusschnitt, UebernehmenUndAbbruchMitDemDruckmenue) {
    Programmdaten d;
    Eingabe w(d);
    Druckausschnitt* a = ausschnitt_oeffnen(w);
    ASSERT_NE(a, nullptr);
    QPointer<Druckausschnitt> weg(a);
    kind<QComboBox>(*a, "liste_vergroesserung")->setCurrentIndex(1); // 3 x
    a->feld(1)->click();
    kind<QPushButton>(*a, "knopf_uebernehmen")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weg.isNull()) << "Take closes the dialog";
    EXPECT_TRUE(d.druckoptionen.ausschnitt_modus);
    EXPECT_EQ(d.druckoptionen.blaetter_je_seite, 3);
    EXPECT_TRUE(kind<QAction>(w, "menue_druck_ausschnitt")->isChecked());
    EXPECT_FALSE(kind<QAction>(w, "menue_druck_3x3")->isChecked());
    EXPECT_FALSE(kind<QAction>(w, "menue_druck_einseitig")->isChecked());

    // Marks outlast the dialog; Cancel leaves N but ends the section mode.
    a = ausschnitt_oeffnen(w);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(markiert_angezeigt(*a, 1));
    kind<QPushButton>(*a, "knopf_abbruch")->click();
    EXPECT_FALSE(d.druckoptionen.ausschnitt_modus);
    EXPECT_EQ(d.druckoptionen.blaetter_je_seite, 3);
    EXPECT_EQ(d.druckoptionen.blatt_gewaehlt(1, 2), 1);
    EXPECT_FALSE(kind<QAction>(w, "menue_druck_ausschnitt")->isChecked());
    // A layout item of the menu ends the section mode too.
    kind<QAction>(w, "menue_druck_2x2")->trigger();
    EXPECT_EQ(d.druckoptionen.blaetter_je_seite, 2);
}

TEST(DruckAusschnitt, UebernehmenUndDruckenVerlangtDenDruck) {
    Druckoptionen o;
    Druckausschnitt a(o, Sprache::englisch);
    QSignalSpy uebernommen(&a, &Druckausschnitt::uebernommen);
    QSignalSpy drucken(&a, &Druckausschnitt::drucken_verlangt);
    kind<QComboBox>(a, "liste_vergroesserung")->setCurrentIndex(2); // 4 x
    kind<QPushButton>(a, "knopf_uebernehmen_und_drucken")->click();
    EXPECT_EQ(uebernommen.count(), 1);
    EXPECT_EQ(drucken.count(), 1);
    EXPECT_TRUE(o.ausschnitt_modus);
    EXPECT_EQ(o.blaetter_je_seite, 4);
}

TEST(DruckAusschnitt, BeschriftungenInBeidenSprachen) {
    Druckoptionen o;
    Druckausschnitt de(o, Sprache::deutsch);
    EXPECT_EQ(de.windowTitle(), " Kartenausschnitt");
    EXPECT_EQ(kind<QLabel>(de, "Label_Vergroesserung")->text(), "Vergrößerung:");
    EXPECT_EQ(kind<QPushButton>(de, "knopf_uebernehmen")->text(), "Übernehmen");
    EXPECT_EQ(kind<QPushButton>(de, "knopf_uebernehmen_und_drucken")->text(),
              "Übernehmen und drucken");
    EXPECT_EQ(kind<QPushButton>(de, "knopf_abbruch")->text(), "Abbruch");
    Druckausschnitt en(o, Sprache::englisch);
    EXPECT_EQ(kind<QPushButton>(en, "knopf_uebernehmen")->text(), "Take");
    EXPECT_EQ(kind<QPushButton>(en, "knopf_abbruch")->text(), "Cancel");
    const QComboBox* c = kind<QComboBox>(en, "liste_vergroesserung");
    ASSERT_EQ(c->count(), 10);
    EXPECT_EQ(c->itemText(0), "  2 x");
    EXPECT_EQ(c->itemText(9), "15 x");
}

// --- printing from the window -----------------------------------------------------

TEST(FensterDruck, DruckAufEinenPdfDrucker) {
    Fenster f;
    f.w.stadtname_setzen("Testhausen");
    kind<QAction>(f.w, "menue_druck_2x2")->trigger();
    QTemporaryDir ordner;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath("fenster.pdf"));
    EXPECT_TRUE(f.w.drucken_auf(drucker));
    EXPECT_EQ(pdf_seiten(drucker.outputFileName()), 4);
    EXPECT_EQ(f.w.status_text(), "City Map Printed!");
    EXPECT_FALSE(f.w.beschaeftigt());
    EXPECT_TRUE(kind<QAction>(f.w, "menue_stadtplan_drucken")->isEnabled());

    // The section mode with nothing marked prints nothing and says so.
    f.d.druckoptionen.ausschnitt_modus = true;
    drucker.setOutputFileName(ordner.filePath("leer.pdf"));
    EXPECT_TRUE(f.w.drucken_auf(drucker));
    EXPECT_FALSE(QFile::exists(drucker.outputFileName()));
    EXPECT_EQ(f.w.status_text(), "City Map Printed!");
}

TEST(FensterDruck, AbbruchWaehrendDesDruckens) {
    Fenster f;
    kind<QAction>(f.w, "menue_druck_3x3")->trigger();
    QTemporaryDir ordner;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath("abbruch.pdf"));
    bool gesperrt = false;
    QTimer::singleShot(0, &f.w, [&] {
        gesperrt = f.w.beschaeftigt() && !kind<QPushButton>(f.w, "knopf_start")->isEnabled() &&
                   kind<QPushButton>(f.w, "knopf_abbruch")->isEnabled() &&
                   !kind<QPushButton>(f.w, "knopf_zoom_rein")->isEnabled() &&
                   !kind<QPushButton>(f.w, "knopf_vorschau_links")->isEnabled();
        f.w.lauf_abbrechen();
    });
    EXPECT_FALSE(f.w.drucken_auf(drucker));
    EXPECT_TRUE(gesperrt) << "the window locks while printing";
    EXPECT_FALSE(QFile::exists(drucker.outputFileName()));
    EXPECT_FALSE(f.w.beschaeftigt());
    EXPECT_TRUE(kind<QPushButton>(f.w, "knopf_zoom_rein")->isEnabled());
    EXPECT_NE(f.w.status_text(), "City Map Printed!");
}

TEST(FensterDruck, OhneKarteWirdNichtGedruckt) {
    Programmdaten d;
    Eingabe w(d);
    QTemporaryDir ordner;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath("nichts.pdf"));
    EXPECT_FALSE(w.drucken_auf(drucker));
    EXPECT_FALSE(QFile::exists(drucker.outputFileName()));
    EXPECT_FALSE(kind<QAction>(w, "menue_stadtplan_drucken")->isEnabled());
}
