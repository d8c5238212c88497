#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <map>

#include "datei_hilfe.h"
#include "ergebnis_hilfe.h"
#include "files/geojson.h"

using namespace tarvello;
using namespace dateitest;

namespace {

// The hand-built model with a closed wall ring round (100..250)^2 that is
// open on its east side, a street through that opening and the river
// through it too (a river makes no gate).
Stadtmodell mit_tor() {
    Stadtmodell m = handmodell();
    m.mauer_x = {0, 100, 250, 250, 250, 100, 100};
    m.mauer_y = {0, 100, 100, 175, 250, 250, 100};
    m.mauer_flag = {0, 1, 1, 0, 1, 1, 1};
    m.mauer_n_punkte = 6;
    weg_setzen(m, 3, 2.0f, false, {{200, 140}, {300, 140}});
    m.wege[3].nummer = 7;
    return m;
}

class Geojson : public ::testing::Test {
  protected:
    QString pfad(const char* name) const { return dir_.filePath(name); }
    QJsonObject schreiben_lesen(const Stadtmodell& m, const Kartenkopf& k,
                                const Geoursprung& u = geoursprung_standard) {
        const Ergebnis e = geojson_speichern(pfad("karte.geojson"), m, k, u);
        EXPECT_TRUE(e.gut()) << e.englisch();
        QJsonParseError f{};
        const QJsonDocument d = QJsonDocument::fromJson(lesen(pfad("karte.geojson")), &f);
        EXPECT_EQ(f.error, QJsonParseError::NoError) << f.errorString().toStdString();
        return d.object();
    }
    QTemporaryDir dir_;
};

// Coordinates taken back to plane metres (y up the map) by the rule the
// file states, to the millimetre; whole metres as JSON integers.
QJsonArray meter(const QJsonObject& g, const QJsonArray& a) {
    const QJsonObject t = g["tarvello"].toObject();
    if (!a.isEmpty() && a[0].isDouble()) {
        const double halb = t["size"].toDouble() / 2;
        const double x = halb + (a[0].toDouble() - t["origin"][0].toDouble()) *
                                    t["metres_per_degree_longitude"].toDouble();
        const double y = halb + (a[1].toDouble() - t["origin"][1].toDouble()) *
                                    t["metres_per_degree_latitude"].toDouble();
        QJsonArray p;
        for (const double v : {x, y}) {
            const double mm = std::round(v * 1000) / 1000;
            if (mm == std::round(mm))
                p.append(static_cast<qint64>(mm));
            else
                p.append(mm);
        }
        return p;
    }
    QJsonArray b;
    for (const QJsonValue v : a)
        b.append(meter(g, v.toArray()));
    return b;
}

// Signed area of a closed ring (positive: anticlockwise).
double flaeche_von(const QJsonArray& ring) {
    double a = 0;
    for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
        const QJsonArray p = ring[i].toArray(), q = ring[i + 1].toArray();
        a += p[0].toDouble() * q[1].toDouble() - q[0].toDouble() * p[1].toDouble();
    }
    return a / 2;
}

} // namespace

