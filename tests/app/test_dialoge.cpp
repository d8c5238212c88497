// The window's dialogs, driven through their controls: the labelling counts
// and their limits, the image export with its size estimate, refusals,
// files and abort, the export's labelling options, the colour dialog's
// draft, palettes and stored defaults, the name generator, the manual, and
// a language switch with every dialog open.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <vector>

#include "app/anleitung.h"
#include "app/dialog_bildexport.h"
#include "app/dialog_bildexport_nummerierung.h"
#include "app/dialog_druck_ausschnitt.h"
#include "app/dialog_farben.h"
#include "app/dialog_kennzeichnung.h"
#include "app/dialog_stadtname.h"
#include "app/eingabe.h"
#include "app/vorschau.h"
#include "core/vorlagen.h"
#include "files/farbspeicher.h"
#include "names/stadtname.h"
#include "render/exportpruefung.h"

using namespace tarvello;

namespace {

// The colour dialog writes the per-user settings store: keep it in Qt's test
// location. Set before any test, so before the store's path is first used.
class DialogUmgebung : public ::testing::Environment {
  public:
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
};

[[maybe_unused]] ::testing::Environment* const umgebung =
    ::testing::AddGlobalTestEnvironment(new DialogUmgebung);

template <typename T> T* kind(const QObject& o, const char* name) {
    T* t = o.findChild<T*>(name);
    EXPECT_NE(t, nullptr) << name;
    return t;
}

void klicken(const QObject& o, const char* name) {
    QPushButton* k = kind<QPushButton>(o, name);
    ASSERT_NE(k, nullptr);
    k->click();
}

void tippen(const QObject& o, const char* name, const QString& text) {
    QLineEdit* f = kind<QLineEdit>(o, name);
    ASSERT_NE(f, nullptr);
    f->clear();
    QTest::keyClicks(f, text);
}

QString feld(const QObject& o, const char* name) {
    return kind<QLineEdit>(o, name)->text();
}

void waehlen(const QObject& o, const char* name, const QString& eintrag) {
    QComboBox* c = kind<QComboBox>(o, name);
    ASSERT_NE(c, nullptr);
    const int i = c->findText(eintrag);
    ASSERT_GE(i, 0) << eintrag.toStdString();
    c->setCurrentIndex(i);
}

// A finished small town in the window.
void kleine_stadt(Eingabe& w) {
    Steuerwerte s = start_steuerwerte();
    ASSERT_TRUE(s.setzen("Combo_n_gebaude", "5").gut());
    w.steuerwerte_setzen(s);
    kind<QLineEdit>(w, "Text_Startwert")->setText("11");
    w.lauf_starten();
    ASSERT_TRUE(w.daten().modell.plan_vorhanden);
}

bool sichtbar(const QPointer<QDialog>& d) {
    return d && d->isVisible();
}

// --- Kennzeichnung -------------------------------------------------------------

TEST(DialogKennzeichnung, ZeigtDieZahlenUndSpeichertSieGerundet) {
    Stadtmodell m;
    m.n_nummer_wege = 12;
    m.n_nummer_haeuser = 345;
    m.n_nummer_plaetze = 6;
    m.n_nummer_parks = 7;
    Kennzeichnung d(m, Sprache::englisch);
    EXPECT_EQ(d.windowTitle(), " Labelling");
    EXPECT_EQ(feld(d, "Text_Numeriere_Wege"), "12");
    EXPECT_EQ(feld(d, "Text_Numeriere_haeuser"), "345");
    EXPECT_EQ(feld(d, "Text_Numeriere_Plaetze"), "6");
    EXPECT_EQ(feld(d, "Text_Numeriere_Parks"), "7");

    tippen(d, "Text_Numeriere_Wege", "2.5");    // halves go to even
    tippen(d, "Text_Numeriere_haeuser", "3.5"); // ... both ways
    tippen(d, "Text_Numeriere_Plaetze", "");
    tippen(d, "Text_Numeriere_Parks", "0.6");
    klicken(d, "knopf_speichern");
    EXPECT_EQ(m.n_nummer_wege, 2);
    EXPECT_EQ(m.n_nummer_haeuser, 4);
    EXPECT_EQ(m.n_nummer_plaetze, 0);
    EXPECT_EQ(m.n_nummer_parks, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(DialogKennzeichnung, WerteUeberDerGrenzeWerdenZurGrenze) {
    Stadtmodell m;
    Kennzeichnung d(m, Sprache::deutsch);
    EXPECT_EQ(d.windowTitle(), " Kennzeichnung");
    // The limits themselves stay; one above becomes the limit while typing.
    tippen(d, "Text_Numeriere_Wege", "10000");
    EXPECT_EQ(feld(d, "Text_Numeriere_Wege"), "10000");
    tippen(d, "Text_Numeriere_haeuser", "10001");
    EXPECT_EQ(feld(d, "Text_Numeriere_haeuser"), "10000");
    tippen(d, "Text_Numeriere_Plaetze", "100");
    EXPECT_EQ(feld(d, "Text_Numeriere_Plaetze"), "100");
    tippen(d, "Text_Numeriere_Parks", "100.5");
    EXPECT_EQ(feld(d, "Text_Numeriere_Parks"), "100");
    tippen(d, "Text_Numeriere_Parks", "250");
    EXPECT_EQ(feld(d, "Text_Numeriere_Parks"), "100");
    // Squares and parks share the small limit, streets and buildings the large.
    tippen(d, "Text_Numeriere_Plaetze", "5000");
    EXPECT_EQ(feld(d, "Text_Numeriere_Plaetze"), "100");
    klicken(d, "knopf_speichern");
    EXPECT_EQ(m.n_nummer_wege, 10000);
    EXPECT_EQ(m.n_nummer_haeuser, 10000);
    EXPECT_EQ(m.n_nummer_plaetze, 100);
    EXPECT_EQ(m.n_nummer_parks, 100);

    // Reading a count never goes beyond its limit or below zero.
    EXPECT_EQ(kennzeichnung_wert("99999", 100), 100);
    EXPECT_EQ(kennzeichnung_wert("-3", 100), 0);
    EXPECT_EQ(kennzeichnung_wert("abc", 100), 0);
}

TEST(DialogKennzeichnung, AbbrechenLaesstDieZahlen) {
    Programmdaten daten;
    Eingabe w(daten);
    daten.modell.n_nummer_haeuser = 20;
    klicken(w, "knopf_kennzeichnung");
    QPointer<QDialog> d = w.findChild<Kennzeichnung*>("Kennzeichnung");
    ASSERT_TRUE(sichtbar(d));
    tippen(*d, "Text_Numeriere_haeuser", "50");
    klicken(*d, "knopf_abbrechen");
    EXPECT_EQ(daten.modell.n_nummer_haeuser, 20);
    EXPECT_FALSE(sichtbar(d));
}

// --- Bildexport ----------------------------------------------------------------

TEST(DialogBildexport, SpeicherbedarfFolgtMatrixUndPixeln) {
    Programmdaten daten;
    Eingabe w(daten);
    {
        Bildexport d(w);
        EXPECT_EQ(d.windowTitle(), "Image Export");
        // Nothing chosen yet: 1 x 1 of 1200 pixels.
        EXPECT_EQ(kind<QComboBox>(d, "Combo_Matrix")->currentText(), "1 x 1");
        EXPECT_EQ(kind<QComboBox>(d, "Combo_Pixel")->currentText(), "1200");
        EXPECT_EQ(d.bedarf_text(), "4.32");
        waehlen(d, "Combo_Matrix", "3 x 3");
        waehlen(d, "Combo_Pixel", "1000");
        EXPECT_EQ(d.bedarf_text(), "27");
        EXPECT_EQ(daten.druckoptionen.export_matrix, 3);
        EXPECT_EQ(daten.druckoptionen.export_pixel, 1000);
        waehlen(d, "Combo_Matrix", "5 x 5");
        waehlen(d, "Combo_Pixel", "3200");
        EXPECT_EQ(d.bedarf_text(), "768");
        waehlen(d, "Combo_Matrix", "2 x 2");
        waehlen(d, "Combo_Pixel", "400");
        EXPECT_EQ(d.bedarf_text(), "1.92");
    }
    // Opened again it shows the last choice; German uses a decimal comma.
    w.sprache_setzen(Sprache::deutsch);
    Bildexport d(w);
    EXPECT_EQ(d.windowTitle(), "Grafikexport");
    EXPECT_EQ(kind<QComboBox>(d, "Combo_Matrix")->currentText(), "2 x 2");
    EXPECT_EQ(kind<QComboBox>(d, "Combo_Pixel")->currentText(), "400");
    EXPECT_EQ(d.bedarf_text(), "1,92");

    EXPECT_EQ(megabyte_text(0.48, Sprache::englisch), "0.48");
    EXPECT_EQ(megabyte_text(1.5, Sprache::englisch), "1.5");
    EXPECT_EQ(megabyte_text(20.28, Sprache::deutsch), "20,28");
}

TEST(DialogBildexport, ZuGrosseExporteWerdenVorherAbgelehnt) {
    constexpr qint64 mb = 1000000;
    // 5 x 5 bitmaps of 3200 pixels need 768 MB on the disk.
    const auto kein_platz = export_hindernis(3200, 5, Bildformat::bmp, 700 * mb, 8000 * mb);
    ASSERT_TRUE(kein_platz);
    const std::string platz_text = worten(*kein_platz, Sprache::englisch);
    EXPECT_NE(platz_text.find("768"), std::string::npos) << platz_text;
    EXPECT_NE(platz_text.find("700"), std::string::npos) << platz_text;
    EXPECT_FALSE(export_hindernis(3200, 5, Bildformat::bmp, 800 * mb, 8000 * mb));
    // Compressed and vector files have no size known beforehand.
    EXPECT_FALSE(export_hindernis(3200, 5, Bildformat::png, 1 * mb, 8000 * mb));
    // One 32-bit picture of 3200 pixels needs 40.96 MB of memory, each
    // language writing the number its own way.
    const auto kein_speicher = export_hindernis(3200, 1, Bildformat::png, 8000 * mb, 40 * mb);
    ASSERT_TRUE(kein_speicher);
    EXPECT_NE(worten(*kein_speicher, Sprache::deutsch).find("40,96 MByte"), std::string::npos);
    EXPECT_NE(worten(*kein_speicher, Sprache::englisch).find("40.96 MByte"), std::string::npos);
    EXPECT_FALSE(export_hindernis(3200, 1, Bildformat::png, 8000 * mb, 41 * mb));
    EXPECT_FALSE(export_hindernis(3200, 1, Bildformat::svg, 8000 * mb, 1 * mb));
    // Unknown values are not checked.
    EXPECT_FALSE(export_hindernis(3200, 5, Bildformat::bmp, -1, -1));

    // The suffix decides the format only when it matches exactly.
    EXPECT_EQ(export_format("plan.png", Bildformat::bmp), Bildformat::png);
    EXPECT_EQ(export_format("plan.svg", Bildformat::png), Bildformat::svg);
    EXPECT_EQ(export_format("plan.BMP", Bildformat::png), Bildformat::png);
    EXPECT_EQ(export_format("plan", Bildformat::bmp), Bildformat::bmp);
}

TEST(DialogBildexport, ExportiertDenAusschnittAlsMatrixUndSchliesst) {
    Programmdaten daten;
    Eingabe w(daten);
    kleine_stadt(w);
    // The export button opens the dialog, once.
    klicken(w, "knopf_bildexport");
    klicken(w, "knopf_bildexport");
    ASSERT_EQ(w.findChildren<Bildexport*>().size(), 1);
    QPointer<Bildexport> d = w.findChild<Bildexport*>("Bildexport");
    ASSERT_TRUE(d && d->isVisible());
    waehlen(*d, "Combo_Matrix", "2 x 2");
    waehlen(*d, "Combo_Pixel", "400");

    QTemporaryDir ordner;
    ASSERT_TRUE(d->exportieren_nach(ordner.filePath("plan.BMP"), Bildformat::bmp));
    for (const char* name :
         {"plan.BMP_1_1.bmp", "plan.BMP_2_1.bmp", "plan.BMP_1_2.bmp", "plan.BMP_2_2.bmp"}) {
        const QImage bild(ordner.filePath(name));
        EXPECT_EQ(bild.size(), QSize(400, 400)) << name;
    }
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files).size(), 4);
    EXPECT_EQ(w.status_text(), "Image Export Completed!");
    EXPECT_FALSE(d && d->isVisible());
    EXPECT_TRUE(kind<QPushButton>(w, "knopf_start")->isEnabled());
    // No size was chosen, so none is kept: each export sizes its labels
    // from its own pictures.
    EXPECT_EQ(daten.druckoptionen.export_schriftgroesse, 0);
}

TEST(DialogBildexport, AbbruchImFensterHinterlaesstKeineDateien) {
    Programmdaten daten;
    Eingabe w(daten);
    kleine_stadt(w);
    daten.druckoptionen.export_matrix = 3;
    daten.druckoptionen.export_pixel = 400;
    Bildexport d(w);
    d.show();

    // While the export runs the window is locked and Abort is offered.
    bool gesperrt = false;
    QTimer abbruch;
    abbruch.setInterval(0);
    QObject::connect(&abbruch, &QTimer::timeout, [&] {
        if (!w.beschaeftigt()) return;
        gesperrt = !kind<QPushButton>(w, "knopf_start")->isEnabled() &&
                   kind<QPushButton>(w, "knopf_abbruch")->isEnabled();
        klicken(w, "knopf_abbruch");
    });
    abbruch.start();
    QTemporaryDir ordner;
    EXPECT_FALSE(d.exportieren_nach(ordner.filePath("plan.png"), Bildformat::png));
    abbruch.stop();
    EXPECT_TRUE(gesperrt);
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(w.status_text(), "User Abort");
    // The dialog stays for another try, and the window is free again.
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(d.isEnabled());
    EXPECT_FALSE(w.beschaeftigt());
    EXPECT_TRUE(kind<QPushButton>(w, "knopf_start")->isEnabled());

    // A folder that cannot be written is reported, nothing is left behind.
    EXPECT_FALSE(d.exportieren_nach(ordner.filePath("fehlt/plan.png"), Bildformat::png));
    EXPECT_TRUE(d.letzte_meldung().startsWith("The image export failed"))
        << d.letzte_meldung().toStdString();
}

TEST(DialogBildexport, OhneStadtplanWirdNichtsExportiert) {
    Programmdaten daten;
    Eingabe w(daten);
    Bildexport d(w);
    QTemporaryDir ordner;
    EXPECT_FALSE(d.exportieren_nach(ordner.filePath("plan.png"), Bildformat::png));
    EXPECT_EQ(d.letzte_meldung(), "There is no city map to export.");
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList());
}

