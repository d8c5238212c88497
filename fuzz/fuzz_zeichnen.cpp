// libFuzzer target for reading a city map and drawing it: any bytes; what the
// reader accepts is drawn as a small PNG, a small SVG and a one-page PDF in
// memory, each stopped by its host after a second.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "zeichnung.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Drawing text needs the application object; there is no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_zeichnen";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string_view inhalt(reinterpret_cast<const char*>(daten), groesse);
#ifdef TARVELLO_FUZZ_GROSS
    // Large inputs drawn at the command line's picture size: the renderer's
    // work budget, not a host's time limit, must keep every drawing short.
    // A drawing the host has to stop after ten seconds is a find.
    using namespace std::chrono_literals;
    tarvello::pruefung::Zeichenbericht bericht;
    std::string fehler = tarvello::pruefung::zeichnen(inhalt, {10s, 2s}, &bericht, 1200);
    if (fehler.empty() && bericht.gestoppt > 0) fehler = "a drawing took more than ten seconds";
#else
    const std::string fehler = tarvello::pruefung::zeichnen(inhalt);
#endif
    if (!fehler.empty()) {
        std::fprintf(stderr, "%s\n", fehler.c_str());
        std::abort();
    }
    return 0;
}

// fontconfig keeps a cache for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
