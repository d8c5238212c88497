// The walk of a way's head, point by point: where it stands, its heading,
// step and noise. The river and the street stages grow their ways with it;
// the flags and counters after `richtung_vorzeichen` are the streets' only.
#pragma once

namespace tarvello {

struct Gang {
    float pos_x = 0, pos_y = 0; // head
    float richtung = 0;         // heading, radians
    float halbbreite = 0;
    float abstand_min = 0;
    float schritt = 0;
    float rauschen = 0;
    float richtung_vorzeichen = 0;
    bool ende = false;
    bool verworfen = false;
    bool ausserhalb_gelaufen = false;
    bool an_mauer = false;
    int i = 1;          // index of the last stored point of the way
    float gelaufen = 0; // distance walked since the start or the last crossing
    int letzte_bruecke = 0;
    int bruecken = 0; // bridges of this try, counted for the attempt when the street is kept
};

} // namespace tarvello
