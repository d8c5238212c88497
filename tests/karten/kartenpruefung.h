// Map checker: counts on a finished map what a reader sees as plainly wrong,
// measured on the shapes the renderer draws (a way's body is its segments
// swept by the drawn half-width, a building its corner polygon or disc, a
// tower its square or disc, the wall its segments between two wall points).
// It works on the model alone, so it serves saved maps and maps generated in
// process alike, and it shares no geometry code with the generator.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/stadtmodell.h"
#include "core/steuerwerte.h"

namespace tarvello {

// Each kind counts elements, each once: buildings, towers, street points or
// street segments (a pair of buildings counts as the later one).
enum class Kartenfehler {
    haus_auf_strasse,       // building outline overlaps a street's body
    haus_im_fluss,          // building outline overlaps a river's body
    haus_auf_turm,          // building overlaps a standing tower
    turm_auf_strasse,       // standing tower overlaps a street's body
    turm_im_fluss,          // standing tower overlaps a river's body
    turm_auf_haus,          // standing tower overlaps a building
    strassenpunkt_im_fluss, // street point (the centre line) inside a river's body
    strecke_im_fluss,       // street segment entering a river's body without crossing it
    strecke_durch_mauer,    // street segment crossing a drawn wall segment
    haus_auf_haus,          // building overlaps an earlier one other than its row predecessor
    reihe_auf_vorgaenger,   // row member overlaps its predecessor beyond touching
    reihe_deckt_vorgaenger, // row member and predecessor share over half the smaller one's area
};
inline constexpr int n_fehlerarten = 12;
// Short name for reports, e.g. "house_street".
const char* fehlerart_name(Kartenfehler a);

// What a reader of the whole map finds amiss, beyond single overlaps. Each
// kind counts as its comment says.
enum class Kartenmangel {
    abseits,             // map whose town (buildings, wall, squares) is off the map's centre
    mauer_ueber_fluss,   // run of drawn wall segments over a river's body
    ohne_tor,            // walled map with streets where no street passes the ring
    einsamer_turm,       // standing tower away from every drawn wall segment
    kehrt_um,            // street turning back by over 120 degrees three times or more
    fluss_endet_im_feld, // river end inside the map, on no other river, of a short river
    strasse_endet_kurz,  // street end in open land, short of the map edge
    bruecke_ins_nichts,  // bridge whose street ends soon beyond a bank
};
inline constexpr int n_mangelarten = 8;
// Short name for reports, e.g. "off_centre".
const char* mangelart_name(Kartenmangel a);

// How the shapes are measured.
struct Pruefmass {
    // Drawn half-width of a way's body per unit of its weg_breite. Pictures
    // stroke the rim pass 0.55 x weg_breite / 2 x linienfaktor pixels wide,
    // and linienfaktor approaches 2.2 pixels per metre (floor(2.2 x scale) + 1),
    // so at any zoom the body reaches at least 0.3025 x weg_breite from the
    // centre line (a whole map on 1500 px: about 0.32; print, where the
    // pen follows karten_faktor: about 0.59 x karten_faktor).
    double weg_faktor = 0.3025;
    // Overlaps deeper than this count; the map file keeps 0.01 m, so shapes
    // that touch may overlap by rounding. Also the distance within which a
    // row member's pivot corner counts as its predecessor's corner.
    double toleranz = 0.02;
    // Drawn discs (round buildings, round towers) are rings up to r - 0.2
    // with a pen of about 0.22 m: the disc reaches r - this.
    double scheibe_abzug = 0.1;
    int beispiele_max = 5;
    // The town's extent may lie off the map's centre by this share of the
    // half side.
    double mitte_anteil = 0.05;
    // A free river end is fine on a river at least this long (a brook),
    // and this share of the map side when that is longer.
    double bach_laenge = 60.0, bach_anteil = 0.05;
    // A street end with no building this near is in open land.
    double freiland = 25.0;
    // A bridge's street goes on at least this far beyond each bank.
    double brueckenrest = 15.0;
    // Points this near the map's border lie on it.
    double randnaehe = 0.5;
};

// One fault, to zoom at: the element (building, tower or street), the other
// element or the point/segment index involved, the place, and the depth of
// the overlap in metres (0 where there is none, e.g. a crossing); for two
// buildings also the share of the smaller one's area the two have in common.
struct Fundstelle {
    int element = 0;
    int partner = 0;
    double x = 0, y = 0;
    double tiefe = 0;
    double anteil = 0;
};

struct Kartenbefund {
    std::array<int, n_fehlerarten> anzahl{};
    std::array<std::vector<Fundstelle>, n_fehlerarten> beispiele;
    // Street segments crossing a river's centre line: the bridges drawn
    // (a crossing within the round end of a river that ends there is none).
    int bruecken = 0;
    std::vector<Fundstelle> bruecken_orte; // up to beispiele_max
    // Bridges the run reported (-1 when the map was not generated here).
    int bruecken_gemeldet = -1;
    // Streets with a segment through the drawn wall (each crossing is a fault).
    int strassen_durch_mauer = 0;
    int gebaeude = 0, tuerme = 0, strassen = 0, fluesse = 0;
    // Buildings hung on their predecessor's corner 1 or 4: row members. The
    // map marks no rows; a row member is made by turning it about the corner
    // it shares with its predecessor (its corner 2 on the predecessor's
    // corner 1, or its corner 3 on corner 4), so the shared corner tells.
    int reihenglieder = 0;

    std::array<int, n_mangelarten> maengel{};
    std::array<std::vector<Fundstelle>, n_mangelarten> mangel_beispiele;
    // Offset of the town's extent from the map centre, as a share of the half side.
    double mitte_versatz = 0;

    int operator[](Kartenfehler a) const { return anzahl[static_cast<std::size_t>(a)]; }
    int operator[](Kartenmangel a) const { return maengel[static_cast<std::size_t>(a)]; }
    int fehler_gesamt() const;
};

Kartenbefund karte_pruefen(const Stadtmodell& m, const Pruefmass& mass = {});

// Generates a map from the control states `s` with seed `startwert` in
// process as `tarvello generate --seed S` does, and checks it; the run's
// reported bridge count is filled in. `fertig` (optional) tells whether the
// run finished a map.
Kartenbefund steuerwerte_pruefen(const Steuerwerte& s, std::uint64_t startwert,
                                 const Pruefmass& mass = {}, bool* fertig = nullptr);
// The same for preset `vorlage` (`tarvello generate --preset P --seed S`).
Kartenbefund vorlage_pruefen(int vorlage, std::uint64_t startwert, const Pruefmass& mass = {},
                             bool* fertig = nullptr);

// One line of counts, "house_street=0 house_river=2 ... bridges=5 off_centre=0 ...".
std::string befund_zeile(const Kartenbefund& b);

} // namespace tarvello
