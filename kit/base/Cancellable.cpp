#include "kit/base/Cancellable.h"

#include <utility>

namespace kit {

Cancellable::Cancellable(std::function<void()> onCancel) : onCancel_(std::move(onCancel)) {}

Cancellable::Cancellable(Cancellable&& other) noexcept : onCancel_(std::exchange(other.onCancel_, nullptr)) {}

Cancellable& Cancellable::operator=(Cancellable&& other) noexcept
{
    if (this != &other) {
        cancel();
        onCancel_ = std::exchange(other.onCancel_, nullptr);
    }
    return *this;
}

Cancellable::~Cancellable()
{
    cancel();
}

void Cancellable::cancel()
{
    if (auto onCancel = std::exchange(onCancel_, nullptr))
        onCancel();
}

void Cancellable::store(CancellableSet& set)
{
    set.insert(std::move(*this));
}

CancellableSet& CancellableSet::operator=(CancellableSet&& other) noexcept
{
    if (this != &other) {
        clear();
        members_ = std::move(other.members_);
    }
    return *this;
}

void CancellableSet::insert(Cancellable cancellable)
{
    members_.push_back(std::move(cancellable));
}

void CancellableSet::clear()
{
    // Cancel outside the member list, in case a cancellation touches the set.
    auto members = std::move(members_);
    members_.clear();
    members.clear();
}

} // namespace kit