TEST(DialogBildexport, NummerierungTeiltDieOptionenMitDemDruckmenue) {
    Programmdaten daten;
    Eingabe w(daten);
    daten.druckoptionen.kennzeichnung_plaetze = false;
    daten.druckoptionen.export_pixel = 1200;
    Bildexport d(w);
    klicken(d, "knopf_nummerierung");
    auto* n = d.findChild<Bildexportnummerierung*>("Bildexportnummerierung");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->windowTitle(), "Labelling");

    // Opening shows the options and changes none of them.
    EXPECT_TRUE(kind<QCheckBox>(*n, "Check_wege")->isChecked());
    EXPECT_FALSE(kind<QCheckBox>(*n, "Check_plaetze")->isChecked());
    EXPECT_FALSE(daten.druckoptionen.kennzeichnung_plaetze);
    EXPECT_TRUE(daten.druckoptionen.kennzeichnung_parks);

    // A box changes the option and the print menu's check mark.
    kind<QCheckBox>(*n, "Check_haeuser")->click();
    EXPECT_FALSE(daten.druckoptionen.kennzeichnung_haeuser);
    EXPECT_FALSE(kind<QAction>(w, "menue_druck_kennzeichnung_haeuser")->isChecked());
    kind<QCheckBox>(*n, "Check_plaetze")->click();
    EXPECT_TRUE(daten.druckoptionen.kennzeichnung_plaetze);
    EXPECT_TRUE(kind<QAction>(w, "menue_druck_kennzeichnung_plaetze")->isChecked());

    // The slider starts where pictures without a chosen size stand:
    // Int(10 * 1200 / 2000 + 6) = 12, as the command line's default.
    QSlider* regler = kind<QSlider>(*n, "regler_schriftgroesse");
    EXPECT_EQ(regler->value(), 10);
    EXPECT_EQ(daten.druckoptionen.export_schriftgroesse, 12);
    EXPECT_EQ(daten.druckoptionen.export_schriftgroesse,
              export_schriftgroesse(Druckoptionen{}, 1200));
    EXPECT_EQ(kind<QLabel>(*n, "Label_schrifthoehe")->text(), "12");
    regler->setValue(100);
    EXPECT_EQ(daten.druckoptionen.export_schriftgroesse, 66);
    regler->setValue(0);
    EXPECT_EQ(daten.druckoptionen.export_schriftgroesse, 6);
    EXPECT_EQ(kind<QLabel>(*n, "Label_schrifthoehe")->text(), "6");
    // Below 1200 pixels the base shrinks with the picture, down to 5 points.
    EXPECT_EQ(export_schriftgroesse_aus_regler(33, 400), 8); // 6.6 + 2 rounds down
    EXPECT_EQ(export_schriftgroesse_aus_regler(10, 400), 5); // 2 + 2, held at 5
}

