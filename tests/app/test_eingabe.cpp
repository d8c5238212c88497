// The main window and its preview, driven as a user would: start-up state,
// presets, language, runs with abort, enabled states, the preview's view.
#include "app/eingabe.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <set>

#include "app/anzeigen.h"
#include "app/fensterwirt.h"
#include "app/texte.h"
#include "app/vorschau.h"
#include "core/vorlagen.h"
#include "files/kartendatei.h"

using namespace tarvello;

namespace {

class FensterUmgebung : public ::testing::Environment {
  public:
    void SetUp() override {
        // The window keeps its geometry in the user's settings; keep the
        // tests away from the real ones.
        qputenv("XDG_CONFIG_HOME", ordner_.path().toUtf8());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (QCoreApplication::instance()) return;
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }

  private:
    QTemporaryDir ordner_;
    QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const umgebung =
    ::testing::AddGlobalTestEnvironment(new FensterUmgebung);

template <typename T> T* finde(const QObject& o, const char* name) {
    T* t = o.findChild<T*>(name);
    EXPECT_NE(t, nullptr) << name;
    return t;
}

QString liste_text(const Eingabe& w, const char* name) {
    return finde<QComboBox>(w, name)->currentText().trimmed();
}

void vorlage_klicken(Eingabe& w, int index) {
    QComboBox* c = finde<QComboBox>(w, "Combo_Vorlagen");
    c->setCurrentIndex(index);
    emit c->activated(index);
}

QAction* aktion(const Eingabe& w, const char* name) {
    return finde<QAction>(w, name);
}

// Runs once with `bei_ereignis` called at every event round of the run; a
// run still going after a minute is aborted and reported.
void lauf_mit(Eingabe& w, const std::function<void()>& bei_ereignis = {}) {
    QTimer runde;
    runde.setInterval(0);
    QObject::connect(&runde, &QTimer::timeout, [&] {
        if (bei_ereignis) bei_ereignis();
    });
    QTimer wachhund;
    wachhund.setSingleShot(true);
    bool zu_lang = false;
    QObject::connect(&wachhund, &QTimer::timeout, [&] {
        zu_lang = true;
        w.lauf_abbrechen();
    });
    runde.start();
    wachhund.start(60000);
    w.lauf_starten();
    EXPECT_FALSE(zu_lang) << "run did not end within a minute";
}

// A small town that finishes quickly.
Steuerwerte kleine_stadt() {
    Steuerwerte s = start_steuerwerte();
    EXPECT_TRUE(s.setzen("Combo_n_gebaude", "5").gut()); // 10 buildings
    return s;
}

// The pixel shows `farbe` over white, at least partly (smoothed edges).
bool zeigt(QRgb pixel, QColor farbe) {
    const int d[3] = {255 - farbe.red(), 255 - farbe.green(), 255 - farbe.blue()};
    const int p[3] = {255 - qRed(pixel), 255 - qGreen(pixel), 255 - qBlue(pixel)};
    const int k = d[0] >= d[1] && d[0] >= d[2] ? 0 : (d[1] >= d[2] ? 1 : 2);
    const double deckung = static_cast<double>(p[k]) / d[k];
    if (deckung < 0.4) return false;
    for (int i = 0; i < 3; ++i)
        if (std::abs(p[i] - deckung * d[i]) > 16) return false;
    return true;
}

// What the screen shows of the preview's picture (inside its frame).
QImage auf_dem_schirm(Vorschau& v) {
    QWidget* fenster = v.window();
    const QImage ganz = QGuiApplication::primaryScreen()->grabWindow(fenster->winId()).toImage();
    return ganz.copy(QRect(v.mapTo(fenster, QPoint(1, 1)), v.bild().size()))
        .convertToFormat(QImage::Format_RGB32);
}

int nicht_weisse(const QImage& bild) {
    int n = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixel(x, y) != qRgb(255, 255, 255)) ++n;
    return n;
}

} // namespace

// --- start-up, presets, language ----------------------------------------------

TEST(Eingabe, StartzustandIstVorlage8AufEnglisch) {
    Programmdaten d;
    Eingabe w(d);
    EXPECT_EQ(w.windowTitle(), "Tarvello 5.00");
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(w.sprache(), Sprache::englisch);
    EXPECT_EQ(w.vorlage(), 8);
    EXPECT_EQ(w.vorlage_text(), "Small Town With City Wall");
    EXPECT_TRUE(w.steuerwerte() == start_steuerwerte());
    EXPECT_TRUE(finde<QCheckBox>(w, "Check_Mauer")->isChecked());
    EXPECT_EQ(liste_text(w, "Combo_n_gebaude"), "200");
    EXPECT_EQ(liste_text(w, "Combo_stadt_abmessung"), "350 m");
    EXPECT_EQ(finde<QSlider>(w, "Slider_weg_kurvigkeit")->value(), 24);
    EXPECT_EQ(finde<QPushButton>(w, "knopf_start")->text(), "Go!");
    EXPECT_EQ(finde<QPushButton>(w, "knopf_abbruch")->text(), "Cancel");
    QTabWidget* tab = finde<QTabWidget>(w, "Tab");
    const QStringList reiter = {"City",   "Streets",       "Buildings",
                                "Rivers", "Parks/Squares", "City Wall"};
    ASSERT_EQ(tab->count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tab->tabText(i), reiter[i]);
    EXPECT_EQ(tab->currentIndex(), 0);
    EXPECT_EQ(w.nord(), 0);
    EXPECT_TRUE(w.status_text().isEmpty());

    // No map yet: nothing to save, print or export; no change to save.
    EXPECT_TRUE(finde<QPushButton>(w, "knopf_start")->isEnabled());
    EXPECT_FALSE(finde<QPushButton>(w, "knopf_abbruch")->isEnabled());
    EXPECT_FALSE(aktion(w, "menue_stadtplan_speichern_unter")->isEnabled());
    EXPECT_FALSE(aktion(w, "menue_stadtplan_drucken")->isEnabled());
    EXPECT_FALSE(aktion(w, "menue_stadtplan_geojson")->isEnabled());
    EXPECT_FALSE(finde<QPushButton>(w, "knopf_bildexport")->isEnabled());
    EXPECT_FALSE(aktion(w, "menue_stadteinstellungen_speichern")->isEnabled());
    EXPECT_TRUE(aktion(w, "menue_stadtplan_laden")->isEnabled());

    // Print menu at its start values.
    EXPECT_TRUE(aktion(w, "menue_druck_einseitig")->isChecked());
    EXPECT_TRUE(aktion(w, "menue_druck_nummerierung_schriftgroesse_6")->isChecked());
    EXPECT_TRUE(aktion(w, "menue_druck_schnittmarken")->isChecked());
    EXPECT_EQ(d.druckoptionen.blaetter_je_seite, 1);
}

