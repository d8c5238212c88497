// Every kind of file the program writes, through the file system seam: a
// disk that fills up or a rename that fails, and an abort while a picture or
// a PDF is being finished.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "core/status.h"
#include "core/steuerwerte.h"
#include "core/wirt.h"
#include "files/einstellungsdatei.h"
#include "files/ergebnis_hilfe.h"
#include "files/farbspeicher.h"
#include "files/geojson.h"
#include "files/kartendatei.h"
#include "render/druckausgabe.h"
#include "render_hilfe.h"
#include "testwirt.h"

using namespace tarvello;
using dateitest::Stoerdateisystem;

namespace {

QByteArray inhalt(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
}

struct Art {
    const char* endung;
    std::function<Ergebnis(const QString&, Dateisystem&)> schreiben;
};

struct Ausgaben {
    Stadtmodell m = testhilfe::kleine_stadt();
    Druckfarben f = Druckfarben::standard();
    Druckoptionen o;
    Kartenkopf kopf;
    Steuerwerte s;

    Ausgaben() {
        m.plan_vorhanden = true;
        o.export_pixel = 300;
    }
    Zeichenauftrag auftrag(Wirt* wirt = nullptr) {
        return Zeichenauftrag{m, f, o, Bildausschnitt{}, wirt};
    }
    Ergebnis bild(Bildformat format, const QString& datei, Dateisystem& fs, Wirt* wirt = nullptr) {
        return bilder_exportieren(auftrag(wirt), {{format, datei}}, fs);
    }
    std::vector<Art> arten() {
        return {
            {"qls",
             [&](auto& d, auto& fs) { return stadtplan_speichern(d, m, kopf, nullptr, fs); }},
            {"qle", [&](auto& d, auto& fs) { return einstellungen_speichern(d, s, fs); }},
            {"qlf", [&](auto& d, auto& fs) { return palette_speichern(d, f, fs); }},
            {"geojson",
             [&](auto& d, auto& fs) {
                 return geojson_speichern(d, m, kopf, geoursprung_standard, fs);
             }},
            {"png", [&](auto& d, auto& fs) { return bild(Bildformat::png, d, fs); }},
            {"bmp", [&](auto& d, auto& fs) { return bild(Bildformat::bmp, d, fs); }},
            {"svg", [&](auto& d, auto& fs) { return bild(Bildformat::svg, d, fs); }},
            {"pdf",
             [&](auto& d, auto& fs) {
                 return pdf_drucken(auftrag(), d, QPageSize(QPageSize::A4), fs);
             }},
        };
    }
};

} // namespace

// A disk that takes nothing, half the file, or all but its last byte, and a
// rename that fails: each kind reports a file fault naming the file and the
// system's reason, keeps the old file byte for byte and leaves nothing
// beside it. The writers of pictures and PDFs do not look at their writes
// themselves; the output must.
TEST(Ausgabefehler, JedeArtBehaeltBeiVollerPlatteDieAlteDatei) {
    using S = Stoerdateisystem::Stoerung;
    Ausgaben a;
    for (const Art& art : a.arten()) {
        SCOPED_TRACE(art.endung);
        QTemporaryDir dir;
        const QString probe = dir.filePath(QStringLiteral("probe.%1").arg(art.endung));
        Stoerdateisystem gesund(S::beim_schreiben, INT64_MAX);
        const Ergebnis gut = art.schreiben(probe, gesund);
        ASSERT_TRUE(gut.gut()) << gut.englisch();
        const qint64 groesse = inhalt(probe).size();
        ASSERT_GT(groesse, 2);
        QFile::remove(probe);

        const QString datei = dir.filePath(QStringLiteral("alt.%1").arg(art.endung));
        const QByteArray alt = "alter Inhalt\r\n";
        const struct {
            S stoerung;
            qint64 bytes;
            const char* grund;
        } faelle[] = {
            {S::beim_schreiben, 0, "No space left on device"},
            {S::beim_schreiben, groesse / 2, "No space left on device"},
            {S::beim_schreiben, groesse - 1, "No space left on device"},
            {S::beim_uebernehmen, 0, "Input/output error"},
        };
        for (const auto& fall : faelle) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(fall.stoerung) << " after "
                                            << fall.bytes << " of " << groesse);
            {
                QFile f(datei);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(alt);
            }
            Stoerdateisystem fs(fall.stoerung, fall.bytes);
            const Ergebnis e = art.schreiben(datei, fs);
            ASSERT_EQ(e.art(), Fehlerart::datei);
            for (Sprache s : {Sprache::deutsch, Sprache::englisch}) {
                EXPECT_TRUE(qtext(e, s).contains(datei)) << e.text(s);
                EXPECT_TRUE(qtext(e, s).contains(fall.grund)) << e.text(s);
            }
            EXPECT_EQ(inhalt(datei), alt);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList{QFileInfo(datei).fileName()});
        }
    }
}

// A host that asks to stop once the drawing is done: while the pictures are
// encoded and saved, or the PDF document is ended. Nothing is written, the
// old file stays, and no temporary file is left.
TEST(Ausgabefehler, AbbruchBeimFertigstellenSchreibtNichts) {
    Ausgaben a;
    const struct {
        Bildformat format;
        Zielart art;
    } bilder[] = {{Bildformat::png, Zielart::bild},
                  {Bildformat::bmp, Zielart::bild},
                  {Bildformat::svg, Zielart::vektor}};
    for (const auto& b : bilder) {
        SCOPED_TRACE(bildformat_endung(b.format).toStdString());
        // The yields of the drawing alone, on a target that saves nothing.
        Testwirt zaehler;
        testhilfe::Testziel ziel(300, 300, b.art);
        ASSERT_TRUE(stadtplan_zeichnen(a.auftrag(&zaehler), ziel).gut());

        QTemporaryDir dir;
        const QString datei = dir.filePath("alt" + bildformat_endung(b.format));
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("alt");
        f.close();
        Testwirt wirt;
        wirt.abbruch_bei = zaehler.nachgaben + 1;
        EXPECT_EQ(a.bild(b.format, datei, echtes_dateisystem(), &wirt).art(), Fehlerart::abbruch);
        EXPECT_EQ(wirt.nachgaben, zaehler.nachgaben + 1);
        EXPECT_EQ(inhalt(datei), QByteArray("alt"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        // One yield later the picture is written.
        Testwirt spaeter;
        spaeter.abbruch_bei = zaehler.nachgaben + 2;
        EXPECT_TRUE(a.bild(b.format, datei, echtes_dateisystem(), &spaeter).gut());
        EXPECT_NE(inhalt(datei), QByteArray("alt"));
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("karte.pdf");
    a.o.blaetter_je_seite = 2;
    Testwirt wirt;
    wirt.abbruch_nach = Statusart::druck_fertig;
    EXPECT_EQ(pdf_drucken(a.auftrag(&wirt), pdf).art(), Fehlerart::abbruch);
    EXPECT_GE(wirt.wo("City Map Printed!"), 0);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
