#include "kit/ui/View.h"

#include "kit/ui/DisplayListBuilder.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/HostCore.h"
#include "kit/ui/Primitive.h"

namespace kit {

namespace detail {

namespace {

class EmptyPrimitive final : public Primitive {
public:
    NodeRole role() const override { return NodeRole::transparent; }
};

// Children keyed by position; they flatten into the enclosing container.
class GroupPrimitive final : public Primitive {
public:
    explicit GroupPrimitive(std::vector<View> children) : children_(std::move(children)) {}
    NodeRole role() const override { return NodeRole::transparent; }
    void update(Node& node) const override { reconcileChildren(node, positional(children_)); }
    const std::vector<View>& children() const { return children_; }

private:
    std::vector<View> children_;
};

// The k-th repeat of a ForEach key.
struct RepeatedKey {
    AnyKey key;
    int occurrence = 0;
    friend bool operator==(const RepeatedKey&, const RepeatedKey&) = default;
};

} // namespace
} // namespace detail
} // namespace kit

template <>
struct std::hash<kit::detail::RepeatedKey> {
    std::size_t operator()(const kit::detail::RepeatedKey& k) const noexcept
    {
        return k.key.hash() * 31 + std::size_t(k.occurrence);
    }
};

namespace kit {
namespace detail {
namespace {

class ForEachPrimitive final : public Primitive {
public:
    explicit ForEachPrimitive(std::vector<std::pair<AnyKey, View>> elements) : elements_(std::move(elements)) {}
    NodeRole role() const override { return NodeRole::transparent; }
    void update(Node& node) const override
    {
        std::vector<ChildSpec> specs;
        std::unordered_map<AnyKey, int> seen;
        for (const auto& [key, view] : elements_) {
            const int occurrence = seen[key]++;
            specs.push_back({0, occurrence == 0 ? key : AnyKey(RepeatedKey{key, occurrence}), view});
        }
        reconcileChildren(node, std::move(specs));
    }
    const std::vector<std::pair<AnyKey, View>>& elements() const { return elements_; }

private:
    std::vector<std::pair<AnyKey, View>> elements_;
};

// One child, keyed by its branch, so the branches are different identities.
class ConditionalPrimitive final : public Primitive {
public:
    ConditionalPrimitive(bool condition, View chosen) : branch_(condition ? 0 : 1), chosen_(std::move(chosen)) {}
    NodeRole role() const override { return NodeRole::transparent; }
    void update(Node& node) const override { reconcileChildren(node, {{0, AnyKey(branch_), chosen_}}); }

private:
    int branch_;
    View chosen_;
};

// A Color used as a view: it fills its frame.
class ColorPrimitive final : public Primitive {
public:
    explicit ColorPrimitive(Color color) : color_(color) {}
    std::type_index type() const override { return typeid(Color); }
    NodeRole role() const override { return NodeRole::leaf; }
    void targets(Node& node, TargetSink& sink) const override
    {
        sink.set(ChannelKey::color, premultiplied(node.environment->resolve(color_)));
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const Rect f = node.presentedFrame();
        DisplayItem item;
        item.kind = DisplayItem::Kind::fill;
        item.path = Path::rect(Rect(0, 0, f.width(), f.height()));
        item.paint = unpremultiplied(node.value(ChannelKey::color, premultiplied(node.environment->resolve(color_))));
        builder.addItem(node, state, std::move(item));
    }

private:
    Color color_;
};

} // namespace

std::vector<double> premultiplied(const RGBA& c)
{
    return {c.red * c.alpha, c.green * c.alpha, c.blue * c.alpha, c.alpha};
}

Color unpremultiplied(const std::vector<double>& v)
{
    if (v.size() != 4)
        return Color::clear();
    const double a = v[3];
    if (a == 0)
        return Color::rgb(0, 0, 0, 0);
    return Color::rgb(v[0] / a, v[1] / a, v[2] / a, a);
}

View conditional(bool condition, View chosen)
{
    return View(std::make_shared<ConditionalPrimitive>(condition, std::move(chosen)));
}

View forEach(std::vector<std::pair<AnyKey, View>> elements)
{
    return View(std::make_shared<ForEachPrimitive>(std::move(elements)));
}

View modify(const View& content, const std::function<std::shared_ptr<const Primitive>(View)>& make)
{
    if (auto group = std::dynamic_pointer_cast<const GroupPrimitive>(content.primitive())) {
        std::vector<View> children;
        for (const View& child : group->children())
            children.push_back(modify(child, make));
        return Group(std::move(children));
    }
    if (auto each = std::dynamic_pointer_cast<const ForEachPrimitive>(content.primitive())) {
        std::vector<std::pair<AnyKey, View>> elements;
        for (const auto& [key, view] : each->elements())
            elements.emplace_back(key, modify(view, make));
        return forEach(std::move(elements));
    }
    return View(make(content));
}

} // namespace detail

View::View() : primitive_(std::make_shared<detail::EmptyPrimitive>()) {}

View::View(const Color& color) : primitive_(std::make_shared<detail::ColorPrimitive>(color)) {}

View::View(std::shared_ptr<const detail::Primitive> primitive) : primitive_(std::move(primitive)) {}

bool View::isEmptyView() const
{
    return dynamic_cast<const detail::EmptyPrimitive*>(primitive_.get()) != nullptr;
}

View EmptyView()
{
    return View();
}

View Group(std::vector<View> children)
{
    return View(std::make_shared<detail::GroupPrimitive>(std::move(children)));
}

View If(bool condition, View then, View otherwise)
{
    return detail::conditional(condition, condition ? std::move(then) : std::move(otherwise));
}

View ForEach(Range range, const std::function<View(int)>& content)
{
    std::vector<std::pair<AnyKey, View>> elements;
    for (int i = range.lowerBound; i < range.upperBound; ++i)
        elements.emplace_back(AnyKey(i), content(i));
    return detail::forEach(std::move(elements));
}

} // namespace kit
