#include "app/widgets/ElidedLabel.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace qm {

ElidedLabel::ElidedLabel(QWidget* parent) : ElidedLabel(Qt::ElideLeft, parent) {}

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QWidget(parent), mode_(mode)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text)
{
    if (text_ == text)
        return;
    text_ = text;
    setToolTip(text);
    updateGeometry();
    update();
}

QString ElidedLabel::shownText() const
{
    QString oneLine = text_;
    oneLine.replace(u'\n', u' ');
    return fontMetrics().elidedText(oneLine, mode_, width());
}

void ElidedLabel::setColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

QSize ElidedLabel::sizeHint() const
{
    return {int(std::ceil(QFontMetricsF(font()).horizontalAdvance(text_))) + 1, fontMetrics().height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("\u2026")), fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, shownText());
}

} // namespace qm