// --- Farben --------------------------------------------------------------------

Druckfarben bunte_farben() {
    Druckfarben f;
    for (int i = 0; i < n_druckfarben; ++i)
        f.farbe[static_cast<std::size_t>(i)] = qRgb(i * 16, 255 - i * 9, (i * 37) % 256);
    f.farbe[0] = qRgb(255, 255, 255);
    f.farbe[1] = qRgb(0, 0, 0);
    return f;
}

TEST(DialogFarben, EntwurfGiltErstMitAnwenden) {
    Programmdaten daten;
    const Druckfarben vorher = daten.farben;
    Farben d(daten.farben, Sprache::englisch);
    EXPECT_EQ(d.windowTitle(), "City Map Printing Colours");
    EXPECT_EQ(kind<QPushButton>(d, "knopf_farbe_15")->text(), "City Wall Towers");
    EXPECT_EQ(d.entwurf().farbe, vorher.farbe);

    d.farbe_setzen(4, qRgb(200, 10, 10));
    EXPECT_EQ(d.farbe(4), qRgb(200, 10, 10));
    EXPECT_EQ(daten.farben.farbe, vorher.farbe);
    // "Load Default Colours" shows the table again.
    klicken(d, "knopf_standard_laden");
    EXPECT_EQ(d.farbe(4), vorher.farbe[4]);

    d.farbe_setzen(9, qRgb(1, 2, 3));
    klicken(d, "knopf_anwenden");
    EXPECT_EQ(daten.farben.farbe[9], qRgb(1, 2, 3));
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(DialogFarben, PaletteHinUndZurueck) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("bunt.qlf");
    const Druckfarben bunt = bunte_farben();
    Druckfarben tabelle = Druckfarben::standard();
    {
        Farben d(tabelle, Sprache::englisch);
        for (int i = 0; i < n_druckfarben; ++i)
            d.farbe_setzen(i, bunt.farbe[static_cast<std::size_t>(i)]);
        ASSERT_TRUE(d.palette_speichern_als(datei));
        // Saving a palette also takes the swatches into the table.
        EXPECT_EQ(tabelle.farbe, bunt.farbe);
    }
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readLine().startsWith(" 16777215 \r\n")); // white

    tabelle = Druckfarben::standard();
    Farben d(tabelle, Sprache::englisch);
    ASSERT_TRUE(d.palette_laden_aus(datei));
    // Loading changes the table at once, and the swatches show it.
    EXPECT_EQ(tabelle.farbe, bunt.farbe);
    EXPECT_EQ(d.entwurf().farbe, bunt.farbe);

    // A short palette changes nothing and says why.
    QFile kurz(ordner.filePath("kurz.qlf"));
    ASSERT_TRUE(kurz.open(QIODevice::WriteOnly));
    kurz.write(" 1 \r\n 2 \r\n");
    kurz.close();
    EXPECT_FALSE(d.palette_laden_aus(kurz.fileName()));
    EXPECT_EQ(tabelle.farbe, bunt.farbe);
    EXPECT_EQ(d.entwurf().farbe, bunt.farbe);
    EXPECT_TRUE(d.letzte_meldung().contains("kurz.qlf")) << d.letzte_meldung().toStdString();

    EXPECT_FALSE(d.palette_speichern_als(ordner.filePath("fehlt/bunt.qlf")));
    EXPECT_FALSE(d.letzte_meldung().isEmpty());
}

