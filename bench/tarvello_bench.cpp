// Benchmark of the generator and the renderer: every preset with a fixed
// seed, several runs each, median times of the whole run and of each stage,
// peak resident memory and the counts of `generate --stats`; then how the
// towns grow (preset 13 with 10000, 15000 and 20000 buildings asked, preset
// 11 with 10000, and preset 13 with twice the streets); then what the user
// gets from each front beside the same work in-process: whole `tarvello
// generate` processes, the window's run of a preset (offscreen, with its
// preview updates) and a whole `tarvello render` of preset 13 to one 3200 px
// PNG. Prints one table per part.
//
//   tarvello_bench [--runs N] [--seed S] [--presets 0-13] [--fronts 11-13]
//                  [--tarvello PATH] [--no-render] [--no-growth] [--no-fronts]
//
// Each preset runs in a child process so its peak memory is its own, and each
// run of a front in a fresh process, so the fronts start as the user's do.
// Exits with 1 when a front costs more CPU than 1.2 x the in-process run
// (plus the cost of starting an empty process of that front).
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "app/eingabe.h"
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
    double cpu; // CPU seconds (user + sys) of the whole run
    long long kandidaten;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double sekunden(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double cpu_sekunden(const rusage& r) {
    return sekunden(r.ru_utime) + sekunden(r.ru_stime);
}

// CPU seconds this process has used so far, all threads.
double cpu_jetzt() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return cpu_sekunden(r);
}

double wand_jetzt() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
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
    Wirt wirt;
    const double cpu0 = cpu_jetzt();
    const Laufbericht b = stadtplan_erstellen({s, seed, {}}, m, system_uhr(), wirt);
    const double cpu = cpu_jetzt() - cpu0;
    Messung r{};
    r.cpu = cpu;
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

// CPU (user + sys) and wall seconds of one piece of work.
struct Aufwand {
    double cpu = 0, wand = 0;
    int gebaeude = 0; // buildings of the map made, to check that it is the same map
};

Aufwand median(const std::vector<Aufwand>& v) {
    std::vector<double> c, w;
    for (const Aufwand& a : v) {
        c.push_back(a.cpu);
        w.push_back(a.wand);
    }
    return {median(c), median(w), v.empty() ? 0 : v.front().gebaeude};
}

// Runs f in a child process and reads back what it measured; nothing when
// the child failed. The parent never starts Qt, so every child starts clean.
template <class F> std::optional<Aufwand> im_kind(F f) {
    int rohr[2];
    if (pipe(rohr) != 0) return std::nullopt;
    const pid_t kind = fork();
    if (kind == 0) {
        close(rohr[0]);
        const std::optional<Aufwand> a = f();
        if (!a || write(rohr[1], &*a, sizeof *a) != static_cast<ssize_t>(sizeof *a)) _exit(1);
        _exit(0);
    }
    close(rohr[1]);
    Aufwand a;
    const bool gelesen = read(rohr[0], &a, sizeof a) == static_cast<ssize_t>(sizeof a);
    close(rohr[0]);
    int status = 0;
    waitpid(kind, &status, 0);
    if (!gelesen || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return a;
}

// A whole process of the program with the arguments (output to /dev/null):
// its CPU from wait4 and its wall time; nothing when it failed.
std::optional<Aufwand> prozess_messen(const std::string& programm,
                                      const std::vector<std::string>& argumente) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programm.c_str()));
    for (const std::string& a : argumente)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const double t0 = wand_jetzt();
    const pid_t kind = fork();
    if (kind == 0) {
        const int leer = open("/dev/null", O_WRONLY);
        if (leer >= 0) {
            dup2(leer, 1);
            dup2(leer, 2);
        }
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execv(programm.c_str(), argv.data());
        _exit(127);
    }
    if (kind < 0) return std::nullopt;
    int status = 0;
    rusage ru{};
    wait4(kind, &status, 0, &ru);
    const double wand = wand_jetzt() - t0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return Aufwand{cpu_sekunden(ru), wand, 0};
}

