// The loop search behind squares and parks: a random walk along the ways that
// changes way at linked points until it steps back onto the point it started
// from. The loop's points become an area outline, thinned out where the loop
// runs straight.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/lauf.h"

namespace tarvello {

inline constexpr int umriss_versuche_max = 4000;     // walks per search
inline constexpr int umriss_wege_max = 10000;        // ways one walk may visit
inline constexpr int umriss_deckung_max = 15;        // coincident point pairs a loop may have
inline constexpr std::uint8_t umriss_marke_weg = 77; // removal mark of the simplification

// Work tables of the search; one instance per stage, so parks and squares of
// one run (or two runs in one process) never share them.
struct Umrisssuche {
    Umrisssuche();

    // The loop of the last successful search, points 1..umriss_n_punkte.
    std::vector<float> umriss_x, umriss_y;
    std::int16_t umriss_n_punkte = 0;       // after simplification
    std::int16_t umriss_n_roh = 0;          // as walked
    bool umriss_gefunden = false;           // the last call found a loop
    float umriss_min_breite = 100000.0f;    // smallest half-width of the loop's ways
    std::vector<std::uint8_t> umriss_marke; // 1..30000

    // 1 = the way already bounds an area of the current stage.
    std::vector<std::uint8_t> weg_benutzt;

    // Whether a closed loop (points 1..n of the two tables) may be taken; a
    // refused loop counts as a failed walk. Empty: every loop may.
    std::function<bool(const std::vector<float>& x, const std::vector<float>& y, int n)> zulassen;

    // Limits of one walk. Only tests lower them; they are clamped to the tables.
    int punkte_max = flaeche_punkte_max;
    int wege_max = umriss_wege_max;

    // Counters for tests and statistics.
    int n_suchen = 0;    // calls of flaeche_umriss_suchen
    int n_zu_lang = 0;   // walks abandoned at one of the limits
    int n_abgelehnt = 0; // closed loops refused by zulassen

    void benutzt_loeschen();

    // Scratch of the walk in progress, so a failed walk never spoils the
    // outline of the last success.
    std::vector<float> gang_x, gang_y;
    std::vector<std::int16_t> besuchte_wege;
    std::vector<std::uint64_t> schluessel;
    // Per way its point 0 in verknuepft, and per point whether the way has
    // links there, for the ways of the current search: most steps of a walk
    // pass points without, and the way's link table is asked only at the
    // others. A way's points are marked when a walk of the search first
    // comes onto it (verknuepft_suche: the search that marked them).
    std::vector<std::size_t> verknuepft_anfang;
    std::vector<std::uint8_t> verknuepft;
    std::vector<std::uint32_t> verknuepft_suche;
    std::uint32_t suche_nummer = 0;
};

// Searches one closed loop in the way network of l.m; the result is left in
// u (umriss_gefunden, umriss_x/y, umriss_n_punkte, umriss_n_roh,
// umriss_min_breite) and the ways of a found loop are marked as used.
void flaeche_umriss_suchen(Lauf& l, Umrisssuche& u);

// Ordered pairs (i, j) of points 1..n with |i - j| >= 2 whose x and y are
// both exactly equal.
std::int64_t deckungsgleiche_paare(const float* xs, const float* ys, int n,
                                   std::vector<std::uint64_t>& schluessel);

// Drops every second point where the outline runs straight in short steps,
// pass by pass, as long as each pass removes more than a tenth of the points.
// Outlines of fewer than 60 points stay as they are.
void umriss_vereinfachen(Umrisssuche& u, int n_durchgaenge);

} // namespace tarvello
