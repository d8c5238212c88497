#include "app/beschriftungen.h"

#include <utility>

namespace tarvello {

void Beschriftungen::setzen(QObject* obj, const Wortpaar& text,
                            std::function<void(const QString&)> setzer) {
    setzer(text.in(sprache_));
    // Forget widgets gone meanwhile (colour choosers come and go).
    std::erase_if(eintraege_, [](const Eintrag& e) { return !e.obj; });
    eintraege_.push_back({obj, text, std::move(setzer)});
}

void Beschriftungen::titel(QWidget* w, const Wortpaar& t) {
    setzen(w, t, [w](const QString& s) { w->setWindowTitle(s); });
}

void Beschriftungen::tooltip(QWidget* w, const Wortpaar& t) {
    setzen(w, t, [w](const QString& s) { w->setToolTip(s); });
}

void Beschriftungen::sprache_setzen(Sprache s) {
    sprache_ = s;
    for (const Eintrag& e : eintraege_)
        if (e.obj) e.setzer(e.text.in(sprache_));
}

} // namespace tarvello
