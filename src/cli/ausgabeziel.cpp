#include "cli/ausgabeziel.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

#include "files/textdatei.h"

namespace tarvello {

Ergebnis ausgabe_pruefen(const QString& datei) {
    const auto fehler = [&](const Meldung& text) { return Dateifehler{datei, 0, text}.ergebnis(); };
    if (datei.trimmed().isEmpty())
        return Ergebnis::fehler(Fehlerart::datei, Meldung(Meldungsart::kein_dateiname));
    if (datei.endsWith(QLatin1Char('/')) || datei.endsWith(QDir::separator()))
        return fehler(
            wortmeldung({"nennt einen Ordner, keine Datei", "names a folder, not a file"}));
    const QFileInfo info(datei);
    if (info.isDir()) return fehler(Meldung(Meldungsart::ein_ordner));
    // A device or pipe is written in place, not beside it (textdatei.h).
    if (info.exists() && !info.isFile()) return {};
    // Named as given ("sub/dir"), looked at as a whole path.
    const QString ordner = QDir::toNativeSeparators(info.path());
    const QFileInfo ordner_info(info.absolutePath());
    if (!ordner_info.exists())
        return fehler(
            wortmeldung({"der Ordner %1 existiert nicht", "the folder %1 does not exist"}, ordner));
    if (!ordner_info.isDir())
        return fehler(wortmeldung({"%1 ist kein Ordner", "%1 is not a folder"}, ordner));
    // The file is written beside its target and renamed: the folder must
    // take a new file, whatever the target's own permissions.
    if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK | X_OK) != 0)
        return fehler(wortmeldung({"in den Ordner %1 darf nicht geschrieben werden",
                                   "the folder %1 may not be written to"},
                                  ordner));
    return {};
}

Ergebnis ausgaben_pruefen(std::initializer_list<std::optional<QString>> dateien) {
    for (const std::optional<QString>& datei : dateien)
        if (datei)
            if (Ergebnis e = ausgabe_pruefen(*datei); !e.gut()) return e;
    return {};
}

} // namespace tarvello