TEST(DialogFarben, AlsStandardUeberstehtEinenNeustart) {
    const std::unique_ptr<QSettings> speicher = farbspeicher_oeffnen();
    ASSERT_TRUE(speicher->fileName().contains(".qttest")) << speicher->fileName().toStdString();
    speicher->remove(farbspeicher_abschnitt);
    speicher->sync();

    Programmdaten daten;
    Eingabe w(daten);
    // The menu opens the dialog on the window's table.
    QAction* menue = kind<QAction>(w, "menue_farben");
    menue->trigger();
    menue->trigger();
    ASSERT_EQ(w.findChildren<Farben*>().size(), 1);
    QPointer<Farben> d = w.findChild<Farben*>("Farben");
    ASSERT_TRUE(d && d->isVisible());
    const Druckfarben bunt = bunte_farben();
    for (int i = 0; i < n_druckfarben; ++i)
        d->farbe_setzen(i, bunt.farbe[static_cast<std::size_t>(i)]);
    klicken(*d, "knopf_als_standard");
    EXPECT_EQ(daten.farben.farbe, bunt.farbe);
    EXPECT_TRUE(d->isVisible()); // the dialog stays open

    // A new start reads them back.
    Programmdaten neu;
    Eingabe w2(neu);
    EXPECT_EQ(neu.farben.farbe, bunt.farbe);
    speicher->remove(farbspeicher_abschnitt);
    speicher->sync();
}

