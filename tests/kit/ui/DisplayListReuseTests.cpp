// While one part of a view animates, the display list of every frame holds
// the same items and accessibility elements as a list built from scratch:
// the still parts are taken over from the frame before, and are walked
// again as soon as they change, move, fade or leave.

#include "UiTest.h"

#include "kit/base/Published.h"

#include <string>

using namespace kit;

namespace {

struct Model : ObservableObject {
    Published<bool> moved{this, false};
    Published<int> shift{this, 0};
    Published<bool> dimmed{this, false};
    Published<int> strips{this, 20};
    Published<bool> clipped{this, false}; // the column clipped to its frame, under a shadow
    Published<bool> faded{this, false};   // the square before the scene at opacity 0
};

// A column of red strips 10 × 5, each an element valued with its index
// plus `shift`, inside one containing element; over it a blue box 10 × 10
// that slides right by 100 when `moved`.
struct Scene {
    ObservedObject<Model> model;
    auto dynamicFields() { return std::tie(model); }
    View body() const
    {
        const int shift = model->shift.get();
        View strips = VStack(HorizontalAlignment::leading, 0, {ForEach(Range{0, model->strips.get()}, [shift](int i) {
                                 return View(Rectangle().fill(Color::rgb(1, 0, 0)))
                                     .frame(10, 5)
                                     .accessibilityLabel(Verbatim{"strip"})
                                     .accessibilityValue(std::to_string(i + shift));
                             })});
        if (model->clipped.get())
            strips = strips.clipped().shadow(Color::rgb(0, 0, 0), 2);
        strips = strips.opacity(model->dimmed.get() ? 0.5 : 1)
                     .accessibilityElement(AccessibilityChildBehavior::contain)
                     .accessibilityLabel(Verbatim{"strips"});
        const View box = View(Rectangle().fill(Color::rgb(0, 0, 1)))
                             .frame(10, 10)
                             .offset(model->moved.get() ? 100 : 0, 0)
                             .accessibilityLabel(Verbatim{"box"})
                             .id("box");
        return ZStack(Alignment::topLeading(), {strips, box}).frame(200, 200, Alignment::topLeading());
    }
};

class DisplayListReuse : public UiTest {
protected:
    // The red items, in drawing order.
    static std::vector<const DisplayItem*> strips(ViewHost& host)
    {
        std::vector<const DisplayItem*> out;
        for (const DisplayItem& item : host.displayList().items)
            if (std::get<Color>(item.paint) == Color::rgb(1, 0, 0))
                out.push_back(&item);
        return out;
    }

    // Strip i lies at (0, 5i), 10 × 5, at `opacity`; its element is valued i + shift.
    static void expectStrips(ViewHost& host, int count, int shift, double opacity, const std::string& when)
    {
        const auto items = strips(host);
        ASSERT_EQ(items.size(), std::size_t(count)) << when;
        for (int i = 0; i < count; ++i) {
            expectRect(items[std::size_t(i)]->hostBounds(), Rect(0, 5 * i, 10, 5));
            EXPECT_NEAR(items[std::size_t(i)]->opacity, opacity, 1e-9) << when << ", strip " << i;
        }
        const auto& elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), 2u) << when;
        EXPECT_EQ(elements[0].label, "strips") << when;
        EXPECT_EQ(elements[1].label, "box") << when;
        ASSERT_EQ(elements[0].children.size(), std::size_t(count)) << when;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(elements[0].children[std::size_t(i)].value, std::to_string(i + shift)) << when;
            expectRect(elements[0].children[std::size_t(i)].frame, Rect(0, 5 * i, 10, 5));
        }
    }

    static double boxX(ViewHost& host) { return itemsOf(host, "box").front()->hostBounds().minX(); }
};

