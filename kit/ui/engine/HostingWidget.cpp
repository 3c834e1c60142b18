#include "kit/ui/HostingWidget.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace kit {

HostingWidget::HostingWidget(View root, QWidget* parent)
    : QWidget(parent), host_(std::make_unique<ViewHost>(std::move(root)))
{
    static const bool installed = [] {
        QAccessible::installFactory(hostingWidgetAccessibility);
        return true;
    }();
    (void)installed;
    setMouseTracking(true);
    host_->setVisible(false); // until shown
    host_->onNeedsRepaint = [this] { QWidget::update(); };
    syncColorScheme();
}

HostingWidget::~HostingWidget()
{
    host_->onNeedsRepaint = nullptr;
    host_.reset();
}

void HostingWidget::setRootView(View root)
{
    host_->setRoot(std::move(root));
    updateGeometry();
}

QSize HostingWidget::sizeHint() const
{
    const Size s = host_->idealSize();
    return QSize(int(std::ceil(s.width)), int(std::ceil(s.height)));
}

void HostingWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    host_->paint(painter);
}

void HostingWidget::resizeEvent(QResizeEvent*)
{
    host_->setSize({double(width()), double(height())});
}

void HostingWidget::showEvent(QShowEvent*)
{
    host_->setSize({double(width()), double(height())});
    host_->setVisible(true);
}

void HostingWidget::hideEvent(QHideEvent*)
{
    host_->setVisible(false);
}

void HostingWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    host_->pointerPressed({event->position().x(), event->position().y()});
}

void HostingWidget::mouseMoveEvent(QMouseEvent* event)
{
    const Point p{event->position().x(), event->position().y()};
    if (pressed_)
        host_->pointerMoved(p);
    else
        host_->pointerHovered(p);
}

void HostingWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    host_->pointerReleased({event->position().x(), event->position().y()});
}

void HostingWidget::leaveEvent(QEvent*)
{
    if (!pressed_)
        host_->pointerExited();
}

void HostingWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && pressed_) {
        pressed_ = false;
        host_->cancelPointer();
    }
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        syncColorScheme();
    QWidget::changeEvent(event);
}

bool HostingWidget::event(QEvent* event)
{
    if (event->type() == QEvent::UngrabMouse && pressed_) {
        pressed_ = false;
        host_->cancelPointer();
    }
    return QWidget::event(event);
}

void HostingWidget::syncColorScheme()
{
    const QPalette& p = palette();
    const QColor window = p.color(QPalette::Window);
    host_->setColorScheme(window.lightness() < 128 ? ColorScheme::dark : ColorScheme::light);
    auto rgba = [](const QColor& c, double alpha) { return RGBA{c.redF(), c.greenF(), c.blueF(), alpha}; };
    ColorPalette colors;
    colors.primary = rgba(p.color(QPalette::WindowText), 0.85);
    colors.secondary = rgba(p.color(QPalette::WindowText), 0.5);
    colors.windowBackground = rgba(window, 1);
    colors.accent = rgba(p.color(QPalette::Highlight), 1);
    host_->setPalette(colors);
}

} // namespace kit