TEST(Eingabe, JedeSteuerungHatIhrWidgetMitBereich) {
    Programmdaten d;
    Eingabe w(d);
    for (const ListenSteuerung& l : w.steuerwerte().listen) {
        QComboBox* c = finde<QComboBox>(w, l.name.c_str());
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->count(), static_cast<int>(l.eintraege_en.size())) << l.name;
        EXPECT_EQ(c->currentIndex(), l.index) << l.name;
    }
    for (const Schieberegler& r : w.steuerwerte().schieber) {
        QSlider* s = finde<QSlider>(w, r.name.c_str());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->minimum(), r.min) << r.name;
        EXPECT_EQ(s->maximum(), r.max) << r.name;
        EXPECT_EQ(s->value(), r.wert) << r.name;
    }
}

TEST(Eingabe, VorlageSetztDieSteuerungenUndLaesstPunkteStehen) {
    Programmdaten d;
    Eingabe w(d);
    vorlage_klicken(w, 12);
    EXPECT_EQ(liste_text(w, "Combo_stadt_abmessung"), "4000 m");
    EXPECT_EQ(liste_text(w, "Combo_n_gebaude"), "10000");
    EXPECT_FALSE(finde<QCheckBox>(w, "Check_Mauer")->isChecked());
    EXPECT_EQ(finde<QSlider>(w, "Slider_parks_groesse_rel")->value(), 35);
    // The wall controls keep preset 8's values although the wall is off.
    EXPECT_EQ(liste_text(w, "Combo_Mauer_Dicke"), "3 m");
    Steuerwerte soll = start_steuerwerte();
    ASSERT_TRUE(vorlage_anwenden(soll, 12));
    EXPECT_TRUE(w.steuerwerte() == soll);

    // Preset 0 leaves the square sliders where preset 2 put them.
    vorlage_klicken(w, 2);
    vorlage_klicken(w, 0);
    EXPECT_EQ(finde<QSlider>(w, "Slider_plaetze_groesse_rel")->value(), 15);
    EXPECT_EQ(w.vorlage_text(), "Hamlet");
}

TEST(Eingabe, HandGeaenderteSteuerungLandetInDenSteuerwerten) {
    Programmdaten d;
    Eingabe w(d);
    QAction* speichern = aktion(w, "menue_stadteinstellungen_speichern");
    EXPECT_FALSE(speichern->isEnabled());
    finde<QSlider>(w, "Slider_weg_kurvigkeit")->setValue(77);
    EXPECT_EQ(w.steuerwerte().wert("Slider_weg_kurvigkeit"), 77);
    EXPECT_TRUE(speichern->isEnabled());
    finde<QComboBox>(w, "Combo_stadt_form")->setCurrentIndex(1);
    EXPECT_EQ(w.steuerwerte().index("Combo_stadt_form"), 1);
    finde<QCheckBox>(w, "Check_Mauer")->setChecked(false);
    EXPECT_EQ(w.steuerwerte().check_mauer, 0);

    // A loaded settings file shows in the controls, the preset list shows
    // "(beutzerdefiniert)" in both languages, and there is nothing to save.
    Steuerwerte s = start_steuerwerte();
    ASSERT_TRUE(vorlage_anwenden(s, 13));
    w.einstellungen_geladen(s);
    EXPECT_EQ(w.vorlage(), -1);
    EXPECT_EQ(w.vorlage_text(), "(beutzerdefiniert)");
    EXPECT_EQ(liste_text(w, "Combo_haus_gxy_max"), "36 m");
    EXPECT_FALSE(speichern->isEnabled());
    w.sprache_setzen(Sprache::deutsch);
    EXPECT_EQ(w.vorlage_text(), "(beutzerdefiniert)");
    EXPECT_EQ(liste_text(w, "Combo_haus_gxy_max"), "36 m");
}

TEST(Eingabe, SprachwechselAendertBeschriftungenUndListen) {
    Programmdaten d;
    Eingabe w(d);
    w.status_setzen({Statusart::versuch, 12});
    aktion(w, "menue_deutsch")->trigger();
    EXPECT_EQ(w.sprache(), Sprache::deutsch);
    QTabWidget* tab = finde<QTabWidget>(w, "Tab");
    const QStringList reiter = {"Stadt",  "Straßen",      "Gebäude",
                                "Flüsse", "Parks/Plätze", "Stadtmauer"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tab->tabText(i), reiter[i]);
    EXPECT_EQ(finde<QPushButton>(w, "knopf_start")->text(), "Start");
    EXPECT_EQ(finde<QPushButton>(w, "knopf_abbruch")->text(), "Abbruch");
    EXPECT_EQ(finde<QMenu>(w, "menue_stadtplan")->title(), "Stadtplan");
    EXPECT_EQ(aktion(w, "menue_stadtplan_speichern_unter")->text(), "speichern unter ...");
    EXPECT_EQ(w.vorlage_text(), "Städtchen mit Stadtmauer");
    QComboBox* form = finde<QComboBox>(w, "Combo_stadt_form");
    EXPECT_EQ(form->itemText(0).trimmed(), "rund");
    EXPECT_EQ(form->itemText(1).trimmed(), "quadtratisch");
    EXPECT_EQ(finde<QComboBox>(w, "Combo_Mauer_Tuerme_Form")->currentText().trimmed(), "Runde");
    EXPECT_EQ(w.status_text(), "Stadt Versuch Nr. 12 ...");
    // The language change is no change of the controls.
    EXPECT_TRUE(w.steuerwerte() == start_steuerwerte());
    EXPECT_TRUE(aktion(w, "menue_deutsch")->isChecked());
    EXPECT_FALSE(aktion(w, "menue_englisch")->isChecked());

    aktion(w, "menue_englisch")->trigger();
    EXPECT_EQ(finde<QPushButton>(w, "knopf_start")->text(), "Go!");
    EXPECT_EQ(form->itemText(1).trimmed(), "Squared");
    EXPECT_EQ(w.vorlage_text(), "Small Town With City Wall");
    EXPECT_EQ(w.status_text(), "City Attempt No. 12 ...");
}

