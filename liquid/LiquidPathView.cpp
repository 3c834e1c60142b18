#include "liquid/LiquidPathView.h"

#include "kit/ui/Transaction.h"
#include "liquid/LiquidPath.h"

namespace liquid {

namespace {

// One morph: a new stratified pick of the cloud, reached linearly over one
// period. Holds only the state it writes, never the timer that calls it.
struct PathMorph {
    std::shared_ptr<const PointCloud> cloud;
    kit::State<int> samples;
    kit::State<AnimatableArray> x;
    kit::State<AnimatableArray> y;
    double period;

    void operator()() const
    {
        PointCloud picked = cloud->pick(*samples);
        kit::withAnimation(kit::Animation::linear(period), [&] {
            x = AnimatableArray{std::move(picked.x)};
            y = AnimatableArray{std::move(picked.y)};
        });
    }
};

} // namespace

LiquidPathView::LiquidPathView(const kit::Path& path, int pointCount, int samples, double period)
    : pointCloud(PointCloud::read(path, pointCount)), samples(samples), period(period), trigger(period),
      cancellable(std::make_shared<kit::Cancellable>(trigger.connect()))
{
}

kit::View LiquidPathView::body() const
{
    PathMorph morph{std::make_shared<const PointCloud>(pointCloud), samples, x, y, period};
    return LiquidPath(*x, *y)
        .onReceive(trigger, [morph] { morph(); })
        .onAppear([morph] { morph(); })
        .onDisappear([connection = cancellable] { connection->cancel(); });
}

} // namespace liquid
