#include "program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon programIcon() {
    // Drawn from the SVG at the usual icon sizes, so it does not depend on an icon plugin.
    QSvgRenderer renderer(QStringLiteral(":/app/icon.svg"));
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
