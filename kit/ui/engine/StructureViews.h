#pragma once

// The views that structure others without a layout of their own: the empty
// view, groups, ForEach and conditionals. Their nodes are transparent: their
// children take part in the layout of the nearest container around them.

#include "kit/ui/engine/Primitive.h"

#include <utility>
#include <vector>

namespace kit::detail {

class EmptyPrimitive final : public Primitive {
public:
    NodeRole role() const override { return NodeRole::transparent; }
};

// Children keyed by position.
class GroupPrimitive final : public Primitive {
public:
    explicit GroupPrimitive(std::vector<View> children) : children_(std::move(children)) {}
    NodeRole role() const override { return NodeRole::transparent; }
    void update(Node& node) const override;
    const std::vector<View>& children() const { return children_; }

private:
    std::vector<View> children_;
};

// Children keyed by their element's key; the k-th repeat of a key gets an
// identity of its own.
class ForEachPrimitive final : public Primitive {
public:
    explicit ForEachPrimitive(std::vector<std::pair<AnyKey, View>> elements) : elements_(std::move(elements)) {}
    NodeRole role() const override { return NodeRole::transparent; }
    void update(Node& node) const override;
    const std::vector<std::pair<AnyKey, View>>& elements() const { return elements_; }

private:
    std::vector<std::pair<AnyKey, View>> elements_;
};

// One child, keyed by its branch, so the branches are different identities.
class ConditionalPrimitive final : public Primitive {
public:
    ConditionalPrimitive(bool condition, View chosen) : branch_(condition ? 0 : 1), chosen_(std::move(chosen)) {}
    NodeRole role() const override { return NodeRole::transparent; }
    void update(Node& node) const override;
    bool condition() const { return branch_ == 0; }
    const View& chosen() const { return chosen_; }

private:
    int branch_;
    View chosen_;
};

} // namespace kit::detail
