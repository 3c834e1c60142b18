#include "charts/core/ViewExtensions.h"

#include "kit/base/NotificationCenter.h"
#include "kit/ui/Transaction.h"

namespace charts {

std::string& layoutDidFinishNotification()
{
    static std::string name = "app.quillmarrow.charts.layoutDidFinish";
    return name;
}

kit::View onAppearAfterDelay(const kit::View& view, const std::shared_ptr<kit::Timer>& timer)
{
    return view.onAppear([view, timer] {
        if (timer)
            timer->invalidate();
        kit::Timer::scheduled(0.5, false, [object = kit::AnyObject::box(view)] {
            kit::NotificationCenter::defaultCenter().post(layoutDidFinishNotification(), object);
        });
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
