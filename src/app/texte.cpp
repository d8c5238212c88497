#include "app/texte.h"

#include <map>

namespace tarvello {

namespace {

struct Benannt {
    const char* name;
    Wortpaar text;
};

// Fixed captions by object name.
const std::vector<Benannt>& beschriftungen() {
    static const std::vector<Benannt> t = {
        // Buttons and labels of the main window.
        {"knopf_start", {"Start", "Go!"}},
        {"knopf_abbruch", {"Abbruch", "Cancel"}},
        {"knopf_stadtname", {"Stadtnamens-Generator ...", "Name Generator ..."}},
        {"knopf_kennzeichnung", {"Numerierung im Ausdruck ...", "Labelling in Print ..."}},
        {"knopf_neu_zeichnen", {"Neu zeichnen", "Refresh"}},
        {"knopf_bildexport",
         {"Diesen Ausschnitt als Grafik exportieren ...", "Export selection as image(s) ..."}},
        {"knopf_vorschau_gesamt", {"Gesamt", "All"}},
        {"knopf_zoom_rein", {"+", "+"}},
        {"knopf_zoom_raus", {"\u2212", "\u2212"}},
        {"knopf_vorschau_links", {"\u2190", "\u2190"}},
        {"knopf_vorschau_rechts", {"\u2192", "\u2192"}},
        {"knopf_vorschau_oben", {"\u2191", "\u2191"}},
        {"knopf_vorschau_unten", {"\u2193", "\u2193"}},
        {"knopf_vorschau_links_oben", {"\u2196", "\u2196"}},
        {"knopf_vorschau_rechts_oben", {"\u2197", "\u2197"}},
        {"knopf_vorschau_links_unten", {"\u2199", "\u2199"}},
        {"knopf_vorschau_rechts_unten", {"\u2198", "\u2198"}},
        {"Label_Vorlagen", {"Stadttyp:", "Town type:"}},
        {"Label_Stadtname", {"Stadtname:", "Town name:"}},
        {"Label_Startwert", {"Startwert:", "Seed:"}},
        {"Label_Nord", {"Norden", "North"}},
        {"Text_Startwert",
         {"leer: eine neue Zufallsstadt", "empty: a new random town"}}, // placeholder

        // Menus.
        {"menue_stadtplan", {"Stadtplan", "City Map"}},
        {"menue_stadtplan_neu", {"neu erstellen", "New"}},
        {"menue_stadtplan_laden", {"laden ...", "Open ..."}},
        {"menue_stadtplan_speichern_unter", {"speichern unter ...", "Save As ..."}},
        {"menue_stadtplan_drucken", {"drucken", "Print"}},
        {"menue_stadtplan_geojson", {"GeoJSON exportieren ...", "Export GeoJSON ..."}},
        {"menue_hilfe_stadtplan", {"? Hilfe zu diesem Menüpunkt", "? Help With This Menue Item"}},
        {"menue_programm_beenden", {"beenden", "Exit"}},
        {"menue_stadteinstellungen", {"Stadteinstellungen", "City Settings"}},
        {"menue_stadteinstellungen_laden", {"laden ...", "Open ..."}},
        {"menue_stadteinstellungen_speichern", {"speichern", "Save"}},
        {"menue_stadteinstellungen_speichernunter", {"speichern unter ...", "Save As ..."}},
        {"menue_hilfe_stadteinstellungen",
         {"? Hilfe zu diesem Menüpunkt", "? Help With This Menue Item"}},
        {"menue_druck", {"Druckeinstellungen", "Print Settings"}},
        {"menue_druck_einseitig", {"einseitig", "On One Sheet"}},
        {"menue_druck_matrix", {"Matrix", "Matrix"}},
        {"menue_druck_2x2", {"2 x 2 Blätter", "2 x 2 Sheets"}},
        {"menue_druck_3x3", {"3 x 3 Blätter", "3 x 3 Sheets"}},
        {"menue_druck_4x4", {"4 x 4 Blätter", "4 x 4 Sheets"}},
        {"menue_druck_5x5", {"5 x 5 Blätter", "5 x 5 Sheets"}},
        {"menue_druck_7x7", {"7 x 7 Blätter", "7 x 7 Sheets"}},
        {"menue_druck_9x9", {"9 x 9 Blätter", "9 x 9 Sheets"}},
        {"menue_druck_ausschnitt", {"Ausschnitt ...", "Section ..."}},
        {"menue_blatt", {"auf jedes Blatt", "On Each Sheet"}},
        {"menue_druck_bezeichnung", {"Bezeichnung", "Title"}},
        {"menue_druck_schnittmarken", {"Schnittmarken", "Crop Marks"}},
        {"menue_druck_massstab", {"Maßstab", "Scale"}},
        {"menue_druck_kompass", {"Kompass", "Compass"}},
        {"menue_druck_planquadrate", {"Planquadrate", "Sitemap"}},
        {"menue_druck_kennzeichnung", {"Nummerierung", "Labelling (Numbers)"}},
        {"menue_druck_kennzeichnung_wege", {"Straßen und Wege", "Streets"}},
        {"menue_druck_kennzeichnung_haeuser", {"Gebäude", "Buildings"}},
        {"menue_druck_kennzeichnung_plaetze", {"Plätze", "Squares"}},
        {"menue_druck_kennzeichnung_parks", {"Parks", "Parks"}},
        {"menue_druck_nummerierung_schriftgroesse", {"Schriftgröße", "Labelling Font Size"}},
        {"menue_druck_nummerierung_schriftgroesse_3", {"3 pt", "3 pt"}},
        {"menue_druck_nummerierung_schriftgroesse_4", {"4 pt", "4 pt"}},
        {"menue_druck_nummerierung_schriftgroesse_5", {"5 pt", "5 pt"}},
        {"menue_druck_nummerierung_schriftgroesse_6", {"6 pt", "6 pt"}},
        {"menue_druck_nummerierung_schriftgroesse_8", {"8 pt", "8 pt"}},
        {"menue_druck_nummerierung_schriftgroesse_10", {"10 pt", "10 pt"}},
        {"menue_druck_nummerierung_schriftgroesse_12", {"12 pt", "12 pt"}},
        {"menue_gebaeude", {"Gebäude", "Buildings"}},
        {"menue_gebaeude_nur_umriss", {"nur Umriss", "Outline"}},
        {"menue_gebaeude_hohe_aufloesung", {"hohe Auflösung", "High Resolution"}},
        {"menue_druck_gebaeude_info", {"? Info", "? Info"}},
        {"menue_farben", {"Farben ...", "Colours ..."}},
        {"menue_sprache", {"Sprache", "Language"}},
        {"menue_deutsch", {"Deutsch", "Deutsch"}},
        {"menue_englisch", {"English", "English"}},
        {"menue_info", {"Info", "Info"}},
        {"menue_anleitung", {"Ihr erster Stadtplan", "Your 1st city map"}},
        {"menue_updates", {"Kostenlose Updates", "Free updates"}},
        {"menue_kontakt", {"Feedback", "Your comments/questions"}},
        {"menue_tos", {"Terms of Use", "Terms of Use"}},
        {"menue_donate", {"* Unterstützen Sie unsere Arbeit ...", "* How to support us"}},
    };
    return t;
}

const std::map<int, Wortpaar>& hilfetexte() {
    static const std::map<int, Wortpaar> t = {
        {1,
         {"Der Name der Stadt erscheint als Überschrift auf dem gedruckten Stadtplan. Der "
          "Stadtnamens-Generator schlägt Ihnen zufällige Namen vor.",
          "The town's name is printed as the title of the map. The name generator suggests "
          "random names."}},
        {3,
         {"Die Seitenlänge des quadratischen Kartenausschnitts in Metern; die Stadt füllt etwa "
          "zwei Drittel davon. Die Form bestimmt, ob der Stadtrand rund oder quadratisch "
          "verläuft.",
          "The side length of the square map in metres; the town fills about two thirds of it. "
          "The shape decides whether the town's outline is round or square."}},
        {4,
         {"Wie unregelmäßig der Rand einer runden Stadt verläuft: links ein fast glatter Kreis, "
          "rechts ein stark ausgefranster Rand.",
          "How irregular the outline of a round town is: left gives an almost perfect circle, "
          "right a strongly frayed edge."}},
        {5,
         {"Die Straßen laufen zunächst auf den Stadtkern zu. Die Kernbildung bestimmt, wie stark "
          "sich das Straßennetz dort verdichtet, die Kerngröße, welchen Teil der Stadt der Kern "
          "einnimmt.",
          "Streets first head for the town's core. Core formation sets how densely the street "
          "network gathers there, core size how much of the town the core takes up."}},
        {7,
         {"Die Anzahl der Straßen und Wege und wie viele davon aus der Stadt hinausführen dürfen. "
          "Jede Straße nach der ersten zweigt von einer bestehenden ab.",
          "The number of streets, and how many of them may lead out of town. Every street after "
          "the first branches off an existing one."}},
        {8,
         {"Die Breite der schmalsten und der breitesten Straße. Abzweigende Straßen sind "
          "schmaler als die Straße, von der sie abgehen.",
          "The width of the narrowest and of the widest street. A branching street is narrower "
          "than the street it leaves."}},
        {9,
         {"Wie kurvig die Straßen verlaufen: links fast gerade, rechts stark gewunden.",
          "How winding the streets are: left almost straight, right strongly winding."}},
        {10,
         {"Um wie viel eine abzweigende Straße schmaler ist als die Straße, von der sie abgeht.",
          "How much narrower a branching street is than the street it branches off."}},
        {11,
         {"Wie stark die Verjüngung abzweigender Straßen zufällig schwankt.",
          "How much the narrowing of branching streets varies at random."}},
        {12,
         {"Der kleinste Winkel, unter dem eine Straße von einer anderen abzweigt.",
          "The smallest angle at which a street branches off another."}},
        {13,
         {"Die Wahrscheinlichkeit dafür, dass eine Straße eine andere kreuzt und weiterläuft, "
          "statt an ihr zu enden.",
          "The probability that a street crosses another and carries on instead of ending "
          "there."}},
        {14,
         {"Die Wahrscheinlichkeit dafür, dass eine Straße bzw. ein Weg als Sackgasse endet",
          "The dead end probability for a street"}},
        {15,
         {"Die Wahrscheinlichkeit für einen Knick im Straßenverlauf und der größte Winkel eines "
          "solchen Knicks.",
          "The probability of a sharp bend in a street, and the largest angle of such a bend."}},
        {16,
         {"Wie fein die Straßen Punkt für Punkt verlaufen. Eine hohe Auflösung ergibt weichere "
          "Kurven, braucht aber mehr Zeit und Speicher.",
          "How finely streets are traced point by point. A high resolution gives smoother "
          "curves but takes more time and memory."}},
        {17,
         {"Legt fest, welche Elemente (Straßen, Gebäude, Plätze, Parks) im Ausdruck und im "
          "Grafikexport eine Nummer erhalten.",
          "Chooses which elements (streets, buildings, squares, parks) are numbered on printed "
          "maps and exported images."}},
        {18,
         {"Die Anzahl der Gebäude und der Anteil runder Gebäude (Hütten, Türme) daran.",
          "The number of buildings, and the share of round ones (huts, towers) among them."}},
        {19,
         {"Die Seitenlänge des kleinsten und des größten Gebäudes.",
          "The side length of the smallest and of the largest building."}},
        {20,
         {"Der Abstand der Gebäude von der Straße: links stehen sie direkt an der Straße, rechts "
          "weiter zurückgesetzt.",
          "The distance of buildings from the street: left they stand right at the street, "
          "right further back."}},
        {21,
         {"Wie stark die Gebäude von der Richtung der Straße abweichen: ganz links stehen sie "
          "genau parallel zur Straße.",
          "How much buildings turn away from the street's direction: far left they stand "
          "exactly parallel to it."}},
        {22,
         {"Wählen Sie, in welcher Richtung auf dem Stadtplan Norden liegt. Die Kompassrose im "
          "Ausdruck zeigt in diese Richtung.",
          "Choose where north lies on the map. The compass rose of the printed map points this "
          "way."}},
        {23,
         {"Wie streng Überlappungen von Gebäuden vermieden werden: ganz rechts überlappen sich "
          "keine Gebäude, weiter links immer mehr.",
          "How strictly overlapping buildings are avoided: far right no buildings overlap, "
          "further left more and more do."}},
        {24,
         {"Das größte Verhältnis von Länge zu Breite eines Gebäudes: 1 ergibt nur quadratische "
          "Grundrisse, 5 auch lange, schmale Gebäude.",
          "The largest ratio of length to width of a building: 1 gives square ground plans "
          "only, 5 also long, narrow buildings."}},
        {25,
         {"Die Breite des breitesten Flusses; Flussarme sind schmaler.",
          "The width of the widest river; its branches are narrower."}},
        {26, {"Wie kurvig die Flüsse verlaufen.", "How winding the rivers are."}},
        {27, {"Wie oft sich die Flüsse verzweigen.", "How often the rivers fork into branches."}},
        {28,
         {"Die höchste Anzahl von Flüssen und Flussarmen; 0 ergibt eine Stadt ohne Fluss.",
          "The largest number of rivers and river branches; 0 gives a town without a river."}},
        {29,
         {"Wie weit vom Stadtzentrum entfernt die Flüsse verlaufen dürfen, in Prozent der "
          "Kartengröße.",
          "How far from the town centre the rivers may run, in percent of the map size."}},
        {30,
         {"Wie gleichmäßig sich die Breite eines Flusses auf die beiden Arme einer Gabelung "
          "verteilt.",
          "How evenly a river's width is shared between the two arms of a fork."}},
        {31,
         {"Der Abstand der Flussquellen voneinander.",
          "The distance between the rivers' sources."}},
        {32,
         {"Die Neigung zu Inseln, wo sich Flussarme wieder vereinen.",
          "The tendency to form islands where river branches join again."}},
        {33,
         {"Der Abstand, den Straßen von den Flussufern halten.",
          "The distance streets keep from the river banks."}},
        {34,
         {"Die Neigung, Brücken über Flüsse zu bauen, statt die Straße am Ufer enden zu lassen.",
          "The tendency to build bridges instead of ending a street at the river bank."}},
        {35,
         {"Ob Gebäude auf Plätzen stehen dürfen: links bleiben die Plätze frei, rechts dürfen "
          "sie bebaut werden.",
          "Whether buildings may stand on squares: left keeps squares free, right lets "
          "buildings stand on them."}},
        {36,
         {"Die Neigung der Straßen, sich immer weiter in dieselbe Richtung zu drehen; hohe Werte "
          "ergeben Bögen und Ringstraßen.",
          "The tendency of streets to keep turning the same way; high values give arcs and ring "
          "roads."}},
        {37,
         {"Die Anzahl der Plätze und ihre Größe im Verhältnis zum Straßennetz. Plätze entstehen "
          "in den Lücken zwischen den Straßen.",
          "The number of squares and their size relative to the street network. Squares form "
          "in the gaps between streets."}},
        {38,
         {"Die Anzahl der Parks und ihre Größe im Verhältnis zum Straßennetz.",
          "The number of parks and their size relative to the street network."}},
        {39,
         {"Die Neigung, Gebäude zu geschlossenen Häuserzeilen aneinanderzureihen.",
          "The tendency to line buildings up into closed rows."}},
        {40,
         {"Ob Gebäude in Parks stehen dürfen: links bleiben die Parks frei, rechts dürfen "
          "Gebäude darin stehen.",
          "Whether buildings may stand in parks: left keeps parks free, right lets buildings "
          "stand in them."}},
        {41,
         {"Die Größe der Gebäude auf Plätzen im Vergleich zu den übrigen Gebäuden.",
          "The size of buildings on squares compared with the other buildings."}},
        {42,
         {"Die Größe der Gebäude in Parks im Vergleich zu den übrigen Gebäuden.",
          "The size of buildings in parks compared with the other buildings."}},
        {43,
         {"Der Abstand der Stadtmauer vom Zentrum: kleine Werte umschließen nur den alten "
          "Stadtkern.",
          "The distance of the city wall from the centre: small values enclose only the old "
          "town centre."}},
        {44, {"Wie viele Lücken die Mauer hat.", "How many gaps the wall has."}},
        {45,
         {"Welcher Teil des Mauerrings gebaut wird: 100 ergibt einen geschlossenen Ring.",
          "How much of the wall ring is built: 100 gives a closed ring."}},
        {46, {"Die Dicke der Stadtmauer.", "The thickness of the city wall."}},
        {47,
         {"Die Form der Mauertürme und ihr Abstand entlang der Mauer; „(Keine)“ baut keine "
          "Türme.",
          "The shape of the wall towers and their spacing along the wall; \"No\" builds no "
          "towers."}},
        {48,
         {"Die Form der Tortürme, die dort stehen, wo Straßen die Mauer passieren.",
          "The shape of the gate towers, where streets pass through the wall."}},
        {49, {"Die Größe der Mauertürme.", "The size of the wall towers."}},
        {50, {"Die Größe der Tortürme.", "The size of the gate towers."}},
        {51,
         {"Ist hier das Häkchen gesetzt, wird eine Stadtmauer gebildet.",
          "Check this box for building a city wall"}},
        {52,
         {"Wie fein der Verlauf der Mauer nachgezeichnet wird.",
          "How finely the course of the wall is traced."}},
        {53,
         {"Wie stark der Abstand der Türme zufällig schwankt.",
          "How much the spacing of the towers varies at random."}},
        {54,
         {"Wie stark die Größe der Mauertürme schwankt.",
          "How much the size of the wall towers varies."}},
        {55,
         {"Wie stark die Größe der Tortürme schwankt.",
          "How much the size of the gate towers varies."}},
        {56,
         {"Der Anteil der verfallenen Türme, die auf der Karte fehlen.",
          "The share of towers that have fallen into ruin and are missing from the map."}},
        {57,
         {"Wie sich die Gebäudegrößen zwischen kleinstem und größtem Gebäude verteilen: der "
          "Schwerpunkt verschiebt die häufigste Größe, die Breite bestimmt, wie stark die Größen "
          "streuen. Die Grafik zeigt die Häufigkeit von klein (links) bis groß (rechts).",
          "How building sizes spread between the smallest and the largest building: the centre "
          "moves the most frequent size, the width sets how widely sizes scatter. The graph "
          "shows the frequency from small (left) to large (right)."}},
        {58,
         {"Der Anteil der Flüsse, deren Quelle außerhalb der Karte liegt, so dass sie in die "
          "Karte hineinfließen.",
          "The share of rivers whose source lies outside the map, so that they flow into it."}},
        {59,
         {"Wie stark sich die Häuserzeilen auf das Stadtzentrum konzentrieren.",
          "How strongly rows of buildings gather near the town centre."}},
        {60,
         {"Wie gleichmäßig die Häuserzeilen über die Stadt verteilt sind.",
          "How evenly rows of buildings are spread over the town."}},
    };
    return t;
}

} // namespace

const Wortpaar* beschriftung(std::string_view name) {
    for (const Benannt& b : beschriftungen())
        if (name == b.name) return &b.text;
    return nullptr;
}

const std::vector<Reiter>& reiter_aufbau() {
    static const std::vector<Reiter> t = {
        {{"Stadt", "City"},
         {
             {3,
              {{"Combo_stadt_abmessung", {"Kartengröße:", "Map size:"}},
               {"Combo_stadt_form", {"Stadtform:", "Town shape:"}}}},
             {4, {{"Slider_stadt_turbulenz", {"Unregelmäßiger Rand:", "Irregular outline:"}}}},
             {5,
              {{"Slider_stadt_kernbildung", {"Kernbildung:", "Core formation:"}},
               {"Combo_stadt_kerngroesse", {"Kerngröße:", "Core size:"}}}},
         }},
        {{"Straßen", "Streets"},
         {
             {7,
              {{"Combo_wege_anzahl", {"Straßen und Wege:", "Streets:"}},
               {"Combo_wege_anzahl_aus_stadt", {"davon aus der Stadt:", "Leaving the town:"}}}},
             {8,
              {{"Combo_wegbreite_min", {"Breite min.:", "Width min.:"}},
               {"Combo_wegbreite_max", {"Breite max.:", "Width max.:"}}}},
             {9, {{"Slider_weg_kurvigkeit", {"Kurvigkeit:", "Curviness:"}}}},
             {36, {{"Slider_weg_richtungstendenz", {"Richtungstendenz:", "Turning tendency:"}}}},
             {15,
              {{"Slider_weg_abknick_wahrsch", {"Knicke:", "Bends:"}},
               {"Combo_wi_abknick_max", {"Knickwinkel max.:", "Bend angle max.:"}}}},
             {10,
              {{"Slider_weg_abzweig_verjueng_wert",
                {"Verjüngung bei Abzweigung:", "Narrowing of branches:"}}}},
             {11,
              {{"Slider_weg_abzweig_verjueng_streu",
                {"Streuung der Verjüngung:", "Scatter of narrowing:"}}}},
             {12,
              {{"Combo_weg_abzweigung_wi_min", {"Abzweigwinkel min.:", "Branching angle min.:"}}}},
             {13, {{"Slider_weg_durchkreuz_wahrsch", {"Kreuzungen:", "Crossings:"}}}},
             {14, {{"Slider_weg_sackgasse_wahrsch", {"Sackgassen:", "Dead ends:"}}}},
             {16, {{"Slider_weg_aufloesung", {"Auflösung:", "Resolution:"}}}},
         }},
        {{"Gebäude", "Buildings"},
         {
             {18,
              {{"Combo_n_gebaude", {"Anzahl Gebäude:", "Buildings:"}},
               {"Slider_haus_anteil_rund", {"Anteil runder Gebäude:", "Round buildings:"}}}},
             {19,
              {{"Combo_haus_gxy_min", {"Größe min.:", "Size min.:"}},
               {"Combo_haus_gxy_max", {"Größe max.:", "Size max.:"}}}},
             {57,
              {{"Slider_haeuser_groessenverteilung_zentrum",
                {"Größenverteilung Schwerpunkt:", "Size distribution centre:"}},
               {"Slider_haeuser_groessenverteilung_breite",
                {"Größenverteilung Breite:", "Size distribution width:"}}},
              true},
             {24,
              {{"Slider_haus_seitenverhaeltnis_max",
                {"Seitenverhältnis max.:", "Side ratio max.:"}}}},
             {20, {{"Slider_haus_abstand_weg", {"Abstand zur Straße:", "Distance to street:"}}}},
             {21, {{"Slider_haus_winkel_weg", {"Winkel zur Straße:", "Angle to street:"}}}},
             {23,
              {{"Slider_haus_antiueberlappung", {"Überlappung vermeiden:", "Avoid overlapping:"}}}},
             {39, {{"Slider_haus_blockbildung", {"Häuserzeilen:", "Rows of buildings:"}}}},
             {59,
              {{"Slider_haus_blockbildung_zentral",
                {"Häuserzeilen zentral:", "Rows near the centre:"}}}},
             {60,
              {{"Slider_haus_blockbildung_homogen",
                {"Häuserzeilen gleichmäßig:", "Rows evenly spread:"}}}},
         }},
        {{"Flüsse", "Rivers"},
         {
             {28, {{"Combo_n_fluesse_max", {"Flüsse max.:", "Rivers max.:"}}}},
             {25, {{"Combo_fluss_breite_max", {"Flussbreite max.:", "River width max.:"}}}},
             {29, {{"Combo_fluss_zentral", {"Abstand vom Zentrum:", "Distance from centre:"}}}},
             {26, {{"Slider_fluss_kurvigkeit", {"Kurvigkeit:", "Curviness:"}}}},
             {27, {{"Slider_fluss_verzweigungshaeufigkeit", {"Verzweigungen:", "Forks:"}}}},
             {30,
              {{"Slider_fluss_verzweigung_symetrie",
                {"Symmetrie der Gabelung:", "Symmetry of forks:"}}}},
             {31, {{"Slider_fluss_quelle_abstand", {"Abstand der Quellen:", "Source spacing:"}}}},
             {58,
              {{"Slider_fluss_quellen_ausserhalb",
                {"Quellen außerhalb:", "Sources outside the map:"}}}},
             {32, {{"Slider_fluss_inselbildung", {"Inselbildung:", "Islands:"}}}},
             {33,
              {{"Slider_abstand_weg_fluss", {"Abstand Straße-Ufer:", "Street-bank distance:"}}}},
             {34, {{"Slider_weg_brueckenbildung", {"Brückenbildung:", "Bridges:"}}}},
         }},
        {{"Parks/Plätze", "Parks/Squares"},
         {
             {37,
              {{"Combo_n_plaetze", {"Anzahl Plätze:", "Squares:"}},
               {"Slider_plaetze_groesse_rel", {"Größe der Plätze:", "Size of squares:"}}}},
             {35,
              {{"Slider_plaetze_gebaeude_zulassen",
                {"Gebäude auf Plätzen:", "Buildings on squares:"}}}},
             {41,
              {{"Slider_plaetze_gebaeude_groesse",
                {"Gebäudegröße auf Plätzen:", "Building size on squares:"}}}},
             {38,
              {{"Combo_n_parks", {"Anzahl Parks:", "Parks:"}},
               {"Slider_parks_groesse_rel", {"Größe der Parks:", "Size of parks:"}}}},
             {40,
              {{"Slider_parks_gebaeude_zulassen", {"Gebäude in Parks:", "Buildings in parks:"}}}},
             {42,
              {{"Slider_parks_gebaeude_groesse",
                {"Gebäudegröße in Parks:", "Building size in parks:"}}}},
         }},
        {{"Stadtmauer", "City Wall"},
         {
             {51, {{"Check_Mauer", {"Stadtmauer bauen", "Build a city wall"}}}},
             {43,
              {{"Combo_Mauer_Abstand_Zentrum", {"Abstand vom Zentrum:", "Distance from centre:"}}}},
             {46, {{"Combo_Mauer_Dicke", {"Mauerdicke:", "Wall thickness:"}}}},
             {45, {{"Slider_Mauer_Vollstaendigkeit", {"Vollständigkeit:", "Completeness:"}}}},
             {44, {{"Slider_Mauer_Lueckenhaftigkeit", {"Lücken:", "Gaps:"}}}},
             {52, {{"Slider_Mauer_Aufloesung", {"Auflösung:", "Resolution:"}}}},
             {47,
              {{"Combo_Mauer_Tuerme_Form", {"Türme:", "Towers:"}},
               {"Combo_Mauer_Tuerme_Abstand", {"Turmabstand:", "Tower spacing:"}}}},
             {53,
              {{"Slider_Mauer_Turmabstand_Variation",
                {"Turmabstand Variation:", "Spacing variation:"}}}},
             {49, {{"Slider_Mauer_Turmgroesse", {"Turmgröße:", "Tower size:"}}}},
             {54,
              {{"Slider_Mauer_Turmgroesse_Variation",
                {"Turmgröße Variation:", "Size variation:"}}}},
             {48, {{"Combo_Mauer_Tuerme_Form_Tore", {"Tortürme:", "Gate towers:"}}}},
             {50, {{"Slider_Mauer_Turmgroesse_Tor", {"Torturmgröße:", "Gate tower size:"}}}},
             {55,
              {{"Slider_Mauer_TorTurmgroesse_Variation",
                {"Torturmgröße Variation:", "Gate size variation:"}}}},
             {56, {{"Slider_Mauer_Tuerme_erodieren_mit", {"Verfallene Türme:", "Ruined towers:"}}}},
         }},
    };
    return t;
}

const Wortpaar* knopf_hilfe(int n) {
    const auto& t = hilfetexte();
    auto it = t.find(n);
    return it == t.end() ? nullptr : &it->second;
}

const Wortpaar text_nicht_verfuegbar = {"Diese Funktion ist noch nicht verfügbar.",
                                        "This function is not available yet."};

const Wortpaar text_hilfe_stadtplan = {
    "Ein Stadtplan wird als Datei (*.qls) mit allen Straßen, Gebäuden, Plätzen, Parks und der "
    "Stadtmauer gespeichert und kann später wieder geladen werden, um ihn anzusehen, zu drucken "
    "oder als Grafik zu exportieren. „neu erstellen“ erzeugt einen neuen Stadtplan mit den "
    "aktuellen Einstellungen.",
    "A city map is saved as a file (*.qls) with all its streets, buildings, squares, parks and "
    "the wall, and can be loaded later to view, print or export it. \"New\" generates a new map "
    "with the current settings."};

const Wortpaar text_hilfe_stadteinstellungen = {
    "Die Stadteinstellungen (*.qle) enthalten die Stellung aller Regler und Listen, nicht den "
    "Stadtplan selbst. So speichern Sie eigene Stadttypen und erzeugen mit ihnen beliebig viele "
    "neue Städte.",
    "City settings files (*.qle) hold the position of every slider and list, not the map "
    "itself. Save your own town types and generate as many new towns from them as you like."};

const Wortpaar text_seite_nicht_geoeffnet = {
    "Kein Programm dieses Rechners konnte die Seite öffnen. Sie finden sie unter:\n%1",
    "No program on this computer could open the page. You find it at:\n%1"};

const Wortpaar text_nutzungsbedingungen = {
    "Tarvello wird ohne jede Gewährleistung bereitgestellt. Die mit dem Programm erstellten "
    "Stadtpläne gehören Ihnen: Sie dürfen sie drucken, veröffentlichen und in Ihren Spielen "
    "frei verwenden. Das Programm selbst darf nur unverändert und kostenlos weitergegeben "
    "werden.",
    "Tarvello is provided as is, without any warranty. The maps you create with it are yours: "
    "you may print them, publish them and use them freely in your games. The program itself may "
    "be passed on only unchanged and free of charge."};

const Wortpaar text_gebaeude_info = {
    "Unter bestimmten, selten auftretenden Umständen kann es passieren, dass Gebäude im Druck "
    "unsauber dargestellt werden. Dann empfiehlt sich die Option der hohen Auflösung. Da es dabei "
    "zu Fehlermeldungen beim Drucken kommen kann, sollte sonst die Standard-Einstellung "
    "verwendet werden.",
    "Check the High-Resolution mode only, if the standard resolution results in bad print of the "
    "buildings"};

const Wortpaar text_spende = {
    "Tarvello ist kostenlos. Wenn Ihnen das Programm gefällt, unterstützen Sie seine "
    "Weiterentwicklung auf unserer Webseite.",
    "Tarvello is free. If you like it, you can support its further development on our web "
    "page."};

const Wortpaar text_startwert_ungueltig = {
    "Der Startwert muss eine ganze Zahl ab 0 sein; leer lassen für eine neue Zufallsstadt.",
    "The seed must be a whole number from 0; leave it empty for a new random town."};

namespace {
const char* seite = "https://tarvello.example.org/";
QString seite_in(Sprache s, const char* pfad) {
    return QString::fromLatin1(seite) + (s == Sprache::deutsch ? "de/" : "en/") + pfad;
}
} // namespace

QString adresse_anleitung(Sprache s) {
    return seite_in(s, "manual");
}
QString adresse_updates(Sprache s) {
    return seite_in(s, "download");
}
QString adresse_spende(Sprache s) {
    return seite_in(s, "support");
}
QString adresse_kontakt(const QString& version) {
    return "mailto:feedback@tarvello.example.org?subject=Tarvello%20" + version;
}

} // namespace tarvello