TEST(DialogFarben, ExportdialogOeffnetDieFarben) {
    Programmdaten daten;
    Eingabe w(daten);
    kleine_stadt(w);
    klicken(w, "knopf_bildexport");
    Bildexport* d = w.findChild<Bildexport*>("Bildexport");
    ASSERT_NE(d, nullptr);
    klicken(*d, "knopf_farben");
    Farben* f = w.findChild<Farben*>("Farben");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
}

// --- Stadtname -----------------------------------------------------------------

TEST(DialogStadtname, NameLandetImStadtnamenfeld) {
    Programmdaten daten;
    Eingabe w(daten);
    w.stadtname_setzen("Alt");
    klicken(w, "knopf_stadtname");
    QPointer<Stadtname> d = w.findChild<Stadtname*>("Stadtname");
    ASSERT_TRUE(d && d->isVisible());
    EXPECT_EQ(d->windowTitle(), "Random City Name Generator");
    EXPECT_EQ(kind<QComboBox>(*d, "Combo_Stadtname_Silben")->currentText(), "1-3");
    EXPECT_EQ(kind<QComboBox>(*d, "Combo_Stadtname_Wortteile")->currentText(), "1-2");
    EXPECT_EQ(d->name(), "");

    waehlen(*d, "Combo_Stadtname_Wortteile", "  3");
    waehlen(*d, "Combo_Stadtname_Silben", "  2");
    klicken(*d, "knopf_neuer_versuch");
    const QString name = d->name();
    const QStringList woerter = name.split(' ');
    ASSERT_EQ(woerter.size(), 3) << name.toStdString();
    for (const QString& wort : woerter) {
        ASSERT_FALSE(wort.isEmpty()) << name.toStdString();
        EXPECT_TRUE(wort[0].isUpper()) << name.toStdString();
    }
    EXPECT_EQ(w.stadtname(), "Alt"); // nothing is taken before "Take"
    klicken(*d, "knopf_uebernehmen");
    EXPECT_EQ(w.stadtname(), name);
    EXPECT_FALSE(sichtbar(QPointer<QDialog>(d.data())));

    // Cancel leaves the town name alone.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    klicken(w, "knopf_stadtname");
    Stadtname* zweiter = w.findChild<Stadtname*>("Stadtname");
    ASSERT_NE(zweiter, nullptr);
    klicken(*zweiter, "knopf_neuer_versuch");
    ASSERT_NE(zweiter->name(), "");
    klicken(*zweiter, "knopf_abbruch");
    EXPECT_EQ(w.stadtname(), name);
}