// Median of `laeufe` measurements; nothing when any of them failed.
template <class F> std::optional<Aufwand> mehrmals(int laeufe, F f) {
    std::vector<Aufwand> v;
    for (int n = 0; n < laeufe; ++n) {
        const std::optional<Aufwand> a = f();
        if (!a) return std::nullopt;
        v.push_back(*a);
    }
    return median(v);
}

std::string temp_name(const char* endung) {
    char name[] = "/tmp/tarvello_bench_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    std::remove(name);
    return std::string(name) + endung;
}

// The generator in this process, as the table above runs it.
std::optional<Aufwand> generator_messen(int vorlage, std::uint64_t seed) {
    return im_kind([&]() -> std::optional<Aufwand> {
        Stadtmodell m;
        const double t0 = wand_jetzt();
        const Messung r = einmal(vorlage, seed, m);
        return Aufwand{r.cpu, wand_jetzt() - t0, r.c.gebaeude};
    });
}

// Qt's warnings about the offscreen platform (no runtime folder, no size
// hints) would be mixed into the table; errors still show.
void qt_warnungen_aus() {
    qInstallMessageHandler([](QtMsgType art, const QMessageLogContext&, const QString& text) {
        if (art == QtCriticalMsg || art == QtFatalMsg)
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
}

// The window's run of a preset: a fresh window (offscreen), the preset chosen
// and the seed typed, then Start; the run with its status line, progress bar
// and preview updates, from Start until it returns.
std::optional<Aufwand> fenster_messen(int vorlage, std::uint64_t seed) {
    return im_kind([&]() -> std::optional<Aufwand> {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qt_warnungen_aus();
        int argc = 1;
        char name[] = "tarvello_bench";
        char* argv[] = {name, nullptr};
        QApplication app(argc, argv);
        Programmdaten daten;
        Eingabe fenster(daten);
        fenster.show();
        QCoreApplication::processEvents();
        fenster.vorlage_waehlen(vorlage);
        auto* startwert = fenster.findChild<QLineEdit*>("Text_Startwert");
        if (!startwert) return std::nullopt;
        startwert->setText(QString::number(seed));
        const double cpu0 = cpu_jetzt();
        const double t0 = wand_jetzt();
        fenster.lauf_starten();
        const Aufwand a{cpu_jetzt() - cpu0, wand_jetzt() - t0, zaehlen(daten.modell).gebaeude};
        if (fenster.letztes_laufende() != Laufende::fertig) return std::nullopt;
        return a;
    });
}

// The renderer in this process: the map made first, then one PNG drawn in a
// fresh Qt application, as `tarvello render` draws it (fonts loaded by the
// first picture in both).
std::optional<Aufwand> rendern_messen(int vorlage, std::uint64_t seed, int pixel) {
    return im_kind([&]() -> std::optional<Aufwand> {
        Stadtmodell m;
        einmal(vorlage, seed, m);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qt_warnungen_aus();
        int argc = 1;
        char name[] = "tarvello_bench";
        char* argv[] = {name, nullptr};
        QGuiApplication app(argc, argv);
        Druckoptionen o;
        o.export_pixel = pixel;
        const Druckfarben f = Druckfarben::standard();
        Zeichenauftrag a{m, f, o, Bildausschnitt{}, nullptr};
        const std::string datei = temp_name(".png");
        const double cpu0 = cpu_jetzt();
        const double t0 = wand_jetzt();
        const Ergebnis e =
            bilder_exportieren(a, {{Bildformat::png, QString::fromLocal8Bit(datei.c_str())}});
        const Aufwand r{cpu_jetzt() - cpu0, wand_jetzt() - t0, 0};
        std::remove(datei.c_str());
        if (!e.gut()) {
            std::fprintf(stderr, "%s\n", e.englisch().c_str());
            return std::nullopt;
        }
        return r;
    });
}

// Whether a front's CPU stays within 1.2 x the in-process run plus the
// start of an empty process of it; prints a failure line otherwise.
bool front_pruefen(const char* was, const Aufwand& front, const Aufwand& drinnen, double start) {
    const double grenze = 1.2 * drinnen.cpu + start;
    if (front.cpu <= grenze) return true;
    std::printf("FAIL: %s costs %.3f s CPU, more than 1.2 x the in-process %.3f s + %.3f s "
                "start = %.3f s\n",
                was, front.cpu, drinnen.cpu, start, grenze);
    return false;
}

void fehlschlag(const char* was) {
    std::printf("FAIL: %s did not run to the end\n", was);
}

// The fronts beside the same work in-process. Returns false on a failure.
bool fronten_zeigen(const std::string& programm, std::uint64_t seed, int laeufe, int von, int bis,
                    bool mit_render) {
    bool gut = true;
    const std::string s = std::to_string(seed);
    // What starting a process of each front costs before it does any work.
    const std::optional<Aufwand> start_cli =
        mehrmals(laeufe, [&] { return prozess_messen(programm, {"--version"}); });
    const std::optional<Aufwand> start_bild = mehrmals(laeufe, [&] {
        return prozess_messen(programm, {"render", "--help"});
    });
    if (!start_cli || !start_bild) {
        std::printf("\nFAIL: %s does not start\n", programm.c_str());
        return false;
    }
    std::printf("\nFronts, seed %llu: CPU (user + sys) and wall seconds, median of %d fresh "
                "processes;\nx = CPU / in-process CPU, w/cmd = window CPU / generate CPU. "
                "Process start: %.3f s CPU (--version), %.3f s (render --help)\n",
                static_cast<unsigned long long>(seed), laeufe, start_cli->cpu, start_bild->cpu);
    std::printf("%-3s | %-15s | %-21s | %-21s %6s\n", "P", "in-process", "tarvello generate",
                "window run (Start)", "w/cmd");
    std::printf("%-3s | %7s %7s | %7s %7s %5s | %7s %7s %5s\n", "", "cpu", "wall", "cpu", "wall",
                "x", "cpu", "wall", "x");
    for (int v = von; v <= bis && v < n_vorlagen; ++v) {
        const std::string p = std::to_string(v);
        const auto drinnen = mehrmals(laeufe, [&] { return generator_messen(v, seed); });
        const auto cli = mehrmals(laeufe, [&] {
            return prozess_messen(programm, {"generate", "--preset", p, "--seed", s});
        });
        const auto fenster = mehrmals(laeufe, [&] { return fenster_messen(v, seed); });
        const std::string n_cli = "tarvello generate --preset " + p;
        const std::string n_fenster = "the window's run of preset " + p;
        if (!drinnen || !cli || !fenster) {
            fehlschlag((!drinnen ? "the in-process run of preset " + p
                        : !cli   ? n_cli
                                 : n_fenster)
                           .c_str());
            gut = false;
            continue;
        }
        std::printf("%-3d | %7.3f %7.3f | %7.3f %7.3f %5.2f | %7.3f %7.3f %5.2f %6.2f\n", v,
                    drinnen->cpu, drinnen->wand, cli->cpu, cli->wand, cli->cpu / drinnen->cpu,
                    fenster->cpu, fenster->wand, fenster->cpu / drinnen->cpu,
                    fenster->cpu / cli->cpu);
        std::fflush(stdout);
        if (fenster->gebaeude != drinnen->gebaeude) {
            std::printf("FAIL: the window made another map of preset %d (%d buildings, not %d)\n",
                        v, fenster->gebaeude, drinnen->gebaeude);
            gut = false;
        }
        gut = front_pruefen(n_cli.c_str(), *cli, *drinnen, start_cli->cpu) && gut;
        gut = front_pruefen(n_fenster.c_str(), *fenster, *drinnen, 0.0) && gut;
    }
    if (!mit_render) return gut;

    const int pixel = 3200;
    const std::string karte = temp_name(".qls");
    const std::string bild = temp_name(".png");
    const auto drinnen = mehrmals(laeufe, [&] { return rendern_messen(13, seed, pixel); });
    std::optional<Aufwand> cli;
    if (prozess_messen(programm, {"generate", "--preset", "13", "--seed", s, "-o", karte}))
        cli = mehrmals(laeufe, [&] {
            return prozess_messen(
                programm, {"render", karte, "--png", bild, "--pixels", std::to_string(pixel)});
        });
    std::remove(karte.c_str());
    std::remove(bild.c_str());
    if (!drinnen || !cli) {
        fehlschlag(!drinnen ? "the in-process rendering" : "tarvello render");
        return false;
    }
    std::printf("\nRender preset 13 to one %d px PNG: in-process %.3f s CPU %.3f s wall | "
                "tarvello render %.3f s CPU %.3f s wall x%.2f\n",
                pixel, drinnen->cpu, drinnen->wand, cli->cpu, cli->wand, cli->cpu / drinnen->cpu);
    return front_pruefen("tarvello render of preset 13", *cli, *drinnen, start_bild->cpu) && gut;
}

// Median total time of a preset with one control changed, in a child
// process like the table rows.
struct Wachstum {
    double sekunden = 0, cpu = 0;
    long long kandidaten = 0;
    int gebaeude = 0, strassen = 0;
};

Wachstum wachstum_messen(int vorlage, std::uint64_t seed, int laeufe, const char* name,
                         const char* wert) {
    Wachstum w;
    int rohr[2];
    if (pipe(rohr) != 0) return w;
    const pid_t kind = fork();
    if (kind == 0) {
        close(rohr[0]);
        std::vector<double> t, c;
        Wachstum e;
        for (int n = 0; n < laeufe; ++n) {
            Stadtmodell m;
            const Messung r = einmal(vorlage, seed, m, {{name, wert}});
            t.push_back(r.t[0]);
            c.push_back(r.cpu);
            e.kandidaten = r.kandidaten;
            e.gebaeude = r.c.gebaeude;
            e.strassen = r.c.strassen;
        }
        e.sekunden = median(t);
        e.cpu = median(c);
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
    std::printf(
        "\nGrowth (total s and CPU s, median of %d; candidates tested per building kept):\n",
        laeufe);
    // List indices: Combo_n_gebaude 25 = 10000, 27 = 15000, 28 = 20000;
    // Combo_wege_anzahl 15 = 500, 17 = 1000.
    struct Zeile {
        int vorlage;
        const char* wert;
        int gefragt;
    };
    const Zeile zeilen[] = {
        {13, "25", 10000}, {13, "27", 15000}, {13, "28", 20000}, {11, "25", 10000}};
    double basis = 0;
    for (const Zeile& z : zeilen) {
        const Wachstum g = wachstum_messen(z.vorlage, seed, laeufe, "Combo_n_gebaude", z.wert);
        if (z.vorlage == 13 && z.gefragt == 10000) basis = g.sekunden;
        std::printf("  preset %d, %5d buildings asked: %5d placed  %7.3f s  CPU %7.3f s", z.vorlage,
                    z.gefragt, g.gebaeude, g.sekunden, g.cpu);
        if (z.vorlage == 13 && basis > 0) std::printf("  x%.2f", g.sekunden / basis);
        std::printf("  candidates %lld (%.1f per building)\n", g.kandidaten,
                    g.gebaeude > 0 ? static_cast<double>(g.kandidaten) / g.gebaeude : 0.0);
    }
    const Wachstum s1 = wachstum_messen(13, seed, laeufe, "Combo_wege_anzahl", "15");
    const Wachstum s2 = wachstum_messen(13, seed, laeufe, "Combo_wege_anzahl", "17");
    std::printf("  preset 13, streets %5d -> %5d: %7.3f s -> %7.3f s  x%.2f\n", s1.strassen,
                s2.strassen, s1.sekunden, s2.sekunden,
                s1.sekunden > 0 ? s2.sekunden / s1.sekunden : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    int laeufe = 5, von = 0, bis = 13, fronten_von = 11, fronten_bis = 13;
    std::uint64_t seed = 1;
    bool mit_render = true, mit_wachstum = true, mit_fronten = true;
    // The program is built beside the benchmark.
    std::string programm = argv[0];
    programm = programm.substr(0, programm.find_last_of('/') + 1) + "tarvello";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            laeufe = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--presets") && i + 1 < argc) {
            std::sscanf(argv[++i], "%d-%d", &von, &bis);
            if (bis < von) bis = von;
        } else if (!std::strcmp(argv[i], "--fronts") && i + 1 < argc) {
            std::sscanf(argv[++i], "%d-%d", &fronten_von, &fronten_bis);
            if (fronten_bis < fronten_von) fronten_bis = fronten_von;
        } else if (!std::strcmp(argv[i], "--tarvello") && i + 1 < argc)
            programm = argv[++i];
        else if (!std::strcmp(argv[i], "--no-render"))
            mit_render = false;
        else if (!std::strcmp(argv[i], "--no-growth"))
            mit_wachstum = false;
        else if (!std::strcmp(argv[i], "--no-fronts"))
            mit_fronten = false;
        else {
            std::fprintf(stderr, "usage: tarvello_bench [--runs N] [--seed S] [--presets A-B] "
                                 "[--fronts A-B] [--tarvello PATH] [--no-render] [--no-growth] "
                                 "[--no-fronts]\n");
            return 2;
        }
    }
    std::printf("Tarvello benchmark: seed %llu, median of %d runs\n\n",
                static_cast<unsigned long long>(seed), laeufe);
    std::printf("%-3s %8s %7s %7s %7s %6s %6s %6s %6s %7s %6s %6s | %5s %4s %5s %7s %6s %5s %5s "
                "%5s %4s %4s %5s %5s %4s\n",
                "P", "total", "cpu", "rivers", "streets", "wall", "parks", "squar", "bound",
                "build", "fit", "numb", "MB", "att", "rivs", "rpts", "strts", "spts", "links",
                "bldg", "rnd", "sqr", "park", "wallp", "twr");
    for (int v = von; v <= bis && v < n_vorlagen; ++v) {
        int rohr[2];
        if (pipe(rohr) != 0) return 1;
        const pid_t kind = fork();
        if (kind == 0) {
            close(rohr[0]);
            std::vector<std::vector<double>> t(10);
            std::vector<double> cpu;
            Messung letzte{};
            for (int n = 0; n < laeufe; ++n) {
                Stadtmodell m;
                letzte = einmal(v, seed, m);
                for (int k = 0; k < 10; ++k)
                    t[static_cast<std::size_t>(k)].push_back(letzte.t[k]);
                cpu.push_back(letzte.cpu);
            }
            for (int k = 0; k < 10; ++k)
                letzte.t[k] = median(t[static_cast<std::size_t>(k)]);
            letzte.cpu = median(cpu);
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
        std::printf("%-3d %8.4f %7.4f %7.4f %7.4f %6.4f %6.4f %6.4f %6.4f %7.4f %6.4f %6.4f | "
                    "%5.1f %4d %5d %7d %6d %5d %5d %5d %4d %4d %5d %5d %4d\n",
                    v, r.t[0], r.cpu, r.t[1], r.t[2], r.t[3], r.t[4], r.t[5], r.t[6], r.t[7],
                    r.t[8], r.t[9], static_cast<double>(ru.ru_maxrss) / 1024.0, r.versuche,
                    r.c.fluesse, r.c.fluss_punkte, r.c.strassen, r.c.strassen_punkte,
                    r.c.verbindungen, r.c.gebaeude, r.c.rundbauten, r.c.plaetze, r.c.parks,
                    r.c.mauer_punkte, r.tuerme);
        std::fflush(stdout);
    }
    if (mit_wachstum) wachstum_zeigen(seed, laeufe);
    bool gut = true;
    if (mit_fronten) {
        gut = fronten_zeigen(programm, seed, laeufe, fronten_von, fronten_bis, mit_render);
    } else if (mit_render) {
        const auto r = mehrmals(laeufe, [&] { return rendern_messen(13, seed, 3200); });
        if (r)
            std::printf("\nRender preset 13 to one 3200 px PNG: %.3f s CPU %.3f s wall "
                        "(median of %d)\n",
                        r->cpu, r->wand, laeufe);
    }
    std::fflush(stdout);
    return gut ? 0 : 1;
}
