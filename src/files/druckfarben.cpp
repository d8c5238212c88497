#include "files/druckfarben.h"

namespace tarvello {

Druckfarben Druckfarben::standard() {
    Druckfarben f;
    f.farbe = {
        qRgb(255, 255, 255), // big streets
        qRgb(255, 255, 255), // medium streets
        qRgb(255, 255, 255), // small streets
        qRgb(0, 0, 0),       // street outline
        qRgb(0, 0, 0),       // buildings
        qRgb(224, 224, 224), // background
        qRgb(255, 255, 212), // street labels
        qRgb(224, 224, 255), // building labels
        qRgb(128, 128, 128), // crop marks
        qRgb(0, 32, 144),    // rivers
        qRgb(0, 128, 0),     // parks
        qRgb(206, 194, 170), // squares: paving, apart from the ground
        qRgb(192, 255, 192), // park labels
        qRgb(255, 255, 255), // square labels
        qRgb(96, 64, 0),     // city wall
        qRgb(64, 48, 0),     // wall towers
    };
    return f;
}

} // namespace tarvello
