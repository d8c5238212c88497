// Benchmark of the generator and the renderer: every preset with a fixed
// seed, several runs each, median times of the whole run and of each stage,
// peak resident memory and the counts of `generate --stats`; then rendering
// preset 13 to one 3200 px PNG, and how preset 13 grows with twice the
// buildings and twice the streets. Prints one table.
//
//   tarvello_bench [--runs N] [--seed S] [--presets 0-13] [--no-render] [--no-growth]
//
// Each preset runs in a child process so its peak memory is its own.
#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "core/vorlagen.h"
#include "generator/statistik.h"
#include "generator/treiber.h"
#include "render/bildexport.h"
#include "wall/mauer.h"

using namespace tarvello;

namespace {

struct Messung {
    double t[10]; // total, rivers, streets, wall, parks, squares, bounding, buildings, fitting,
                  // numbering
    int versuche;
    Zaehlung c;
    int tore, bruecken, tuerme;
    double rendern;
    long long kandidaten;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// One run of a preset, with extra controls set on top (name, list index).
Messung einmal(int vorlage, std::uint64_t seed, Stadtmodell& m,
               const std::vector<std::pair<const char*, const char*>>& dazu = {}) {
    Steuerwerte s = start_steuerwerte();
    vorlage_anwenden(s, vorlage);
    for (const auto& [name, wert] : dazu)
        if (const Ergebnis e = s.setzen(name, wert); !e.gut()) {
            // A control that was not set would measure something else.
            std::fprintf(stderr, "%s\n", e.englisch().c_str());
            std::exit(2);
        }
    Parameter p;
    Zufall z(seed);
    Wirt wirt;
    const Laufbericht b = stadtplan_erstellen(s, p, m, z, system_uhr(), wirt);
    Messung r{};
    const Stufenzeiten& t = b.zeiten;
    const double werte[10] = {t.gesamt,  t.fluesse,    t.strassen, t.mauer,     t.parks,
                              t.plaetze, t.eingrenzen, t.gebaeude, t.einpassen, t.nummerierung};
    std::copy(std::begin(werte), std::end(werte), r.t);
    r.versuche = b.versuche;
    r.c = zaehlen(m);
    r.tore = b.tore;
    r.bruecken = b.bruecken;
    r.tuerme = mauer_tuerme_stehend(m);
    r.kandidaten = b.haus_kandidaten;
    return r;
}

double rendern(const Stadtmodell& m, int pixel) {
    Druckoptionen o;
    o.export_pixel = pixel;
    const Druckfarben f = Druckfarben::standard();
    Zeichenauftrag a{m, f, o, Bildausschnitt{}, nullptr};
    char name[] = "/tmp/tarvello_bench_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    const QString datei = QString::fromLocal8Bit(name) + ".png";
    const auto t0 = std::chrono::steady_clock::now();
    const Ergebnis e = bilder_exportieren(a, {{Bildformat::png, datei}});
    if (!e.gut()) std::fprintf(stderr, "%s\n", e.englisch().c_str());
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::remove(name);
    std::remove(datei.toLocal8Bit().constData());
    return s;
}

// Median total time of preset 13 with one control changed, in a child
// process like the table rows.
struct Wachstum {
    double sekunden = 0;
    long long kandidaten = 0;
    int gebaeude = 0, strassen = 0;
};

Wachstum wachstum_messen(std::uint64_t seed, int laeufe, const char* name, const char* wert) {
    Wachstum w;
    int rohr[2];
    if (pipe(rohr) != 0) return w;
    const pid_t kind = fork();
    if (kind == 0) {
        close(rohr[0]);
        std::vector<double> t;
        Wachstum e;
        for (int n = 0; n < laeufe; ++n) {
            Stadtmodell m;
            const Messung r = einmal(13, seed, m, {{name, wert}});
            t.push_back(r.t[0]);
            e.kandidaten = r.kandidaten;
            e.gebaeude = r.c.gebaeude;
            e.strassen = r.c.strassen;
        }
        e.sekunden = median(t);
        if (write(rohr[1], &e, sizeof e) != static_cast<ssize_t>(sizeof e)) _exit(1);
        _exit(0);
    }
    close(rohr[1]);
    if (read(rohr[0], &w, sizeof w) != static_cast<ssize_t>(sizeof w)) w = Wachstum{};
    close(rohr[0]);
    int status = 0;
    waitpid(kind, &status, 0);
    return w;
}

void wachstum_zeigen(std::uint64_t seed, int laeufe) {
    std::printf("\nGrowth at preset 13 (total s, median of %d):\n", laeufe);
    // List indices: Combo_n_gebaude 25 = 10000, 28 = 20000; Combo_wege_anzahl 15 = 500,
    // 17 = 1000.
    const Wachstum g1 = wachstum_messen(seed, laeufe, "Combo_n_gebaude", "25");
    const Wachstum g2 = wachstum_messen(seed, laeufe, "Combo_n_gebaude", "28");
    std::printf("  buildings %5d -> %5d: %7.3f s -> %7.3f s  x%.2f  (candidates %lld -> %lld)\n",
                g1.gebaeude, g2.gebaeude, g1.sekunden, g2.sekunden,
                g1.sekunden > 0 ? g2.sekunden / g1.sekunden : 0.0, g1.kandidaten, g2.kandidaten);
    const Wachstum s1 = wachstum_messen(seed, laeufe, "Combo_wege_anzahl", "15");
    const Wachstum s2 = wachstum_messen(seed, laeufe, "Combo_wege_anzahl", "17");
    std::printf("  streets   %5d -> %5d: %7.3f s -> %7.3f s  x%.2f\n", s1.strassen, s2.strassen,
                s1.sekunden, s2.sekunden, s1.sekunden > 0 ? s2.sekunden / s1.sekunden : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    int laeufe = 5, von = 0, bis = 13;
    std::uint64_t seed = 1;
    bool mit_render = true, mit_wachstum = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            laeufe = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--presets") && i + 1 < argc) {
            std::sscanf(argv[++i], "%d-%d", &von, &bis);
            if (bis < von) bis = von;
        } else if (!std::strcmp(argv[i], "--no-render"))
            mit_render = false;
        else if (!std::strcmp(argv[i], "--no-growth"))
            mit_wachstum = false;
        else {
            std::fprintf(
                stderr, "usage: tarvello_bench [--runs N] [--seed S] [--presets A-B] [--no-render] "
                        "[--no-growth]\n");
            return 2;
        }
    }
    std::printf("Tarvello benchmark: seed %llu, median of %d runs\n\n",
                static_cast<unsigned long long>(seed), laeufe);
    std::printf("%-3s %8s %7s %7s %6s %6s %6s %6s %7s %6s %6s | %5s %4s %5s %7s %6s %5s %5s %5s "
                "%4s %4s %5s %5s %4s\n",
                "P", "total", "rivers", "streets", "wall", "parks", "squar", "bound", "build",
                "fit", "numb", "MB", "att", "rivs", "rpts", "strts", "spts", "links", "bldg", "rnd",
                "sqr", "park", "wallp", "twr");
    for (int v = von; v <= bis && v < n_vorlagen; ++v) {
        int rohr[2];
        if (pipe(rohr) != 0) return 1;
        const pid_t kind = fork();
        if (kind == 0) {
            close(rohr[0]);
            std::vector<std::vector<double>> t(10);
            Messung letzte{};
            for (int n = 0; n < laeufe; ++n) {
                Stadtmodell m;
                letzte = einmal(v, seed, m);
                for (int k = 0; k < 10; ++k)
                    t[static_cast<std::size_t>(k)].push_back(letzte.t[k]);
            }
            for (int k = 0; k < 10; ++k)
                letzte.t[k] = median(t[static_cast<std::size_t>(k)]);
            if (write(rohr[1], &letzte, sizeof letzte) != static_cast<ssize_t>(sizeof letzte))
                _exit(1);
            _exit(0);
        }
        close(rohr[1]);
        Messung r{};
        const bool gelesen = read(rohr[0], &r, sizeof r) == static_cast<ssize_t>(sizeof r);
        close(rohr[0]);
        int status = 0;
        rusage ru{};
        wait4(kind, &status, 0, &ru);
        if (!gelesen) {
            std::printf("%-3d failed\n", v);
            continue;
        }
        std::printf("%-3d %8.4f %7.4f %7.4f %6.4f %6.4f %6.4f %6.4f %7.4f %6.4f %6.4f | %5.1f %4d "
                    "%5d %7d %6d %5d %5d %5d %4d %4d %5d %5d %4d\n",
                    v, r.t[0], r.t[1], r.t[2], r.t[3], r.t[4], r.t[5], r.t[6], r.t[7], r.t[8],
                    r.t[9], static_cast<double>(ru.ru_maxrss) / 1024.0, r.versuche, r.c.fluesse,
                    r.c.fluss_punkte, r.c.strassen, r.c.strassen_punkte, r.c.verbindungen,
                    r.c.gebaeude, r.c.rundbauten, r.c.plaetze, r.c.parks, r.c.mauer_punkte,
                    r.tuerme);
        std::fflush(stdout);
    }
    if (mit_wachstum) wachstum_zeigen(seed, laeufe);
    if (mit_render) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        Stadtmodell m;
        einmal(13, seed, m);
        std::vector<double> t;
        for (int n = 0; n < laeufe; ++n)
            t.push_back(rendern(m, 3200));
        std::printf("\nRender preset 13 to one 3200 px PNG: %.3f s (median of %d)\n", median(t),
                    laeufe);
    }
    return 0;
}