TEST_F(DisplayListReuse, StillPartsOfAnAnimatedFrameAreTakenOverUnchanged)
{
    auto model = std::make_shared<Model>();
    ViewHost host(Scene{model}, {200, 200});
    host.update();
    expectStrips(host, 20, 0, 1, "at rest");
    withAnimation(Animation::linear(1), [&] { model->moved = true; });
    runUntilIdle();
    EXPECT_NEAR(boxX(host), 0, 1e-9);
    // Each strip is three nodes: shape, frame, and its label and value.
    EXPECT_GE(host.drawnNodeCount(), 60u) << "the first frame after a pass walks the whole tree";
    // Linear over 1 s: the box is at 100 t; the strips stay where they were.
    for (double t : {0.25, 0.5, 0.75}) {
        Clock::advance(0.25);
        EXPECT_NEAR(boxX(host), 100 * t, 1e-9) << t;
        expectStrips(host, 20, 0, 1, "at " + std::to_string(t));
        EXPECT_LT(host.drawnNodeCount(), 20u) << "the column is not walked again at " << t;
    }
    Clock::advance(0.5);
    EXPECT_NEAR(boxX(host), 100, 1e-9);
    EXPECT_FALSE(host.isAnimating());
    expectStrips(host, 20, 0, 1, "at the end");
}

TEST_F(DisplayListReuse, ClipsAndShadowsMadeAgainForEachFrameStillMatch)
{
    auto model = std::make_shared<Model>();
    model->clipped = true;
    ViewHost host(Scene{model}, {200, 200});
    host.update();
    withAnimation(Animation::linear(1), [&] { model->moved = true; });
    runUntilIdle();
    host.displayList();
    Clock::advance(0.5);
    EXPECT_NEAR(boxX(host), 50, 1e-9);
    EXPECT_LT(host.drawnNodeCount(), 20u) << "the clipped column is taken over";
    const auto items = strips(host);
    ASSERT_EQ(items.size(), 20u);
    // Clipped to the column's frame, 10 × 100; a black shadow of radius 2.
    ASSERT_EQ(items[7]->clips.size(), 1u);
    expectRect(items[7]->clips[0].path.boundingRect().applying(items[7]->clips[0].transform), Rect(0, 0, 10, 100));
    ASSERT_EQ(items[7]->shadows.size(), 1u);
    EXPECT_EQ(items[7]->shadows[0].radius, 2);
    expectRect(items[7]->hostBounds(), Rect(0, 35, 10, 5));
}

TEST_F(DisplayListReuse, PartsThatChangeMoveFadeOrLeaveAreDrawnAgain)
{
    struct Case {
        const char* what;
        std::function<void(Model&)> change;
        bool animated;
        // At 0.25 s into the change (and the slide, started with it).
        int count;
        int shift;
        double opacity;
        std::size_t leaving; // strips still drawn while they fade out
        double leavingOpacity;
    };
    const Case cases[] = {
        // A pass between frames: the values change at once.
        {"new values", [](Model& m) { m.shift = 5; }, false, 20, 5, 1, 0, 0},
        {"dimmed at once", [](Model& m) { m.dimmed = true; }, false, 20, 0, 0.5, 0, 0},
        // Opacity 1 → 0.5, linear: 1 − 0.5 × 0.25.
        {"dimming", [](Model& m) { m.dimmed = true; }, true, 20, 0, 0.875, 0, 0},
        // Strips 10 to 19 fade out from 1 to 0: 0.75 at a quarter.
        {"leaving", [](Model& m) { m.strips = 10; }, true, 10, 0, 1, 10, 0.75},
    };
    for (const Case& c : cases) {
        auto model = std::make_shared<Model>();
        ViewHost host(Scene{model}, {200, 200});
        host.update();
        withAnimation(Animation::linear(1), [&] { model->moved = true; });
        runUntilIdle();
        Clock::advance(0.125);
        host.displayList(); // a frame the next may take parts of
        if (c.animated)
            withAnimation(Animation::linear(1), [&] { c.change(*model); });
        else
            c.change(*model);
        runUntilIdle();
        Clock::advance(0.25);
        const auto red = strips(host);
        ASSERT_EQ(red.size(), std::size_t(c.count) + c.leaving) << c.what;
        for (std::size_t i = 0; i < red.size(); ++i) {
            expectRect(red[i]->hostBounds(), Rect(0, 5 * double(i), 10, 5));
            EXPECT_NEAR(red[i]->opacity, i < std::size_t(c.count) ? c.opacity : c.leavingOpacity, 1e-9)
                << c.what << ", strip " << i;
        }
        const auto all = host.accessibilityElements();
        const auto& elements = all.at(0).children;
        ASSERT_GE(elements.size(), std::size_t(c.count)) << c.what;
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(elements[std::size_t(i)].value, std::to_string(i + c.shift)) << c.what;
        // The next frame takes the settled parts over and still draws them so.
        Clock::advance(0.125);
        host.displayList();
        Clock::advance(0.125);
        EXPECT_EQ(strips(host).size(), std::size_t(c.count) + c.leaving) << c.what << " half a second in";
        // After the second, the leaving strips are gone for good.
        Clock::advance(1);
        host.displayList();
        EXPECT_FALSE(host.isAnimating()) << c.what;
        EXPECT_EQ(strips(host).size(), std::size_t(c.count)) << c.what << " at the end";
        EXPECT_EQ(host.accessibilityElements().at(0).children.size(), std::size_t(c.count)) << c.what;
    }
}

