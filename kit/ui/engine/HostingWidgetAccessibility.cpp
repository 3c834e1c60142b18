// The host widget's accessibility: its elements (ViewHost::accessibilityElements)
// exposed to Qt as QAccessibleInterface children of the widget.

#include "kit/ui/HostingWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

namespace kit {

namespace {

bool sameElements(const std::vector<AccessibilityElement>& a, const std::vector<AccessibilityElement>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].label != b[i].label || a[i].value != b[i].value || a[i].hint != b[i].hint ||
            a[i].frame != b[i].frame || a[i].area != b[i].area || a[i].role != b[i].role ||
            !sameElements(a[i].children, b[i].children))
            return false;
    return true;
}

// The value, then the hint.
QString description(const AccessibilityElement& element)
{
    if (element.value.empty() || element.hint.empty())
        return QString::fromStdString(element.value + element.hint);
    return QString::fromStdString(element.value + ", " + element.hint);
}

// The interfaces made for a list of elements, owned by their parent
// interface (registered with Qt, deleted through it).
class ElementChildren {
public:
    ElementChildren() = default;
    ElementChildren(const ElementChildren&) = delete;
    ElementChildren& operator=(const ElementChildren&) = delete;
    ~ElementChildren() { clear(); }

    void build(QWidget* widget, QAccessibleInterface* parent, const std::vector<AccessibilityElement>& elements);
    void clear()
    {
        for (QAccessibleInterface* c : children_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(c));
        children_.clear();
    }
    bool empty() const { return children_.empty(); }
    int count() const { return int(children_.size()); }
    QAccessibleInterface* at(int index) const
    {
        return index >= 0 && index < count() ? children_[std::size_t(index)] : nullptr;
    }
    int indexOf(const QAccessibleInterface* child) const
    {
        for (std::size_t i = 0; i < children_.size(); ++i)
            if (children_[i] == child)
                return int(i);
        return -1;
    }
    // The element at a point: where an element has an area of its own (a
    // slice of a pie), the point must lie in it, not only in its box, which
    // other slices' boxes overlap.
    QAccessibleInterface* at(int x, int y) const;

private:
    std::vector<QAccessibleInterface*> children_;
};

// One accessibility element of a host: static text or a graphic with a
// name (the label), a value, a description and a rect. Qt's AT-SPI bridge
// passes a value on only for numeric value interfaces, so the description
// says what a screen reader says after the label: the value, then the hint.
class ElementInterface final : public QAccessibleInterface {
public:
    ElementInterface(QWidget* widget, QAccessibleInterface* parent, const AccessibilityElement& element)
        : widget_(widget), parent_(parent), element_(element)
    {
    }
    void build() { children_.build(widget_, this, element_.children); }
    bool covers(int x, int y) const
    {
        if (!rect().contains(x, y))
            return false;
        if (!element_.area || widget_.isNull())
            return true;
        const QPointF local = widget_->mapFromGlobal(QPointF(x, y));
        return element_.area->contains({local.x(), local.y()});
    }

    bool isValid() const override { return !widget_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent_->window(); }
    QAccessibleInterface* parent() const override { return parent_; }
    QAccessibleInterface* child(int index) const override { return children_.at(index); }
    int childCount() const override { return children_.count(); }
    int indexOfChild(const QAccessibleInterface* child) const override { return children_.indexOf(child); }
    QAccessibleInterface* childAt(int x, int y) const override { return children_.at(x, y); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QString::fromStdString(element_.label);
        if (t == QAccessible::Value)
            return QString::fromStdString(element_.value);
        if (t == QAccessible::Description)
            return description(element_);
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
    ElementChildren children_;
};

QAccessibleInterface* ElementChildren::at(int x, int y) const
{
    for (QAccessibleInterface* c : children_)
        if (static_cast<const ElementInterface*>(c)->covers(x, y))
            return c;
    return nullptr;
}

void ElementChildren::build(QWidget* widget, QAccessibleInterface* parent,
                            const std::vector<AccessibilityElement>& elements)
{
    for (const AccessibilityElement& e : elements) {
        auto* c = new ElementInterface(widget, parent, e);
        QAccessible::registerAccessibleInterface(c);
        c->build();
        children_.push_back(c);
    }
}

// The host widget's interface: its children are the host's elements.
class HostInterface final : public QAccessibleWidget {
public:
    explicit HostInterface(HostingWidget* widget) : QAccessibleWidget(widget, QAccessible::Client), host_(widget) {}

    int childCount() const override
    {
        refresh();
        return children_.count();
    }
    QAccessibleInterface* child(int index) const override
    {
        refresh();
        return children_.at(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        refresh();
        return children_.indexOf(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        refresh();
        return children_.at(x, y);
    }

private:
    void refresh() const
    {
        if (host_.isNull())
            return;
        std::vector<AccessibilityElement> elements = host_->host().accessibilityElements();
        if (!children_.empty() && sameElements(elements, elements_))
            return;
        children_.clear();
        elements_ = std::move(elements);
        children_.build(host_, const_cast<HostInterface*>(this), elements_);
    }

    QPointer<HostingWidget> host_;
    mutable std::vector<AccessibilityElement> elements_;
    mutable ElementChildren children_;
};

} // namespace

QAccessibleInterface* hostingWidgetAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String("QWidget"))
        if (auto* widget = dynamic_cast<HostingWidget*>(object))
            return new HostInterface(widget);
    return nullptr;
}

} // namespace kit