TEST(Eingabe, HilfeknoepfeZeigenIhrenTextInDerSprache) {
    Programmdaten d;
    Eingabe w(d);
    // Each "?" button is named after what it explains and shows its own text.
    std::set<int> gefunden;
    auto knopf = [&](const std::string& rolle, int n) {
        const auto* k = w.findChild<QToolButton*>(QString::fromStdString("hilfe_" + rolle));
        if (k && k->text() == "?") gefunden.insert(n);
    };
    knopf("stadtname", 1);
    knopf("kennzeichnung", 17);
    knopf("nord", 22);
    for (const Reiter& r : reiter_aufbau())
        for (const Steuergruppe& g : r.gruppen)
            knopf(g.zeilen.front().name, g.hilfe);
    std::set<int> soll;
    for (int n = 1; n <= 60; ++n)
        if (n != 2 && n != 6) soll.insert(n);
    EXPECT_EQ(gefunden, soll);
    EXPECT_EQ(w.findChildren<QToolButton*>(QRegularExpression("^hilfe_")).size(), soll.size());

    finde<QToolButton>(w, "hilfe_Slider_weg_sackgasse_wahrsch")->click();
    EXPECT_EQ(w.letzte_meldung(), "The dead end probability for a street");
    w.sprache_setzen(Sprache::deutsch);
    finde<QToolButton>(w, "hilfe_Check_Mauer")->click();
    EXPECT_EQ(w.letzte_meldung(), "Ist hier das Häkchen gesetzt, wird eine Stadtmauer gebildet.");
    for (int n : soll) {
        const Zweisprachig* t = knopf_hilfe(n);
        ASSERT_NE(t, nullptr) << n;
        EXPECT_FALSE(QString::fromUtf8(t->de).isEmpty()) << n;
        EXPECT_FALSE(QString::fromUtf8(t->en).isEmpty()) << n;
    }
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box != &w) box->close();
}

TEST(Eingabe, OhneDesktopProgrammZeigtDasFensterAnleitungUndAdresse) {
    Programmdaten d;
    Eingabe w(d);
    std::vector<QUrl> geoeffnet;
    bool annehmen = false;
    w.adresse_oeffnen = [&](const QUrl& u) {
        geoeffnet.push_back(u);
        return annehmen;
    };
    w.sprache_setzen(Sprache::deutsch);
    aktion(w, "menue_anleitung")->trigger();
    ASSERT_EQ(geoeffnet.size(), 1u);
    QDialog* fenster = w.findChild<QDialog*>("Anleitung");
    ASSERT_NE(fenster, nullptr) << "no handler: the manual opens in the program";
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(fenster->windowTitle(), "Ihr erster Stadtplan");
    const auto* text = fenster->findChild<QTextBrowser*>("Anleitung_Text");
    EXPECT_TRUE(text->source().toLocalFile().endsWith("anleitung_de.html"));
    EXPECT_GT(text->toPlainText().size(), 500);
    fenster->close();

    // With a handler nothing of our own opens; a page no handler takes is
    // shown as its address.
    annehmen = true;
    EXPECT_EQ(w.anleitung_zeigen(), nullptr);
    EXPECT_FALSE(fenster->isVisible());
    annehmen = false;
    aktion(w, "menue_updates")->trigger();
    EXPECT_TRUE(w.letzte_meldung().contains(geoeffnet.back().toString()))
        << w.letzte_meldung().toStdString();
    // A failure, not a piece of information.
    const QList<QMessageBox*> boxen = w.findChildren<QMessageBox*>();
    ASSERT_FALSE(boxen.isEmpty());
    EXPECT_EQ(boxen.back()->icon(), QMessageBox::Warning);
    EXPECT_EQ(boxen.back()->windowTitle(), "Tarvello");
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box != &w) box->close();
}

#ifdef Q_OS_LINUX
// xdg-open takes the page and then finds nothing to show it with (no
// browser): the manual opens in the program all the same.
TEST(Eingabe, ScheitertDasDesktopProgrammZeigtDasFensterDieAnleitung) {
    QTemporaryDir ordner;
    QFile skript(ordner.filePath("xdg-open"));
    ASSERT_TRUE(skript.open(QIODevice::WriteOnly));
    skript.write("#!/bin/sh\nexit 3\n");
    skript.close();
    skript.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray pfad = qgetenv("PATH");
    qputenv("PATH", ordner.path().toUtf8() + ":" + pfad);
    Programmdaten d;
    Eingabe w(d);
    EXPECT_EQ(w.anleitung_zeigen(), nullptr) << "xdg-open took it";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QDialog* f = w.findChild<QDialog*>("Anleitung");
            return f && f->isVisible();
        },
        10000));
    qputenv("PATH", pfad);
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box != &w) box->close();
}
#endif

// Before any run the bar is empty; within a run it never runs backwards
// while the stage stays the same: a new river attempt says so in the status.
TEST(Eingabe, FortschrittLeerUndOhneRueckschritt) {
    Programmdaten d;
    Eingabe w(d);
    w.resize(w.startgroesse());
    const auto* balken = w.findChild<Fortschrittsbalken*>("Fortschritt");
    ASSERT_NE(balken, nullptr);
    const QImage leer = const_cast<Fortschrittsbalken*>(balken)->grab().toImage();
    EXPECT_NE(leer.pixel(leer.width() / 2, leer.height() / 2), qRgb(82, 62, 41));
    {
        Fensterwirt wirt(w);
        wirt.status({Statusart::fluesse, 1});
        wirt.fortschritt(0);
        wirt.fortschritt(96);
        wirt.status({Statusart::fluesse, 2});
        wirt.fortschritt(42);
        EXPECT_FLOAT_EQ(w.fortschritt(), 96.0f);
        wirt.fortschritt(98);
        EXPECT_FLOAT_EQ(w.fortschritt(), 98.0f);
        wirt.status({Statusart::strassen});
        wirt.fortschritt(10);
        EXPECT_FLOAT_EQ(w.fortschritt(), 10.0f);
        wirt.fortschritt(5);
        EXPECT_FLOAT_EQ(w.fortschritt(), 10.0f);
    }
    const QImage begonnen = const_cast<Fortschrittsbalken*>(balken)->grab().toImage();
    EXPECT_EQ(begonnen.pixel(begonnen.width() - 5, begonnen.height() / 2), qRgb(82, 62, 41));
}

