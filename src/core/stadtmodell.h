// The city model: ways (rivers first, then streets), the links between way
// points, buildings, squares, parks, the wall with its towers, the town
// outline's harmonics and the run state. Element indices start at 1 as in the
// rest of the generator; index 0 is a spare slot.
//
// Point tables grow on demand up to their capacity instead of being allocated
// densely up front: the largest settings allow ~17 700 points on each of
// 1000 ways, and links are few, so they live in a small per-way map.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <ranges>
#include <unordered_map>
#include <vector>

#include "core/zahlen.h"

namespace tarvello {

inline constexpr int verbindungen_max = 10;
inline constexpr int flaeche_punkte_max = 30000;
inline constexpr int mauer_punkte_max = 100000;
// The tower table starts with room for tuerme_anfang towers and grows with
// the wall. An outline point carries at most a wall tower and a gate tower,
// so tuerme_max is never reached by a wall; it bounds what a file may claim.
inline constexpr int tuerme_anfang = 1000;
inline constexpr int tuerme_max = 2 * mauer_punkte_max;
inline constexpr int stadtrand_wellen_max = 10;

struct Verbindungen {
    std::int16_t n = 0;
    std::array<std::int16_t, verbindungen_max + 1> weg{};   // slots 1..10
    std::array<std::int16_t, verbindungen_max + 1> punkt{}; // slots 1..10
};

struct Weg {
    std::int16_t n_punkte = 0;
    float breite = 0; // half-width
    std::uint8_t ist_fluss = 0;
    std::int16_t nummer = 0;
    float x_min = 0, x_max = 0, y_min = 0, y_max = 0;
    std::vector<float> x, y; // index 1..n_punkte (grown on demand)
    std::unordered_map<std::int16_t, Verbindungen> verbindungen;

    float px(int k) const { return x[ix(k)]; }
    float py(int k) const { return y[ix(k)]; }
    // Stores point k, growing the tables when needed.
    void punkt_setzen(int k, float px_, float py_) {
        const auto i = ix(k);
        if (i >= x.size()) {
            x.resize(i + 1 + i / 2, 0.0f);
            y.resize(x.size(), 0.0f);
        }
        x[i] = px_;
        y[i] = py_;
    }
    int n_verbindungen(int p) const {
        auto it = verbindungen.find(static_cast<std::int16_t>(p));
        return it == verbindungen.end() ? 0 : it->second.n;
    }
    const Verbindungen* verbindungen_bei(int p) const {
        auto it = verbindungen.find(static_cast<std::int16_t>(p));
        return it == verbindungen.end() ? nullptr : &it->second;
    }
};

struct Haus {
    std::uint8_t rund = 0;                   // 0 rectangle, 1 round
    std::array<float, 6> ecke_x{}, ecke_y{}; // corners 1..4 (5 spare)
    float x = 0, y = 0;                      // centre
    float breite = 0;                        // width; radius when round
    float laenge = 0;
    float x_min = 0, y_min = 0, x_max = 0, y_max = 0;
    std::int16_t nummer = 0;
};

// A square or a park: a closed outline polygon.
struct Flaeche {
    std::vector<float> x, y;   // index 1..n_punkte
    std::int16_t n_punkte = 0; // 0 = not placed
    float wert = 0;            // smallest half-width of the ways along the outline
    std::int16_t nummer = 0;
    float x_min = 0, x_max = 0, y_min = 0, y_max = 0;

    float px(int k) const { return x[ix(k)]; }
    float py(int k) const { return y[ix(k)]; }
};

struct Turm {
    std::uint8_t art = 0;
    float form = 0; // 1 round, 2 square
    float mx = 0, my = 0, radius = 0;
    std::array<float, 5> x{}, y{}; // corners 1..4
};

// Indices von..bis of a model table.
using Nummern = std::ranges::iota_view<int, int>;

struct Stadtmodell {
    // Ways: 1..n_wege in use; rivers 1..n_fluesse.
    std::vector<Weg> wege; // capacity: size() - 1 is the highest way index
    std::int16_t n_wege = 0;
    std::int16_t n_fluesse = 0;
    std::int16_t weg_punkte_max = 0; // point capacity per way (plus 10 spare)

    // Buildings 1..haus_naechster-1.
    std::vector<Haus> haeuser; // capacity: size() - 1
    std::int32_t haus_naechster = 1;

