#include "render/exportpruefung.h"

#include "files/dateifehler.h"
#include "files/sicheres_schreiben.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLocale>
#include <QStorageInfo>
#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

namespace tarvello {

namespace {

constexpr qint64 mbyte = 1000000;

// %1 MByte needed, %2 MByte free.
const QString kein_platz_de = QStringLiteral(
    "Die Bilder brauchen %1 MByte, auf dem Ziellaufwerk sind aber nur %2 MByte frei. Wählen Sie "
    "weniger oder kleinere Bilder oder ein anderes Laufwerk.");
const QString kein_platz_en = QStringLiteral(
    "The images need %1 MByte, but only %2 MByte are free on the target drive. Choose fewer or "
    "smaller images or another drive.");
// %1 pixels per side, %2 MByte needed, %3 MByte available.
const QString kein_speicher_de = QStringLiteral(
    "Ein Bild von %1 x %1 Pixeln braucht %2 MByte Arbeitsspeicher, verfügbar sind nur %3 MByte. "
    "Wählen Sie kleinere Bilder.");
const QString kein_speicher_en = QStringLiteral(
    "A picture of %1 x %1 pixels needs %2 MByte of memory, but only %3 MByte are available. "
    "Choose smaller images.");

} // namespace

QString megabyte_text(double mb, Sprache s) {
    const QLocale ort = s == Sprache::deutsch ? QLocale(QLocale::German, QLocale::Germany)
                                              : QLocale(QLocale::English, QLocale::UnitedStates);
    QString t = ort.toString(mb, 'f', 2);
    const QString komma = ort.decimalPoint();
    if (t.endsWith(komma + "00"))
        t.chop(komma.size() + 2);
    else if (t.contains(komma) && t.endsWith('0'))
        t.chop(1);
    return t;
}

QString export_hindernis(int pixel, int matrix, Bildformat f, qint64 freier_platz,
                         qint64 freier_speicher, Sprache s) {
    const qint64 seite = pixel;
    if (f != Bildformat::svg && freier_speicher >= 0) {
        // One picture of 32-bit pixels is drawn and saved at a time.
        const qint64 bild = seite * seite * 4;
        if (bild > freier_speicher)
            return (s == Sprache::deutsch ? kein_speicher_de : kein_speicher_en)
                .arg(QString::number(pixel), megabyte_text(static_cast<double>(bild) / mbyte, s),
                     megabyte_text(static_cast<double>(freier_speicher) / mbyte, s));
    }
    if (f == Bildformat::bmp && freier_platz >= 0) {
        const qint64 datei = seite * seite * 3 + 54; // rows of these sizes need no padding
        const qint64 gesamt = datei * matrix * matrix;
        if (gesamt > freier_platz)
            return (s == Sprache::deutsch ? kein_platz_de : kein_platz_en)
                .arg(megabyte_text(export_speicherbedarf(pixel, matrix), s),
                     megabyte_text(static_cast<double>(freier_platz) / mbyte, s));
    }
    return {};
}

qint64 verfuegbarer_speicher() {
    qint64 frei = -1;
    QFile f(QStringLiteral("/proc/meminfo"));
    if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!f.atEnd()) {
            const QByteArray zeile = f.readLine();
            if (!zeile.startsWith("MemAvailable:")) continue;
            const QList<QByteArray> teile = zeile.mid(13).simplified().split(' ');
            bool ok = false;
            const qint64 kb = teile.value(0).toLongLong(&ok);
            if (ok) frei = kb * 1024;
            break;
        }
    }
    // A limit on the process's address space (ulimit -v) or on its data
    // may leave less than the machine has.
    QFile statm(QStringLiteral("/proc/self/statm"));
    const QList<QByteArray> seiten = statm.open(QIODevice::ReadOnly)
                                         ? statm.readAll().simplified().split(' ')
                                         : QList<QByteArray>();
    const struct {
        int art;
        int feld; // of /proc/self/statm: 0 all pages, 5 data and stack
    } grenzen[] = {{RLIMIT_AS, 0}, {RLIMIT_DATA, 5}};
    for (const auto& g : grenzen) {
        rlimit grenze{};
        bool ok = false;
        const qint64 belegt =
            seiten.value(g.feld).toLongLong(&ok) * static_cast<qint64>(::sysconf(_SC_PAGESIZE));
        if (!ok || ::getrlimit(g.art, &grenze) != 0 || grenze.rlim_cur == RLIM_INFINITY) continue;
        const qint64 rest = std::max<qint64>(static_cast<qint64>(grenze.rlim_cur) - belegt, 0);
        frei = frei < 0 ? rest : std::min(frei, rest);
    }
    return frei;
}

QString export_hindernis_fuer(const QString& datei, const Druckoptionen& o, Bildformat f,
                              Sprache s) {
    const QStorageInfo laufwerk(QFileInfo(datei).absolutePath());
    // A stream, device or pipe takes what comes; a drive must hold it.
    const qint64 frei =
        !direktes_ziel(datei) && laufwerk.isValid() ? laufwerk.bytesAvailable() : -1;
    return export_hindernis(o.export_pixel, o.export_matrix, f, frei, verfuegbarer_speicher(), s);
}

Ergebnis export_schreibfehler(const QString& datei, const Meldung& grund) {
    return Ergebnis::fehler(Fehlerart::datei,
                            Meldung(Meldungsart::export_nicht_schreibbar, zeichen(datei), grund));
}

Ergebnis export_ziel_pruefen(const QString& datei) {
    if (stromnummer(datei) < 0 && QFileInfo(datei).isDir())
        return export_schreibfehler(datei, ein_ordner());
    return {};
}

} // namespace tarvello