// The window opens no larger than the screen's free area, unless that is
// smaller than the window can be.
TEST(Eingabe, StartgroessePasstAufDenSchirm) {
    Programmdaten d;
    Eingabe w(d);
    const QSize frei = w.screen()->availableSize().expandedTo(w.minimumSizeHint());
    const QSize g = w.startgroesse();
    EXPECT_LE(g.width(), frei.width());
    EXPECT_LE(g.height(), frei.height());
    // Everything fits a 1366 x 768 screen with a panel and a title bar.
    EXPECT_LE(w.minimumSizeHint().width(), 1366 - 16);
    EXPECT_LE(w.minimumSizeHint().height(), 768 - 32 - 48);
}

TEST(Eingabe, DruckmenueSpiegeltDieDruckoptionen) {
    Programmdaten d;
    Eingabe w(d);
    aktion(w, "menue_druck_3x3")->trigger();
    EXPECT_EQ(d.druckoptionen.blaetter_je_seite, 3);
    EXPECT_TRUE(aktion(w, "menue_druck_3x3")->isChecked());
    EXPECT_FALSE(aktion(w, "menue_druck_einseitig")->isChecked());
    aktion(w, "menue_druck_einseitig")->trigger();
    EXPECT_EQ(d.druckoptionen.blaetter_je_seite, 1);
    EXPECT_FALSE(aktion(w, "menue_druck_3x3")->isChecked());

    QAction* marken = aktion(w, "menue_druck_schnittmarken");
    marken->trigger();
    EXPECT_FALSE(d.druckoptionen.druck_schnittmarken);
    EXPECT_FALSE(marken->isChecked());
    marken->trigger();
    EXPECT_TRUE(d.druckoptionen.druck_schnittmarken);

    aktion(w, "menue_druck_nummerierung_schriftgroesse_10")->trigger();
    EXPECT_EQ(d.druckoptionen.nummer_schriftgroesse, 10);
    EXPECT_FALSE(aktion(w, "menue_druck_nummerierung_schriftgroesse_6")->isChecked());

    // A dialog changing the options is mirrored back into the menu.
    d.druckoptionen.kennzeichnung_haeuser = false;
    d.druckoptionen.ausschnitt_modus = true;
    d.druckoptionen.blaetter_je_seite = 6;
    w.druckmenue_abgleichen();
    EXPECT_FALSE(aktion(w, "menue_druck_kennzeichnung_haeuser")->isChecked());
    EXPECT_TRUE(aktion(w, "menue_druck_ausschnitt")->isChecked());
    EXPECT_FALSE(aktion(w, "menue_druck_einseitig")->isChecked());
}

TEST(Eingabe, SprachwechselFormuliertDenStatusNeu) {
    Programmdaten d;
    Eingabe w(d);
    Fensterwirt wirt(w);
    wirt.status({Statusart::fertig_aufgegeben, 14, 200});
    EXPECT_EQ(w.status_text(), "City Map Finished! Only 14 of 200 buildings placed");
    w.sprache_setzen(Sprache::deutsch);
    EXPECT_EQ(w.status_text(), "Stadtplan erstellt! Nur 14 von 200 Gebäuden platziert");
    wirt.status({Statusart::drucke_blatt, 2, 9});
    EXPECT_EQ(w.status_text(), "Drucke Blatt 2 von 9");
    w.sprache_setzen(Sprache::englisch);
    EXPECT_EQ(w.status_text(), "Printing Sheet 2 of 9");
    // A fault's text and a message worded elsewhere stay as they are.
    wirt.status({Statusart::rechenfehler, "x is %1"});
    w.sprache_setzen(Sprache::deutsch);
    EXPECT_EQ(w.status_text(), "Rechenfehler: x is %1");
    w.status_setzen({Statusart::meldung, "a.qls: line 3: bad"});
    w.sprache_setzen(Sprache::englisch);
    EXPECT_EQ(w.status_text(), "a.qls: line 3: bad");

    // A file error the window met carries both wordings and follows a switch.
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("kaputt.qls");
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("4.1\nkeine Zahl\n");
    f.close();
    Stadtmodell m;
    Kartenkopf kopf;
    const Ergebnis e = stadtplan_laden(datei, m, kopf);
    ASSERT_NE(e.deutsch(), e.englisch());
    EXPECT_FALSE(w.karte_laden_aus(datei));
    EXPECT_EQ(w.status_text().toStdString(), e.englisch());
    w.sprache_setzen(Sprache::deutsch);
    EXPECT_EQ(w.status_text().toStdString(), e.deutsch());
    w.sprache_setzen(Sprache::englisch);
    EXPECT_EQ(w.status_text().toStdString(), e.englisch());
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box != &w) box->close();
}

TEST(Eingabe, LangerStatusLaesstDasFensterWieEsIst) {
    Programmdaten d;
    Eingabe w(d);
    w.show();
    QApplication::processEvents();
    const QRect vorher = w.vorschau()->geometry();
    const std::string lang =
        "/home/spielleiter/" + std::string(300, 'x') + "/plan.qls: cannot write";
    w.status_setzen({Statusart::meldung, lang});
    QApplication::processEvents();
    EXPECT_EQ(w.vorschau()->geometry(), vorher);
    EXPECT_EQ(w.status_text().toStdString(), lang);
    auto* zeile = finde<QLabel>(w, "statuszeile");
    EXPECT_EQ(zeile->toolTip().toStdString(), lang);
    EXPECT_LT(zeile->text().size(), static_cast<int>(lang.size())); // shortened to fit
}

// --- runs --------------------------------------------------------------------

