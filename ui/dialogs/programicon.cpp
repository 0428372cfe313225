#include "ui/dialogs/programicon.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap programIcon(int size) {
    Q_INIT_RESOURCE(dialogs); // a static library's resources are not registered on their own
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/sondrix/sondrix.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}
