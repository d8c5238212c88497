// Captions that follow the window's language: a dialog records each text it
// shows as (widget, both wordings, how the text is set) while it builds its
// widgets, and sprache_setzen sets them all again in the other language.
// Only captions change; what the user typed, generated or chose stays.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/texte.h"
#include "core/sprache.h"

namespace tarvello {

class Beschriftungen {
  public:
    explicit Beschriftungen(Sprache s) : sprache_(s) {}

    Sprache sprache() const { return sprache_; }

    // Calls setzer with the text now and at every switch while obj lives.
    void setzen(QObject* obj, const Wortpaar& text, std::function<void(const QString&)> setzer);

    // The caption of a label or button; returns w.
    template <typename W> W* text(W* w, const Wortpaar& t) {
        setzen(w, t, [w](const QString& s) { w->setText(s); });
        return w;
    }
    void titel(QWidget* w, const Wortpaar& t);
    void tooltip(QWidget* w, const Wortpaar& t);

    // Sets every recorded text in s.
    void sprache_setzen(Sprache s);

  private:
    struct Eintrag {
        QPointer<QObject> obj;
        Wortpaar text;
        std::function<void(const QString&)> setzer;
    };
    Sprache sprache_;
    std::vector<Eintrag> eintraege_;
};

} // namespace tarvello