TEST(EingabeLauf, FertigerLaufGibtSpeichernDruckenExportFrei) {
    Programmdaten d;
    Eingabe w(d);
    w.steuerwerte_setzen(kleine_stadt());
    finde<QLineEdit>(w, "Text_Startwert")->setText("7");
    lauf_mit(w);
    ASSERT_EQ(w.letztes_laufende(), Laufende::fertig);
    EXPECT_EQ(w.status_text(), "City Map Finished!");
    EXPECT_TRUE(d.modell.plan_vorhanden);
    EXPECT_TRUE(aktion(w, "menue_stadtplan_speichern_unter")->isEnabled());
    EXPECT_TRUE(aktion(w, "menue_stadtplan_drucken")->isEnabled());
    EXPECT_TRUE(aktion(w, "menue_stadtplan_geojson")->isEnabled());
    EXPECT_TRUE(finde<QPushButton>(w, "knopf_bildexport")->isEnabled());
    EXPECT_TRUE(finde<QPushButton>(w, "knopf_start")->isEnabled());
    EXPECT_FALSE(finde<QPushButton>(w, "knopf_abbruch")->isEnabled());
    EXPECT_EQ(w.letzter_startwert(), 7u);
    EXPECT_EQ(finde<QLineEdit>(w, "Text_Startwert")->text(), "7");
    EXPECT_FLOAT_EQ(w.fortschritt(), 100.0f);
    EXPECT_GT(nicht_weisse(w.vorschau()->bild()), 100);

    // The same typed seed gives the same town.
    const Stadtmodell erster = d.modell;
    lauf_mit(w);
    ASSERT_EQ(w.letztes_laufende(), Laufende::fertig);
    ASSERT_EQ(d.modell.n_wege, erster.n_wege);
    ASSERT_EQ(d.modell.haus_naechster, erster.haus_naechster);
    for (int weg = 1; weg <= erster.n_wege; ++weg) {
        const Weg& a = erster.wege[static_cast<std::size_t>(weg)];
        const Weg& b = d.modell.wege[static_cast<std::size_t>(weg)];
        ASSERT_EQ(a.n_punkte, b.n_punkte);
        EXPECT_EQ(a.px(a.n_punkte), b.px(b.n_punkte));
    }
}

TEST(EingabeLauf, LeererStartwertZiehtJedesMalEinenNeuen) {
    Programmdaten d;
    Eingabe w(d);
    w.steuerwerte_setzen(kleine_stadt());
    QLineEdit* feld = finde<QLineEdit>(w, "Text_Startwert");
    lauf_mit(w);
    ASSERT_TRUE(w.letzter_startwert());
    const std::uint64_t erster = *w.letzter_startwert();
    EXPECT_EQ(feld->text(), QString::number(erster));
    // The shown seed was drawn, so Start draws again; while the run works
    // the field shows the seed it runs with ...
    QString waehrend;
    lauf_mit(w, [&] {
        if (w.laeuft()) waehrend = feld->text();
    });
    EXPECT_NE(*w.letzter_startwert(), erster);
    EXPECT_EQ(waehrend, QString::number(*w.letzter_startwert()));
    // ... until the user types one.
    QTest::keyClicks(feld, "1");
    const std::uint64_t getippt = feld->text().toULongLong();
    lauf_mit(w);
    EXPECT_EQ(*w.letzter_startwert(), getippt);
}

TEST(EingabeLauf, AbbruchInDenStrassenBeendetDenLauf) {
    Programmdaten d;
    Eingabe w(d);
    w.show();
    Steuerwerte s = kleine_stadt();
    ASSERT_TRUE(s.setzen("Combo_n_fluesse_max", "0").gut());
    w.steuerwerte_setzen(s);
    QString status_beim_abbruch;
    bool gesperrt = true;
    lauf_mit(w, [&] {
        if (!w.laeuft() || w.abbruch_angefordert()) return;
        if (!w.status_text().startsWith("City Attempt No.")) return;
        status_beim_abbruch = w.status_text();
        // While the run goes on nothing may change the model or the controls.
        for (const char* name : {"menue_stadtplan_laden", "menue_stadteinstellungen_laden",
                                 "menue_stadtplan_neu", "menue_stadtplan_speichern_unter",
                                 "menue_stadtplan_drucken", "menue_stadtplan_geojson"})
            gesperrt = gesperrt && !aktion(w, name)->isEnabled();
        for (const char* name : {"Combo_Vorlagen", "Combo_stadt_abmessung"})
            gesperrt = gesperrt && !finde<QComboBox>(w, name)->isEnabled();
        gesperrt = gesperrt && !finde<QSlider>(w, "Slider_weg_kurvigkeit")->isEnabled();
        gesperrt = gesperrt && !finde<QCheckBox>(w, "Check_Mauer")->isEnabled();
        gesperrt = gesperrt && !finde<QPushButton>(w, "knopf_start")->isEnabled();
        gesperrt = gesperrt && !finde<QLineEdit>(w, "Text_Startwert")->isEnabled();
        EXPECT_TRUE(finde<QToolButton>(w, "hilfe_Slider_weg_kurvigkeit")
                        ->isEnabled()); // help stays available
        QPushButton* abbruch = finde<QPushButton>(w, "knopf_abbruch");
        EXPECT_TRUE(abbruch->isEnabled());
        QTest::mouseClick(abbruch, Qt::LeftButton);
        EXPECT_EQ(w.status_text(), "User Abort");
    });
    EXPECT_TRUE(status_beim_abbruch.startsWith("City Attempt No. 1"))
        << status_beim_abbruch.toStdString();
    EXPECT_TRUE(gesperrt);
    EXPECT_EQ(w.letztes_laufende(), Laufende::abgebrochen);
    EXPECT_EQ(w.status_text(), "City Map Aborted");
    EXPECT_FLOAT_EQ(w.fortschritt(), 0.0f);
    EXPECT_TRUE(finde<QPushButton>(w, "knopf_start")->isEnabled());
    EXPECT_FALSE(finde<QPushButton>(w, "knopf_abbruch")->isEnabled());
    EXPECT_TRUE(aktion(w, "menue_stadtplan_laden")->isEnabled());
    EXPECT_TRUE(finde<QSlider>(w, "Slider_weg_kurvigkeit")->isEnabled());
    EXPECT_FALSE(aktion(w, "menue_stadtplan_speichern_unter")->isEnabled());
}

