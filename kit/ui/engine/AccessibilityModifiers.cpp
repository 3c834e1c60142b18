// Accessibility labels, values, hints, content shapes, hidden views and
// elements: each labelled view becomes an element of the host's
// accessibility list while the display list is built.

#include "kit/base/Localization.h"
#include "kit/ui/Shape.h"
#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/PrimitiveAs.h"

#include <optional>

namespace kit::detail {

namespace {

// Accessibility modifiers applied one right around another share one node:
// `levels_` holds them outermost first, each drawn as its own node would be.
class Accessibility final : public LayoutNeutralModifier {
public:
    enum class Kind { label, value, hint, shape, hidden, element };
    struct Level {
        Kind kind;
        std::string text;
        bool localize;
        bool hidden;
        AccessibilityChildBehavior behavior;
        std::optional<Shape> shape; // Kind::shape
    };
    Accessibility(View content, std::vector<Level> levels)
        : LayoutNeutralModifier(std::move(content)), levels_(std::move(levels))
    {
    }

    // This modifier around `content`: folded into it when it is one too.
    static std::shared_ptr<const Primitive> around(View content, Level level)
    {
        if (const auto* inner = primitiveAs<Accessibility>(content.primitive().get())) {
            std::vector<Level> levels{std::move(level)};
            levels.insert(levels.end(), inner->levels_.begin(), inner->levels_.end());
            return std::make_shared<Accessibility>(inner->content, std::move(levels));
        }
        return std::make_shared<Accessibility>(std::move(content), std::vector<Level>{std::move(level)});
    }

    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        DrawState s = state;
        // Whether the level drawn before (the node's parent, for the
        // outermost) made or joined the element in force.
        bool aroundElement = s.elementNode == node.parent;
        for (const Level& level : levels_) {
            const bool joins = s.element >= 0 && aroundElement;
            aroundElement = false;
            if (level.kind == Kind::hidden) {
                if (level.hidden)
                    s.a11y = DrawState::A11y::ignore;
                continue;
            }
            const std::string text = level.localize ? localized(level.text) : level.text;
            if (s.a11y == DrawState::A11y::ignore)
                continue;
            if (s.a11y == DrawState::A11y::combine) {
                if (level.kind == Kind::label && !text.empty()) {
                    std::string& label = builder.element(s.element).label;
                    label += label.empty() ? text : ", " + text;
                }
                continue;
            }
            // Accessibility modifiers directly on one view make one element.
            if (!joins)
                s.element = builder.addElement(node, s);
            s.elementNode = &node;
            aroundElement = true;
            AccessibilityElement& e = builder.element(s.element);
            switch (level.kind) {
            case Kind::label:
                if (e.label.empty())
                    e.label = text;
                break;
            case Kind::value:
                if (e.value.empty())
                    e.value = text;
                break;
            case Kind::hint:
                if (e.hint.empty())
                    e.hint = text;
                break;
            case Kind::shape:
                // The element announces the shape's box in place of the
                // node's frame (a slice of a chart, not the whole chart).
                if (const Path area = shapePath(node, *level.shape); !area.isEmpty()) {
                    e.area = area.applying(s.transform);
                    e.frame = e.area->boundingRect();
                }
                break;
            case Kind::element:
                if (level.behavior == AccessibilityChildBehavior::contain)
                    s.container = s.element;
                else
                    s.a11y = level.behavior == AccessibilityChildBehavior::combine ? DrawState::A11y::combine
                                                                                   : DrawState::A11y::ignore;
                break;
            case Kind::hidden:
                break;
            }
        }
        // The content joins the element only when the innermost level made
        // or joined it, as it would under a node of that level alone.
        if (!aroundElement && s.elementNode == &node)
            s.elementNode = nullptr;
        builder.drawSlot(node, 0, s);
    }

private:
    static Path shapePath(const Node& node, const Shape& shape)
    {
        const Rect f = node.presentedFrame();
        return shape.path(Rect(0, 0, f.width(), f.height()));
    }

    std::vector<Level> levels_;
};

} // namespace

View accessibilityLabel(const View& v, std::string text, bool localize)
{
    return modify(v, [=](View c) {
        return Accessibility::around(std::move(c), {Accessibility::Kind::label, text, localize, false,
                                                    AccessibilityChildBehavior::contain});
    });
}

View accessibilityValue(const View& v, std::string text, bool localize)
{
    return modify(v, [=](View c) {
        return Accessibility::around(std::move(c), {Accessibility::Kind::value, text, localize, false,
                                                    AccessibilityChildBehavior::contain});
    });
}

View accessibilityHint(const View& v, std::string text, bool localize)
{
    return modify(v, [=](View c) {
        return Accessibility::around(std::move(c), {Accessibility::Kind::hint, text, localize, false,
                                                    AccessibilityChildBehavior::contain});
    });
}

View accessibilityShape(const View& v, const Shape& shape)
{
    return modify(v, [=](View c) {
        return Accessibility::around(std::move(c), {Accessibility::Kind::shape, std::string(), false, false,
                                                    AccessibilityChildBehavior::contain, shape});
    });
}

View accessibilityHidden(const View& v, bool hidden)
{
    return modify(v, [=](View c) {
        return Accessibility::around(std::move(c), {Accessibility::Kind::hidden, std::string(), false, hidden,
                                                    AccessibilityChildBehavior::contain});
    });
}

View accessibilityElement(const View& v, AccessibilityChildBehavior children)
{
    return modify(v, [=](View c) {
        return Accessibility::around(std::move(c),
                                     {Accessibility::Kind::element, std::string(), false, false, children});
    });
}

} // namespace kit::detail
