// Seeded random use of the main window, offscreen: runs with and without
// abort, presets, good and broken maps and settings, saves, exports, prints
// into PDF, zoom, pan, clicks in the preview, language switches and every
// dialog opened and closed, some of it while a run or an export is going.
// After each step the window must be free again with its buttons enabled as
// they should be, and nothing may be lost: a saved map reads back to the same
// bytes, a failed load leaves map and controls as they were.
//
// Short in the suite; longer through the environment (tools/zufallsbedienung.sh):
// TARVELLO_ZUFALL_START (first seed), TARVELLO_ZUFALL_FOLGEN (sequences),
// TARVELLO_ZUFALL_SCHRITTE (steps per sequence), TARVELLO_ZUFALL_MINUTEN (stop
// starting sequences after this long).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/dialog_bildexport.h"
#include "app/dialog_bildexport_nummerierung.h"
#include "app/dialog_druck_ausschnitt.h"
#include "app/dialog_farben.h"
#include "app/dialog_kennzeichnung.h"
#include "app/dialog_stadtname.h"
#include "app/eingabe.h"
#include "app/vorschau.h"
#include "core/vorlagen.h"
#include "files/einstellungsdatei.h"
#include "files/farbspeicher.h"
#include "files/kartendatei.h"

using namespace tarvello;

