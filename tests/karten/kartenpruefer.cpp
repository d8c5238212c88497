// Runs the map checker over saved maps or maps generated in process and
// prints one line of counts per map, then the totals per kind.
//
//   kartenpruefer [options] MAP.qls...
//   kartenpruefer [options] --generate PRESETS SEEDS     e.g. --generate 8-11 1-10
//
// Options: --examples (places to zoom at, deepest first), --factor F (drawn
// half-width per weg_breite, 0.3025), --tolerance T (metres, 0.02),
// --set NAME=VALUE (a control on top of each preset, as for generate).
// The totals also count what reads amiss on the whole map (an off-centre
// town, a wall over a river, ...). Exit code 0 when no map shows a fault of
// the first kinds, 1 when some does, 2 on bad use or a map that cannot be read.
#include <QString>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/vorlagen.h"
#include "files/kartendatei.h"
#include "karten/kartenpruefung.h"

using namespace tarvello;

namespace {

struct Summe {
    std::array<long, n_fehlerarten> anzahl{};
    std::array<int, n_fehlerarten> karten{}; // maps with at least one
    std::array<long, n_mangelarten> maengel{};
    std::array<int, n_mangelarten> mangel_karten{};
    double versatz = 0;
    long bruecken = 0, gemeldet = 0, reihenglieder = 0, mauerstrassen = 0;
    int n = 0, gemeldet_karten = 0;

    void nehmen(const Kartenbefund& b) {
        ++n;
        for (std::size_t a = 0; a < anzahl.size(); ++a) {
            anzahl[a] += b.anzahl[a];
            if (b.anzahl[a] > 0) ++karten[a];
        }
        for (std::size_t a = 0; a < maengel.size(); ++a) {
            maengel[a] += b.maengel[a];
            if (b.maengel[a] > 0) ++mangel_karten[a];
        }
        versatz += b.mitte_versatz;
        bruecken += b.bruecken;
        reihenglieder += b.reihenglieder;
        mauerstrassen += b.strassen_durch_mauer;
        if (b.bruecken_gemeldet >= 0) {
            gemeldet += b.bruecken_gemeldet;
            ++gemeldet_karten;
        }
    }

