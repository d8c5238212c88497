// The German words of the value descriptions the map and palette files use
// in their messages (Was), looked up by the English words the readers and
// writers name them with.
#include <algorithm>
#include <iterator>

#include "files/textdatei.h"

namespace tarvello {

namespace {

struct Beschreibung {
    std::string_view englisch;
    const char* deutsch;
};

// Kept sorted by the English words.
constexpr Beschreibung beschreibungen[] = {
    {"%1 areas", "%1 Flächen"},
    {"%1 buildings", "%1 Gebäude"},
    {"%1 towers", "%1 Türme"},
    {"%1 wall points", "%1 Mauerpunkte"},
    {"%1 ways", "%1 Wege"},
    {"%2 points of park %1", "%2 Punkte von Park %1"},
    {"%2 points of square %1", "%2 Punkte von Platz %1"},
    {"%2 points of way %1", "%2 Punkte von Weg %1"},
    {"colour %1", "Farbe %1"},
    {"north button %1", "Nordknopf %1"},
    {"the count of numbered buildings", "die Anzahl nummerierter Gebäude"},
    {"the count of numbered parks", "die Anzahl nummerierter Parks"},
    {"the count of numbered squares", "die Anzahl nummerierter Plätze"},
    {"the count of numbered ways", "die Anzahl nummerierter Wege"},
    {"the flag of wall point %1", "die Kennung von Mauerpunkt %1"},
    {"the half-width of way %1", "die halbe Breite von Weg %1"},
    {"the kind of tower %1", "die Art von Turm %1"},
    {"the largest half-width", "die größte halbe Wegbreite"},
    {"the map factor", "der Kartenfaktor"},
    {"the map size", "die Kartengröße"},
    {"the number label of building %1", "die Nummer von Gebäude %1"},
    {"the number label of park %1", "die Nummer von Park %1"},
    {"the number label of square %1", "die Nummer von Platz %1"},
    {"the number label of way %1", "die Nummer von Weg %1"},
    {"the number of buildings", "die Anzahl der Gebäude"},
    {"the number of parks", "die Anzahl der Parks"},
    {"the number of points of park %1", "die Punktzahl von Park %1"},
    {"the number of points of square %1", "die Punktzahl von Platz %1"},
    {"the number of points of way %1", "die Punktzahl von Weg %1"},
    {"the number of squares", "die Anzahl der Plätze"},
    {"the number of towers", "die Anzahl der Türme"},
    {"the number of wall points", "die Anzahl der Mauerpunkte"},
    {"the number of ways", "die Anzahl der Wege"},
    {"the point capacity of the parks", "die Punktkapazität der Parks"},
    {"the point capacity of the squares", "die Punktkapazität der Plätze"},
    {"the point capacity of the ways", "die Punktkapazität der Wege"},
    {"the radius of building %1", "der Radius von Gebäude %1"},
    {"the radius of tower %1", "der Radius von Turm %1"},
    {"the river flag of way %1", "die Flusskennung von Weg %1"},
    {"the shape of building %1", "die Form von Gebäude %1"},
    {"the shape of tower %1", "die Form von Turm %1"},
    {"the smallest half-width", "die kleinste halbe Wegbreite"},
    {"the town name", "der Stadtname"},
    {"the version", "die Version"},
    {"the wall flag", "die Mauerkennung"},
    {"the wall thickness", "die Mauerdicke"},
    {"the width value of park %1", "der Breitenwert von Park %1"},
    {"the width value of square %1", "der Breitenwert von Platz %1"},
    {"x of building %1", "x von Gebäude %1"},
    {"x of corner %2 of building %1", "x von Ecke %2 von Gebäude %1"},
    {"x of corner %2 of tower %1", "x von Ecke %2 von Turm %1"},
    {"x of point %2 of park %1", "x von Punkt %2 von Park %1"},
    {"x of point %2 of square %1", "x von Punkt %2 von Platz %1"},
    {"x of point %2 of way %1", "x von Punkt %2 von Weg %1"},
    {"x of tower %1", "x von Turm %1"},
    {"x of wall point %1", "x von Mauerpunkt %1"},
    {"y of building %1", "y von Gebäude %1"},
    {"y of corner %2 of building %1", "y von Ecke %2 von Gebäude %1"},
    {"y of corner %2 of tower %1", "y von Ecke %2 von Turm %1"},
    {"y of point %2 of park %1", "y von Punkt %2 von Park %1"},
    {"y of point %2 of square %1", "y von Punkt %2 von Platz %1"},
    {"y of point %2 of way %1", "y von Punkt %2 von Weg %1"},
    {"y of tower %1", "y von Turm %1"},
    {"y of wall point %1", "y von Mauerpunkt %1"},
};

constexpr bool sortiert() {
    for (std::size_t i = 1; i < std::size(beschreibungen); ++i)
        if (!(beschreibungen[i - 1].englisch < beschreibungen[i].englisch)) return false;
    return true;
}
static_assert(sortiert(), "the descriptions are looked up by halving: keep them sorted");

} // namespace

const char* beschreibung_deutsch(std::string_view englisch) {
    const auto* it =
        std::lower_bound(std::begin(beschreibungen), std::end(beschreibungen), englisch,
                         [](const Beschreibung& b, std::string_view e) { return b.englisch < e; });
    if (it == std::end(beschreibungen) || it->englisch != englisch) return nullptr;
    return it->deutsch;
}

} // namespace tarvello