TEST(EingabeLauf, EscBrichtAbUndEinAbbruchNimmtDieFertigeKarteWeg) {
    Programmdaten d;
    Eingabe w(d);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.steuerwerte_setzen(kleine_stadt());
    lauf_mit(w);
    ASSERT_EQ(w.letztes_laufende(), Laufende::fertig);
    lauf_mit(w, [&] {
        if (w.laeuft() && !w.abbruch_angefordert()) QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_EQ(w.letztes_laufende(), Laufende::abgebrochen);
    // The aborted run overwrote the map: nothing to save any more.
    EXPECT_FALSE(aktion(w, "menue_stadtplan_drucken")->isEnabled());
    EXPECT_FALSE(finde<QPushButton>(w, "knopf_bildexport")->isEnabled());
}

TEST(EingabeLauf, SchliessenWaehrendDesLaufsBrichtAbUndSchliesst) {
    Programmdaten d;
    Eingabe w(d);
    w.show();
    w.steuerwerte_setzen(kleine_stadt());
    bool geschlossen = false;
    lauf_mit(w, [&] {
        if (!w.laeuft() || geschlossen) return;
        geschlossen = true;
        w.close();
        EXPECT_TRUE(w.isVisible()); // not before the run has stopped
    });
    EXPECT_EQ(w.letztes_laufende(), Laufende::abgebrochen);
    EXPECT_FALSE(w.isVisible());
}

TEST(EingabeLauf, GeladeneKarteGibtSpeichernFreiUndSetztDieMauer) {
    Programmdaten d;
    Eingabe w(d);
    vorlage_klicken(w, 0); // wall off
    d.modell.stadt_abmessung = 200;
    d.modell.plan_vorhanden = true;
    d.modell.mauer_parameter = 1;
    w.karte_geladen();
    EXPECT_TRUE(aktion(w, "menue_stadtplan_speichern_unter")->isEnabled());
    EXPECT_TRUE(finde<QPushButton>(w, "knopf_bildexport")->isEnabled());
    EXPECT_TRUE(finde<QCheckBox>(w, "Check_Mauer")->isChecked());
    EXPECT_EQ(w.steuerwerte().check_mauer, 1);
    EXPECT_FLOAT_EQ(w.vorschau()->zoom(), 1.0f);
}

TEST(EingabeLauf, WirtVerarbeitetEreignisseHoechstensImTakt) {
    Programmdaten d;
    Eingabe w(d);
    int ausgeloest = 0;
    QTimer::singleShot(0, [&] { ++ausgeloest; });
    Fensterwirt langsam(w, 60000);
    EXPECT_FALSE(langsam.nachgeben());
    EXPECT_EQ(ausgeloest, 1); // the first yield processes events at once
    QTimer::singleShot(0, [&] { ++ausgeloest; });
    for (int i = 0; i < 1000; ++i)
        langsam.nachgeben();
    EXPECT_EQ(langsam.ereignisrunden(), 1);
    EXPECT_EQ(ausgeloest, 1);

    Fensterwirt schnell(w, 0);
    for (int i = 0; i < 100; ++i)
        schnell.nachgeben();
    EXPECT_EQ(ausgeloest, 2);
    EXPECT_EQ(schnell.ereignisrunden(), 7); // yields 1, 17, 33, ..., 97
    w.sprache_setzen(Sprache::deutsch);
    schnell.status({Statusart::abgebrochen});
    EXPECT_EQ(w.status_text(), "Stadtplan abgebrochen"); // shown in the window's language
}

TEST(EingabeDateien, EinstellungenHinUndZurueck) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("eigene.qle");
    Programmdaten d;
    Eingabe w(d);
    QSlider* kurvig = finde<QSlider>(w, "Slider_weg_kurvigkeit");
    QAction* speichern = aktion(w, "menue_stadteinstellungen_speichern");
    kurvig->setValue(61);
    EXPECT_TRUE(speichern->isEnabled());
    ASSERT_TRUE(w.einstellungen_speichern_als(datei));
    EXPECT_EQ(w.einstellungsdatei(), datei);
    EXPECT_FALSE(speichern->isEnabled());
    const Steuerwerte gespeichert = w.steuerwerte();

    vorlage_klicken(w, 3);
    EXPECT_NE(kurvig->value(), 61);
    ASSERT_TRUE(w.einstellungen_laden_aus(datei));
    EXPECT_EQ(kurvig->value(), 61);
    EXPECT_TRUE(w.steuerwerte() == gespeichert);
    EXPECT_EQ(w.vorlage_text(), "(beutzerdefiniert)");
    EXPECT_FALSE(speichern->isEnabled());

    // A broken file changes nothing and says which file it was.
    QFile kaputt(ordner.filePath("kaputt.qle"));
    ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly));
    kaputt.write("5.00\r\nkeine Zahl\r\n");
    kaputt.close();
    vorlage_klicken(w, 5);
    const Steuerwerte vorher = w.steuerwerte();
    EXPECT_FALSE(w.einstellungen_laden_aus(kaputt.fileName()));
    EXPECT_TRUE(w.steuerwerte() == vorher);
    EXPECT_EQ(w.vorlage(), 5);
    EXPECT_TRUE(w.letzte_meldung().contains("kaputt.qle")) << w.letzte_meldung().toStdString();
    // In the window's language.
    EXPECT_TRUE(w.letzte_meldung().contains("line 2: expected Combo_"))
        << w.letzte_meldung().toStdString();
    w.sprache_setzen(Sprache::deutsch);
    EXPECT_FALSE(w.einstellungen_laden_aus(kaputt.fileName()));
    EXPECT_TRUE(w.letzte_meldung().contains("Zeile 2: erwartet: Combo_"))
        << w.letzte_meldung().toStdString();
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box != &w) box->close();
}

TEST(EingabeDateien, GespeicherteKarteKommtInEinNeuesFensterZurueck) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("plan.qls");
    Programmdaten d;
    Eingabe w(d);
    EXPECT_FALSE(w.karte_speichern_als(datei)); // no map yet
    w.steuerwerte_setzen(kleine_stadt());
    lauf_mit(w);
    ASSERT_EQ(w.letztes_laufende(), Laufende::fertig);
    w.stadtname_setzen("Testdorf");
    w.nord_setzen(3);
    ASSERT_TRUE(w.karte_speichern_als(datei));
    EXPECT_EQ(w.status_text(), "City Map Saved");
    // The GeoJSON carries the window's town name; a folder cannot take it.
    ASSERT_TRUE(w.geojson_exportieren_als(ordner.filePath("plan.geojson")));
    QFile geojson(ordner.filePath("plan.geojson"));
    ASSERT_TRUE(geojson.open(QIODevice::ReadOnly));
    EXPECT_TRUE(geojson.readAll().startsWith(R"({"type":"FeatureCollection","name":"Testdorf")"));
    EXPECT_FALSE(w.geojson_exportieren_als(ordner.path()));
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box != &w) box->close();

    Programmdaten d2;
    Eingabe w2(d2);
    EXPECT_FALSE(w2.karte_laden_aus(ordner.filePath("fehlt.qls")));
    EXPECT_FALSE(d2.modell.plan_vorhanden);
    EXPECT_FALSE(aktion(w2, "menue_stadtplan_drucken")->isEnabled());
    ASSERT_TRUE(w2.karte_laden_aus(datei));
    EXPECT_EQ(w2.status_text(), "City Map Loaded");
    EXPECT_EQ(d2.modell.n_wege, d.modell.n_wege);
    EXPECT_EQ(d2.modell.haus_naechster, d.modell.haus_naechster);
    EXPECT_EQ(w2.stadtname(), "Testdorf");
    EXPECT_EQ(w2.nord(), 3);
    EXPECT_EQ(w2.kartendatei(), datei);
    EXPECT_TRUE(aktion(w2, "menue_stadtplan_speichern_unter")->isEnabled());
    EXPECT_TRUE(aktion(w2, "menue_stadtplan_drucken")->isEnabled());
    EXPECT_TRUE(finde<QPushButton>(w2, "knopf_bildexport")->isEnabled());
    EXPECT_FLOAT_EQ(w2.vorschau()->zoom(), 1.0f);
    EXPECT_GT(nicht_weisse(w2.vorschau()->bild()), 100);

    // A map saved with no north marked clears the choice, and a save keeps
    // it so.
    w.nord_setzen(-1);
    ASSERT_TRUE(w.karte_speichern_als(datei));
    ASSERT_TRUE(w2.karte_laden_aus(datei));
    EXPECT_EQ(w2.nord(), -1);
    const QString zweite = ordner.filePath("zwei.qls");
    ASSERT_TRUE(w2.karte_speichern_als(zweite));
    QFile a(datei), b(zweite);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
    for (QWidget* box : QApplication::topLevelWidgets())
        if (box != &w && box != &w2) box->close();
}