    void drucken(const char* titel) const {
        std::printf("%s (%d maps):\n", titel, n);
        for (int a = 0; a < n_fehlerarten; ++a)
            std::printf("  %-14s %6ld in %d maps\n", fehlerart_name(static_cast<Kartenfehler>(a)),
                        anzahl[static_cast<std::size_t>(a)], karten[static_cast<std::size_t>(a)]);
        std::printf("  %-14s %6ld\n", "streets_wall", mauerstrassen);
        std::printf("  %-14s %6ld\n", "rows", reihenglieder);
        std::printf("  %-14s %6ld", "bridges", bruecken);
        if (gemeldet_karten > 0) std::printf("  (reported %ld)", gemeldet);
        std::printf("\n");
        for (int a = 0; a < n_mangelarten; ++a)
            std::printf("  %-14s %6ld in %d maps\n", mangelart_name(static_cast<Kartenmangel>(a)),
                        maengel[static_cast<std::size_t>(a)],
                        mangel_karten[static_cast<std::size_t>(a)]);
        std::printf("  %-14s %6.3f (mean share of the half side)\n", "centre_offset",
                    n > 0 ? versatz / n : 0.0);
    }
};

void beispiele_drucken(const Kartenbefund& b) {
    for (int a = 0; a < n_fehlerarten; ++a)
        for (const Fundstelle& f : b.beispiele[static_cast<std::size_t>(a)])
            std::printf("    %-14s element %d with %d at %.2f,%.2f depth %.2f share %.2f\n",
                        fehlerart_name(static_cast<Kartenfehler>(a)), f.element, f.partner, f.x,
                        f.y, f.tiefe, f.anteil);
    for (int a = 0; a < n_mangelarten; ++a)
        for (const Fundstelle& f : b.mangel_beispiele[static_cast<std::size_t>(a)])
            std::printf("    %-14s element %d with %d at %.2f,%.2f value %.2f\n",
                        mangelart_name(static_cast<Kartenmangel>(a)), f.element, f.partner, f.x,
                        f.y, f.tiefe);
    for (const Fundstelle& f : b.bruecken_orte)
        std::printf("    %-14s street %d over river %d at %.2f,%.2f\n", "bridge", f.element,
                    f.partner, f.x, f.y);
}

bool bereich_lesen(const char* text, long& von, long& bis) {
    char* ende = nullptr;
    von = std::strtol(text, &ende, 10);
    if (ende == text) return false;
    bis = von;
    if (*ende == '-') {
        const char* rest = ende + 1;
        bis = std::strtol(rest, &ende, 10);
        if (ende == rest) return false;
    }
    return *ende == '\0' && von <= bis;
}

int benutzung() {
    std::fprintf(stderr, "usage: kartenpruefer [--examples] [--factor F] [--tolerance T] "
                         "(MAP.qls... | --generate PRESETS SEEDS [--set NAME=VALUE]...)\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Pruefmass mass;
    bool beispiele = false;
    long v_von = 0, v_bis = -1, s_von = 0, s_bis = -1;
    std::vector<const char*> dateien;
    std::vector<std::pair<std::string, std::string>> setzen;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--examples") {
            beispiele = true;
        } else if (a == "--factor" && i + 1 < argc) {
            mass.weg_faktor = std::atof(argv[++i]);
        } else if (a == "--tolerance" && i + 1 < argc) {
            mass.toleranz = std::atof(argv[++i]);
        } else if (a == "--set" && i + 1 < argc) {
            const std::string z = argv[++i];
            const std::size_t gleich = z.find('=');
            if (gleich == std::string::npos || gleich == 0) return benutzung();
            setzen.emplace_back(z.substr(0, gleich), z.substr(gleich + 1));
        } else if (a == "--generate" && i + 2 < argc) {
            if (!bereich_lesen(argv[i + 1], v_von, v_bis) ||
                !bereich_lesen(argv[i + 2], s_von, s_bis))
                return benutzung();
            i += 2;
        } else if (!a.empty() && a[0] == '-') {
            return benutzung();
        } else {
            dateien.push_back(argv[i]);
        }
    }
    if (dateien.empty() && v_bis < v_von) return benutzung();

    Summe alle;
    std::map<long, Summe> je_vorlage;
    bool lesefehler = false;
    for (const char* datei : dateien) {
        Stadtmodell m;
        Kartenkopf kopf;
        if (const Ergebnis e = stadtplan_laden(QString::fromLocal8Bit(datei), m, kopf); !e.gut()) {
            std::fprintf(stderr, "%s\n", e.englisch().c_str());
            lesefehler = true;
            continue;
        }
        const Kartenbefund b = karte_pruefen(m, mass);
        std::printf("%s: %s\n", datei, befund_zeile(b).c_str());
        if (beispiele) beispiele_drucken(b);
        alle.nehmen(b);
    }
    for (long v = v_von; v <= v_bis; ++v)
        for (long s = s_von; s <= s_bis; ++s) {
            Steuerwerte werte = start_steuerwerte();
            if (!vorlage_anwenden(werte, static_cast<int>(v))) return benutzung();
            for (const auto& [name, wert] : setzen)
                if (const Ergebnis f = werte.setzen(name, wert); !f.gut()) {
                    std::fprintf(stderr, "--set: %s\n", f.englisch().c_str());
                    return 2;
                }
            bool fertig = false;
            const Kartenbefund b =
                steuerwerte_pruefen(werte, static_cast<std::uint64_t>(s), mass, &fertig);
            std::printf("preset %ld seed %ld%s: %s\n", v, s, fertig ? "" : " (unfinished)",
                        befund_zeile(b).c_str());
            if (beispiele) beispiele_drucken(b);
            std::fflush(stdout);
            alle.nehmen(b);
            je_vorlage[v].nehmen(b);
        }
    if (je_vorlage.size() > 1)
        for (const auto& [v, summe] : je_vorlage)
            summe.drucken(("preset " + std::to_string(v)).c_str());
    alle.drucken("total");
    if (lesefehler) return 2;
    for (long a : alle.anzahl)
        if (a > 0) return 1;
    return 0;
}
