#include "app/anleitung.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/texte.h"

namespace tarvello {

QString anleitung_dateiname(Sprache s) {
    return s == Sprache::deutsch ? QStringLiteral("anleitung_de.html")
                                 : QStringLiteral("anleitung_en.html");
}

QStringList anleitung_ordner() {
    QStringList ordner;
    if (QCoreApplication::instance()) {
        const QDir programm(QCoreApplication::applicationDirPath());
        ordner << programm.path() << programm.filePath("docs") << programm.filePath("../docs")
               << programm.filePath("../share/tarvello/docs");
    }
    for (QString& o : ordner)
        o = QDir::cleanPath(o);
    return ordner;
}

QString anleitung_datei(Sprache s) {
    const QString name = anleitung_dateiname(s);
    for (const QString& o : anleitung_ordner()) {
        const QFileInfo datei(QDir(o).filePath(name));
        if (datei.isFile() && datei.isReadable()) return datei.absoluteFilePath();
    }
    return {};
}

QUrl anleitung_adresse(Sprache s) {
    const QString datei = anleitung_datei(s);
    return datei.isEmpty() ? QUrl(adresse_anleitung(s)) : QUrl::fromLocalFile(datei);
}

} // namespace tarvello
