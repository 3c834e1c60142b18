#include "app/widgets/BorderlessButton.h"

#include "app/widgets/Symbols.h"

#include <QKeyEvent>
#include <QPainter>

namespace qm {

BorderlessButton::BorderlessButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
}

BorderlessButton::BorderlessButton(const QString& symbol, const QString& name, QWidget* parent)
    : BorderlessButton(parent)
{
    setIcon(symbolIcon(symbol));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setToolTip(name);
    setAccessibleName(name);
    setObjectName(name);
}

void BorderlessButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

// The style's own focus frame on a tool button is faint, or none at all.
void BorderlessButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}

} // namespace qm
