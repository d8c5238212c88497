#include "cli/ausgabeziel.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include "files/textdatei.h"

namespace tarvello {

Ergebnis ausgabe_pruefen(const QString& datei) {
    const auto fehler = [&](const Worte& text) { return Dateifehler{datei, 0, text}.ergebnis(); };
    if (datei.trimmed().isEmpty())
        return Ergebnis::fehler(Fehlerart::datei, "kein Dateiname angegeben", "no file name given");
    // A stream, device or pipe is written in place, not beside it.
    if (direktes_ziel(datei)) return {};
    if (datei.endsWith(QLatin1Char('/')) || datei.endsWith(QDir::separator()))
        return fehler({QStringLiteral("nennt einen Ordner, keine Datei"),
                       QStringLiteral("names a folder, not a file")});
    const QFileInfo info(datei);
    if (info.isDir())
        return fehler({QStringLiteral("ist ein Ordner, keine Datei"),
                       QStringLiteral("is a folder, not a file")});
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

namespace {

// What a name stands for on the disk: the file (device, inode) when it
// exists, else its absolute path. Two names for one file compare equal.
struct Dateikennung {
    dev_t geraet = 0;
    ino_t knoten = 0;
    QString pfad;
    bool operator==(const Dateikennung&) const = default;
};

Dateikennung kennung(const QString& datei) {
    struct stat st {};
    if (::stat(QFile::encodeName(datei).constData(), &st) == 0) return {st.st_dev, st.st_ino, {}};
    return {0, 0, QDir::cleanPath(QFileInfo(datei).absoluteFilePath())};
}

} // namespace

Ergebnis ziele_pruefen(const std::vector<QString>& eingaben, const std::vector<QString>& ausgaben,
                       bool stdout_belegt) {
    int auf_stdout = stdout_belegt ? 1 : 0;
    for (const QString& datei : ausgaben)
        if (stromnummer(datei) == 1 && ++auf_stdout > 1)
            return Worte{QStringLiteral("%1: nur eine Ausgabe kann auf die Standardausgabe gehen"),
                         QStringLiteral("%1: only one output can go to standard output")}
                .arg(datei)
                .ergebnis(Fehlerart::bedienung);
    std::vector<Dateikennung> gelesen;
    for (const QString& datei : eingaben)
        if (datei != QLatin1String("-")) gelesen.push_back(kennung(datei));
    std::vector<Dateikennung> geschrieben;
    for (const QString& datei : ausgaben) {
        // Streams, devices and pipes are written as they are, replacing
        // nothing.
        if (direktes_ziel(datei)) continue;
        const Dateikennung k = kennung(datei);
        for (const Dateikennung& e : gelesen)
            if (e == k)
                return Worte{QStringLiteral("%1 wird gelesen und kann nicht zugleich geschrieben "
                                            "werden"),
                             QStringLiteral("%1 is read and cannot be written at the same time")}
                    .arg(datei)
                    .ergebnis(Fehlerart::bedienung);
        for (const Dateikennung& a : geschrieben)
            if (a == k)
                return Worte{QStringLiteral("%1 ist mehr als einmal als Ausgabe angegeben"),
                             QStringLiteral("%1 is given as an output more than once")}
                    .arg(datei)
                    .ergebnis(Fehlerart::bedienung);
        geschrieben.push_back(k);
    }
    return {};
}

Ergebnis ausgaben_pruefen(std::initializer_list<std::optional<QString>> dateien) {
    for (const std::optional<QString>& datei : dateien)
        if (datei)
            if (Ergebnis e = ausgabe_pruefen(*datei); !e.gut()) return e;
    return {};
}

} // namespace tarvello
