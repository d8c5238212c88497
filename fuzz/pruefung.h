// What every file reader must hold for any bytes at all, checked by the fuzz
// targets and by the corpus replay test: no crash; a refused file gets a
// one-line message naming it and leaves the caller's state untouched; an
// accepted file can be written again, and what is written reads back and
// writes again to the same bytes.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "core/steuerwerte.h"
#include "files/einstellungsdatei.h"
#include "files/farbspeicher.h"
#include "files/kartendatei.h"

namespace tarvello::pruefung {

inline constexpr const char* name_karte = "eingabe.qls";
inline constexpr const char* name_einstellungen = "eingabe.qle";
inline constexpr const char* name_palette = "eingabe.qlf";

inline std::string_view als_text(const QByteArray& b) {
    return {b.constData(), static_cast<std::size_t>(b.size())};
}

inline QByteArray datei_lesen(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Empty when the result of a refused file is fine, else what is wrong.
inline std::string meldung_pruefen(const Ergebnis& e, const char* name) {
    if (e.art() != Fehlerart::datei) return "a refused file is not a file fault";
    if (e.deutsch() == e.englisch()) return "message has no German words: " + e.englisch();
    for (const Sprache s : {Sprache::deutsch, Sprache::englisch}) {
        const QString m = qtext(e, s);
        if (m.contains(QLatin1Char('\n')) || m.contains(QLatin1Char('\r')))
            return "message spans lines: " + m.toStdString();
        const QString kopf = QLatin1String(name) + QLatin1String(": ");
        if (!m.startsWith(kopf)) return "message does not name the file: " + m.toStdString();
        if (m.endsWith(QLatin1String(": "))) return "empty message";
    }
    return {};
}

// Each check returns an empty text when all is well, else what went wrong.
// arbeitsdatei is a scratch file for writing back; angenommen (when given)
// learns whether the reader accepted the bytes.

inline std::string karte(std::string_view inhalt, const QString& arbeitsdatei,
                         bool* angenommen = nullptr) {
    if (angenommen) *angenommen = false;
    Stadtmodell m;
    m.stadt_abmessung = 123.0f; // marks the caller's model
    Kartenkopf k{QStringLiteral("vorher"), 3};
    if (const Ergebnis e = stadtplan_lesen(name_karte, inhalt, m, k); !e.gut()) {
        if (m.stadt_abmessung != 123.0f || m.n_wege != 0 || m.plan_vorhanden ||
            k.stadtname != QLatin1String("vorher") || k.nord != 3)
            return "a refused map changed the model";
        return meldung_pruefen(e, name_karte);
    }
    if (angenommen) *angenommen = true;
    if (!m.plan_vorhanden) return "a loaded map is not marked as present";
    if (const Ergebnis e = stadtplan_speichern(arbeitsdatei, m, k); !e.gut())
        return "a loaded map cannot be saved: " + qtext(e, Sprache::englisch).toStdString();
    const QByteArray erste = datei_lesen(arbeitsdatei);
    Stadtmodell m2;
    Kartenkopf k2;
    if (const Ergebnis e = stadtplan_lesen(name_karte, als_text(erste), m2, k2); !e.gut())
        return "a saved map cannot be loaded: " + qtext(e, Sprache::englisch).toStdString();
    if (!(k2 == k)) return "town name or north changed on saving";
    if (const Ergebnis e = stadtplan_speichern(arbeitsdatei, m2, k2); !e.gut())
        return "a reloaded map cannot be saved: " + qtext(e, Sprache::englisch).toStdString();
    if (datei_lesen(arbeitsdatei) != erste) return "save - load - save changed the file";
    return {};
}

inline std::string einstellungen(std::string_view inhalt, const QString& arbeitsdatei,
                                 bool* angenommen = nullptr) {
    if (angenommen) *angenommen = false;
    const Steuerwerte vorher;
    Steuerwerte s = vorher;
    if (const Ergebnis e = einstellungen_lesen(name_einstellungen, inhalt, s); !e.gut()) {
        if (!(s == vorher)) return "a refused settings file changed the controls";
        return meldung_pruefen(e, name_einstellungen);
    }
    if (angenommen) *angenommen = true;
    if (const Ergebnis e = einstellungen_speichern(arbeitsdatei, s); !e.gut())
        return "loaded settings cannot be saved: " + qtext(e, Sprache::englisch).toStdString();
    Steuerwerte s2;
    if (const Ergebnis e = einstellungen_laden(arbeitsdatei, s2); !e.gut())
        return "saved settings cannot be loaded: " + qtext(e, Sprache::englisch).toStdString();
    if (!(s2 == s)) return "save - load changed the controls";
    return {};
}

inline std::string palette(std::string_view inhalt, const QString& arbeitsdatei,
                           bool* angenommen = nullptr) {
    if (angenommen) *angenommen = false;
    const Druckfarben vorher = Druckfarben::standard();
    Druckfarben f = vorher;
    if (const Ergebnis e = palette_lesen(name_palette, inhalt, f); !e.gut()) {
        if (f.farbe != vorher.farbe) return "a refused palette changed the colours";
        return meldung_pruefen(e, name_palette);
    }
    if (angenommen) *angenommen = true;
    if (const Ergebnis e = palette_speichern(arbeitsdatei, f); !e.gut())
        return "a loaded palette cannot be saved: " + qtext(e, Sprache::englisch).toStdString();
    Druckfarben f2;
    if (const Ergebnis e = palette_laden(arbeitsdatei, f2); !e.gut())
        return "a saved palette cannot be loaded: " + qtext(e, Sprache::englisch).toStdString();
    if (f2.farbe != f.farbe) return "save - load changed the colours";
    return {};
}

} // namespace tarvello::pruefung
