// The sixteen drawing colours of printed and exported maps, by element kind.
#pragma once

#include <QColor>
#include <QRgb>
#include <array>

namespace tarvello {

// Index of each element kind in the colour table.
enum Farbindex : int {
    farbe_grosse_strassen = 0,
    farbe_mittlere_strassen = 1,
    farbe_kleine_strassen = 2,
    farbe_strassenrand = 3,
    farbe_gebaeude = 4,
    farbe_hintergrund = 5,
    farbe_nummer_strassen = 6,
    farbe_nummer_gebaeude = 7,
    farbe_schnittmarken = 8,
    farbe_fluesse = 9,
    farbe_parks = 10,
    farbe_plaetze = 11,
    farbe_nummer_parks = 12,
    farbe_nummer_plaetze = 13,
    farbe_stadtmauer = 14,
    farbe_tuerme = 15,
};

inline constexpr int n_druckfarben = 16;

struct Druckfarben {
    std::array<QRgb, n_druckfarben> farbe{};

    // The table the program starts with when no colours were stored.
    static Druckfarben standard();

    QColor operator[](int index) const { return QColor(farbe[static_cast<std::size_t>(index)]); }
};

} // namespace tarvello
