// Shared pieces of the file tests: reading and writing raw bytes, splitting
// a file into CR LF lines, a hand-built model holding every kind of element,
// a generated model, and a field-by-field comparison of two models.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/parameter.h"
#include "core/stadtmodell.h"
#include "core/uhr.h"
#include "core/vorlagen.h"
#include "core/wirt.h"
#include "core/zufall.h"
#include "generator/treiber.h"
#include "modellbau.h"
#include "testwirt.h"

namespace dateitest {

using namespace tarvello;

inline QByteArray lesen(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline void schreiben(const QString& datei, const QByteArray& inhalt) {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(inhalt), inhalt.size());
}

// Lines of a file that ends every line with CR LF; a bare LF or CR, or a
// last line without its end, fails the test.
inline std::vector<std::string> zeilen(const QByteArray& inhalt) {
    std::vector<std::string> z;
    std::string s = inhalt.toStdString();
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t e = s.find("\r\n", pos);
        if (e == std::string::npos) {
            ADD_FAILURE() << "last line has no CR LF";
            break;
        }
        std::string zeile = s.substr(pos, e - pos);
        if (zeile.find_first_of("\r\n") != std::string::npos)
            ADD_FAILURE() << "bare line end in line " << z.size() + 1;
        z.push_back(zeile);
        pos = e + 2;
    }
    return z;
}

inline QByteArray verbinden(const std::vector<std::string>& z) {
    std::string s;
    for (const auto& t : z)
        s += t + "\r\n";
    return QByteArray::fromStdString(s);
}

// Every kind of element, with values that a file holds exactly: negative
// coordinates, a way without points, round and rectangular buildings, an
// unplaced square, a wall with gaps and towers of both shapes and of none.
inline Stadtmodell handmodell(bool mit_mauer = true) {
    Stadtmodell m;
    m.dimensionieren(8, 50, 10, 2, 1);
    m.stadt_abmessung = 350;
    m.karten_faktor = 0.87f;
    m.weg_halbbreite_min = 0.5f;
    m.weg_halbbreite_max = 3.5f;
    m.n_nummer_wege = 2;
    m.n_nummer_haeuser = 3;
    m.n_nummer_plaetze = 1;
    m.n_nummer_parks = -1;

    weg_setzen(m, 1, 3.5f, true, {{-3.25f, 10.0f}, {100.5f, 120.75f}, {349.99f, 175.0f}});
    weg_setzen(m, 2, 1.25f, false, {{50.0f, 50.0f}, {60.0f, 55.5f}});
    weg_setzen(m, 3, 0.5f, false, {}); // a way without points
    m.wege[2].nummer = 1;
    m.wege[3].nummer = 2;
    m.n_fluesse = 1;

    Haus& a = m.haeuser[1];
    a.rund = 0;
    a.nummer = 1;
    const float ex[] = {0, 10, 14, 14, 10};
    const float ey[] = {0, 20, 20, 26, 26};
    for (int c = 1; c <= 4; ++c) {
        a.ecke_x[c] = ex[c];
        a.ecke_y[c] = ey[c];
    }
    Haus& b = m.haeuser[2];
    b.rund = 1;
    b.nummer = 2;
    b.x = 80.5f;
    b.y = 90.25f;
    b.breite = 2.75f;
    Haus& c = m.haeuser[3];
    c.rund = 0;
    c.nummer = -3;
    const float cx[] = {0, -1.5f, 1.5f, 1.5f, -1.5f};
    const float cy[] = {0, 300, 300, 309, 309};
    for (int k = 1; k <= 4; ++k) {
        c.ecke_x[k] = cx[k];
        c.ecke_y[k] = cy[k];
    }
    m.haus_naechster = 4;

    flaeche_setzen(m.plaetze[1], {{40, 40}, {70, 40}, {70, 60}, {40, 60}}, 0, 1.25f, 0);
    m.plaetze[1].nummer = 1;
    m.plaetze[2].nummer = 0; // not placed
    flaeche_setzen(m.parks[1], {{200, 200}, {220, 200}, {210, 230}}, 0, 0.015625f, 0);
    m.parks[1].nummer = 4;

    if (mit_mauer) {
        m.mauer_parameter = 1;
        m.mauer_vorhanden = true;
        m.mauer_dicke = 3.0f;
        m.mauer_n_punkte = 4;
        m.mauer_x = {0, 100, 250, 250, 100};
        m.mauer_y = {0, 100, 100, 250, 250};
        m.mauer_flag = {0, 1, 1, 0, 1};
        m.n_tuerme = 3;
        Turm& rund = m.tuerme[1];
        rund.art = 1;
        rund.form = 1;
        rund.mx = 100;
        rund.my = 100;
        rund.radius = 2.5f;
        Turm& eckig = m.tuerme[2];
        eckig.art = 2;
        eckig.form = 2;
        const float tx[] = {0, 248, 252, 252, 248};
        const float ty[] = {0, 98, 98, 102, 102};
        for (int k = 1; k <= 4; ++k) {
            eckig.x[static_cast<std::size_t>(k)] = tx[k];
            eckig.y[static_cast<std::size_t>(k)] = ty[k];
        }
        m.tuerme[3].art = 0;
        m.tuerme[3].form = 0; // a tower that was eroded away
    }
    m.plan_vorhanden = true;
    return m;
}

// A finished run of a preset with a fixed seed, with controls set on top
// (name, value as for --set).
inline Stadtmodell
generiert(int vorlage, std::uint64_t startwert,
          std::initializer_list<std::pair<const char*, const char*>> setzen = {}) {
    Steuerwerte s = start_steuerwerte();
    vorlage_anwenden(s, vorlage);
    for (const auto& [name, wert] : setzen)
        EXPECT_TRUE(s.setzen(name, wert).gut()) << name;
    Stadtmodell m;
    Testwirt wirt;
    wirt.frist(60);
    const Laufbericht b = stadtplan_erstellen({s, startwert, {}}, m, system_uhr(), wirt);
    EXPECT_EQ(b.ende, Laufende::fertig) << b.ergebnis().englisch();
    return m;
}

