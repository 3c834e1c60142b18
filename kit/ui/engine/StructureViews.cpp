#include "kit/ui/engine/StructureViews.h"

#include "kit/ui/ForEach.h"

#include <unordered_map>

namespace kit::detail {
namespace {

// The k-th repeat of a ForEach key.
struct RepeatedKey {
    AnyKey key;
    int occurrence = 0;
    friend bool operator==(const RepeatedKey&, const RepeatedKey&) = default;
};

} // namespace
} // namespace kit::detail

template <>
struct std::hash<kit::detail::RepeatedKey> {
    std::size_t operator()(const kit::detail::RepeatedKey& k) const noexcept
    {
        return k.key.hash() * 31 + std::size_t(k.occurrence);
    }
};

namespace kit {

namespace detail {

void GroupPrimitive::update(Node& node) const
{
    reconcileChildren(node, positional(children_));
}

void ForEachPrimitive::update(Node& node) const
{
    std::vector<ChildSpec> specs;
    std::unordered_map<AnyKey, int> seen;
    for (const auto& [key, view] : elements_) {
        const int occurrence = seen[key]++;
        specs.push_back({0, occurrence == 0 ? key : AnyKey(RepeatedKey{key, occurrence}), view});
    }
    reconcileChildren(node, std::move(specs));
}

void ConditionalPrimitive::update(Node& node) const
{
    reconcileChild(node, {0, AnyKey(branch_), chosen_});
}

View conditional(bool condition, View chosen)
{
    return View(std::make_shared<ConditionalPrimitive>(condition, std::move(chosen)));
}

View forEach(std::vector<std::pair<AnyKey, View>> elements)
{
    return View(std::make_shared<ForEachPrimitive>(std::move(elements)));
}

} // namespace detail

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
