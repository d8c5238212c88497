// A front's own messages, built with Qt: a text pair (core/sprache.h) and the
// values it names, as a message like those of the catalogue, so the front
// words both alike. The layers below the fronts give messages of the
// catalogue (core/meldung.h) instead.
#pragma once

#include <QString>
#include <string>

#include "core/meldung.h"
#include "core/sprache.h"

namespace tarvello {

// The pair's text in the language, for Qt.
inline QString qtext(const Wortpaar& worte, Sprache s) {
    return QString::fromUtf8(worte.in(s));
}

namespace worte_intern {
inline std::string wert(const QString& text) {
    return text.toStdString();
}
template <class T> const T& wert(const T& wert) {
    return wert;
}
} // namespace worte_intern

// The message worded by `worte`, %1 for the first of `werte`: a text (Qt's
// or UTF-8), a whole number, or a message worded in the same language.
template <class... T> Meldung wortmeldung(const Wortpaar& worte, const T&... werte) {
    return Meldung(worte, worte_intern::wert(werte)...);
}

} // namespace tarvello