// Everything the map file holds, compared field by field.
inline ::testing::AssertionResult modelle_gleich(const Stadtmodell& a, const Stadtmodell& b) {
    std::string f;
    const auto pruefen = [&](bool gleich, const std::string& was) {
        if (!gleich && f.empty()) f = was;
    };
    pruefen(a.karten_faktor == b.karten_faktor, "karten_faktor");
    pruefen(a.stadt_abmessung == b.stadt_abmessung, "stadt_abmessung");
    pruefen(a.n_nummer_wege == b.n_nummer_wege && a.n_nummer_haeuser == b.n_nummer_haeuser &&
                a.n_nummer_plaetze == b.n_nummer_plaetze && a.n_nummer_parks == b.n_nummer_parks,
            "numbering counts");
    pruefen(a.n_wege == b.n_wege && a.n_fluesse == b.n_fluesse, "way counts");
    pruefen(a.weg_punkte_max == b.weg_punkte_max, "weg_punkte_max");
    pruefen(a.weg_halbbreite_min == b.weg_halbbreite_min &&
                a.weg_halbbreite_max == b.weg_halbbreite_max,
            "half-widths");
    for (int w = 1; w <= std::min(a.n_wege, b.n_wege) && f.empty(); ++w) {
        const Weg& x = a.wege[static_cast<std::size_t>(w)];
        const Weg& y = b.wege[static_cast<std::size_t>(w)];
        pruefen(x.ist_fluss == y.ist_fluss && x.n_punkte == y.n_punkte && x.breite == y.breite &&
                    x.nummer == y.nummer,
                "way " + std::to_string(w));
        for (int p = 1; p <= std::min(x.n_punkte, y.n_punkte); ++p)
            pruefen(x.px(p) == y.px(p) && x.py(p) == y.py(p),
                    "way " + std::to_string(w) + " point " + std::to_string(p));
    }
    pruefen(a.haus_naechster == b.haus_naechster, "building count");
    for (int i = 1; i < std::min(a.haus_naechster, b.haus_naechster) && f.empty(); ++i) {
        const Haus& x = a.haeuser[static_cast<std::size_t>(i)];
        const Haus& y = b.haeuser[static_cast<std::size_t>(i)];
        bool gleich = x.rund == y.rund && x.nummer == y.nummer;
        if (x.rund == 1) gleich = gleich && x.x == y.x && x.y == y.y && x.breite == y.breite;
        for (int c = 1; c <= 4 && x.rund == 0; ++c)
            gleich = gleich && x.ecke_x[c] == y.ecke_x[c] && x.ecke_y[c] == y.ecke_y[c];
        pruefen(gleich, "building " + std::to_string(i));
    }
    const auto flaechen = [&](const std::vector<Flaeche>& x, const std::vector<Flaeche>& y, int n,
                              const std::string& art) {
        for (int i = 1; i <= n && f.empty(); ++i) {
            const Flaeche& p = x[static_cast<std::size_t>(i)];
            const Flaeche& q = y[static_cast<std::size_t>(i)];
            bool gleich = p.nummer == q.nummer && p.n_punkte == q.n_punkte && p.wert == q.wert;
            for (int k = 1; k <= p.n_punkte && gleich; ++k)
                gleich = p.x[static_cast<std::size_t>(k)] == q.x[static_cast<std::size_t>(k)] &&
                         p.y[static_cast<std::size_t>(k)] == q.y[static_cast<std::size_t>(k)];
            pruefen(gleich, art + " " + std::to_string(i));
        }
    };
    pruefen(a.n_plaetze == b.n_plaetze && a.n_parks == b.n_parks, "area counts");
    if (f.empty()) flaechen(a.plaetze, b.plaetze, a.n_plaetze, "square");
    if (f.empty()) flaechen(a.parks, b.parks, a.n_parks, "park");
    pruefen(a.mauer_parameter == b.mauer_parameter && a.mauer_vorhanden == b.mauer_vorhanden,
            "wall flag");
    if (a.mauer_parameter == 1 && f.empty()) {
        pruefen(a.mauer_dicke == b.mauer_dicke && a.mauer_n_punkte == b.mauer_n_punkte &&
                    a.n_tuerme == b.n_tuerme,
                "wall");
        for (int i = 1; i <= std::min(a.mauer_n_punkte, b.mauer_n_punkte) && f.empty(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            pruefen(a.mauer_x[k] == b.mauer_x[k] && a.mauer_y[k] == b.mauer_y[k] &&
                        a.mauer_flag[k] == b.mauer_flag[k],
                    "wall point " + std::to_string(i));
        }
        for (int t = 1; t <= std::min(a.n_tuerme, b.n_tuerme) && f.empty(); ++t) {
            const Turm& x = a.tuerme[static_cast<std::size_t>(t)];
            const Turm& y = b.tuerme[static_cast<std::size_t>(t)];
            bool gleich = x.art == y.art && x.form == y.form;
            if (x.form == 1)
                gleich = gleich && x.mx == y.mx && x.my == y.my && x.radius == y.radius;
            if (x.form == 2)
                for (std::size_t c = 1; c <= 4; ++c)
                    gleich = gleich && x.x[c] == y.x[c] && x.y[c] == y.y[c];
            pruefen(gleich, "tower " + std::to_string(t));
        }
    }
    if (f.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "models differ in " << f;
}

} // namespace dateitest