TEST(DialogStadtname, LangerNameGanzZuSehenUndLeeresUebernehmenLaesstDenNamen) {
    Programmdaten daten;
    Eingabe w(daten);
    w.stadtname_setzen("Alt");
    klicken(w, "knopf_stadtname");
    QPointer<Stadtname> d = w.findChild<Stadtname*>("Stadtname");
    ASSERT_TRUE(d);
    klicken(*d, "knopf_uebernehmen"); // before any try: nothing to take
    EXPECT_EQ(w.stadtname(), "Alt");

    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    klicken(w, "knopf_stadtname");
    d = w.findChild<Stadtname*>("Stadtname");
    ASSERT_TRUE(d);
    waehlen(*d, "Combo_Stadtname_Wortteile", "  3");
    waehlen(*d, "Combo_Stadtname_Silben", "  7");
    auto* feld = kind<QLineEdit>(*d, "Text_Stadtname");
    for (int versuch = 0; versuch < 5; ++versuch) {
        klicken(*d, "knopf_neuer_versuch");
        QApplication::processEvents();
        EXPECT_GE(feld->width(), feld->fontMetrics().horizontalAdvance(d->name()))
            << d->name().toStdString();
    }
    d->close();
}

TEST(DialogStadtname, DeutscheBeschriftung) {
    Stadtname d(Sprache::deutsch);
    EXPECT_EQ(kind<QPushButton>(d, "knopf_neuer_versuch")->text(), "Nächster Versuch");
    EXPECT_EQ(kind<QPushButton>(d, "knopf_uebernehmen")->text(), "Übernehmen");
    EXPECT_TRUE(kind<QLabel>(d, "beschriftung_stimmung")->text().startsWith("Lieblich ..."));
}