// --- preview -----------------------------------------------------------------

namespace {

struct Vorschautest : ::testing::Test {
    Stadtmodell m;
    Vorschau v{m};
    void SetUp() override {
        m.stadt_abmessung = 400;
        v.resize(402, 402); // drawing area 400 x 400: one pixel per map unit at zoom 1
    }
    // A zig-zag way whose first and fifth points lie on y = 100.
    void zickzack(std::uint8_t fluss) {
        m.wege.resize(2);
        m.n_wege = 1;
        Weg& w = m.wege[1];
        w.ist_fluss = fluss;
        w.breite = 1;
        w.n_punkte = 5;
        const float x[] = {50, 100, 150, 200, 250};
        const float y[] = {100, 300, 100, 300, 100};
        for (int i = 0; i < 5; ++i)
            w.punkt_setzen(i + 1, x[i], y[i]);
    }
};

} // namespace

TEST_F(Vorschautest, ZoomHaeltBei10Und1UndDieMitte) {
    v.zoom_rein(); // before the first reset nothing happens
    EXPECT_EQ(v.zoom(), 0.0f);
    v.zuruecksetzen();
    EXPECT_EQ(v.zoom(), 1.0f);
    EXPECT_FLOAT_EQ(v.massstab(), 1.0f);
    v.zoom_rein();
    EXPECT_FLOAT_EQ(v.zoom(), 1.35f);
    // The centre stays where it was.
    EXPECT_FLOAT_EQ(v.ansicht_x() + 400.0f / v.zoom() / 2.0f, 200.0f);
    EXPECT_FLOAT_EQ(v.ansicht_y() + 400.0f / v.zoom() / 2.0f, 200.0f);
    for (int i = 2; i <= 7; ++i)
        v.zoom_rein();
    EXPECT_LT(v.zoom(), 10.0f);
    v.zoom_rein(); // the eighth step reaches the limit
    EXPECT_EQ(v.zoom(), 10.0f);
    v.zoom_rein();
    EXPECT_EQ(v.zoom(), 10.0f);
    EXPECT_FLOAT_EQ(v.massstab(), 10.0f);
    for (int i = 0; i < 12; ++i)
        v.zoom_raus();
    EXPECT_EQ(v.zoom(), 1.0f);
    EXPECT_EQ(v.ansicht_x(), 0.0f);
    EXPECT_EQ(v.ansicht_y(), 0.0f);
}

TEST_F(Vorschautest, SchiebenBeiZoom1BleibtBeiNull) {
    v.zuruecksetzen();
    for (auto schritt :
         {&Vorschau::nach_links, &Vorschau::nach_rechts, &Vorschau::nach_oben,
          &Vorschau::nach_unten, &Vorschau::nach_links_oben, &Vorschau::nach_rechts_oben,
          &Vorschau::nach_links_unten, &Vorschau::nach_rechts_unten}) {
        (v.*schritt)();
        EXPECT_EQ(v.ansicht_x(), 0.0f);
        EXPECT_EQ(v.ansicht_y(), 0.0f);
    }
    v.klicken(QPointF(10, 390));
    EXPECT_EQ(v.ansicht_x(), 0.0f);
    EXPECT_EQ(v.ansicht_y(), 0.0f);
}

TEST_F(Vorschautest, SchiebenUmEinDrittelUndGrenzeDerKarte) {
    v.zuruecksetzen();
    v.zoom_rein();
    v.zoom_rein();
    v.zoom_rein(); // zoom 2.460375
    const float spanne = 400.0f / v.zoom();
    const float x0 = v.ansicht_x();
    v.nach_rechts();
    EXPECT_FLOAT_EQ(v.ansicht_x(), x0 + 0.35f * spanne);
    for (int i = 0; i < 10; ++i)
        v.nach_rechts_unten();
    EXPECT_FLOAT_EQ(v.ansicht_x(), 400.0f - spanne);
    EXPECT_FLOAT_EQ(v.ansicht_y(), 400.0f - spanne);
    v.gesamt();
    EXPECT_EQ(v.zoom(), 1.0f);
    EXPECT_EQ(v.ansicht_x(), 0.0f);
}

TEST_F(Vorschautest, KlickInDieMitteAendertNichtsAndererKlickZentriert) {
    v.zuruecksetzen();
    v.zoom_rein();
    v.zoom_rein();
    const float x0 = v.ansicht_x(), y0 = v.ansicht_y();
    const float spanne = 400.0f / v.zoom();
    // The drawing area starts one pixel in, inside the frame.
    QTest::mouseClick(&v, Qt::LeftButton, {}, QPoint(1 + v.breite() / 2, 1 + v.hoehe() / 2));
    EXPECT_EQ(v.ansicht_x(), x0);
    EXPECT_EQ(v.ansicht_y(), y0);
    QTest::mouseClick(&v, Qt::RightButton, {}, QPoint(1 + 300, 1 + 200));
    EXPECT_FLOAT_EQ(v.ansicht_x(), x0 + 0.25f * spanne);
    EXPECT_EQ(v.ansicht_y(), y0);
    v.klicken(QPointF(401, 10)); // beside the picture
    EXPECT_FLOAT_EQ(v.ansicht_x(), x0 + 0.25f * spanne);
}

