#include "kit/ui/HostingWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

namespace kit {

namespace {

bool sameElements(const std::vector<AccessibilityElement>& a, const std::vector<AccessibilityElement>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].label != b[i].label || a[i].value != b[i].value || a[i].frame != b[i].frame ||
            a[i].role != b[i].role || !sameElements(a[i].children, b[i].children))
            return false;
    return true;
}

// One accessibility element of a host: static text or a graphic with a
// name (the label), a value and a rect.
class ElementInterface final : public QAccessibleInterface {
public:
    ElementInterface(QWidget* widget, QAccessibleInterface* parent, const AccessibilityElement& element)
        : widget_(widget), parent_(parent), element_(element)
    {
    }
    ~ElementInterface() override
    {
        for (QAccessibleInterface* c : children_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(c));
    }
    void build()
    {
        for (const AccessibilityElement& child : element_.children) {
            auto* c = new ElementInterface(widget_, this, child);
            QAccessible::registerAccessibleInterface(c);
            c->build();
            children_.push_back(c);
        }
    }

    bool isValid() const override { return !widget_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent_->window(); }
    QAccessibleInterface* parent() const override { return parent_; }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < int(children_.size()) ? children_[std::size_t(index)] : nullptr;
    }
    int childCount() const override { return int(children_.size()); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (std::size_t i = 0; i < children_.size(); ++i)
            if (children_[i] == child)
                return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (QAccessibleInterface* c : children_)
            if (c->rect().contains(x, y))
                return c;
        return nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QString::fromStdString(element_.label);
        if (t == QAccessible::Value)
            return QString::fromStdString(element_.value);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (widget_.isNull())
            return {};
        const Rect& f = element_.frame;
        const int x0 = int(std::lround(f.minX())), y0 = int(std::lround(f.minY()));
        const QPoint topLeft = widget_->mapToGlobal(QPoint(x0, y0));
        return QRect(topLeft, QSize(int(std::lround(f.maxX())) - x0, int(std::lround(f.maxY())) - y0));
    }
    QAccessible::Role role() const override
    {
        return element_.role == AccessibilityElement::Role::staticText ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }

private:
    QPointer<QWidget> widget_;
    QAccessibleInterface* parent_;
    AccessibilityElement element_;
    std::vector<QAccessibleInterface*> children_;
};

// The host widget's interface: its children are the host's elements.
class HostInterface final : public QAccessibleWidget {
public:
    explicit HostInterface(HostingWidget* widget) : QAccessibleWidget(widget, QAccessible::Client), host_(widget) {}
    ~HostInterface() override { clear(); }

    int childCount() const override
    {
        refresh();
        return int(children_.size());
    }
    QAccessibleInterface* child(int index) const override
    {
        refresh();
        return index >= 0 && index < int(children_.size()) ? children_[std::size_t(index)] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        refresh();
        for (std::size_t i = 0; i < children_.size(); ++i)
            if (children_[i] == child)
                return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        refresh();
        for (QAccessibleInterface* c : children_)
            if (c->rect().contains(x, y))
                return c;
        return nullptr;
    }

private:
    void clear() const
    {
        for (QAccessibleInterface* c : children_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(c));
        children_.clear();
    }
    void refresh() const
    {
        if (host_.isNull())
            return;
        std::vector<AccessibilityElement> elements = host_->host().accessibilityElements();
        if (!children_.empty() && sameElements(elements, elements_))
            return;
        clear();
        elements_ = std::move(elements);
        for (const AccessibilityElement& e : elements_) {
            auto* c = new ElementInterface(host_, const_cast<HostInterface*>(this), e);
            QAccessible::registerAccessibleInterface(c);
            c->build();
            children_.push_back(c);
        }
    }

    QPointer<HostingWidget> host_;
    mutable std::vector<AccessibilityElement> elements_;
    mutable std::vector<QAccessibleInterface*> children_;
};

} // namespace

QAccessibleInterface* hostingWidgetAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String("QWidget"))
        if (auto* widget = dynamic_cast<HostingWidget*>(object))
            return new HostInterface(widget);
    return nullptr;
}

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
