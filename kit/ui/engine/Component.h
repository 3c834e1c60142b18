#pragma once

// User views and user modifiers: how the host evaluates them and binds their
// dynamic fields. Included by View.h.

#include "kit/base/ObservableObject.h"
#include "kit/ui/View.h"

#include <any>
#include <functional>
#include <memory>
#include <tuple>
#include <typeindex>

namespace kit {

namespace detail {

struct NodeAnchor;
class Node;

// Reports a misuse of the view layer (a State or ObservedObject read in a
// body without being declared, a dynamicFields() list that changes shape).
// Aborts in debug builds; logs in release builds.
void misuse(const char* message);
// True while a user view's body() (or a modifier's body(content)) runs.
bool isEvaluatingBody();
// Marks the node behind `anchor` dirty with the current transaction.
void markDirty(const std::weak_ptr<NodeAnchor>& anchor);

// Connects the dynamic fields of one user view value to the storage of its
// node, slot by slot in declaration order. Used by State, ObservedObject
// and StateObject; user code never calls it.
class FieldBinder {
public:
    explicit FieldBinder(Node& node) : node_(node) {}

    // The node's storage for the next State field; on first insertion it is
    // created from `initial`, afterwards the stored value wins.
    template <class Box, class T>
    std::shared_ptr<Box> stateBox(const T& initial)
    {
        bool created = false;
        std::shared_ptr<void>& slot = nextSlot(typeid(Box), created);
        if (created) {
            auto box = std::make_shared<Box>(initial);
            box->owner = anchor();
            box->bound = true;
            slot = box;
        }
        return std::static_pointer_cast<Box>(slot);
    }

    // Subscribes the node to `object`'s will-change for as long as the node
    // exists; a different object replaces the subscription.
    void observe(const std::shared_ptr<ObservableObject>& object);

    // The node's object for the next StateObject field: `factory` runs once,
    // when the node is first inserted.
    template <class T>
    std::shared_ptr<T> stateObject(const std::function<std::shared_ptr<T>()>& factory)
    {
        bool created = false;
        std::shared_ptr<void>& slot = nextSlot(typeid(T), created);
        if (created) {
            std::shared_ptr<T> object = factory();
            slot = object;
            if constexpr (std::is_base_of_v<ObservableObject, T>)
                observe(object);
            else
                ++observed_;
            return object;
        }
        std::shared_ptr<T> object = std::static_pointer_cast<T>(slot);
        if constexpr (std::is_base_of_v<ObservableObject, T>)
            observe(object);
        else
            ++observed_;
        return object;
    }

    // Checks that the fields bound now match those bound before.
    void finish();

private:
    std::shared_ptr<void>& nextSlot(std::type_index type, bool& created);
    std::weak_ptr<NodeAnchor> anchor() const;

    Node& node_;
    std::size_t next_ = 0;
    std::size_t observed_ = 0;
};

// Binds every field listed by `value.dynamicFields()`, if it has that member.
template <class T>
void bindDynamicFields(T& value, FieldBinder& binder)
{
    if constexpr (requires { value.dynamicFields(); })
        std::apply([&](auto&... fields) { (fields.bindTo(binder), ...); }, value.dynamicFields());
    binder.finish();
}

// The value of a user view or modifier, stored in its node.
std::any& storedValue(Node& node);

using Evaluate = std::function<View(Node& node)>;
std::shared_ptr<const Primitive> makeComponent(std::type_index type, Evaluate evaluate);
std::shared_ptr<const Primitive> makeModifierComponent(View content, std::type_index type,
                                                       std::function<View(Node& node, const View& content)> evaluate);

// The parameter type of a (non-generic) one-argument callable.
template <class F>
struct FirstArgument : FirstArgument<decltype(&F::operator())> {
};
template <class C, class R, class A>
struct FirstArgument<R (C::*)(A) const> {
    using type = std::decay_t<A>;
};
template <class C, class R, class A>
struct FirstArgument<R (C::*)(A)> {
    using type = std::decay_t<A>;
};

template <class P>
const void* publisherIdentity(const P& publisher)
{
    if constexpr (requires { publisher.identity(); })
        return publisher.identity();
    else if constexpr (requires { publisher.get(); })
        return static_cast<const void*>(publisher.get());
    else
        return nullptr;
}

} // namespace detail

// A user view: the host keeps a copy of the value in its node, binds the
// fields listed by `dynamicFields()` to the node, and calls body().
//
//   template <class Data>
//   struct Ring {
//       kit::ObservedObject<Data> model;        // re-evaluated when it announces a change
//       kit::State<bool> appeared{false};       // kept in the node across evaluations
//       auto dynamicFields() { return std::tie(model, appeared); }
//       kit::View body() const { ... }
//   };
//
// Closures that outlive body() (actions, gestures, timers) capture copies:
// [self = *this] or the handles themselves, never `this`.
template <ViewComponent T>
requires(!std::derived_from<T, View>) View::View(T component)
    : View(detail::makeComponent(typeid(T), [value = std::move(component)](detail::Node& node) -> View {
          std::any& stored = detail::storedValue(node);
          stored = value;
          T& current = std::any_cast<T&>(stored);
          detail::FieldBinder binder(node);
          detail::bindDynamicFields(current, binder);
          return current.body();
      }))
{
}

template <class Derived>
template <ViewModifierType M>
typename ViewMethods<Derived>::ViewT ViewMethods<Derived>::modifier(M m) const
{
    return View(detail::makeModifierComponent(self(), typeid(M),
                                              [value = std::move(m)](detail::Node& node, const View& content) -> View {
                                                  std::any& stored = detail::storedValue(node);
                                                  stored = value;
                                                  M& current = std::any_cast<M&>(stored);
                                                  detail::FieldBinder binder(node);
                                                  detail::bindDynamicFields(current, binder);
                                                  return current.body(content);
                                              }));
}

template <class Derived>
template <class P, class F>
typename ViewMethods<Derived>::ViewT ViewMethods<Derived>::onReceive(const P& publisher, F action) const
{
    auto subscribeTo = [](const auto& source) {
        return [source](std::function<void(const std::any&)> handler) -> std::function<void()> {
            auto cancellable =
                std::make_shared<Cancellable>(source.sink([handler](const auto& value) { handler(std::any(value)); }));
            return [cancellable] { cancellable->cancel(); };
        };
    };
    const void* identity = detail::publisherIdentity(publisher);
    std::function<std::function<void()>(std::function<void(const std::any&)>)> subscribe;
    if constexpr (std::is_copy_constructible_v<P>) {
        subscribe = subscribeTo(publisher);
    } else {
        // Subjects are not copied: their publisher is, and the subject is
        // identified by its address.
        subscribe = subscribeTo(publisher.publisher());
        identity = &publisher;
    }
    auto deliver = [action = std::move(action)](const std::any& value) mutable {
        if constexpr (std::is_invocable_v<F&>) {
            (void)value;
            action();
        } else {
            using Arg = typename detail::FirstArgument<F>::type;
            action(std::any_cast<const Arg&>(value));
        }
    };
    return detail::onReceiveImpl(self(), identity, std::move(subscribe), std::move(deliver));
}

} // namespace kit