TEST_F(Vorschautest, StrassenLassenBeiZoom1PunkteAusFluesseNie) {
    zickzack(0);
    v.zuruecksetzen();
    v.zeichnen();
    // Stride 4: one segment from point 1 to point 5, straight along y = 100.
    EXPECT_EQ(v.bild().pixel(150, 100), qRgb(0, 0, 0));
    EXPECT_EQ(v.bild().pixel(100, 300), qRgb(255, 255, 255));
    EXPECT_EQ(v.bild().pixel(75, 200), qRgb(255, 255, 255));

    zickzack(1);
    v.zeichnen();
    EXPECT_TRUE(zeigt(v.bild().pixel(100, 300), QColor(0, 32, 192)));
    EXPECT_TRUE(zeigt(v.bild().pixel(75, 200), QColor(0, 32, 192)));

    // A reset clears the picture; the way returns when reported finished.
    v.element_zeichnen(Element::zuruecksetzen, 0);
    EXPECT_EQ(nicht_weisse(v.bild()), 0);
    v.element_zeichnen(Element::weg, 1);
    EXPECT_TRUE(zeigt(v.bild().pixel(100, 300), QColor(0, 32, 192)));
}

TEST_F(Vorschautest, GebaeudeErscheintWennFertig) {
    m.haeuser.resize(2);
    m.haus_naechster = 2;
    Haus& h = m.haeuser[1];
    const float ex[] = {100, 140, 140, 100}, ey[] = {100, 100, 130, 130};
    for (int c = 1; c <= 4; ++c) {
        h.ecke_x[static_cast<std::size_t>(c)] = ex[c - 1];
        h.ecke_y[static_cast<std::size_t>(c)] = ey[c - 1];
    }
    v.zuruecksetzen();
    EXPECT_EQ(nicht_weisse(v.bild()), 0);
    v.element_zeichnen(Element::haus, 1);
    EXPECT_EQ(qGray(v.bild().pixel(120, 100)), 0);
    EXPECT_EQ(v.bild().pixel(120, 115), qRgb(255, 255, 255)); // outline only
}

TEST_F(Vorschautest, GemalteElementeErscheinenGanzMitDerNaechstenRunde) {
    v.show();
    v.zuruecksetzen();
    QApplication::processEvents();
    EXPECT_EQ(nicht_weisse(auf_dem_schirm(v)), 0);
    // A wide river and a round building, shown by one repaint of the part
    // they drew: the screen must match the picture, smoothed edges included.
    zickzack(1);
    m.wege[1].breite = 9;
    m.haeuser.resize(2);
    m.haus_naechster = 2;
    m.haeuser[1].rund = 1;
    m.haeuser[1].x = 330;
    m.haeuser[1].y = 330;
    m.haeuser[1].breite = 30;
    v.element_zeichnen(Element::weg, 1);
    v.element_zeichnen(Element::haus, 1);
    v.neues_zeigen();
    QApplication::processEvents();
    EXPECT_GT(nicht_weisse(v.bild()), 1000);
    EXPECT_EQ(auf_dem_schirm(v), v.bild().convertToFormat(QImage::Format_RGB32));
}

TEST(EingabeLauf, DasEndeEinesLaufsStehtAufDemSchirm) {
    // After its first round this host processes no events: what is drawn
    // after it must reach the screen when the host goes.
    Programmdaten d;
    Eingabe w(d);
    w.show();
    d.modell.stadt_abmessung = 400;
    d.modell.wege.resize(2);
    d.modell.n_wege = 1;
    Weg& weg = d.modell.wege[1];
    weg.breite = 4;
    weg.n_punkte = 2;
    weg.punkt_setzen(1, 50, 100);
    weg.punkt_setzen(2, 350, 300);
    {
        Fensterwirt selten(w, 60000);
        selten.element_fertig(Element::zuruecksetzen, 0);
        EXPECT_FALSE(selten.nachgeben());
        EXPECT_EQ(nicht_weisse(auf_dem_schirm(*w.vorschau())), 0);
        selten.element_fertig(Element::weg, 1);
        EXPECT_FALSE(selten.nachgeben());
        EXPECT_EQ(selten.ereignisrunden(), 1);
    }
    QApplication::processEvents();
    Vorschau& v = *w.vorschau();
    EXPECT_GT(nicht_weisse(v.bild()), 100);
    EXPECT_EQ(auf_dem_schirm(v), v.bild().convertToFormat(QImage::Format_RGB32));
}

// --- small widgets -------------------------------------------------------------

TEST(Anzeigen, FortschrittInDenProgrammfarben) {
    Fortschrittsbalken f;
    f.resize(286, 20);
    f.setzen(50);
    EXPECT_EQ(f.gefuellt(), 142);
    const QImage bild = f.grab().toImage();
    EXPECT_EQ(bild.pixel(10, 10), qRgb(255, 221, 144));
    EXPECT_EQ(bild.pixel(270, 10), qRgb(82, 62, 41));
    EXPECT_EQ(bild.pixel(0, 10), qRgb(0, 0, 0));
    f.setzen(250);
    EXPECT_EQ(f.prozent(), 100.0f);
}

TEST(Anzeigen, NordknoepfeAufDemKreis) {
    Nordwahl n;
    const QPointF m = n.mitte();
    auto mitte_von = [&](int i) { return QRectF(n.knopf(i)->geometry()).center(); };
    EXPECT_NEAR(mitte_von(0).x(), m.x(), 1.0); // 90 degrees: up
    EXPECT_LT(mitte_von(0).y(), m.y() - 30);
    EXPECT_LT(mitte_von(3).x(), m.x() - 30); // 180 degrees: left
    EXPECT_NEAR(mitte_von(3).y(), m.y(), 1.0);
    EXPECT_GT(mitte_von(6).y(), m.y() + 30); // 270 degrees: down
    EXPECT_GT(mitte_von(9).x(), m.x() + 30); // 0 degrees: right
    EXPECT_LT(mitte_von(1).x(), m.x());      // counter-clockwise from the top
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(n.knopf(i)->geometry().intersects(n.knopf((i + 1) % 12)->geometry())) << i;
    EXPECT_EQ(n.gewaehlt(), 0);
    n.knopf(4)->click();
    EXPECT_EQ(n.gewaehlt(), 4);
}
