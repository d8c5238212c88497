#include "core/status.h"

#include <iterator>
#include <string_view>

namespace tarvello {

namespace {

// %1 stands for zahl, %2 for von, %t for text.
struct Wortlaut {
    Statusart art;
    const char* de;
    const char* en;
};

constexpr Wortlaut wortlaute[] = {
    {Statusart::meldung, "%t", "%t"},
    {Statusart::versuch, "Stadt Versuch Nr. %1 ...", "City Attempt No. %1 ..."},
    {Statusart::fluesse, "Flüsse (Versuch %1) ...", "Rivers (Attempt %1) ..."},
    {Statusart::strassen, "Straßen und Wege ...", "Streets ..."},
    {Statusart::stadtmauer, "Stadtmauer ...", "City Wall ..."},
    {Statusart::parks, "Parks ...", "Parks ..."},
    {Statusart::plaetze, "Plätze ...", "Squares ..."},
    {Statusart::strassen_eingrenzen, "Straßen eingrenzen ...", "Bound Streets ..."},
    {Statusart::plaetze_eingrenzen, "Plätze eingrenzen ...", "Bound Squares ..."},
    {Statusart::parks_eingrenzen, "Parks eingrenzen ...", "Bound Parks ..."},
    {Statusart::gebaeude, "Gebäude ...", "Buildings ..."},
    {Statusart::gebaeude_aufgegeben, "Nur %1 von %2 Gebäuden platziert",
     "Only %1 of %2 buildings placed"},
    {Statusart::nummerierung, "Nummerierung ...", "Labelling ..."},
    {Statusart::fertig, "Stadtplan erstellt!", "City Map Finished!"},
    {Statusart::fertig_aufgegeben, "Stadtplan erstellt! Nur %1 von %2 Gebäuden platziert",
     "City Map Finished! Only %1 of %2 buildings placed"},
    {Statusart::abgebrochen, "Stadtplan abgebrochen", "City Map Aborted"},
    {Statusart::anwender_abbruch, "Abbruch durch Anwender", "User Abort"},
    {Statusart::rechenfehler, "Rechenfehler: %t", "Arithmetic fault: %t"},
    {Statusart::speichern, "Stadtplan speichern ...", "Saving City Map ..."},
    {Statusart::gespeichert, "Stadtplan gespeichert", "City Map Saved"},
    {Statusart::laden, "Stadtplan laden ...", "Loading City Map ..."},
    {Statusart::geladen, "Stadtplan geladen", "City Map Loaded"},
    {Statusart::drucke_blatt, "Drucke Blatt %1 von %2", "Printing Sheet %1 of %2"},
    {Statusart::exportiere_grafik, "Exportiere Grafik %1 von %2", "Export Image %1 of %2"},
    {Statusart::druck_fertig, "Druck abgeschlossen!", "City Map Printed!"},
    {Statusart::export_fertig, "Grafikexport abgeschlossen!", "Image Export Completed!"},
    {Statusart::park_prozessieren, "Prozessiere Park Nr. %1", "Process Park No. %1"},
    {Statusart::platz_prozessieren, "Prozessiere Platz Nr. %1", "Process Square No. %1"},
    {Statusart::fluesse_verfehlen_mitte,
     "Kein Stadtplan: In %1 Versuchen kam kein Fluss nahe genug an die Stadtmitte "
     "(Combo_fluss_breite_max, Combo_fluss_zentral)",
     "No city map: in %1 attempts no river came near enough to the town centre "
     "(Combo_fluss_breite_max, Combo_fluss_zentral)"},
    {Statusart::versuche_erschoepft, "Kein Stadtplan nach %1 Versuchen",
     "No city map after %1 attempts"},
};

constexpr bool in_reihenfolge() {
    for (int i = 0; i < statusarten; ++i)
        if (static_cast<int>(wortlaute[i].art) != i) return false;
    return true;
}
static_assert(std::size(wortlaute) == statusarten && in_reihenfolge(),
              "one wording per status kind, in the order of Statusart");

} // namespace

std::string status_text(const Status& status, Sprache sprache) {
    const Wortlaut& w = wortlaute[static_cast<int>(status.art)];
    const std::string_view muster = sprache == Sprache::deutsch ? w.de : w.en;
    // One pass, so a text holding "%1" is not filled in again.
    std::string r;
    for (std::size_t i = 0; i < muster.size(); ++i) {
        if (muster[i] == '%' && i + 1 < muster.size()) {
            switch (muster[i + 1]) {
            case '1':
                r += std::to_string(status.zahl);
                ++i;
                continue;
            case '2':
                r += std::to_string(status.von);
                ++i;
                continue;
            case 't':
                r += sprache == Sprache::deutsch && !status.text_de.empty() ? status.text_de
                                                                            : status.text;
                ++i;
                continue;
            }
        }
        r += muster[i];
    }
    return r;
}

} // namespace tarvello
