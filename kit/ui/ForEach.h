#pragma once

#include "kit/ui/View.h"

#include <concepts>
#include <functional>
#include <utility>
#include <vector>

namespace kit {

struct ReversedRange;

// Integers lowerBound ..< upperBound, for ForEach by index.
struct Range {
    int lowerBound = 0;
    int upperBound = 0;

    // The same integers from upperBound − 1 down to lowerBound.
    constexpr ReversedRange reversed() const;
};

// Integers upperBound − 1 down to lowerBound: ForEach(Range{0, n}.reversed(), ...).
struct ReversedRange {
    int lowerBound = 0;
    int upperBound = 0;
};

constexpr ReversedRange Range::reversed() const
{
    return {lowerBound, upperBound};
}

namespace detail {
View forEach(std::vector<std::pair<AnyKey, View>> elements);
}

// One child per element, identified by key(element). Children flatten into
// the enclosing container; reordering keeps each element's state; the k-th
// repeat of a key gets its own identity.
template <class Data, class KeyFunction, class Content>
requires std::invocable<KeyFunction, const typename Data::value_type&> View ForEach(const Data& data, KeyFunction key,
                                                                                    Content content)
{
    std::vector<std::pair<AnyKey, View>> elements;
    for (const auto& element : data)
        elements.emplace_back(AnyKey(key(element)), View(content(element)));
    return detail::forEach(std::move(elements));
}

// Elements identified by their `id` member.
template <class Data, class Content>
requires requires(const typename Data::value_type& e)
{
    e.id;
} && std::invocable<Content, const typename Data::value_type&> View ForEach(const Data& data, Content content)
{
    return ForEach(
        data, [](const auto& e) { return e.id; }, std::move(content));
}

// One child per integer, identified by the integer: growing the range
// inserts at the end, shrinking removes from the end.
View ForEach(Range range, const std::function<View(int)>& content);
// The same, highest integer first; each child is still identified by its integer.
View ForEach(ReversedRange range, const std::function<View(int)>& content);

} // namespace kit
