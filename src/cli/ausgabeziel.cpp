#include "cli/ausgabeziel.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

#include "files/textdatei.h"

namespace tarvello {

Ergebnis ausgabe_pruefen(const QString& datei) {
    const auto fehler = [&](const Worte& text) { return Dateifehler{datei, 0, text}.ergebnis(); };
    if (datei.trimmed().isEmpty())
        return Ergebnis::fehler(Fehlerart::datei, "kein Dateiname angegeben", "no file name given");
    if (datei.endsWith(QLatin1Char('/')) || datei.endsWith(QDir::separator()))
        return fehler({QStringLiteral("nennt einen Ordner, keine Datei"),
                       QStringLiteral("names a folder, not a file")});
    const QFileInfo info(datei);
    if (info.isDir())
        return fehler({QStringLiteral("ist ein Ordner, keine Datei"),
                       QStringLiteral("is a folder, not a file")});
    // A device or pipe is written in place, not beside it (textdatei.h).
    if (info.exists() && !info.isFile()) return {};
    // Named as given ("sub/dir"), looked at as a whole path.
    const QString ordner = QDir::toNativeSeparators(info.path());
    const QFileInfo ordner_info(info.absolutePath());
    if (!ordner_info.exists())
        return fehler(Worte{QStringLiteral("der Ordner %1 existiert nicht"),
                            QStringLiteral("the folder %1 does not exist")}
                          .arg(ordner));
    if (!ordner_info.isDir())
        return fehler(
            Worte{QStringLiteral("%1 ist kein Ordner"), QStringLiteral("%1 is not a folder")}.arg(
                ordner));
    // The file is written beside its target and renamed: the folder must
    // take a new file, whatever the target's own permissions.
    if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK | X_OK) != 0)
        return fehler(Worte{QStringLiteral("in den Ordner %1 darf nicht geschrieben werden"),
                            QStringLiteral("the folder %1 may not be written to")}
                          .arg(ordner));
    return {};
}

Ergebnis ausgaben_pruefen(std::initializer_list<std::optional<QString>> dateien) {
    for (const std::optional<QString>& datei : dateien)
        if (datei)
            if (Ergebnis e = ausgabe_pruefen(*datei); !e.gut()) return e;
    return {};
}

} // namespace tarvello
