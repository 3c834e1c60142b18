#include "UiTest.h"

using namespace kit;

namespace {

// A band that is `tall`, else `short`, else nothing, as room allows.
View band(const char* id, double tall, double shorter)
{
    return ViewThatFits(FitAxes::vertical, {View(Color::red()).frame(std::nullopt, tall),
                                            View(Color::green()).frame(std::nullopt, shorter), EmptyView()})
        .id(id);
}

View plot()
{
    return GeometryReader([](const GeometryProxy&) { return EmptyView(); }).minimumShare("chart", 0, 0.5).id("plot");
}

// Two bands around a plot that keeps half the height the scope is offered,
// the outer band outside the inner stack, as nested decorations stand.
View chart(bool innerScopeToo)
{
    View inner = VStack(HorizontalAlignment::center, 0, {band("inner", 40, 30), plot()});
    if (innerScopeToo)
        inner = inner.proposalScope("chart");
    return VStack(HorizontalAlignment::center, 0, {band("outer", 60, 30), inner}).proposalScope("chart");
}

using ProposalScopes = UiTest;

TEST_F(ProposalScopes, APlotKeepsItsShareOfTheScopeAndTheBandsAroundItGiveWay)
{
    // 200 × 100: the plot needs 50 at least. The outer band is offered
    // min(100 / 2, 100 − 50) = 50 and takes its 30-high form; the inner
    // stack has 70, of which its band may take 70 − 50 = 20 at most: not
    // even its 30-high form fits, so it shows nothing; the plot takes 70.
    ViewHost host(chart(false), {200, 100});
    expectRect(frameOf(host, "outer"), Rect(0, 0, 200, 30));
    expectRect(frameOf(host, "inner"), Rect(100, 30, 0, 0));
    expectRect(frameOf(host, "plot"), Rect(0, 30, 200, 70));

    // Twice as high the plot needs 100: the outer band is offered 100 and
    // takes 60, the inner one 140 − 100 = 40 and takes 40.
    host.setSize({200, 200});
    expectRect(frameOf(host, "outer"), Rect(0, 0, 200, 60));
    expectRect(frameOf(host, "inner"), Rect(0, 60, 200, 40));
    expectRect(frameOf(host, "plot"), Rect(0, 100, 200, 100));

    // And back: the sizes measured for the smaller scope are not reused
    // for the larger one, nor the other way round.
    host.setSize({200, 100});
    expectRect(frameOf(host, "plot"), Rect(0, 30, 200, 70));
}

TEST_F(ProposalScopes, TheOutermostViewMarkedWithAKeyHoldsItsScope)
{
    ViewHost host(chart(true), {200, 100});
    expectRect(frameOf(host, "inner"), Rect(100, 30, 0, 0));
    expectRect(frameOf(host, "plot"), Rect(0, 30, 200, 70));
}

TEST_F(ProposalScopes, OutsideAnyScopeAShareIsNothing)
{
    ViewHost host(VStack(HorizontalAlignment::center, 0, {band("band", 60, 30), plot()}), {200, 100});
    // The band is offered 100 / 2 and takes 30; the plot the rest.
    expectRect(frameOf(host, "band"), Rect(0, 0, 200, 30));
    expectRect(frameOf(host, "plot"), Rect(0, 30, 200, 70));
}

TEST_F(ProposalScopes, AStackLeavesTheChildrenStillWaitingTheirMinimum)
{
    // Spacing 0, height 100: a text-like band that is 60 or 30 and a box
    // that needs 80 (a frame of minHeight 80 that takes what it is offered):
    // the band is offered min(100 / 2, 100 − 80) = 20, fits neither form
    // and gives way (an empty view, centred); the box takes the 100.
    ViewHost host(VStack(HorizontalAlignment::center, 0,
                         {band("band", 60, 30),
                          View(Color::blue()).frame(FlexFrame{.minHeight = 80, .maxHeight = infinity}).id("box")}),
                  {200, 100});
    expectRect(frameOf(host, "band"), Rect(100, 0, 0, 0));
    expectRect(frameOf(host, "box"), Rect(0, 0, 200, 100));
}

} // namespace

namespace {

TEST_F(ProposalScopes, AnAnchorReaderFindsTheFrameOfTheOutermostScopeAroundIt)
{
    // The scope holds a 200-wide stack padded by 10 of a 30-high colour and
    // a 50 × 20 reader: 200 × 70, centred in 200 × 100 from y = 15. The
    // reader stands at (10 + 65, 15 + 10 + 30) = (75, 55); an inner scope of
    // the same key does not take the scope over.
    std::optional<Rect> seen;
    const View reader = AnchorReader([&](const GeometryProxy& p) {
                            seen = p.scopeFrame("chart");
                            return EmptyView();
                        })
                            .frame(50, 20)
                            .proposalScope("chart");
    ViewHost host(VStack(HorizontalAlignment::center, 0, {View(Color::red()).frame(std::nullopt, 30), reader})
                      .padding(10)
                      .proposalScope("chart"),
                  {200, 100});
    host.update();
    ASSERT_TRUE(seen);
    expectRect(*seen, Rect(-75, -40, 200, 70));
}

} // namespace
