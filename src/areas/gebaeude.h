// Building placement: one building at a time beside a random street point or
// attached to the previous building so that rows of houses form. Each
// candidate is tested against the ways, the wall, the squares, the parks and
// the buildings placed so far, and kept or thrown away.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "areas/ankerwahl.h"
#include "core/lauf.h"
#include "geometry/geometrie.h"
#include "geometry/punktraster.h"

namespace tarvello {

// Consecutive rejected candidates after which the stage gives up and keeps
// the buildings placed so far. Only a safety net: the stage ends as soon as
// no anchor is left in play, long before.
inline constexpr int gebaeude_kandidaten_max = 100000;

// Refusals in a row after which an anchor leaves the draw: its spot has no
// room for any size, angle or distance the draw still makes.
inline constexpr int anker_absagen_max = 12;

// A piece of a way's segment, no longer than its grid's stueck_max: the
// street test looks up pieces by their middles.
struct Wegstueck {
    float x1, y1, x2, y2;
    float h; // half of the way's weg_breite
};

// What the overlap test reads of a kept building, kept in the building grid:
// a rectangle's corners 1..4 at 0..3. A round one is looked up in the model.
// For a round one, x[0], y[0] hold its centre and x[1] its radius.
struct Hauseintrag {
    std::int32_t nummer;
    std::uint8_t rund;
    std::array<float, 4> x, y;
};

// What the stage reads of the ways, the wall and its towers again and again;
// none of them changes while buildings are placed. The grids let each test
// look only at what lies near a candidate.
struct Stufendaten {
    std::vector<Punktrahmen> rahmen; // per way
    Punktfeld strassenpunkte;        // every point of every street
    Punktfeld flusspunkte;           // every point of every river
    Punktfeld mauerpunkte;           // wall points that carry wall
    float h_strassen_max = 0;        // largest half of a street's weg_breite
    float h_fluesse_max = 0;         // the same for rivers
    // Every segment of every way in pieces, by their middles.
    Zellenfeld<Wegstueck> strassenstuecke, flussstuecke;
    float stueck_strassen_max = 0, stueck_fluesse_max = 0; // longest piece
    Rahmenraster tuerme;                                   // boxes of the standing towers
    Rahmenfeld<Hauseintrag> haeuser;                       // the kept buildings
};
Stufendaten stufendaten_bilden(const Stadtmodell& m);
// Enters a kept building into the stage's building grid.
void haus_eintragen(Stufendaten& d, const Stadtmodell& m, int b);
// Overlap of the candidate (already stored as building b with its box) with
// any kept building 1..letzter.
bool haeuser_kollision(const Stadtmodell& m, const Stufendaten& d, int b, const Ecken& ex,
                       const Ecken& ey, int letzter);

// What the stage carries from one building to the next. A fresh state (or
// m.haus_naechster == 1) starts a new stage.
struct Gebaeudestufe {
    // The row of houses being continued.
    bool reihe_aktiv = false;
    std::uint8_t reihe_seite = 0; // side of the street of the last free rectangle
    float reihe_a = 0, reihe_verhaeltnis = 1;
    float vorher_ecke1_x = 0, vorher_ecke1_y = 0, vorher_ecke4_x = 0, vorher_ecke4_y = 0;
    float vorher_winkel = 0; // direction of the last building (corner 2 to 1)
    // The building being placed may overlap others (the avoidance skips it).
    bool ueberlappung_frei = false;

    // Giving up: rejected candidates in a row allowed (tests lower it).
    int kandidaten_max = gebaeude_kandidaten_max;

    // Figures of this stage, for tests and reports.
    long long kandidaten = 0;     // candidates tested
    long long laengste_folge = 0; // most rejected candidates in a row before a kept one
    int reihenglieder = 0;        // kept buildings that continue a row
    bool aufgegeben = false;      // the stage ended on kandidaten_max or for lack of streets