// --- language switch -----------------------------------------------------------

// The title and the captions of a dialog's own labels, buttons and check
// boxes (not those of a dialog opened from it), in the order they were made.
// The two labels showing a number rather than a caption are left out.
std::vector<std::string> beschriftungen(const QWidget& d) {
    std::vector<std::string> r{d.windowTitle().toStdString()};
    for (QWidget* k : d.findChildren<QWidget*>()) {
        if (k->window() != &d || k->objectName() == "Label_speicherbedarf" ||
            k->objectName() == "Label_schrifthoehe")
            continue;
        if (auto* l = qobject_cast<QLabel*>(k))
            r.push_back(l->text().toStdString());
        else if (auto* b = qobject_cast<QAbstractButton*>(k))
            r.push_back(b->text().toStdString());
    }
    return r;
}

// Every dialog of the window opened as the user opens them, in this order:
// labelling, export, its labelling options, colours, print section, name
// generator and the manual in its own window.
std::vector<QDialog*> alle_dialoge(Eingabe& w) {
    kleine_stadt(w); // the export needs a map
    w.adresse_oeffnen = [](const QUrl&) { return false; };
    klicken(w, "knopf_kennzeichnung");
    klicken(w, "knopf_bildexport");
    if (auto* e = w.findChild<Bildexport*>("Bildexport")) klicken(*e, "knopf_nummerierung");
    kind<QAction>(w, "menue_farben")->trigger();
    kind<QAction>(w, "menue_druck_ausschnitt")->trigger();
    klicken(w, "knopf_stadtname");
    kind<QAction>(w, "menue_anleitung")->trigger();
    std::vector<QDialog*> r;
    for (const char* name : {"Kennzeichnung", "Bildexport", "Bildexportnummerierung", "Farben",
                             "Druckausschnitt", "Stadtname", "Anleitung"}) {
        r.push_back(w.findChild<QDialog*>(name));
        EXPECT_TRUE(r.back() && r.back()->isVisible()) << name;
    }
    return r;
}

