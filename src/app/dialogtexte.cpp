#include "app/dialogtexte.h"

namespace tarvello::dialogtext {

// --- Kennzeichnung ---

const Wortpaar kennzeichnung_titel = {" Kennzeichnung", " Labelling"};
const Wortpaar kennzeichnung_wege = {
    "Kennzeichne                       Straßen und Wege (soweit vorhanden)",
    "Label                       Streets (as far as existent)"};
const Wortpaar kennzeichnung_haeuser = {
    "Kennzeichne                       Gebäude (soweit vorhanden)",
    "Label                       Buildings (as far as existent)"};
const Wortpaar kennzeichnung_parks = {"Kennzeichne                       Parks (soweit vorhanden)",
                                      "Label                       Parks (as far as existent)"};
const Wortpaar kennzeichnung_plaetze = {
    "Kennzeichne                       Plätze (soweit vorhanden)",
    "Label                       Squares (as far as existent)"};
const Wortpaar kennzeichnung_speichern = {"Speichern", "Save"};
const Wortpaar kennzeichnung_abbrechen = {"Abbrechen", "Cancel"};

// --- Bildexport ---

const Wortpaar export_titel = {"Grafikexport", "Image Export"};
const Wortpaar export_matrix_vor = {"Unterteile Ausschnitt in", "Divide section in"};
const Wortpaar export_matrix_nach = {"Bilder (Matrix)", "images"};
const Wortpaar export_pixel_vor = {"Jedes Bild ist", "Each image is"};
const Wortpaar export_pixel_nach = {"Pixel hoch und breit", "pixel in size"};
const Wortpaar export_bedarf_vor = {"( Gesamt-Speicherbedarf:", "Required total disk space:"};
const Wortpaar export_bedarf_nach = {"MByte )", "MByte"};
const Wortpaar export_nur_umriss = {"Gebäude: Nur Umrisse", "Buildings: Only outline"};
const Wortpaar export_generieren = {"Bilder generieren", "Create Images"};
const Wortpaar export_abbruch = {"Abbruch", "Cancel"};
const Wortpaar export_farben = {"Farben", "Colors"};
const Wortpaar export_nummerierung = {"Nummerierung", "Labelling"};
const Wortpaar export_erklaerung = {
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
const Wortpaar export_beschaeftigt = {
    "Das Programm ist gerade beschäftigt. Bitte warten Sie, bis der Stadtplan fertig ist.",
    "The program is busy. Please wait until the city map is finished."};
const Wortpaar export_kein_plan = {"Es ist kein Stadtplan zum Exportieren vorhanden.",
                                   "There is no city map to export."};
const Wortpaar export_fehlgeschlagen = {"Der Grafikexport ist fehlgeschlagen: %1",
                                        "The image export failed: %1"};

// --- Bildexportnummerierung ---

const Wortpaar nummerierung_titel = {"Nummerierung", "Labelling"};
const Wortpaar nummerierung_wege = {"Straßen und Wege", "Streets"};
const Wortpaar nummerierung_haeuser = {"Gebäude", "Buildings"};
const Wortpaar nummerierung_plaetze = {"Plätze", "Squares"};
const Wortpaar nummerierung_parks = {"Parks", "Parks"};
const Wortpaar nummerierung_schriftgroesse = {"Schriftgröße (Pixel):", "Fonz size (pixel):"};
const Wortpaar nummerierung_schliessen = {"Schließen", "Close"};

// --- Farben ---

const Wortpaar farben_titel = {" Stadtplan Druckfarben", "City Map Printing Colours"};
const std::array<Wortpaar, n_druckfarben> farben_namen = {{
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
const Wortpaar farben_anwenden = {"Anwenden", "Take This Time"};
const Wortpaar farben_als_standard = {"als Standard definieren", "Save As Default Colours"};
const Wortpaar farben_standard_laden = {"Standard laden", "Load Default Colours"};
const Wortpaar farben_palette_laden = {"Farbpalette laden ...", "Load Palette"};
const Wortpaar farben_palette_speichern = {"Farbpalette speichern ...", "Save Palette As"};
const Wortpaar farben_ladefehler = {
    "Die Farbpalette konnte nicht geladen werden; die Farben bleiben unverändert.\n%1",
    "The palette could not be loaded; the colours stay as they were.\n%1"};
const Wortpaar farben_schreibfehler = {"Die Farbpalette konnte nicht gespeichert werden.\n%1",
                                       "The palette could not be saved.\n%1"};
const Wortpaar farben_speicherfehler = {
    "Die Farben konnten nicht als Standard gespeichert werden.\n%1",
    "The colours could not be stored as defaults.\n%1"};

// --- Stadtname ---

const Wortpaar stadtname_titel = {"Stadtnamens-Generator", "Random City Name Generator"};
const Wortpaar stadtname_wortteile = {"Anzahl Wortteile", "# Words"};
const Wortpaar stadtname_silben = {"Anzahl Silben/Wortteil", "# Syllables/Word"};
const Wortpaar stadtname_stimmung = {
    "Lieblich ...                                               ... düster",
    "Lovely ...                                               ... Omnious"};
const Wortpaar stadtname_go = {"Nächster Versuch", "Next Try"};
const Wortpaar stadtname_ok = {"Übernehmen", "Take"};
const Wortpaar stadtname_abbruch = {"Abbruch", "Cancel"};

} // namespace tarvello::dialogtext
