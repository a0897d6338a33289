#include "pictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}

QPixmap picture(const QString &name, QSize size)
{
    static bool initialised = false;
    if (!initialised) {
        initPictureResources();
        initialised = true;
    }
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1@%2x%3").arg(name).arg(size.width()).arg(size.height());
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), size));
    }
    cache.insert(key, pixmap);
    return pixmap;
}