TEST_F(Geojson, JedeArtMitIhrenWertenAufDerEbene) {
    const QJsonObject g =
        schreiben_lesen(mit_tor(), {QString::fromUtf8("Süd \"Alt\""), 3}, {45.0, 7.0});
    EXPECT_EQ(g["type"].toString(), "FeatureCollection");
    EXPECT_EQ(g["name"].toString(), QString::fromUtf8("Süd \"Alt\""));
    EXPECT_EQ(g["size"].toDouble(), 350.0);
    EXPECT_EQ(g["tarvello"]["units"].toString(), "m");
    EXPECT_EQ(g["tarvello"]["north_degrees_anticlockwise_from_y"].toInt(), 90);
    // Degrees about the origin, true to the metre: at 45 degrees north a
    // degree of latitude is 111131.75 m and one of longitude 78846.81 m
    // (the usual series for the WGS 84 ellipsoid).
    EXPECT_EQ(g["tarvello"]["origin"].toArray(), (QJsonArray{7, 45}));
    EXPECT_NEAR(g["tarvello"]["metres_per_degree_latitude"].toDouble(), 111131.75, 0.1);
    EXPECT_NEAR(g["tarvello"]["metres_per_degree_longitude"].toDouble(), 78846.81, 0.1);
    const QJsonArray ausdehnung = g["tarvello"]["extent"].toArray();
    EXPECT_EQ(meter(g, {ausdehnung[0], ausdehnung[1]}), (QJsonArray{0, 0}));
    EXPECT_EQ(meter(g, {ausdehnung[2], ausdehnung[3]}), (QJsonArray{350, 350}));

    std::map<QString, std::vector<QJsonObject>> arten;
    for (const QJsonValue v : g["features"].toArray()) {
        QJsonObject roh = v.toObject();
        QJsonObject geometrie = roh["geometry"].toObject();
        geometrie["coordinates"] = meter(g, geometrie["coordinates"].toArray());
        roh["geometry"] = geometrie;
        const QJsonObject f = roh;
        EXPECT_EQ(f["type"].toString(), "Feature");
        arten[f["properties"]["kind"].toString()].push_back(f);
        // Every polygon ring closed and anticlockwise on the plane.
        if (f["geometry"]["type"].toString() == "Polygon") {
            const QJsonArray ring = f["geometry"]["coordinates"][0].toArray();
            ASSERT_GE(ring.size(), 4);
            EXPECT_EQ(ring.first(), ring.last());
            EXPECT_GT(flaeche_von(ring), 0.0) << f["properties"]["kind"].toString().toStdString();
        }
    }
    // Buildings 1-3; towers 1 and 2 (3 was eroded); the empty way draws nothing.
    EXPECT_EQ(arten["building"].size(), 3u);
    EXPECT_EQ(arten["tower"].size(), 2u);
    EXPECT_EQ(arten["river"].size(), 1u);
    EXPECT_EQ(arten["street"].size(), 2u);
    for (const char* art : {"square", "park", "wall", "gate"})
        EXPECT_EQ(arten[art].size(), 1u) << art;

    const auto art = [&](const char* name, std::size_t i) -> const QJsonObject& {
        return arten[name][i];
    };
    // y runs up the map: map (50, 50) - (60, 55.5) on a 350 m map.
    const QJsonObject strasse = art("street", 0);
    EXPECT_EQ(strasse["geometry"]["coordinates"].toArray(),
              (QJsonArray{QJsonArray{50, 300}, QJsonArray{60, 294.5}}));
    EXPECT_EQ(strasse["properties"]["width"].toDouble(), 1.25);
    EXPECT_EQ(strasse["properties"]["number"].toInt(), 1);
    EXPECT_FALSE(strasse["properties"]["river"].toBool());
    EXPECT_TRUE(art("river", 0)["properties"]["river"].toBool());
    EXPECT_EQ(art("river", 0)["properties"]["width"].toDouble(), 3.5);
    EXPECT_FALSE(art("river", 0)["properties"].toObject().contains("number"));
    EXPECT_EQ(art("square", 0)["properties"]["number"].toInt(), 1);
    EXPECT_EQ(art("park", 0)["properties"]["number"].toInt(), 4);

    // The round building: a 16-gon of radius width / 2 round its centre.
    const QJsonObject rund = art("building", 1);
    EXPECT_TRUE(rund["properties"]["round"].toBool());
    EXPECT_EQ(rund["properties"]["radius"].toDouble(), 1.375);
    const QJsonArray kreis = rund["geometry"]["coordinates"][0].toArray();
    EXPECT_EQ(kreis.size(), 17);
    for (const QJsonValue p : kreis)
        EXPECT_NEAR(std::hypot(p[0].toDouble() - 80.5, p[1].toDouble() - (350 - 90.25)), 1.375,
                    0.002);
    EXPECT_FALSE(art("building", 0)["properties"]["round"].toBool());

    // The wall: the drawn stretches only, the opening east left out.
    EXPECT_EQ(
        art("wall", 0)["geometry"]["coordinates"].toArray(),
        (QJsonArray{QJsonArray{QJsonArray{100, 250}, QJsonArray{250, 250}},
                    QJsonArray{QJsonArray{250, 100}, QJsonArray{100, 100}, QJsonArray{100, 250}}}));
    EXPECT_EQ(art("tower", 0)["geometry"]["type"].toString(), "Point");
    EXPECT_EQ(art("tower", 0)["properties"]["radius"].toDouble(), 2.5);
    EXPECT_EQ(art("tower", 1)["geometry"]["type"].toString(), "Polygon");
    // The gate where the street crosses the opening, not where the river does.
    const QJsonObject tor = art("gate", 0);
    EXPECT_EQ(tor["geometry"]["coordinates"].toArray(), (QJsonArray{250, 210}));
    EXPECT_EQ(tor["properties"]["street"].toInt(), 7);
    EXPECT_EQ(tor["properties"]["opening"].toDouble(), 150.0);
}

TEST_F(Geojson, FehlerLassenDieAlteDateiStehen) {
    const Stadtmodell m = mit_tor();
    ASSERT_TRUE(geojson_speichern(pfad("alt.geojson"), m, {}).gut());
    const QByteArray alt = lesen(pfad("alt.geojson"));
    // A town without a name still gives its layer one.
    EXPECT_EQ(QJsonDocument::fromJson(alt)["name"].toString(), "tarvello");

    Stadtmodell kaputt = m;
    kaputt.haeuser[2].x = NAN;
    Ergebnis e = geojson_speichern(pfad("alt.geojson"), kaputt, {});
    ASSERT_FALSE(e.gut());
    EXPECT_EQ(e.art(), Fehlerart::datei);
    EXPECT_NE(e.englisch().find("alt.geojson: not written: a value of building 2 is not a finite"),
              std::string::npos)
        << e.englisch();
    EXPECT_NE(e.deutsch().find("Gebäude 2 ist keine endliche Zahl"), std::string::npos);
    EXPECT_EQ(lesen(pfad("alt.geojson")), alt);

    for (const auto stoerung : {Stoerdateisystem::Stoerung::beim_schreiben,
                                Stoerdateisystem::Stoerung::beim_uebernehmen}) {
        Stoerdateisystem fs(stoerung, 100);
        e = geojson_speichern(pfad("alt.geojson"), mit_tor(), {"Neu", 0}, geoursprung_standard, fs);
        ASSERT_FALSE(e.gut());
        EXPECT_NE(e.englisch().find("alt.geojson"), std::string::npos) << e.englisch();
        EXPECT_EQ(lesen(pfad("alt.geojson")), alt);
    }

    Stadtmodell leer;
    EXPECT_EQ(geojson_speichern(pfad("alt.geojson"), leer, {}).art(), Fehlerart::kein_plan);
    EXPECT_EQ(lesen(pfad("alt.geojson")), alt);
}
