#include "UiTest.h"

using namespace kit;

namespace {

// A 10 × 10 marker centred on `p`.
View markerAt(Point p)
{
    return View(Color::blue()).frame(10, 10).id("marker").position(p.x, p.y);
}

using AnchorReaders = UiTest;

TEST_F(AnchorReaders, AReaderPlacedBeforeItsAnchorFindsWhereThisPassPutIt)
{
    // HStack (spacing 8) of a 40-wide reader and a 60 × 30 box, centred in
    // 200 × 100: 108 wide from x = 46; the reader is 100 high at y = 0, the
    // box at (46 + 48, 35). In the reader's coordinates the box is at
    // (48, 35), its centre at (78, 50): the marker at host (119, 45).
    std::optional<Rect> seen;
    const View reader = AnchorReader([&](const GeometryProxy& p) {
                            seen = p.anchor("box");
                            return seen ? markerAt(seen->center()) : View(EmptyView());
                        }).frame(40, std::nullopt);
    ViewHost host(HStack({reader, View(Color::red()).frame(60, 30).layoutAnchor("box")}), {200, 100});
    host.update();
    ASSERT_TRUE(seen);
    expectRect(*seen, Rect(48, 35, 60, 30));
    expectRect(frameOf(host, "marker"), Rect(119, 45, 10, 10));
}

TEST_F(AnchorReaders, TheReaderFollowsItsAnchorInTheSamePass)
{
    // The stack stands at the top-leading corner: the 60 × 30 box at (48, 35),
    // its centre at (78, 50); grown to 100 × 50, at (48, 25), its centre at
    // (98, 50).
    auto width = std::make_shared<double>(60);
    struct Row {
        std::shared_ptr<double> width;
        View body() const
        {
            const View reader = AnchorReader([](const GeometryProxy& p) {
                                    const std::optional<Rect> box = p.anchor("box");
                                    return box ? markerAt(box->center()) : View(EmptyView());
                                }).frame(40, std::nullopt);
            return HStack({reader, View(Color::red()).frame(*width, *width / 2).layoutAnchor("box")})
                .frame(200, 100, Alignment::topLeading());
        }
    };
    ViewHost host(Row{width}, {200, 100});
    expectRect(frameOf(host, "marker"), Rect(73, 45, 10, 10));
    *width = 100;
    host.setRoot(Row{width});
    host.update();
    expectRect(frameOf(host, "marker"), Rect(93, 45, 10, 10));
}

TEST_F(AnchorReaders, AnAnchorNoViewCarriesIsNotFoundAndAPlainReaderFindsNone)
{
    bool anchored = true, plain = true;
    ViewHost host(VStack({AnchorReader([&](const GeometryProxy& p) {
                              anchored = p.anchor("nowhere").has_value();
                              return EmptyView();
                          }),
                          GeometryReader([&](const GeometryProxy& p) {
                              plain = p.anchor("box").has_value();
                              return EmptyView();
                          }),
                          View(Color::red()).frame(10, 10).layoutAnchor("box")}),
                  {100, 100});
    host.update();
    EXPECT_FALSE(anchored);
    EXPECT_FALSE(plain) << "a plain geometry reader is placed before what follows it and reads no anchor";
}

TEST_F(AnchorReaders, AReaderInsideAnotherReadersContentFindsAnchorsToo)
{
    // The outer reader fills 100 × 100 and holds a 20 × 20 inner reader at
    // its top-leading corner; the box is the overlay's 10 × 10 at (45, 45).
    std::optional<Rect> inner;
    const View outer = AnchorReader([&](const GeometryProxy&) {
        return AnchorReader([&](const GeometryProxy& p) {
                   inner = p.anchor("box");
                   return EmptyView();
               })
            .frame(20, 20);
    });
    ViewHost host(View(Color::clear()).overlay(View(Color::red()).frame(10, 10).layoutAnchor("box")).background(outer),
                  {100, 100});
    host.update();
    ASSERT_TRUE(inner);
    expectRect(*inner, Rect(45, 45, 10, 10));
}

} // namespace
