#include "files/farbspeicher.h"

#include <cmath>

#include "core/steuerwerte.h"
#include "core/zahlen.h"

namespace tarvello {

QRgb farbe_aus_wert(long long wert) {
    const auto w = static_cast<unsigned long long>(wert) & 0xFFFFFFULL;
    return qRgb(static_cast<int>(w & 0xFF), static_cast<int>((w >> 8) & 0xFF),
                static_cast<int>((w >> 16) & 0xFF));
}

long long farbwert(QRgb farbe) {
    return static_cast<long long>(qRed(farbe)) + 256LL * qGreen(farbe) + 65536LL * qBlue(farbe);
}

QString farbschluessel(int index) {
    return QStringLiteral("farbe") + QString::number(index);
}

std::unique_ptr<QSettings> farbspeicher_oeffnen() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       farbspeicher_organisation, farbspeicher_anwendung);
}

Druckfarben farben_laden(QSettings& speicher) {
    Druckfarben f = Druckfarben::standard();
    speicher.beginGroup(farbspeicher_abschnitt);
    for (int i = 0; i < n_druckfarben; ++i) {
        const QString text = speicher.value(farbschluessel(i), farbspeicher_leer).toString();
        if (text == QLatin1String(farbspeicher_leer)) continue;
        const double wert = runden(static_cast<double>(zahl_aus_text(text.toStdString())));
        if (wert < 0 || wert > static_cast<double>(farbwert_max)) continue;
        f.farbe[static_cast<std::size_t>(i)] = farbe_aus_wert(static_cast<long long>(wert));
    }
    speicher.endGroup();
    return f;
}

Druckfarben farben_laden() {
    return farben_laden(*farbspeicher_oeffnen());
}

Ergebnis farben_speichern(QSettings& speicher, const Druckfarben& farben) {
    speicher.beginGroup(farbspeicher_abschnitt);
    for (int i = 0; i < n_druckfarben; ++i)
        speicher.setValue(farbschluessel(i),
                          QString::number(farbwert(farben.farbe[static_cast<std::size_t>(i)])));
    speicher.endGroup();
    speicher.sync();
    if (speicher.status() != QSettings::NoError)
        return Ergebnis::fehler(
            Fehlerart::datei,
            Meldung(Meldungsart::farben_nicht_gespeichert,
                    speicher.fileName().isEmpty()
                        ? Meldung(Meldungsart::einstellungsspeicher)
                        : Meldung(Meldungsart::text, zeichen(speicher.fileName()))));
    return {};
}

Ergebnis farben_speichern(const Druckfarben& farben) {
    return farben_speichern(*farbspeicher_oeffnen(), farben);
}

Ergebnis palette_speichern(const QString& datei, const Druckfarben& farben,
                           Dateisystem& dateisystem) {
    return textdatei_schreiben(
        datei,
        [&](Textschreiber& s) {
            for (QRgb f : farben.farbe)
                s.ganzzahl(farbwert(f));
            return true;
        },
        dateisystem);
}

namespace {

Ergebnis laden(Textleser& l, Druckfarben& farben) {
    if (!l.oeffnen()) return l.fehler().ergebnis();
    Druckfarben neu = farben;
    for (int i = 0; i < n_druckfarben; ++i) {
        long long wert = 0;
        if (!l.ganzzahl(wert, 0, farbwert_max, {Meldungsart::was_farbe, i}))
            return l.fehler().ergebnis();
        neu.farbe[static_cast<std::size_t>(i)] = farbe_aus_wert(wert);
    }
    if (!l.ende_pruefen()) return l.fehler().ergebnis();
    farben = neu;
    return {};
}

} // namespace

Ergebnis palette_laden(const QString& datei, Druckfarben& farben) {
    Textleser l(datei);
    return laden(l, farben);
}

Ergebnis palette_lesen(const QString& datei, std::string_view inhalt, Druckfarben& farben) {
    Textleser l(datei, inhalt);
    return laden(l, farben);
}

} // namespace tarvello
