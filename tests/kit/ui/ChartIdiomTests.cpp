// The idioms chart views are written in: a view generic over its data, a
// user modifier holding the data as an observed object, a one-shot layout
// timer kept in state, staggered spring segments and a touch overlay.

#include "UiTest.h"
#include "Wedge.h"

#include "kit/base/Published.h"
#include "kit/base/Timer.h"

#include <cmath>
#include <numbers>

using namespace kit;

namespace {

constexpr double pi = std::numbers::pi;

struct ChartData : ObservableObject {
    Published<std::vector<double>> values{this, {1, 1, 2}};
    Published<int> touched{this, -1};
    Published<std::optional<Point>> touch{this, std::nullopt};
    Published<std::string> title{this, "Code breakdown"};
    bool disableAnimation = false;
};

template <class Data>
struct PieView {
    ObservedObject<Data> chartData;
    State<std::shared_ptr<Timer>> timer;
    State<bool> startAnimation{false};
    std::shared_ptr<int> layoutNotices;
    auto dynamicFields() { return std::tie(chartData, timer, startAnimation); }

    View body() const
    {
        const auto values = chartData->values.get();
        double total = 0;
        for (double v : values)
            total += v;
        const double s = chartData->disableAnimation ? 1.0 : (*startAnimation ? 1.0 : 0.001);
        const int touched = chartData->touched.get();
        const std::string title = chartData->title.get();
        return GeometryReader([=](const GeometryProxy&) {
                   double start = -pi / 2;
                   std::vector<std::pair<double, double>> angles;
                   for (double v : values) {
                       angles.emplace_back(start, 2 * pi * v / total);
                       start += 2 * pi * v / total;
                   }
                   return ZStack({ForEach(Range{0, int(values.size())}, [=](int i) {
                       View segment = Wedge(angles[std::size_t(i)].first, angles[std::size_t(i)].second)
                                          .fill(Color::hsb(i / 3.0, 1, 1))
                                          .scaleEffect(s)
                                          .opacity(s)
                                          .transaction([i](Transaction& t) {
                                              if (!t.disablesAnimations)
                                                  t.animation = Animation::spring(0.5, 1).delay(0.06 * i);
                                          })
                                          .id(i);
                       if (i == touched)
                           segment = segment.scaleEffect(1.1).zIndex(1).shadow(Color::primary(), 10);
                       return segment.accessibilityLabel(Verbatim{title}).accessibilityValue(std::to_string(i));
                   })});
               })
            .onAppear([a = startAnimation] { withAnimation(Animation::easeInOut(0.3), [&] { a = true; }); })
            .onDisappear([a = startAnimation] { a = false; })
            .onAppear([self = *this] {
                if (*self.timer)
                    (*self.timer)->invalidate();
                auto notices = self.layoutNotices;
                self.timer = Timer::scheduled(0.5, false, [notices] { ++*notices; });
            });
    }
};

// A decoration: the chart with a title above it, and a drag that records
// touches in the chart's local coordinates.
template <class Data>
struct HeaderAndTouch {
    ObservedObject<Data> chartData;
    auto dynamicFields() { return std::tie(chartData); }
    View body(const View& content) const
    {
        auto data = chartData.object();
        View touchable = GeometryReader([content, data](const GeometryProxy&) {
            return ZStack(
                {content.gesture(DragGesture(0)
                                     .onChanged([data](const DragGesture::Value& v) { data->touch = v.location; })
                                     .onEnded([data](const DragGesture::Value&) { data->touch = std::nullopt; }))});
        });
        return VStack(HorizontalAlignment::leading,
                      {Text(chartData->title.get()).font(Font::title()).id("title"), touchable});
    }
};

template <class Data>
View applyHeaderAndTouch(const View& view, std::shared_ptr<Data> data)
{
    return view.modifier(HeaderAndTouch<Data>{data});
}

} // namespace

using ChartIdioms = UiTest;

TEST_F(ChartIdioms, SegmentsGrowInOneAfterAnother)
{
    auto data = std::make_shared<ChartData>();
    auto notices = std::make_shared<int>(0);
    ViewHost host(PieView<ChartData>{data, {}, false, notices}, {200, 200});
    host.update();
    auto scale = [&](int i) { return itemsOf(host, AnyKey(i)).front()->transform.a; };
    EXPECT_NEAR(scale(0), 0.001, 1e-12) << "the first frame shows the start of the animation";
    Clock::advance(0.2);
    EXPECT_GT(scale(0), scale(1));
    EXPECT_GT(scale(1), scale(2));
    Clock::advance(2);
    EXPECT_NEAR(scale(2), 1, 1e-12);
    EXPECT_EQ(*notices, 1) << "the layout timer fired once, 0.5 s after appearing";
    EXPECT_FALSE(host.isAnimating());

    // A touch highlights a segment: drawn above the others, with a shadow.
    data->touched = 0;
    runUntilIdle();
    const auto& items = host.displayList().items;
    EXPECT_EQ(items.back().node, itemsOf(host, AnyKey(0)).front()->node);
    EXPECT_EQ(items.back().shadows.size(), 1u);
    EXPECT_EQ(host.accessibilityElements().size(), 3u);
    EXPECT_EQ(host.accessibilityElements()[0].label, "Code breakdown");

    // Hidden, the segments shrink away; shown again, the grow-in replays and
    // the timer restarts.
    host.setVisible(false);
    runUntilIdle(); // the pass queued by the disappear action runs now, not after the advance
    Clock::advance(2);
    EXPECT_NEAR(scale(1), 0.001, 1e-12);
    host.setVisible(true);
    runUntilIdle();
    EXPECT_NEAR(scale(1), 0.001, 1e-12);
    Clock::advance(1);
    EXPECT_EQ(*notices, 2);
}

TEST_F(ChartIdioms, DisabledAnimationShowsTheEndAtOnce)
{
    auto data = std::make_shared<ChartData>();
    data->disableAnimation = true;
    ViewHost host(PieView<ChartData>{data, {}, false, std::make_shared<int>(0)}, {200, 200});
    EXPECT_NEAR(itemsOf(host, AnyKey(1)).front()->transform.a, 1, 1e-12);
}

TEST_F(ChartIdioms, ModifierDecoratesAndTouchesInLocalCoordinates)
{
    auto data = std::make_shared<ChartData>();
    View chart = PieView<ChartData>{data, {}, false, std::make_shared<int>(0)};
    ViewHost host(applyHeaderAndTouch(chart, data), {200, 240});
    host.update();
    Clock::advance(2); // grown in
    const Rect title = frameOf(host, "title");
    EXPECT_EQ(title.minX(), 0) << "leading alignment in the full-width stack";
    // The chart area starts below the title and the stack spacing.
    const double top = title.maxY() + 8, height = 240 - top;
    // A press on the first segment (top right of the centre).
    host.pointerPressed({120, top + height / 2 - 20});
    ASSERT_TRUE(data->touch.get());
    EXPECT_NEAR(data->touch.get()->x, 120, 1e-9);
    EXPECT_NEAR(data->touch.get()->y, height / 2 - 20, 1e-9);
    host.pointerReleased({120, top + height / 2 - 20});
    EXPECT_FALSE(data->touch.get());

    data->title = "Other";
    runUntilIdle();
    EXPECT_TRUE(host.displayList().textItem("Other")) << "the modifier observes the data";
}
