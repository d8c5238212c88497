#include "app/dialogtexte.h"

namespace tarvello::dialogtext {

// --- Kennzeichnung ---

const Zweisprachig kennzeichnung_titel = {" Kennzeichnung", " Labelling"};
const Zweisprachig kennzeichnung_wege = {
    "Kennzeichne                       Straßen und Wege (soweit vorhanden)",
    "Label                       Streets (as far as existent)"};
const Zweisprachig kennzeichnung_haeuser = {
    "Kennzeichne                       Gebäude (soweit vorhanden)",
    "Label                       Buildings (as far as existent)"};
const Zweisprachig kennzeichnung_parks = {
    "Kennzeichne                       Parks (soweit vorhanden)",
    "Label                       Parks (as far as existent)"};
const Zweisprachig kennzeichnung_plaetze = {
    "Kennzeichne                       Plätze (soweit vorhanden)",
    "Label                       Squares (as far as existent)"};
const Zweisprachig kennzeichnung_speichern = {"Speichern", "Save"};
const Zweisprachig kennzeichnung_abbrechen = {"Abbrechen", "Cancel"};

// --- Bildexport ---

const Zweisprachig export_titel = {"Grafikexport", "Image Export"};
const Zweisprachig export_matrix_vor = {"Unterteile Ausschnitt in", "Divide section in"};
const Zweisprachig export_matrix_nach = {"Bilder (Matrix)", "images"};
const Zweisprachig export_pixel_vor = {"Jedes Bild ist", "Each image is"};
const Zweisprachig export_pixel_nach = {"Pixel hoch und breit", "pixel in size"};
const Zweisprachig export_bedarf_vor = {"( Gesamt-Speicherbedarf:", "Required total disk space:"};
const Zweisprachig export_bedarf_nach = {"MByte )", "MByte"};
const Zweisprachig export_nur_umriss = {"Gebäude: Nur Umrisse", "Buildings: Only outline"};
const Zweisprachig export_generieren = {"Bilder generieren", "Create Images"};
const Zweisprachig export_abbruch = {"Abbruch", "Cancel"};
const Zweisprachig export_farben = {"Farben", "Colors"};
const Zweisprachig export_nummerierung = {"Nummerierung", "Labelling"};
const Zweisprachig export_erklaerung = {
    "Grafiken werden im Bitmap-Format (*.bmp) exportiert oder, im Dateidialog wählbar, im "
    "deutlich kleineren png-Format (*.png) oder als Vektorgrafik (*.svg).\n"
    "Der exportierte Stadtplan-Bereich wird durch den im Vorschaufenster sichtbaren Ausschnitt "
    "definiert, welchen Sie frei definieren können. Falls Sie den Ausschnitt als Matrix (z. B. 3 "
    "x 3) exportieren, erhält der Dateiname jeder Grafik zur Orientierung eine entsprechende "
    "Endung (*_x_y.bmp).",
    "Images are exported as bitmaps (*.bmp) or, chosen in the file dialog, as much smaller "
    "*.png files or as *.svg vector graphics.\n"
    "The exported city map section corresponds to the preview section in the main window. If "
    "you export the section as matrix (e. g. 3 x 3), the file name of each image automatically "
    "gets an extension (format: name_x_y.bmp)."};
const Zweisprachig export_beschaeftigt = {
    "Das Programm ist gerade beschäftigt. Bitte warten Sie, bis der Stadtplan fertig ist.",
    "The program is busy. Please wait until the city map is finished."};
const Zweisprachig export_kein_plan = {"Es ist kein Stadtplan zum Exportieren vorhanden.",
                                       "There is no city map to export."};
const Zweisprachig export_fehlgeschlagen = {"Der Grafikexport ist fehlgeschlagen: %1",
                                            "The image export failed: %1"};

// --- Bildexportnummerierung ---

const Zweisprachig nummerierung_titel = {"Nummerierung", "Labelling"};
const Zweisprachig nummerierung_wege = {"Straßen und Wege", "Streets"};
const Zweisprachig nummerierung_haeuser = {"Gebäude", "Buildings"};
const Zweisprachig nummerierung_plaetze = {"Plätze", "Squares"};
const Zweisprachig nummerierung_parks = {"Parks", "Parks"};
const Zweisprachig nummerierung_schriftgroesse = {"Schriftgröße (Pixel):", "Fonz size (pixel):"};
const Zweisprachig nummerierung_schliessen = {"Schließen", "Close"};

// --- Farben ---

const Zweisprachig farben_titel = {" Stadtplan Druckfarben", "City Map Printing Colours"};
const std::array<Zweisprachig, n_druckfarben> farben_namen = {{
    {"Große Straßen und Wege", "Big Streets"},
    {"Mittlere Straßen und Wege", "Medium Streets"},
    {"Kleine Straßen und Wege", "Small Streets"},
    {"Rahmen um Straßen und Wege", "Street Outline"},
    {"Gebäude", "Buildings"},
    {"Hintergrund", "Background"},
    {"Kennzeichnung Straßen/Wege", "Labelling - Streets"},
    {"Kennzeichnung Gebäude", "Labelling - Buildings"},
    {"Schnittmarken", "Crop Marks"},
    {"Flüsse", "Rivers"},
    {"Parks", "Parks"},
    {"Plätze", "Squares"},
    {"Kennzeichnung Parks", "Labelling - Parks"},
    {"Kennzeichnung Plätze", "Labelling - Squares"},
    {"Stadtmauer", "City Wall"},
    {"Türme der Stadtmauer", "City Wall Towers"},
}};
const Zweisprachig farben_anwenden = {"Anwenden", "Take This Time"};
const Zweisprachig farben_als_standard = {"als Standard definieren", "Save As Default Colours"};
const Zweisprachig farben_standard_laden = {"Standard laden", "Load Default Colours"};
const Zweisprachig farben_palette_laden = {"Farbpalette laden ...", "Load Palette"};
const Zweisprachig farben_palette_speichern = {"Farbpalette speichern ...", "Save Palette As"};
const Zweisprachig farben_ladefehler = {
    "Die Farbpalette konnte nicht geladen werden; die Farben bleiben unverändert.\n%1",
    "The palette could not be loaded; the colours stay as they were.\n%1"};
const Zweisprachig farben_schreibfehler = {"Die Farbpalette konnte nicht gespeichert werden.\n%1",
                                           "The palette could not be saved.\n%1"};
const Zweisprachig farben_speicherfehler = {
    "Die Farben konnten nicht als Standard gespeichert werden.\n%1",
    "The colours could not be stored as defaults.\n%1"};

// --- Stadtname ---

const Zweisprachig stadtname_titel = {"Stadtnamens-Generator", "Random City Name Generator"};
const Zweisprachig stadtname_wortteile = {"Anzahl Wortteile", "# Words"};
const Zweisprachig stadtname_silben = {"Anzahl Silben/Wortteil", "# Syllables/Word"};
const Zweisprachig stadtname_stimmung = {
    "Lieblich ...                                               ... düster",
    "Lovely ...                                               ... Omnious"};
const Zweisprachig stadtname_go = {"Nächster Versuch", "Next Try"};
const Zweisprachig stadtname_ok = {"Übernehmen", "Take"};
const Zweisprachig stadtname_abbruch = {"Abbruch", "Cancel"};

} // namespace tarvello::dialogtext
