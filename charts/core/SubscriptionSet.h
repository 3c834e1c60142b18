#pragma once

#include "kit/base/Cancellable.h"

namespace charts {

// Owns subscriptions for as long as it lives; releasing it cancels them.
class SubscriptionSet {
public:
    kit::CancellableSet subscription;
};

} // namespace charts
