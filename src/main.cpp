// Entry point: with a subcommand the program stays on the command line and
// needs no display; without one it opens the main window.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/eingabe.h"
#include "cli/befehl_generate.h"
#include "cli/befehl_name.h"
#include "cli/befehl_palette.h"
#include "cli/befehl_params.h"
#include "cli/befehl_render.h"
#include "cli/befehlszeile.h"

using namespace tarvello;

namespace {

const char* hilfe_text = "Usage: tarvello [<command> [options]]\n"
                         "       tarvello MAP.qls | SETTINGS.qle | PALETTE.qlf\n"
                         "\n"
                         "Invents maps of towns, from a hamlet to a large city.\n"
                         "Without a command the program opens its window, with the map,\n"
                         "settings or palette file if one is given.\n"
                         "\n"
                         "Commands:\n"
                         "  generate   Generate a town map without a window\n"
                         "  params     Show the control states and the parameter set of a run\n"
                         "  name       Invent town names\n"
                         "  render     Draw a saved city map as pictures or print it into a PDF\n"
                         "  palette    Show, save or load the drawing colours\n"
                         "\n"
                         "Options:\n"
                         "  -h, --help     Show this help\n"
                         "  -v, --version  Show the version\n"
                         "\n"
                         "'tarvello <command> --help' describes the options of a command.\n";

// The window, with a map (.qls), settings (.qle) or a palette (.qlf, shown
// in the colour dialog to take) opened from the file manager or a shell; a
// file that cannot be read is said so in the window.
int fenster_starten(int argc, char** argv, const char* datei = nullptr) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("tarvello");
    QCoreApplication::setApplicationVersion(programm_version);
    Programmdaten daten;
    Eingabe fenster(daten);
    fenster.show();
    if (datei) {
        const QString pfad = QString::fromLocal8Bit(datei);
        if (pfad.endsWith(".qle", Qt::CaseInsensitive))
            fenster.einstellungen_laden_aus(pfad);
        else if (pfad.endsWith(".qlf", Qt::CaseInsensitive))
            fenster.palette_oeffnen(pfad);
        else
            fenster.karte_laden_aus(pfad);
    }
    return app.exec();
}

// A single argument naming a map or settings file (not a command).
bool ist_dateiargument(int argc, char** argv) {
    if (argc != 2) return false;
    const QString a = QString::fromLocal8Bit(argv[1]);
    for (const char* endung : {".qls", ".qle", ".qlf"})
        if (a.endsWith(QLatin1String(endung), Qt::CaseInsensitive)) return true;
    return false;
}

// Commands that draw pictures or print need a QGuiApplication.
bool zeichnet(int argc, char** argv) {
    if (argc < 2) return false;
    if (std::strcmp(argv[1], "render") == 0) return true;
    if (std::strcmp(argv[1], "generate") != 0) return false;
    for (int i = 2; i < argc; ++i)
        for (const char* option : {"--png", "--bmp", "--svg", "--pdf"})
            if (std::strncmp(argv[i], option, std::strlen(option)) == 0) return true;
    return false;
}

// Qt wants a private runtime folder; on a bare terminal or a session without
// one (root in a container) there is none, and Qt would complain on stderr.
void laufzeitordner_sicherstellen() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const char* tmp = std::getenv("TMPDIR");
    std::string ordner = std::string(tmp && *tmp ? tmp : "/tmp") + "/tarvello-runtime-" +
                         std::to_string(static_cast<unsigned long>(getuid()));
    if (mkdir(ordner.c_str(), 0700) != 0 && errno != EEXIST) return;
    struct stat st {};
    if (stat(ordner.c_str(), &st) != 0 || st.st_uid != getuid() || (st.st_mode & 077) != 0) return;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(ordner));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || ist_dateiargument(argc, argv)) {
        laufzeitordner_sicherstellen();
        return fenster_starten(argc, argv, argc == 2 ? argv[1] : nullptr);
    }
    // On the command line pictures are drawn offscreen, display or not.
    const bool bilder = zeichnet(argc, argv);
    if (bilder && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (bilder) laufzeitordner_sicherstellen();
    const std::unique_ptr<QCoreApplication> app =
        bilder ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName("tarvello");
    QCoreApplication::setApplicationVersion(programm_version);

    const QStringList args = QCoreApplication::arguments();
    if (args[1] == "-h" || args[1] == "--help" || args[1] == "help") {
        std::fputs(hilfe_text, stdout);
        return ok;
    }
    if (args[1] == "-v" || args[1] == "--version") {
        std::printf("Tarvello %s\n", programm_version);
        return ok;
    }
    const QString befehl = args[1];
    QStringList rest = args.mid(2);
    rest.prepend("tarvello " + befehl);
    if (befehl == "params") return befehl_params(rest);
    if (befehl == "name") return befehl_name(rest);
    if (befehl == "generate") return befehl_generate(rest);
    if (befehl == "render") return befehl_render(rest);
    if (befehl == "palette") return befehl_palette(rest);
    return melden(bedienungsfehler("unknown command '" + befehl + "' (try 'tarvello --help')"));
}
