#include "kit/base/NotificationCenter.h"

#include "kit/base/MainQueue.h"

namespace kit {

namespace {

// Observes `name`, from `object` only unless it is none. The filter holds its
// object weakly: an observer never keeps a sender alive.
Cancellable observe(detail::SubscriberList<Notification>& observers, std::string name, const AnyObject& object,
                    detail::Handler<Notification> handler)
{
    bool filtered = !object.isNone();
    return observers.add([name = std::move(name), filtered, sender = object.weakIdentity(),
                          handler = std::move(handler)](const Notification& n) {
        if (n.name != name)
            return;
        if (filtered) {
            auto expected = sender.lock();
            if (!expected || expected.get() != n.object.identity())
                return;
        }
        handler(n);
    });
}

} // namespace

NotificationCenter::NotificationCenter() : observers_(std::make_shared<detail::SubscriberList<Notification>>()) {}

NotificationCenter& NotificationCenter::defaultCenter()
{
    static auto* center = new NotificationCenter;
    return *center;
}

void NotificationCenter::post(const std::string& name, AnyObject object, std::any userInfo) const
{
    observers_->send(Notification{name, std::move(object), std::move(userInfo)});
}

Cancellable NotificationCenter::addObserver(std::string name, AnyObject object, Delivery delivery, Block block) const
{
    if (delivery == Delivery::mainQueue)
        return publisher(std::move(name), std::move(object)).receiveOnMain().sink(std::move(block));
    return observe(*observers_, std::move(name), object, std::move(block));
}

Publisher<Notification> NotificationCenter::publisher(std::string name, AnyObject object) const
{
    return Publisher<Notification>([observers = observers_, name = std::move(name),
                                    object = std::move(object)](detail::Handler<Notification> handler) {
        return observe(*observers, name, object, std::move(handler));
    });
}

} // namespace kit
