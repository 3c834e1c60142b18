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

// A modifier on a user view: identified as the modifier it stands for, it
// holds the user view as its one child and does nothing itself. The user
// view applies the modifier to its body when it is evaluated
// (withDeferredModifiers), to each view of a body that is several.
class DeferredModifier final : public Primitive {
public:
    DeferredModifier(View content, ModifierFactory make)
        : content_(std::move(content)), make_(std::move(make)), standIn_(make_(content_))
    {
    }
    std::type_index type() const override { return standIn_->type(); }
    NodeRole role() const override { return NodeRole::transparent; }
    bool defersModifiers() const override { return true; }
    void update(Node& node) const override { reconcileChildren(node, {{0, {}, content_}}); }
    // Read by stacks through modifiers that wrap this one (an id, say).
    std::optional<double> layoutPriority() const override { return standIn_->layoutPriority(); }
    std::optional<double> zIndex() const override { return standIn_->zIndex(); }
    const ModifierFactory& factory() const { return make_; }

private:
    View content_;
    ModifierFactory make_;
    std::shared_ptr<const Primitive> standIn_; // the modifier around the user view itself
};

// One child, keyed by its branch, so the branches are different identities.
class ConditionalPrimitive final : public Primitive {
public:
    ConditionalPrimitive(bool condition, View chosen) : branch_(condition ? 0 : 1), chosen_(std::move(chosen)) {}
    NodeRole role() const override { return NodeRole::transparent; }
    void update(Node& node) const override { reconcileChildren(node, {{0, AnyKey(branch_), chosen_}}); }
    bool condition() const { return branch_ == 0; }
    const View& chosen() const { return chosen_; }

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

namespace {

// Whether a modifier on `view` goes to views inside it: each child of a
// group or ForEach, the body of a user view, the branch of a conditional
// that holds one of those.
bool spreads(const View& view)
{
    const Primitive* p = view.primitive().get();
    if (dynamic_cast<const GroupPrimitive*>(p) || dynamic_cast<const ForEachPrimitive*>(p) || p->defersModifiers())
        return true;
    const auto* conditional = dynamic_cast<const ConditionalPrimitive*>(p);
    return conditional && spreads(conditional->chosen());
}

} // namespace

View modify(const View& content, const ModifierFactory& make)
{
    if (auto conditional = std::dynamic_pointer_cast<const ConditionalPrimitive>(content.primitive());
        conditional && spreads(conditional->chosen()))
        return detail::conditional(conditional->condition(), modify(conditional->chosen(), make));
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
    if (content.primitive()->defersModifiers())
        return View(std::make_shared<DeferredModifier>(content, make));
    return View(make(content));
}

View withDeferredModifiers(Node& node, View body)
{
    for (Node* p = node.parent; p; p = p->parent) {
        const auto* deferred = dynamic_cast<const DeferredModifier*>(p->primitive.get());
        if (!deferred)
            break;
        body = modify(body, deferred->factory());
    }
    return body;
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

View ForEach(ReversedRange range, const std::function<View(int)>& content)
{
    std::vector<std::pair<AnyKey, View>> elements;
    for (long long i = static_cast<long long>(range.upperBound) - 1; i >= range.lowerBound; --i)
        elements.emplace_back(AnyKey(int(i)), content(int(i)));
    return detail::forEach(std::move(elements));
}

} // namespace kit
