#include "charts/core/ViewExtensions.h"

#include "kit/base/NotificationCenter.h"
#include "kit/ui/State.h"
#include "kit/ui/Transaction.h"

#include <tuple>
#include <vector>

namespace charts {

std::string& layoutDidFinishNotification()
{
    static std::string name = "app.quillmarrow.charts.layoutDidFinish";
    return name;
}

namespace {

// A one-shot timer that posts the layout notification with `object` half a
// second from now.
std::shared_ptr<OwnedTimer> layoutNotice(kit::AnyObject object)
{
    return std::make_shared<OwnedTimer>(kit::Timer::scheduled(0.5, false, [object = std::move(object)] {
        kit::NotificationCenter::defaultCenter().post(layoutDidFinishNotification(), object);
    }));
}

// Posts the layout notification half a second after each appearance of its
// content. The timers it starts are kept with the view's node, so that those
// still pending end with it (and with the host that shows it).
struct LayoutNoticeAfterDelay {
    using Timers = std::vector<std::shared_ptr<OwnedTimer>>;

    std::shared_ptr<kit::Timer> timer;
    kit::State<std::shared_ptr<Timers>> started{std::make_shared<Timers>()};

    auto dynamicFields() { return std::tie(started); }

    kit::View body(const kit::View& content) const
    {
        return content.onAppear([content, timer = timer, started = *started] {
            if (timer)
                timer->invalidate();
            std::erase_if(*started, [](const auto& t) { return !t->isValid(); });
            started->push_back(layoutNotice(kit::AnyObject::box(content)));
        });
    }
};

} // namespace

kit::View onAppearAfterDelay(const kit::View& view, const std::shared_ptr<kit::Timer>& timer)
{
    return view.modifier(LayoutNoticeAfterDelay{timer});
}

kit::View onAppearAfterDelay(const kit::View& view, const kit::State<std::shared_ptr<OwnedTimer>>& timer,
                             kit::AnyObject object)
{
    return view.onAppear([timer, object = std::move(object)] {
        if (*timer)
            (*timer)->invalidate();
        timer = layoutNotice(object);
    });
}

kit::View conditionalModifier(const kit::View& view, bool flag,
                              const std::function<kit::View(const kit::View&)>& transform)
{
    return flag ? transform(view) : view;
}

kit::View conditionalModifierElse(const kit::View& view, bool flag,
                                  const std::function<kit::View(const kit::View&)>& first,
                                  const std::function<kit::View(const kit::View&)>& second)
{
    return flag ? first(view) : second(view);
}

namespace {

std::function<void()> withAnimationOf(const kit::Animation& animation, std::function<void()> action)
{
    return [animation, action = std::move(action)] { kit::withAnimation(animation, action); };
}

} // namespace

kit::View animateOnAppear(const kit::View& view, bool disableAnimation, const kit::Animation& animation,
                          std::function<void()> action)
{
    if (disableAnimation)
        return kit::If(true, view.onAppear(std::move(action)), kit::EmptyView());
    return kit::If(false, kit::EmptyView(), view.onAppear(withAnimationOf(animation, std::move(action))));
}

kit::View animateOnDisappear(const kit::View& view, bool disableAnimation, const kit::Animation& animation,
                             std::function<void()> action)
{
    if (disableAnimation)
        return kit::If(true, view.onDisappear(std::move(action)), kit::EmptyView());
    return kit::If(false, kit::EmptyView(), view.onDisappear(withAnimationOf(animation, std::move(action))));
}

void performWithAnimation(const kit::Animation& animation, const std::function<void()>& action)
{
    kit::withAnimation(animation, action);
}

} // namespace charts
