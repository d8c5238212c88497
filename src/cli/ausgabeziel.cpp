#include "cli/ausgabeziel.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include "files/textdatei.h"

namespace tarvello {

Ergebnis ausgabe_pruefen(const QString& datei) {
    const auto fehler = [&](const Meldung& text) { return Dateifehler{datei, 0, text}.ergebnis(); };
    if (datei.trimmed().isEmpty())
        return Ergebnis::fehler(Fehlerart::datei, Meldung(Meldungsart::kein_dateiname));
    // A stream, device or pipe is written in place, not beside it.
    if (direktes_ziel(datei)) return {};
    if (datei.endsWith(QLatin1Char('/')) || datei.endsWith(QDir::separator()))
        return fehler(
            wortmeldung({"nennt einen Ordner, keine Datei", "names a folder, not a file"}));
    const QFileInfo info(datei);
    if (info.isDir()) return fehler(Meldung(Meldungsart::ein_ordner));
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
            return Ergebnis::fehler(
                Fehlerart::bedienung,
                wortmeldung({"%1: nur eine Ausgabe kann auf die Standardausgabe gehen",
                             "%1: only one output can go to standard output"},
                            datei));
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
                return Ergebnis::fehler(
                    Fehlerart::bedienung,
                    wortmeldung({"%1 wird gelesen und kann nicht zugleich geschrieben "
                                 "werden",
                                 "%1 is read and cannot be written at the same time"},
                                datei));
        for (const Dateikennung& a : geschrieben)
            if (a == k)
                return Ergebnis::fehler(Fehlerart::bedienung,
                                        wortmeldung({"%1 ist mehr als einmal als Ausgabe angegeben",
                                                     "%1 is given as an output more than once"},
                                                    datei));
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
