#include "cli/konsolenwirt.h"

#include <csignal>
#include <cstdio>

namespace tarvello {

namespace {

volatile std::sig_atomic_t unterbrechung = 0;

extern "C" void bei_sigint(int) {
    unterbrechung = 1;
}

} // namespace

Konsolenwirt::Konsolenwirt(bool anzeigen, double zeitlimit, Sprache sprache, Uhr& uhr)
    : anzeigen_(anzeigen), zeitlimit_(zeitlimit), sprache_(sprache), start_(uhr.sekunden()),
      uhr_(uhr) {
    unterbrechung = 0;
    std::signal(SIGINT, bei_sigint);
}

Konsolenwirt::~Konsolenwirt() {
    std::signal(SIGINT, SIG_DFL);
    zeile_beenden();
}

void Konsolenwirt::zeile_beenden() {
    if (!zeile_offen_) return;
    std::fputc('\n', stderr);
    std::fflush(stderr);
    zeile_offen_ = false;
}

void Konsolenwirt::status(const Status& status) {
    status_ = status_text(status, sprache_);
    zeichnen();
}

void Konsolenwirt::fortschritt(float prozent) {
    prozent_ = prozent;
    const double jetzt = uhr_.sekunden();
    if (jetzt - zuletzt_gezeichnet_ > 0.1) zeichnen();
}

bool Konsolenwirt::nachgeben() {
    if (zeitlimit_ > 0 && uhr_.sekunden() - start_ > zeitlimit_) zeit_abgelaufen_ = true;
    return zeit_abgelaufen_ || unterbrechung != 0;
}

void Konsolenwirt::zeichnen() {
    if (!anzeigen_) return;
    zuletzt_gezeichnet_ = uhr_.sekunden();
    const int breite = 30;
    int voll = static_cast<int>(prozent_ / 100.0f * breite + 0.5f);
    if (voll < 0) voll = 0;
    if (voll > breite) voll = breite;
    std::string balken(static_cast<std::size_t>(voll), '#');
    balken.append(static_cast<std::size_t>(breite - voll), '-');
    std::fprintf(stderr, "\r\033[K[%s] %3d%%  %s", balken.c_str(), static_cast<int>(prozent_),
                 status_.c_str());
    std::fflush(stderr);
    zeile_offen_ = true;
}

} // namespace tarvello