// Before the column of the scene, a green square that fades in and back
// out: from no item at all (at opacity 0) to one and back again, so the
// items after it move on and back while the column stays still.
struct FadingScene {
    ObservedObject<Model> model;
    auto dynamicFields() { return std::tie(model); }
    View body() const
    {
        const View fader =
            View(Rectangle().fill(Color::rgb(0, 1, 0))).frame(10, 10).opacity(model->faded.get() ? 0 : 1);
        return ZStack(Alignment::topLeading(), {fader, View(Scene{model.object()})})
            .frame(200, 200, Alignment::topLeading());
    }
};

TEST_F(DisplayListReuse, ItemsBeforeAStillPartThatComeAndGoLeaveItAsItWas)
{
    auto model = std::make_shared<Model>();
    model->faded = true;
    ViewHost host(FadingScene{model}, {200, 200});
    host.update();
    auto greens = [&] {
        std::vector<const DisplayItem*> out;
        for (const DisplayItem& item : host.displayList().items)
            if (std::get<Color>(item.paint) == Color::rgb(0, 1, 0))
                out.push_back(&item);
        return out;
    };
    EXPECT_TRUE(greens().empty()) << "nothing drawn at opacity 0";
    // The square fades in as the box slides; the column stays as it is.
    withAnimation(Animation::linear(1), [&] {
        model->faded = false;
        model->moved = true;
    });
    runUntilIdle();
    host.displayList();
    for (double t : {0.25, 0.5, 0.75, 1.0}) {
        Clock::advance(0.25);
        const auto square = greens();
        ASSERT_EQ(square.size(), 1u) << t;
        EXPECT_NEAR(square[0]->opacity, t, 1e-9) << t;
        EXPECT_NEAR(boxX(host), 100 * t, 1e-9) << t;
        expectStrips(host, 20, 0, 1, "fading in at " + std::to_string(t));
        EXPECT_LT(host.drawnNodeCount(), 20u) << "the column is taken over at " << t;
    }
    // And out again, back to no item.
    withAnimation(Animation::linear(1), [&] {
        model->faded = true;
        model->moved = false;
    });
    runUntilIdle();
    host.displayList();
    for (double t : {0.25, 0.5, 0.75, 1.0}) {
        Clock::advance(0.25);
        EXPECT_EQ(greens().size(), t < 1 ? 1u : 0u) << t;
        EXPECT_NEAR(boxX(host), 100 * (1 - t), 1e-9) << t;
        expectStrips(host, 20, 0, 1, "fading out at " + std::to_string(t));
    }
}

} // namespace
