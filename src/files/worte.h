// Words a front makes itself in both languages, built with Qt: a message
// whose values are filled into its German and its English wording alike,
// and the result that carries it. The layers below the fronts give messages
// of the catalogue (core/meldung.h) instead.
#pragma once

#include <QString>
#include <utility>

#include "core/ergebnis.h"
#include "core/meldung.h"

namespace tarvello {

struct Worte {
    QString deutsch;
    QString englisch;

    Worte() = default;
    // Both wordings, always: a lone text does not make words.
    Worte(QString d, QString e) : deutsch(std::move(d)), englisch(std::move(e)) {}

    // Fills the lowest %n of both wordings with the same values (QString::arg).
    template <class... T> Worte arg(const T&... werte) const {
        return {deutsch.arg(werte...), englisch.arg(werte...)};
    }
    // Fills the lowest %n of each wording with the words of its own language.
    Worte arg(const Worte& w) const { return {deutsch.arg(w.deutsch), englisch.arg(w.englisch)}; }
    const QString& in(Sprache s) const { return s == Sprache::deutsch ? deutsch : englisch; }
    // The words as a message.
    operator Meldung() const {
        return Meldung(Meldungsart::eigene_worte, deutsch.toStdString(), englisch.toStdString());
    }
    // A fault of kind `art` with these words.
    Ergebnis ergebnis(Fehlerart art) const {
        return Ergebnis::fehler(art, deutsch.toStdString(), englisch.toStdString());
    }
};

} // namespace tarvello
