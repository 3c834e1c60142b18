#pragma once

#include "kit/ui/Animation.h"

#include <functional>
#include <optional>

namespace kit {

// The context of a change: the animation it runs with, and whether implicit
// animation modifiers may override it.
struct Transaction {
    std::optional<Animation> animation;
    bool disablesAnimations = false;

    // The transaction of the changes being made right now (innermost
    // withAnimation/withTransaction), or an empty one.
    static Transaction current();

    friend bool operator==(const Transaction&, const Transaction&) = default;
};

// Runs `body` at once; every change it makes synchronously (State writes,
// published writes) carries `animation`. std::nullopt means no animation.
void withAnimation(std::optional<Animation> animation, const std::function<void()>& body);
// withAnimation(Animation::defaultAnimation(), body).
void withAnimation(const std::function<void()>& body);
void withTransaction(const Transaction& transaction, const std::function<void()>& body);

} // namespace kit