TEST(Sprachwechsel, OffeneDialogeFolgenUndBehaltenIhrenZustand) {
    // What each dialog shows when opened in German.
    Programmdaten daten_de;
    Eingabe fenster_de(daten_de);
    fenster_de.sprache_setzen(Sprache::deutsch);
    const std::vector<QDialog*> vorbild = alle_dialoge(fenster_de);

    Programmdaten daten;
    Eingabe w(daten);
    const std::vector<QDialog*> d = alle_dialoge(w);
    ASSERT_EQ(d.size(), vorbild.size());
    for (std::size_t i = 0; i < d.size(); ++i)
        ASSERT_TRUE(d[i] && vorbild[i]) << i;

    // Something entered or chosen in each.
    tippen(*d[0], "Text_Numeriere_Wege", "17");
    waehlen(*d[1], "Combo_Matrix", "3 x 3");
    auto* umriss = kind<QCheckBox>(*d[1], "schalter_nur_umriss");
    umriss->toggle();
    const bool umriss_an = umriss->isChecked();
    kind<QSlider>(*d[2], "regler_schriftgroesse")->setValue(40);
    auto* haeuser = kind<QCheckBox>(*d[2], "Check_haeuser");
    haeuser->toggle();
    const bool haeuser_an = haeuser->isChecked();
    auto* farben = static_cast<Farben*>(d[3]);
    farben->farbe_setzen(0, qRgb(200, 10, 10));
    auto* ausschnitt = static_cast<Druckausschnitt*>(d[4]);
    waehlen(*ausschnitt, "liste_vergroesserung", "  3 x");
    ausschnitt->feld(1)->click();
    auto* namen = static_cast<Stadtname*>(d[5]);
    waehlen(*namen, "Combo_Stadtname_Wortteile", "  3");
    kind<QSlider>(*namen, "Slider_duester")->setValue(regler_duester_min + 3);
    klicken(*namen, "knopf_neuer_versuch");
    const QString name = namen->name();
    ASSERT_FALSE(name.isEmpty());

    std::vector<std::vector<std::string>> englisch;
    for (QDialog* x : d)
        englisch.push_back(beschriftungen(*x));

    // Every caption is the German one, as if the dialog had been opened in
    // German.
    w.sprache_setzen(Sprache::deutsch);
    QApplication::processEvents();
    for (std::size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(d[i]->objectName().toStdString());
        EXPECT_NE(d[i]->windowTitle().toStdString(), englisch[i].front());
        EXPECT_EQ(beschriftungen(*d[i]), beschriftungen(*vorbild[i]));
    }
    // The count field sits in the gap of the German caption, between its
    // first word and the next.
    {
        auto* wege = kind<QLineEdit>(*d[0], "Text_Numeriere_Wege");
        const auto* zeile = qobject_cast<QLabel*>(wege->parentWidget());
        ASSERT_NE(zeile, nullptr);
        const QString t = zeile->text();
        ASSERT_TRUE(t.startsWith("Kennzeichne ")) << t.toStdString();
        const QFontMetrics fm(zeile->font());
        const int x0 = zeile->contentsRect().left();
        EXPECT_GE(wege->x(), x0 + fm.horizontalAdvance("Kennzeichne"));
        const qsizetype zweites = t.indexOf(QRegularExpression("\\S"), t.indexOf(' '));
        EXPECT_LE(wege->geometry().right(), x0 + fm.horizontalAdvance(t.left(zweites)));
    }

    // Nothing entered or chosen is lost.
    EXPECT_EQ(feld(*d[0], "Text_Numeriere_Wege"), "17");
    EXPECT_EQ(kind<QComboBox>(*d[1], "Combo_Matrix")->currentText(), "3 x 3");
    EXPECT_EQ(umriss->isChecked(), umriss_an);
    EXPECT_EQ(static_cast<Bildexport*>(d[1])->bedarf_text(),
              megabyte_text(export_speicherbedarf(daten.druckoptionen.export_pixel, 3),
                            Sprache::deutsch));
    EXPECT_EQ(kind<QSlider>(*d[2], "regler_schriftgroesse")->value(), 40);
    EXPECT_EQ(haeuser->isChecked(), haeuser_an);
    EXPECT_EQ(farben->farbe(0), qRgb(200, 10, 10));
    EXPECT_EQ(ausschnitt->vergroesserung(), 3);
    EXPECT_EQ(daten.druckoptionen.blatt_gewaehlt(1, 2), 1);
    EXPECT_EQ(namen->name(), name);
    EXPECT_EQ(kind<QComboBox>(*namen, "Combo_Stadtname_Wortteile")->currentText(), "  3");
    EXPECT_EQ(kind<QSlider>(*namen, "Slider_duester")->value(), regler_duester_min + 3);

    // And back.
    w.sprache_setzen(Sprache::englisch);
    for (std::size_t i = 0; i < d.size(); ++i)
        EXPECT_EQ(beschriftungen(*d[i]), englisch[i]) << d[i]->objectName().toStdString();
    EXPECT_EQ(namen->name(), name);
}

// --- manual --------------------------------------------------------------------

TEST(Anleitung, BeideSprachenWerdenGefunden) {
    for (Sprache s : {Sprache::deutsch, Sprache::englisch}) {
        const QString datei = anleitung_datei(s);
        ASSERT_FALSE(datei.isEmpty());
        EXPECT_TRUE(datei.endsWith(anleitung_dateiname(s)));
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(
            text.contains(s == Sprache::deutsch ? "Ihr erster Stadtplan" : "Your first city map"));
        const QUrl adresse = anleitung_adresse(s);
        EXPECT_TRUE(adresse.isLocalFile());
        EXPECT_EQ(adresse.toLocalFile(), datei);
    }
    // The executable's own folder comes first.
    EXPECT_EQ(anleitung_ordner().value(0), QDir::cleanPath(QApplication::applicationDirPath()));
}

} // namespace
