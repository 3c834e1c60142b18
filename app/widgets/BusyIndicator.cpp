#include "app/widgets/BusyIndicator.h"

#include <QPainter>
#include <QTimerEvent>

namespace qm {

BusyIndicator::BusyIndicator(int diameter, QWidget* parent) : QWidget(parent), diameter_(diameter)
{
    setFixedSize(diameter, diameter);
    setAccessibleName(QStringLiteral("Progress"));
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal width = std::max(1.5, diameter_ / 8.0);
    const QRectF circle = QRectF(rect()).adjusted(width, width, -width, -width);
    QColor track = palette().color(QPalette::WindowText);
    track.setAlphaF(0.15);
    painter.setPen(QPen(track, width));
    painter.drawEllipse(circle);
    QColor arc = palette().color(QPalette::WindowText);
    arc.setAlphaF(0.6);
    painter.setPen(QPen(arc, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(circle, -angle_ * 16, 100 * 16);
}

void BusyIndicator::showEvent(QShowEvent*)
{
    if (!timerId_)
        timerId_ = startTimer(40);
}

void BusyIndicator::hideEvent(QHideEvent*)
{
    if (timerId_)
        killTimer(timerId_);
    timerId_ = 0;
}

void BusyIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timerId_)
        return;
    angle_ = (angle_ + 12) % 360;
    update();
}

} // namespace qm
