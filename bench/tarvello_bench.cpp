// Benchmark of the generator and the renderer: every preset with a fixed
// seed, several runs each, median times of the whole run and of each stage,
// peak resident memory and the counts of `generate --stats`; then rendering
// preset 13 to one 3200 px PNG. Prints one table.
//
//   tarvello_bench [--runs N] [--seed S] [--presets 0-13] [--no-render]
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
#include <vector>

#include "core/statistik.h"
#include "core/treiber.h"
#include "core/vorlagen.h"
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
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

Messung einmal(int vorlage, std::uint64_t seed, Stadtmodell& m) {
    Steuerwerte s = start_steuerwerte();
    vorlage_anwenden(s, vorlage);
    Parameter p;
    Zufall z(seed);
    Wirt wirt;
    const Laufbericht b = stadtplan_erstellen(s, p, m, z, system_uhr(), wirt, Sprache::englisch);
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
    return r;
}

double rendern(const Stadtmodell& m, int pixel) {
    Druckoptionen o;
    o.export_pixel = pixel;
    const Druckfarben f = Druckfarben::standard();
    Zufall z(1);
    Zeichenauftrag a{m, f, o, Bildausschnitt{}, z, nullptr, Sprache::englisch};
    char name[] = "/tmp/tarvello_bench_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    const QString datei = QString::fromLocal8Bit(name) + ".png";
    const auto t0 = std::chrono::steady_clock::now();
    bilder_exportieren(a, {{Bildformat::png, datei}});
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::remove(name);
    std::remove(datei.toLocal8Bit().constData());
    return s;
}

} // namespace

int main(int argc, char** argv) {
    int laeufe = 5, von = 0, bis = 13;
    std::uint64_t seed = 1;
    bool mit_render = true;
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
        else {
            std::fprintf(
                stderr,
                "usage: tarvello_bench [--runs N] [--seed S] [--presets A-B] [--no-render]\n");
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
