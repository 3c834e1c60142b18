#pragma once

#include "kit/base/AnyObject.h"
#include "kit/base/Color.h"
#include "kit/base/Timer.h"
#include "kit/ui/Animation.h"
#include "kit/ui/State.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace charts {

// A scheduled run-loop timer that ends with its owner. Kept in a view's
// state, the timer lives as long as the view's node: when the node goes
// (its host is destroyed), a timer that has not fired yet is invalidated and
// never fires.
//
//   timer = std::make_shared<OwnedTimer>(kit::Timer::scheduled(0.5, false, block));
class OwnedTimer {
public:
    explicit OwnedTimer(std::shared_ptr<kit::Timer> timer) : timer_(std::move(timer)) {}
    ~OwnedTimer() { invalidate(); }
    OwnedTimer(const OwnedTimer&) = delete;
    OwnedTimer& operator=(const OwnedTimer&) = delete;

    // Stops the timer; does nothing once it has fired.
    void invalidate()
    {
        if (timer_)
            timer_->invalidate();
    }
    // Pending: neither fired nor invalidated.
    bool isValid() const { return timer_ && timer_->isValid(); }
    const std::shared_ptr<kit::Timer>& timer() const { return timer_; }

private:
    std::shared_ptr<kit::Timer> timer_;
};

// What lies behind a touchable part of a chart: the platform's grey at
// opacity 1e-9, which shows nothing but keeps the area touchable.
inline kit::Color touchableBackground()
{
    return kit::Color::grayFixed().opacity(1e-9);
}

// The name under which chart views announce that their layout is done, half
// a second after they appear. Made once, on first use; it may be replaced,
// and every later post uses the name stored then.
std::string& layoutDidFinishNotification();

// Each time `view` appears: invalidates `timer` (when there is one) and
// schedules a one-shot timer of 0.5 seconds that posts
// layoutDidFinishNotification with the view (boxed) as its object. The new
// timer is not handed back, so a later appearance does not cancel it; it
// ends with the view's host.
kit::View onAppearAfterDelay(const kit::View& view, const std::shared_ptr<kit::Timer>& timer);

// The same with the timer kept in the chart view's `timer` state: each
// appearance invalidates the pending one and keeps the new one there, so
// appearing twice within half a second posts once. It posts `object` (the
// chart view) and ends with the state that keeps it.
kit::View onAppearAfterDelay(const kit::View& view, const kit::State<std::shared_ptr<OwnedTimer>>& timer,
                             kit::AnyObject object);

// The view transformed when `flag` holds, else the view itself.
kit::View conditionalModifier(const kit::View& view, bool flag,
                              const std::function<kit::View(const kit::View&)>& transform);
// The first transformation when `flag` holds, else the second.
kit::View conditionalModifierElse(const kit::View& view, bool flag,
                                  const std::function<kit::View(const kit::View&)>& first,
                                  const std::function<kit::View(const kit::View&)>& second);

// Runs `action` each time the view appears (disappears): inside
// withAnimation(animation), or directly when `disableAnimation` is set.
kit::View animateOnAppear(const kit::View& view, bool disableAnimation, const kit::Animation& animation,
                          std::function<void()> action);
kit::View animateOnDisappear(const kit::View& view, bool disableAnimation, const kit::Animation& animation,
                             std::function<void()> action);

// Runs `action` inside withAnimation(animation).
void performWithAnimation(const kit::Animation& animation, const std::function<void()>& action);

// Sets the chart's disableAnimation (a plain field: nothing is announced)
// and returns the view unchanged.
template <class ChartData>
kit::View disableChartAnimation(const kit::View& view, ChartData& chartData, bool flag)
{
    chartData.disableAnimation = flag;
    return view;
}

// Room in a chart's frame: the frame a chart is composed in is the
// proposal scope that its outermost decoration holds (every decoration that
// takes room beside the plot marks its stack with it, asDecorationOf), and
// the chart view keeps at least half of it in each dimension
// (keepingHalfOfTheFrame): where room is short the decorations give way
// (they show less, or nothing), never the plot.
inline kit::AnyKey chartFrameScope(const void* chartData)
{
    return kit::AnyKey(chartData);
}

inline kit::View asDecorationOf(const kit::View& decorated, const void* chartData)
{
    return decorated.proposalScope(chartFrameScope(chartData));
}

inline kit::View keepingHalfOfTheFrame(const kit::View& chart, const void* chartData)
{
    return chart.minimumShare(chartFrameScope(chartData), 0.5, 0.5);
}

// The platform's window background colour.
inline kit::Color windowBackground()
{
    return kit::Color::windowBackground();
}

} // namespace charts
