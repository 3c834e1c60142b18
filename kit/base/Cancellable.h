#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace kit {

class CancellableSet;

// Ends a subscription. Cancelling stops delivery at once, releases the
// subscriber's closure and is harmless when repeated; destroying a
// Cancellable cancels it.
class Cancellable {
public:
    Cancellable() = default;
    explicit Cancellable(std::function<void()> onCancel);
    Cancellable(Cancellable&& other) noexcept;
    Cancellable& operator=(Cancellable&& other) noexcept;
    Cancellable(const Cancellable&) = delete;
    Cancellable& operator=(const Cancellable&) = delete;
    ~Cancellable();

    void cancel();
    bool isActive() const { return static_cast<bool>(onCancel_); }

    // Moves this subscription into the set, which then keeps it alive.
    void store(CancellableSet& set);

private:
    std::function<void()> onCancel_;
};

// Keeps subscriptions alive. Destroying or clearing the set cancels every
// member; erasing one member cancels that one.
class CancellableSet {
public:
    using iterator = std::vector<Cancellable>::iterator;

    CancellableSet() = default;
    CancellableSet(CancellableSet&&) noexcept = default;
    CancellableSet& operator=(CancellableSet&& other) noexcept;
    ~CancellableSet() { clear(); }

    void insert(Cancellable cancellable);
    iterator erase(iterator position) { return members_.erase(position); }
    void clear();

    std::size_t size() const { return members_.size(); }
    bool empty() const { return members_.empty(); }
    iterator begin() { return members_.begin(); }
    iterator end() { return members_.end(); }

private:
    std::vector<Cancellable> members_;
};

} // namespace kit