    std::vector<Flaeche> plaetze; // 1..n_plaetze (+1 spare)
    std::vector<Flaeche> parks;   // 1..n_parks (+1 spare)
    std::int16_t n_plaetze = 0;
    std::int16_t n_parks = 0;

    // Wall outline 1..mauer_n_punkte.
    std::vector<float> mauer_x, mauer_y;
    std::vector<std::uint8_t> mauer_flag;
    std::int32_t mauer_n_punkte = 0;
    bool mauer_vorhanden = false;
    std::vector<Turm> tuerme; // 1..n_tuerme (grown on demand)
    std::int32_t n_tuerme = 0;

    // Town outline harmonics 1..stadtrand_n_wellen.
    std::int16_t stadtrand_n_wellen = 0;
    std::array<std::int16_t, stadtrand_wellen_max + 1> stadtrand_frequenz{};
    std::array<float, stadtrand_wellen_max + 1> stadtrand_phase{};
    std::array<float, stadtrand_wellen_max + 1> stadtrand_amplitude{};

    // Run state.
    float zentrum_x = 0, zentrum_y = 0;
    bool plan_vorhanden = false;
    float karten_faktor = 1.0f;
    float stadt_abmessung = 0; // side of the map square this model was made for
    // Values of the run's parameters that drawing and saving need with the model.
    float weg_halbbreite_min = 0, weg_halbbreite_max = 0;
    std::uint8_t mauer_parameter = 0; // the wall was asked for
    float mauer_dicke = 0;

    // Numbering counts (kept between runs, stored in the map file).
    std::int16_t n_nummer_wege = 0, n_nummer_haeuser = 0, n_nummer_plaetze = 0, n_nummer_parks = 0;

    // Elements by their int index; checked only in debug builds, as the
    // generator's loops stay within the counts.
    Weg& weg(int w) { return element(wege, w); }
    const Weg& weg(int w) const { return element(wege, w); }
    Haus& haus(int b) { return element(haeuser, b); }
    const Haus& haus(int b) const { return element(haeuser, b); }
    Flaeche& platz(int s) { return element(plaetze, s); }
    const Flaeche& platz(int s) const { return element(plaetze, s); }
    Flaeche& park(int s) { return element(parks, s); }
    const Flaeche& park(int s) const { return element(parks, s); }
    Turm& turm(int t) { return element(tuerme, t); }
    const Turm& turm(int t) const { return element(tuerme, t); }
    float& mauer_px(int i) { return element(mauer_x, i); }
    float mauer_px(int i) const { return element(mauer_x, i); }
    float& mauer_py(int i) { return element(mauer_y, i); }
    float mauer_py(int i) const { return element(mauer_y, i); }
    std::uint8_t& mauer_flag_bei(int i) { return element(mauer_flag, i); }
    std::uint8_t mauer_flag_bei(int i) const { return element(mauer_flag, i); }

    // Streets follow the rivers in the way table.
    int erster_strassenweg() const { return n_fluesse + 1; }

    // The indices in use, for `for (int w : m.wege_nummern())`. The range is
    // taken once: a loop that adds elements needs its own bound.
    Nummern wege_nummern() const { return nummern(1, n_wege); }
    Nummern fluss_nummern() const { return nummern(1, n_fluesse); }
    Nummern strassen_nummern() const { return nummern(erster_strassenweg(), n_wege); }
    Nummern haus_nummern() const { return nummern(1, haus_naechster - 1); }
    Nummern mauer_nummern() const { return nummern(1, mauer_n_punkte); }
    Nummern turm_nummern() const { return nummern(1, n_tuerme); }

    int wege_kapazitaet() const { return static_cast<int>(wege.size()) - 1; }
    int haeuser_kapazitaet() const { return static_cast<int>(haeuser.size()) - 1; }

    // Discards all contents and sizes the tables for a run.
    void dimensionieren(int wege_max, int punkte_max, int haeuser_max, int plaetze_anzahl,
                        int parks_anzahl);

  private:
    static Nummern nummern(int von, int bis) { return Nummern(von, std::max(von, bis + 1)); }
    template <class Tabelle> static auto element(Tabelle& t, int i) -> decltype(t[0]) {
        assert(i >= 0 && ix(i) < t.size());
        return t[ix(i)];
    }
};

} // namespace tarvello
