#include "liquid/LiquidCircleView.h"

#include "kit/base/MainQueue.h"
#include "kit/ui/Transaction.h"
#include "liquid/LiquidCircle.h"

namespace liquid {

namespace {

// One morph: new angles, reached linearly over one period. Holds only the
// state it writes, never the subscription that calls it.
struct CircleMorph {
    kit::State<int> samples;
    kit::State<AnimatableArray> radians;
    double period;

    void operator()() const
    {
        kit::withAnimation(kit::Animation::linear(period), [&] { radians = LiquidCircle::sampleRadians(*samples); });
    }
};

} // namespace

LiquidCircleView::LiquidCircleView(int samples, double period)
    : samples(samples), radians(LiquidCircle::sampleRadians(samples)), period(period)
{
}

kit::View LiquidCircleView::body() const
{
    return LiquidCircle(*radians).onAppear([self = *this] { self.appear(); }).onDisappear([self = *this] {
        self.disappear();
    });
}

void LiquidCircleView::appear() const
{
    if (*cancellable)
        return;
    CircleMorph morph{samples, radians, period};
    auto ticks = kit::TimerPublisher(period).autoconnect();
    auto subscription = std::make_shared<kit::Cancellable>(ticks.sink([morph] { morph(); }));
    // The first morph on the next turn, unless the blob has gone by then.
    kit::MainQueue::async([morph, running = std::weak_ptr<kit::Cancellable>(subscription)] {
        if (auto s = running.lock(); s && s->isActive())
            morph();
    });
    cancellable = std::move(subscription);
}

void LiquidCircleView::disappear() const
{
    if (auto running = *cancellable)
        running->cancel();
    cancellable = nullptr;
}

} // namespace liquid
