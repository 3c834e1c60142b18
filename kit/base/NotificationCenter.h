#pragma once

#include "kit/base/AnyObject.h"
#include "kit/base/Publisher.h"

#include <any>
#include <functional>
#include <memory>
#include <string>

namespace kit {

struct Notification {
    std::string name;
    AnyObject object;
    std::any userInfo;
};

// Delivers posted notifications to the observers registered for their name.
// There is one default centre for the process.
class NotificationCenter {
public:
    enum class Delivery {
        postingThread, // synchronously, on the thread that posts
        mainQueue,     // re-queued through MainQueue::async
    };
    using Block = std::function<void(const Notification&)>;

    NotificationCenter();
    static NotificationCenter& defaultCenter();

    // Calls, in registration order, every observer of `name` whose object
    // filter is none or the same object as `object`.
    void post(const std::string& name, AnyObject object = {}, std::any userInfo = {}) const;

    // Observes `name`, from `object` only unless it is none. Cancelling or
    // destroying the result stops delivery.
    Cancellable addObserver(std::string name, AnyObject object, Delivery delivery, Block block) const;

    // Every notification posted under `name` (from `object` when given),
    // delivered synchronously on the posting thread.
    Publisher<Notification> publisher(std::string name, AnyObject object = {}) const;

private:
    std::shared_ptr<detail::SubscriberList<Notification>> observers_;
};

} // namespace kit