    // Bookkeeping: which run and building this state belongs to.
    const Lauf* lauf = nullptr;
    std::int32_t naechster = 0;
    long long folge = 0; // rejected candidates since the last kept building
    Stufendaten daten;
    // The anchors: a street point (the segment to the next point) and a
    // side of the street, 2 k + side for street point k of the tables below.
    // A free candidate is drawn beside an anchor still in play, with the
    // weight the draw of a random street, then a random point of it, then
    // the preference for the core gives. An anchor leaves the draw when a
    // building covers its frontage or after anker_absagen_max refusals in a
    // row; when none is left the town is full.
    Ankerwahl ankerwahl;
    std::vector<std::uint8_t> anker_absagen; // refusals in a row, per anchor
    float front_tiefe = 0;                   // depth of an anchor's frontage from the street's edge
    float front_breite = 0;                  // half its width along the street
    float abstand_max = 1;                   // largest factor of a candidate's distance
    // Per street point k: its coordinates, the direction of the segment
    // k -> k + 1 and the way's breite.
    struct Ankerpunkt {
        float x = 0, y = 0;
        float winkel = 0;
        float breite = 0;
    };
    std::vector<Ankerpunkt> ankerpunkte;
    // Per way: its point 0 in the tables above, keine_anker for rivers.
    std::vector<std::uint32_t> weg_anfang;
    static constexpr std::uint32_t keine_anker = 0xFFFFFFFFu;
};

// Places building m.haus_naechster (does not advance haus_naechster).
// Returns false when no further building can be placed or the run is
// aborted; the building loop then ends with the buildings placed so far.
bool haus_platzieren(Lauf& l, Gebaeudestufe& stufe);

#ifdef TARVELLO_KANDIDATEN_LOG
// Only with the CMake option TARVELLO_KANDIDATEN_LOG, for
// bench/kandidatenschranke.sh: records what turned each candidate down, or
// replays those outcomes instead of running the tests, which times the stage
// as if its tests were free.
struct Kandidatenlog {
    enum class Modus { aus, aufnehmen, abspielen };
    Modus modus = Modus::aus;
    std::vector<std::uint8_t> sperren; // per candidate tested, in order
    std::size_t stelle = 0;            // next outcome to replay
};
Kandidatenlog& kandidatenlog();
#endif

// Parts of the stage, open for tests.

// A candidate: shape, centre, sizes a and b and the corners 1..4.
struct Kandidat {
    std::uint8_t rund = 0;
    float x = 0, y = 0;
    float a = 0, b = 0;
    Ecken ex{}, ey{};
};

// The sides of a free rectangle around the drawn size a0, before any turn:
// b is a0 times a ratio in [1, v), and with chance v / 10 a is b over
// another such ratio, else a0; only pairs with both strictly inside
// (lo, hi) are taken. Nothing when no pair fits.
struct Seitenpaar {
    float a = 0, b = 0;
};
std::optional<Seitenpaar> seiten_paar(float a0, float v, float lo, float hi, Zufall& z);

// Street test against every way (streets and rivers): true when the
// candidate's outline comes nearer than half a way's weg_breite to one of its
// segments (or covers it).
bool weg_kollision(Lauf& l, const Kandidat& k, const Stufendaten& d);
// Tower test: the candidate overlaps a standing tower of the wall.
bool turm_kollision(const Stadtmodell& m, const Kandidat& k, const Stufendaten& d);
// Wall test: a corner (a round building: the centre) nearer than
// haus_gxy_max + Mauer_Dicke to a wall point that carries wall.
bool mauer_kollision(Lauf& l, const Kandidat& k, const Stufendaten& d);
// Whether the quadrilateral (corners 1..4) overlaps a kept building.
bool viereck_trifft_haeuser(const Stufendaten& d, const Ecken& ex, const Ecken& ey);
// Square and park tests: true when the candidate is barred from the areas
// and stands on one of them.
bool plaetze_kollision(Lauf& l, const Kandidat& k);
bool parks_kollision(Lauf& l, const Kandidat& k);

// The nearest way as naechster_weg finds it, from the stage's point grids.
NaechsterWeg naechster_weg_raster(const Stadtmodell& m, const Stufendaten& d, float x, float y);

// Direction of the way at the point naechster_weg found, for a row member:
// the mean direction there, the last segment's at a way's last point, and
// nothing when no way was found or it has no segment.
std::optional<float> reihen_richtung(const Stadtmodell& m, const NaechsterWeg& n);

} // namespace tarvello