namespace {

long long umgebungszahl(const char* name, long long vorgabe) {
    bool ok = false;
    const long long n = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? n : vorgabe;
}

QByteArray lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreiben(const QString& datei, const QByteArray& inhalt) {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

class Bedienung {
  public:
    explicit Bedienung(std::uint64_t saat) : zufall_(saat), w_(d_) {
        // No desktop here: addresses and the manual open in the window.
        w_.adresse_oeffnen = [](const QUrl&) { return false; };
        w_.show();
        // A small town, so that Go! finishes quickly until a preset changes it.
        Steuerwerte s = start_steuerwerte();
        EXPECT_TRUE(s.setzen("Combo_n_gebaude", "5").gut());
        w_.steuerwerte_setzen(s);
        // Files to load: broken maps, settings and palettes, a good palette.
        schreiben(pfad("kaputt.qls"), "5.00\r\n0.83\r\nName\r\n keine Zahl \r\n");
        schreiben(pfad("leer.qls"), "");
        schreiben(pfad("kaputt.qle"), "5.00\r\nkeine Zahl\r\n");
        schreiben(pfad("kaputt.qlf"), " 1 \r\n 2 \r\n");
        EXPECT_TRUE(palette_speichern(pfad("gut.qlf"), Druckfarben::standard()).gut());
    }

    ~Bedienung() {
        for (QWidget* f : QApplication::topLevelWidgets())
            if (f != &w_ && f->isVisible()) f->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // One step of the sequence; its name goes into the trace.
    void schritt(int nummer) {
        const int art = wuerfel(0, 27);
        beschreibung_ = "step " + std::to_string(nummer) + " (" + std::to_string(art) + ")";
        SCOPED_TRACE(beschreibung_);
        ausfuehren(art);
        meldungen_schliessen();
        pruefen();
    }

    // The end of a sequence: a map in the window saves, reads back into a
    // new window and saves to the same bytes; the window closes.
    void abschliessen() {
        SCOPED_TRACE("end of the sequence");
        if (d_.modell.plan_vorhanden) {
            const QString a = neuer_pfad("ende", ".qls");
            ASSERT_TRUE(w_.karte_speichern_als(a)) << w_.letzte_meldung().toStdString();
            Programmdaten d2;
            Eingabe w2(d2);
            ASSERT_TRUE(w2.karte_laden_aus(a)) << w2.letzte_meldung().toStdString();
            const QString b = neuer_pfad("ende", ".qls");
            ASSERT_TRUE(w2.karte_speichern_als(b));
            EXPECT_EQ(lesen(a), lesen(b));
        }
        meldungen_schliessen();
        w_.close();
        EXPECT_FALSE(w_.isVisible()) << "the window did not close";
    }

    // What the sequence did, for the closing line.
    std::map<std::string, int> zaehler;

  private:
    int wuerfel(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall_); }
    bool muenze(double p = 0.5) { return std::bernoulli_distribution(p)(zufall_); }

    QString pfad(const char* name) const { return ordner_.filePath(QString::fromLatin1(name)); }
    QString neuer_pfad(const char* stamm, const char* endung) {
        return ordner_.filePath(
            QStringLiteral("%1_%2%3").arg(QLatin1String(stamm)).arg(++dateien_).arg(endung));
    }

    template <typename T> T* finde(const QObject& o, const char* name) const {
        T* t = o.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(t, nullptr) << name;
        return t;
    }
    void klicken(const QObject& o, const char* name) const {
        if (QPushButton* k = finde<QPushButton>(o, name)) k->click(); // nothing when disabled
    }
    void ausloesen(const char* name) const {
        if (QAction* a = finde<QAction>(w_, name)) a->trigger(); // nothing when disabled
    }

    // What saving the model would write now; empty without a map.
    QByteArray abdruck() {
        if (!d_.modell.plan_vorhanden) return {};
        const QString datei = pfad("abdruck.qls");
        EXPECT_TRUE(stadtplan_speichern(datei, d_.modell, {w_.stadtname(), w_.nord()}).gut());
        return lesen(datei);
    }

    void meldungen_schliessen() {
        for (QMessageBox* box : w_.findChildren<QMessageBox*>())
            if (box->isVisible()) box->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Something a user may do while a run, an export or a print is going.
    void waehrenddessen() {
        switch (wuerfel(0, 14)) {
        case 0:
            klicken(w_, "knopf_abbruch");
            break;
        case 1:
            QTest::keyClick(&w_, Qt::Key_Escape);
            break;
        case 2:
            klicken(w_, muenze() ? "knopf_zoom_rein" : "knopf_zoom_raus");
            break;
        case 3:
            klicken(w_, muenze() ? "knopf_vorschau_rechts" : "knopf_vorschau_links_oben");
            break;
        case 4:
            vorschau_klicken();
            break;
        case 5:
            ausloesen(muenze() ? "menue_deutsch" : "menue_englisch");
            break;
        case 6:
            klicken(w_, "knopf_kennzeichnung");
            break;
        case 7:
            ausloesen("menue_farben");
            break;
        case 8: {
            // Loads, saves and prints are refused while busy.
            EXPECT_FALSE(w_.karte_laden_aus(pfad("kaputt.qls")));
            EXPECT_FALSE(w_.karte_speichern_als(pfad("waehrend.qls")));
            EXPECT_FALSE(w_.einstellungen_laden_aus(pfad("kaputt.qle")));
            EXPECT_FALSE(QFile::exists(pfad("waehrend.qls")));
            break;
        }
        case 9:
            klicken(w_, "knopf_start"); // disabled: no second run
            break;
        default:
            break; // most rounds the user waits
        }
    }

    // A run that ends by itself or is aborted after a random time.
    void lauf() {
        QLineEdit* startwert = finde<QLineEdit>(w_, "Text_Startwert");
        switch (wuerfel(0, 3)) {
        case 0:
            startwert->setText(QString::number(wuerfel(1, 100000)));
            break;
        case 1:
            startwert->clear();
            break;
        default:
            break;
        }
        // Often stopped at once, else after a while or not at all.
        const int grenze_ms = muenze(0.4) ? wuerfel(0, 60) : wuerfel(100, 1500);
        QElapsedTimer uhr;
        uhr.start();
        qint64 abbruch_ms = -1;
        QTimer runde;
        runde.setInterval(0);
        QObject::connect(&runde, &QTimer::timeout, [&] {
            if (!w_.laeuft()) return;
            if (w_.abbruch_angefordert()) {
                if (abbruch_ms < 0) abbruch_ms = uhr.elapsed();
                return;
            }
            if (uhr.elapsed() > grenze_ms) {
                klicken(w_, "knopf_abbruch");
                return;
            }
            if (muenze(0.2)) waehrenddessen();
        });
        runde.start();
        if (muenze(0.2))
            ausloesen("menue_stadtplan_neu");
        else
            klicken(w_, "knopf_start");
        runde.stop();
        ++zaehler[w_.letztes_laufende() == Laufende::fertig ? "runs finished" : "runs stopped"];
        EXPECT_FALSE(w_.laeuft());
        // An abort ends the run soon.
        if (abbruch_ms >= 0) {
            EXPECT_LT(uhr.elapsed() - abbruch_ms, 20000) << "abort took long";
        }
        if (w_.letztes_laufende() == Laufende::fertig) {
            EXPECT_TRUE(d_.modell.plan_vorhanden);
        }
    }

    void vorschau_klicken() {
        Vorschau* v = w_.vorschau();
        QTest::mouseClick(v, Qt::LeftButton, {},
                          QPoint(wuerfel(0, std::max(1, v->width() - 1)),
                                 wuerfel(0, std::max(1, v->height() - 1))));
    }

    // A load that fails leaves map, name, north and controls as they were.
    void kaputte_karte_laden() {
        const QByteArray vorher = abdruck();
        const bool plan = d_.modell.plan_vorhanden;
        const QString name = w_.stadtname();
        const int nord = w_.nord();
        const Steuerwerte s = w_.steuerwerte();
        const QString ziele[] = {pfad("kaputt.qls"), pfad("leer.qls"), pfad("fehlt.qls"),
                                 ordner_.path(), pfad("kaputt.qle")};
        const QString datei = ziele[wuerfel(0, 4)];
        EXPECT_FALSE(w_.karte_laden_aus(datei)) << datei.toStdString();
        ++zaehler["broken maps refused"];
        EXPECT_EQ(d_.modell.plan_vorhanden, plan);
        EXPECT_EQ(abdruck(), vorher) << "a failed load changed the map";
        EXPECT_EQ(w_.stadtname(), name);
        EXPECT_EQ(w_.nord(), nord);
        EXPECT_TRUE(w_.steuerwerte() == s);
        EXPECT_FALSE(w_.letzte_meldung().isEmpty());
    }

    // A saved map reads back into the window and saves to the same bytes.
    void karte_speichern_und_laden() {
        const QString a = neuer_pfad("karte", ".qls");
        if (!d_.modell.plan_vorhanden) {
            EXPECT_FALSE(w_.karte_speichern_als(a));
            EXPECT_FALSE(QFile::exists(a));
            return;
        }
        ASSERT_TRUE(w_.karte_speichern_als(a)) << w_.letzte_meldung().toStdString();
        gespeicherte_karten_.push_back(a);
        ++zaehler["maps saved"];
        if (muenze()) {
            ASSERT_TRUE(w_.karte_laden_aus(a)) << w_.letzte_meldung().toStdString();
            const QString b = neuer_pfad("karte", ".qls");
            ASSERT_TRUE(w_.karte_speichern_als(b));
            EXPECT_EQ(lesen(a), lesen(b)) << "save - load - save changed the map";
        }
    }

    void gute_karte_laden() {
        if (gespeicherte_karten_.empty()) return;
        const QString datei = gespeicherte_karten_[static_cast<std::size_t>(
            wuerfel(0, static_cast<int>(gespeicherte_karten_.size()) - 1))];
        ASSERT_TRUE(w_.karte_laden_aus(datei)) << w_.letzte_meldung().toStdString();
        EXPECT_TRUE(d_.modell.plan_vorhanden);
        EXPECT_EQ(abdruck(), lesen(datei)) << "a loaded map saves differently";
        ++zaehler["maps loaded"];
    }

    void einstellungen() {
        if (muenze()) {
            const QString datei = neuer_pfad("einstellungen", ".qle");
            ASSERT_TRUE(w_.einstellungen_speichern_als(datei)) << w_.letzte_meldung().toStdString();
            const Steuerwerte gespeichert = w_.steuerwerte();
            vorlage_waehlen();
            ASSERT_TRUE(w_.einstellungen_laden_aus(datei));
            EXPECT_TRUE(w_.steuerwerte() == gespeichert) << "settings did not load back";
        } else {
            const Steuerwerte vorher = w_.steuerwerte();
            const QString ziele[] = {pfad("kaputt.qle"), pfad("fehlt.qle"), pfad("kaputt.qls")};
            EXPECT_FALSE(w_.einstellungen_laden_aus(ziele[wuerfel(0, 2)]));
            EXPECT_TRUE(w_.steuerwerte() == vorher) << "a failed load changed the controls";
        }
    }

    void vorlage_waehlen() {
        QComboBox* c = finde<QComboBox>(w_, "Combo_Vorlagen");
        // Mostly the smaller towns, so that runs end within their time.
        const int i = muenze(0.7) ? wuerfel(0, 8) : wuerfel(0, c->count() - 1);
        c->setCurrentIndex(i);
        emit c->activated(i);
    }

    void steuerung_aendern() {
        if (muenze()) {
            // The number of buildings, mostly small.
            QComboBox* c = finde<QComboBox>(w_, "Combo_n_gebaude");
            c->setCurrentIndex(wuerfel(0, muenze(0.8) ? 5 : c->count() - 1));
            return;
        }
        const auto& schieber = w_.steuerwerte().schieber;
        const Schieberegler& r =
            schieber[static_cast<std::size_t>(wuerfel(0, static_cast<int>(schieber.size()) - 1))];
        if (QSlider* s = finde<QSlider>(w_, r.name.c_str())) s->setValue(wuerfel(r.min, r.max));
    }

    void exportieren() {
        klicken(w_, "knopf_bildexport");
        QPointer<Bildexport> d = w_.findChild<Bildexport*>("Bildexport");
        if (!d_.modell.plan_vorhanden) return;
        ASSERT_TRUE(d && d->isVisible());
        finde<QComboBox>(*d, "Combo_Matrix")->setCurrentIndex(wuerfel(0, 1));
        finde<QComboBox>(*d, "Combo_Pixel")->setCurrentIndex(0); // 400
        if (muenze(0.3)) {
            klicken(*d, "knopf_nummerierung");
            if (auto* n = d->findChild<Bildexportnummerierung*>("Bildexportnummerierung")) {
                finde<QSlider>(*n, "regler_schriftgroesse")->setValue(wuerfel(0, 100));
                klicken(*n, "knopf_schliessen");
            }
        }
        const Bildformat formate[] = {Bildformat::png, Bildformat::bmp, Bildformat::svg};
        const Bildformat f = formate[wuerfel(0, 2)];
        const QString stamm = neuer_pfad("bild", "");
        const bool abbrechen = muenze(0.3);
        QTimer runde;
        runde.setInterval(0);
        QObject::connect(&runde, &QTimer::timeout, [&] {
            if (!w_.beschaeftigt()) return;
            if (abbrechen && !w_.abbruch_angefordert())
                klicken(w_, "knopf_abbruch");
            else if (muenze(0.05))
                waehrenddessen();
        });
        runde.start();
        const bool gut = d->exportieren_nach(stamm + bildformat_endung(f), f);
        runde.stop();
        const QString name = QFileInfo(stamm).fileName();
        const QStringList bilder =
            QDir(ordner_.path())
                .entryList({name + QStringLiteral(".*"), name + QStringLiteral("_*")}, QDir::Files);
        ++zaehler[gut ? "exports" : "exports stopped"];
        if (gut) {
            EXPECT_FALSE(bilder.isEmpty());
        } else {
            // A stopped matrix export keeps the pictures it had completed;
            // nothing half-written may be left.
            for (const QString& b : bilder)
                EXPECT_TRUE(b.endsWith(bildformat_endung(f))) << "left " << b.toStdString();
            if (f != Bildformat::svg) {
                for (const QString& b : bilder)
                    EXPECT_FALSE(QImage(ordner_.filePath(b)).isNull()) << b.toStdString();
            }
            if (d) d->close();
        }
    }

    void drucken() {
        // Mostly one sheet or 2 x 2, as the print menu offers them.
        if (muenze(0.3))
            ausloesen("menue_druck_2x2");
        else if (muenze(0.5))
            ausloesen("menue_druck_einseitig");
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        const QString datei = neuer_pfad("druck", ".pdf");
        drucker.setOutputFileName(datei);
        const bool abbrechen = muenze(0.3);
        QTimer runde;
        runde.setInterval(0);
        QObject::connect(&runde, &QTimer::timeout, [&] {
            if (w_.beschaeftigt() && abbrechen && !w_.abbruch_angefordert())
                klicken(w_, "knopf_abbruch");
        });
        runde.start();
        const bool gut = w_.drucken_auf(drucker);
        runde.stop();
        if (!d_.modell.plan_vorhanden) {
            EXPECT_FALSE(gut);
        }
        ++zaehler[gut ? "prints" : "prints stopped or refused"];
        // A section with no sheet marked prints nothing, and says nothing.
        const Druckoptionen& o = d_.druckoptionen;
        bool blatt = !o.ausschnitt_modus;
        for (int z = 1; z <= o.blaetter_je_seite; ++z)
            for (int sp = 1; sp <= o.blaetter_je_seite; ++sp)
                blatt = blatt || o.blatt_gewaehlt(z, sp) == 1;
        if (gut && blatt) {
            EXPECT_TRUE(lesen(datei).startsWith("%PDF-"));
        } else {
            EXPECT_FALSE(QFile::exists(datei)) << "a stopped print left its file";
        }
    }

    void dialog_oeffnen_und_schliessen() {
        switch (wuerfel(0, 5)) {
        case 0: {
            klicken(w_, "knopf_kennzeichnung");
            if (auto* k = w_.findChild<Kennzeichnung*>("Kennzeichnung")) {
                finde<QLineEdit>(*k, "Text_Numeriere_haeuser")
                    ->setText(QString::number(wuerfel(0, 300)));
                klicken(*k, muenze() ? "knopf_speichern" : "knopf_abbrechen");
            }
            break;
        }
        case 1: {
            ausloesen("menue_farben");
            if (auto* f = w_.findChild<Farben*>("Farben")) {
                f->farbe_setzen(wuerfel(2, n_druckfarben - 1), qRgb(wuerfel(0, 255), 40, 90));
                klicken(*f, muenze() ? "knopf_anwenden" : "knopf_standard_laden");
                if (muenze()) f->close();
            }
            break;
        }
        case 2: {
            const Druckfarben vorher = d_.farben;
            if (muenze()) {
                EXPECT_TRUE(w_.palette_oeffnen(pfad("gut.qlf")));
            } else {
                EXPECT_FALSE(w_.palette_oeffnen(pfad("kaputt.qlf")));
                EXPECT_EQ(d_.farben.farbe, vorher.farbe) << "a broken palette changed the colours";
            }
            if (auto* f = w_.findChild<Farben*>("Farben")) f->close();
            break;
        }
        case 3: {
            ausloesen("menue_druck_ausschnitt");
            if (auto* a = w_.findChild<Druckausschnitt*>("Druckausschnitt")) {
                // 2 x: four sheets at most, so that a print stays short.
                finde<QComboBox>(*a, "liste_vergroesserung")->setCurrentIndex(0);
                klicken(*a, muenze() ? "knopf_alle_markieren" : "knopf_alle_aus");
                // Command5 would open the print dialog.
                klicken(*a, muenze() ? "knopf_uebernehmen" : "knopf_abbruch");
            }
            break;
        }
        case 4: {
            const QString name = w_.stadtname();
            klicken(w_, "knopf_stadtname");
            if (auto* s = w_.findChild<Stadtname*>("Stadtname")) {
                klicken(*s, "knopf_neuer_versuch");
                const QString neu = s->name();
                if (muenze()) {
                    klicken(*s, "knopf_uebernehmen");
                    EXPECT_EQ(w_.stadtname(), neu.isEmpty() ? name : neu);
                } else {
                    klicken(*s, "knopf_abbruch");
                    EXPECT_EQ(w_.stadtname(), name);
                }
            }
            break;
        }
        default: {
            // Help buttons, the messages of the menus, the manual.
            const char* menues[] = {"menue_tos", "menue_druck_gebaeude_info", "menue_donate",
                                    "menue_updates", "menue_anleitung"};
            ausloesen(menues[wuerfel(0, 4)]);
            const QList<QToolButton*> hilfen =
                w_.findChildren<QToolButton*>(QRegularExpression("^hilfe_"));
            hilfen[wuerfel(0, static_cast<int>(hilfen.size()) - 1)]->click();
            if (auto* a = w_.findChild<QDialog*>("Anleitung")) a->close();
            break;
        }
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void ausfuehren(int art) {
        switch (art) {
        case 0:
        case 1:
        case 2:
        case 3:
            lauf();
            break;
        case 4:
            w_.lauf_abbrechen(); // nothing to abort
            klicken(w_, "knopf_abbruch");
            break;
        case 5:
        case 6:
            vorlage_waehlen();
            break;
        case 7:
            steuerung_aendern();
            break;
        case 8:
            kaputte_karte_laden();
            break;
        case 9:
            gute_karte_laden();
            break;
        case 10:
        case 11:
            karte_speichern_und_laden();
            break;
        case 12:
            einstellungen();
            break;
        case 13:
            exportieren();
            break;
        case 14:
            drucken();
            break;
        case 15: {
            const QString datei = neuer_pfad("karte", ".geojson");
            EXPECT_EQ(w_.geojson_exportieren_als(datei), d_.modell.plan_vorhanden);
            break;
        }
        case 16:
        case 17:
            klicken(w_, muenze() ? "knopf_zoom_rein" : "knopf_zoom_raus");
            break;
        case 18: {
            const char* pfeile[] = {"knopf_vorschau_links_oben",   "knopf_vorschau_oben",
                                    "knopf_vorschau_rechts_oben",  "knopf_vorschau_links",
                                    "knopf_vorschau_gesamt",       "knopf_vorschau_rechts",
                                    "knopf_vorschau_links_unten",  "knopf_vorschau_unten",
                                    "knopf_vorschau_rechts_unten", "knopf_neu_zeichnen"};
            klicken(w_, pfeile[wuerfel(0, 9)]);
            break;
        }
        case 19:
            vorschau_klicken();
            break;
        case 20:
            ausloesen(w_.sprache() == Sprache::deutsch ? "menue_englisch" : "menue_deutsch");
            break;
        case 21:
        case 22:
            dialog_oeffnen_und_schliessen();
            break;
        case 23: {
            const char* optionen[] = {"menue_druck_schnittmarken", "menue_druck_kompass",
                                      "menue_druck_kennzeichnung_haeuser",
                                      "menue_gebaeude_nur_umriss",
                                      "menue_druck_nummerierung_schriftgroesse_10"};
            ausloesen(optionen[wuerfel(0, 4)]);
            break;
        }
        case 24:
            w_.nord_setzen(wuerfel(-1, 11));
            break;
        case 25: {
            // A seed that is no number starts nothing.
            finde<QLineEdit>(w_, "Text_Startwert")->setText(QStringLiteral("abc"));
            klicken(w_, "knopf_start");
            EXPECT_FALSE(w_.laeuft());
            finde<QLineEdit>(w_, "Text_Startwert")->clear();
            break;
        }
        default:
            w_.stadtname_setzen(muenze() ? QStringLiteral("Öde, \"Stadt\"") : QString());
            break;
        }
    }

    // The window after a step: free, with the buttons of a free window.
    void pruefen() {
        EXPECT_FALSE(w_.beschaeftigt()) << "busy after the step";
        EXPECT_TRUE(finde<QPushButton>(w_, "knopf_start")->isEnabled());
        EXPECT_FALSE(finde<QPushButton>(w_, "knopf_abbruch")->isEnabled());
        EXPECT_TRUE(finde<QComboBox>(w_, "Combo_Vorlagen")->isEnabled());
        EXPECT_TRUE(finde<QLineEdit>(w_, "Text_Startwert")->isEnabled());
        for (const char* name :
             {"menue_stadtplan_laden", "menue_stadtplan_neu", "menue_stadteinstellungen_laden",
              "menue_stadteinstellungen_speichernunter"})
            EXPECT_TRUE(finde<QAction>(w_, name)->isEnabled()) << name;
        const bool plan = d_.modell.plan_vorhanden;
        for (const char* name : {"menue_stadtplan_speichern_unter", "menue_stadtplan_drucken",
                                 "menue_stadtplan_geojson"})
            EXPECT_EQ(finde<QAction>(w_, name)->isEnabled(), plan) << name;
        EXPECT_EQ(finde<QPushButton>(w_, "knopf_bildexport")->isEnabled(), plan);
        EXPECT_TRUE(finde<QPushButton>(w_, "knopf_zoom_rein")->isEnabled());
        EXPECT_TRUE(w_.vorschau()->isEnabled());
        const float zoom = w_.vorschau()->zoom();
        EXPECT_TRUE(zoom == 0.0f || (zoom >= 1.0f && zoom <= 10.0f)) << zoom;
        for (QDialog* d : w_.findChildren<QDialog*>())
            if (d->isVisible()) {
                EXPECT_TRUE(d->isEnabled()) << d->objectName().toStdString();
            }
    }

    std::mt19937_64 zufall_;
    QTemporaryDir ordner_;
    Programmdaten d_;
    Eingabe w_;
    std::string beschreibung_;
    int dateien_ = 0;
    std::vector<QString> gespeicherte_karten_;
};

TEST(Zufallsbedienung, FensterBleibtBedienbarUndNichtsGehtVerloren) {
    const auto start = static_cast<std::uint64_t>(umgebungszahl("TARVELLO_ZUFALL_START", 1));
    const long long folgen = umgebungszahl("TARVELLO_ZUFALL_FOLGEN", 3);
    const int schritte = static_cast<int>(umgebungszahl("TARVELLO_ZUFALL_SCHRITTE", 40));
    const double minuten = qEnvironmentVariable("TARVELLO_ZUFALL_MINUTEN").toDouble();
    QElapsedTimer uhr;
    uhr.start();
    long long gelaufen = 0;
    std::map<std::string, int> zaehler;
    for (long long i = 0; i < folgen; ++i) {
        if (minuten > 0 && static_cast<double>(uhr.elapsed()) > minuten * 60000.0) break;
        const std::uint64_t saat = start + static_cast<std::uint64_t>(i);
        SCOPED_TRACE("seed " + std::to_string(saat));
        {
            Bedienung b(saat);
            for (int s = 1; s <= schritte && !::testing::Test::HasFatalFailure(); ++s)
                b.schritt(s);
            if (!::testing::Test::HasFatalFailure()) b.abschliessen();
            for (const auto& [was, n] : b.zaehler)
                zaehler[was] += n;
        }
        ++gelaufen;
        if (::testing::Test::HasFailure()) break; // the first failing seed is the one to replay
    }
    std::printf("random use: %lld sequences of %d steps from seed %llu in %.1f s:", gelaufen,
                schritte, static_cast<unsigned long long>(start),
                static_cast<double>(uhr.elapsed()) / 1000.0);
    for (const auto& [was, n] : zaehler)
        std::printf(" %s %d,", was.c_str(), n);
    std::printf("\n");
    EXPECT_GE(gelaufen, 1);
}

} // namespace
