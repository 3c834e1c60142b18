// Accessibility labels, values, hidden views and elements: each labelled view
// becomes an element of the host's accessibility list while the display list
// is built.

#include "kit/base/Localization.h"
#include "kit/ui/DisplayListBuilder.h"
#include "kit/ui/Primitive.h"

namespace kit::detail {

namespace {

class Accessibility final : public ModifierPrimitive {
public:
    enum class Kind { label, value, hidden, element };
    Accessibility(View content, Kind kind, std::string text, bool localize, bool hidden,
                  AccessibilityChildBehavior behavior)
        : ModifierPrimitive(std::move(content)),
          kind_(kind),
          text_(std::move(text)),
          localize_(localize),
          hidden_(hidden),
          behavior_(behavior)
    {
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        DrawState s = state;
        if (kind_ == Kind::hidden) {
            if (hidden_)
                s.a11y = DrawState::A11y::ignore;
            builder.drawSlot(node, 0, s);
            return;
        }
        const std::string text = localize_ ? localized(text_) : text_;
        if (s.a11y == DrawState::A11y::ignore) {
            builder.drawSlot(node, 0, s);
            return;
        }
        if (s.a11y == DrawState::A11y::combine) {
            if (kind_ == Kind::label && !text.empty()) {
                std::string& label = builder.element(s.element).label;
                label += label.empty() ? text : ", " + text;
            }
            builder.drawSlot(node, 0, s);
            return;
        }
        // Accessibility modifiers directly on one view make one element.
        if (!(s.element >= 0 && s.elementNode == node.parent))
            s.element = builder.addElement(node, s);
        s.elementNode = &node;
        AccessibilityElement& e = builder.element(s.element);
        switch (kind_) {
        case Kind::label:
            if (e.label.empty())
                e.label = text;
            break;
        case Kind::value:
            if (e.value.empty())
                e.value = text;
            break;
        case Kind::element:
            if (behavior_ == AccessibilityChildBehavior::contain)
                s.container = s.element;
            else
                s.a11y = behavior_ == AccessibilityChildBehavior::combine ? DrawState::A11y::combine
                                                                          : DrawState::A11y::ignore;
            break;
        case Kind::hidden:
            break;
        }
        builder.drawSlot(node, 0, s);
    }

private:
    Kind kind_;
    std::string text_;
    bool localize_;
    bool hidden_;
    AccessibilityChildBehavior behavior_;
};

} // namespace

View accessibilityLabel(const View& v, std::string text, bool localize)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::label, text, localize, false,
                                               AccessibilityChildBehavior::contain);
    });
}

View accessibilityValue(const View& v, std::string text, bool localize)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::value, text, localize, false,
                                               AccessibilityChildBehavior::contain);
    });
}

View accessibilityHidden(const View& v, bool hidden)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::hidden, std::string(), false, hidden,
                                               AccessibilityChildBehavior::contain);
    });
}

View accessibilityElement(const View& v, AccessibilityChildBehavior children)
{
    return modify(v, [=](View c) {
        return std::make_shared<Accessibility>(std::move(c), Accessibility::Kind::element, std::string(), false, false,
                                               children);
    });
}

} // namespace kit::detail
