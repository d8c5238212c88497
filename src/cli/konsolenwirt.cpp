#include "cli/konsolenwirt.h"

#include <csignal>
#include <cstdio>
#include <signal.h>

namespace tarvello {

namespace {

volatile std::sig_atomic_t unterbrechung = 0;

constexpr int abbruchsignale[] = {SIGINT, SIGTERM, SIGHUP};

// The first signal asks for an abort, which removes what is half written; a
// second one ends the program at once.
extern "C" void bei_signal(int nummer) {
    if (unterbrechung != 0) {
        std::signal(nummer, SIG_DFL);
        std::raise(nummer);
        return;
    }
    unterbrechung = 1;
}

// Without SA_RESTART: a call waiting on a pipe or a device (an open, a
// read, a write) returns with EINTR, and the abort is seen at once.
void signale_setzen(void (*behandlung)(int)) {
    struct sigaction aktion {};
    aktion.sa_handler = behandlung;
    sigemptyset(&aktion.sa_mask);
    aktion.sa_flags = 0;
    for (const int nummer : abbruchsignale)
        sigaction(nummer, &aktion, nullptr);
}

} // namespace

Konsolenwirt::Konsolenwirt(bool anzeigen, double zeitlimit, Sprache sprache, Uhr& uhr)
    : anzeigen_(anzeigen), zeitlimit_(zeitlimit), sprache_(sprache), start_(uhr.sekunden()),
      uhr_(uhr) {
    unterbrechung = 0;
    signale_setzen(bei_signal);
}

// The handlers stay: a signal in the last moments of the command, after the
// files are in place, is let go rather than reported as a crash.
Konsolenwirt::~Konsolenwirt() {
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
