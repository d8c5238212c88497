#include "app/programmsymbol.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace tarvello {

QIcon programmsymbol() {
    // Drawn from the built-in SVG at the sizes panels ask for, so the icon
    // does not depend on an icon-engine plugin being installed.
    QIcon eigenes;
    QSvgRenderer svg(QStringLiteral(":/tarvello/io.github.tarvello.Tarvello.svg"));
    if (svg.isValid())
        for (const int seite : {16, 24, 32, 48, 64, 128, 256}) {
            QPixmap bild(seite, seite);
            bild.fill(Qt::transparent);
            QPainter maler(&bild);
            svg.render(&maler);
            maler.end();
            eigenes.addPixmap(bild);
        }
    return QIcon::fromTheme(QString::fromLatin1(programm_id), eigenes);
}

} // namespace tarvello
