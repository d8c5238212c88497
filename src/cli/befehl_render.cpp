#include "cli/befehl_render.h"

#include <cstdio>
#include <unistd.h>

#include "cli/befehl_palette.h"
#include "cli/befehlszeile.h"
#include "cli/bildoptionen.h"
#include "cli/druckoptionen_cli.h"
#include "cli/konsolenwirt.h"
#include "core/zufall.h"
#include "files/kartendatei.h"

namespace tarvello {

int befehl_render(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Draws a saved city map (.qls) as pictures or prints it into a PDF.");
    parser.addHelpOption();
    parser.addPositionalArgument("MAP", "The city map file to draw.");
    bild_optionen_hinzufuegen(parser);
    druck_optionen_hinzufuegen(parser);
    palette_option_hinzufuegen(parser);
    parser.addOption({"seed", "Places the labels of squares and parks (default 1).", "N"});
    parser.addOption({"quiet", "No progress display."});
    if (const auto ende = befehl_parsen(parser, argumente, false)) return *ende;
    const QStringList dateien = parser.positionalArguments();
    if (dateien.size() != 1) {
        fehler_melden(dateien.isEmpty()
                          ? QStringLiteral("render: which map? (render MAP.qls --png FILE)")
                          : "render: unexpected argument '" + dateien[1] + "'");
        return bedienfehler;
    }
    QString fehler;
    if (!bild_optionen_pruefen(parser, fehler) || !druck_optionen_pruefen(parser, fehler)) {
        fehler_melden(fehler);
        return bedienfehler;
    }
    if (!bild_optionen_gesetzt(parser) && !druck_optionen_gesetzt(parser)) {
        fehler_melden("render: nothing to draw: give --png, --bmp, --svg or --pdf");
        return bedienfehler;
    }
    std::uint64_t startwert = 1;
    if (parser.isSet("seed")) {
        const auto gelesen = startwert_lesen(parser.value("seed").trimmed().toStdString());
        if (!gelesen) {
            fehler_melden("--seed: '" + parser.value("seed") + "' is not a whole number >= 0");
            return bedienfehler;
        }
        startwert = *gelesen;
    }

    Druckfarben farben;
    if (!farben_aus_optionen(parser, farben, fehler)) {
        fehler_melden(fehler);
        return dateifehler;
    }
    Stadtmodell modell;
    Kartenkopf kopf;
    if (const Dateiergebnis e = stadtplan_laden(dateien.first(), modell, kopf)) {
        fehler_melden(e->meldung());
        return dateifehler;
    }

    Konsolenwirt wirt(!parser.isSet("quiet") && isatty(STDERR_FILENO) != 0, 0);
    Zufall zufall(startwert);
    int code = bild_optionen_ausfuehren(parser, modell, fehler, &wirt, &zufall, &farben);
    if (code == ok)
        code = druck_optionen_ausfuehren(parser, modell, kartenkopf_aus_optionen(parser, kopf),
                                         fehler, &wirt, &zufall, &farben);
    if (code != ok) fehler_melden(fehler);
    return code;
}

} // namespace tarvello
