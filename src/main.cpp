// Entry point: with a subcommand the program stays on the command line and
// needs no display; without one it opens the main window.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/eingabe.h"
#include "app/programmsymbol.h"
#include "cli/aufruf.h"
#include "cli/befehlszeile.h"

using namespace tarvello;

namespace {

const char* hilfe_text_en =
    "Usage: tarvello [<command> [options]]\n"
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
    "  --lang de|en   Language of this help and, after a command, of its messages\n"
    "                 (default: the locale's, from LANGUAGE, LC_ALL, LC_MESSAGES or LANG)\n"
    "\n"
    "'tarvello <command> --help' describes the options of a command.\n";

const char* hilfe_text_de =
    "Aufruf: tarvello [<Befehl> [Optionen]]\n"
    "        tarvello KARTE.qls | EINSTELLUNGEN.qle | PALETTE.qlf\n"
    "\n"
    "Erfindet Stadtpläne, vom Weiler bis zur Großstadt.\n"
    "Ohne Befehl öffnet das Programm sein Fenster, mit dem Stadtplan, den\n"
    "Stadteinstellungen oder der Farbpalette, wenn eine solche Datei angegeben ist.\n"
    "\n"
    "Befehle:\n"
    "  generate   Einen Stadtplan ohne Fenster erstellen\n"
    "  params     Die Reglerstellungen und den Parametersatz eines Laufs zeigen\n"
    "  name       Stadtnamen erfinden\n"
    "  render     Einen gespeicherten Stadtplan als Grafiken zeichnen oder in ein PDF drucken\n"
    "  palette    Die Zeichenfarben zeigen, speichern oder laden\n"
    "\n"
    "Optionen:\n"
    "  -h, --help     Diese Hilfe zeigen\n"
    "  -v, --version  Die Version zeigen\n"
    "  --lang de|en   Sprache dieser Hilfe und, nach einem Befehl, seiner Meldungen\n"
    "                 (sonst die des Gebietsschemas, aus LANGUAGE, LC_ALL, LC_MESSAGES oder LANG)\n"
    "\n"
    "'tarvello <Befehl> --help' beschreibt die Optionen eines Befehls.\n";

// While the window's platform starts, Qt's own complaints wait here: when no
// display can be reached, one line in the user's language says so instead
// of Qt's advice to reinstall, and the program ends with 1.
Sprache anzeige_sprache = Sprache::englisch;
QStringList anzeige_warnungen;

void anzeige_melden(QtMsgType art, const QMessageLogContext&, const QString& text) {
    if (art != QtFatalMsg) {
        anzeige_warnungen << text;
        return;
    }
    std::fputs(anzeige_sprache == Sprache::deutsch
                   ? "tarvello: keine Anzeige gefunden; 'tarvello generate' und 'tarvello render' "
                     "arbeiten ohne eine.\n"
                   : "tarvello: no display found; 'tarvello generate' and 'tarvello render' work "
                     "without one.\n",
               stderr);
    std::fflush(stderr);
    std::_Exit(dateifehler);
}

// The window, with a map (.qls), settings (.qle) or a palette (.qlf, shown
// in the colour dialog to take) opened from the file manager or a shell; a
// file that cannot be read is said so in the window.
int fenster_starten(int argc, char** argv, Sprache sprache, const char* datei = nullptr) {
    // The window class on X11 comes from the application name: it is the
    // desktop id, so docks match the window to its menu entry.
    QCoreApplication::setApplicationName(QString::fromLatin1(programm_id));
    anzeige_sprache = sprache;
    const QtMessageHandler vorher = qInstallMessageHandler(anzeige_melden);
    QApplication app(argc, argv);
    qInstallMessageHandler(vorher);
    for (const QString& w : std::as_const(anzeige_warnungen))
        qWarning("%s", qPrintable(w));
    QCoreApplication::setApplicationVersion(programm_version);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(programm_id));
    QApplication::setWindowIcon(programmsymbol());
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
    QStringList argumente;
    for (int i = 0; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    Aufruf aufruf = aufruf_lesen(argumente);
    if (aufruf.front == Aufruf::Front::fenster) {
        laufzeitordner_sicherstellen();
        return fenster_starten(argc, argv, aufruf.sprache, argc == 2 ? argv[1] : nullptr);
    }
    // On the command line pictures are drawn offscreen, display or not.
    const bool bilder = aufruf.zeichnet;
    if (bilder && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (bilder) laufzeitordner_sicherstellen();
    const std::unique_ptr<QCoreApplication> app =
        bilder ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName("tarvello");
    QCoreApplication::setApplicationVersion(programm_version);
    // Qt takes its own options (-platform, -style, ...) out of the arguments
    // as a QGuiApplication starts; the command reads what Qt leaves.
    if (QCoreApplication::arguments() != argumente)
        aufruf = aufruf_lesen(QCoreApplication::arguments());

    befehlssprache_setzen(aufruf.sprache);
    switch (aufruf.front) {
    case Aufruf::Front::hilfe:
        std::fputs(befehlssprache() == Sprache::deutsch ? hilfe_text_de : hilfe_text_en, stdout);
        return ok;
    case Aufruf::Front::version:
        std::printf("Tarvello %s\n", programm_version);
        return ok;
    case Aufruf::Front::befehl:
        return aufruf.befehl.befehl->ausfuehren(aufruf.befehl);
    default:
        return melden(bedienungsfehler(
            Worte{QStringLiteral("unbekannter Befehl '%1' (siehe 'tarvello --help')"),
                  QStringLiteral("unknown command '%1' (try 'tarvello --help')")}
                .arg(aufruf.wort)));
    }
}
