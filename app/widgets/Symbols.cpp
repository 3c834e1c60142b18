#include "app/widgets/Symbols.h"

#include "kit/ui/Image.h"
#include "kit/ui/ViewHost.h"

#include <QApplication>
#include <QPalette>

namespace qm {

namespace {

kit::Color toKit(const QColor& c)
{
    return kit::Color::rgb(c.redF(), c.greenF(), c.blueF(), c.alphaF());
}

} // namespace

QPixmap symbolPixmap(const QString& name, int size, const QColor& color, const QColor& secondary)
{
    const QColor ink = color.isValid() ? color : QApplication::palette().color(QPalette::WindowText);
    const kit::View image = kit::Image(name.toStdString())
                                .resizable()
                                .foregroundStyle(toKit(ink), toKit(secondary.isValid() ? secondary : ink))
                                .frame(size, size);
    const qreal scale = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap = QPixmap::fromImage(kit::renderImage(image, kit::Size{double(size), double(size)}, scale));
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QIcon symbolIcon(const QString& name, const QColor& color)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(symbolPixmap(name, size, color));
    return icon;
}

} // namespace qm
