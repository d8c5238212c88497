// A scratch file for the fuzz targets' write-back, one per process so that
// fuzzers running side by side do not share it; removed at exit.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <unistd.h>

namespace tarvello::pruefung {

inline const QString& arbeitsdatei() {
    struct Datei {
        QString name = QDir::temp().filePath(
            QStringLiteral("tarvello_fuzz_%1.tmp").arg(static_cast<qint64>(::getpid())));
        ~Datei() { QFile::remove(name); }
    };
    static const Datei datei;
    return datei.name;
}

} // namespace tarvello::pruefung
