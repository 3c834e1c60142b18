// Many accessibility elements in one view: listed where separate labelled
// views would be, with their frames under the transforms around them, made
// only when asked for, drawing only their areas, which take hits for the
// views around them.
//
// Sections:
//   elements         order, frames, nesting, combining, made when asked for
//   areas            drawn and hit; faint ones one hit area, following frame, count and colour
//   drawing again    a still view taken over, keyed areas kept, areas after a pass

#include "UiTest.h"

#include "kit/base/Localization.h"
#include "kit/base/Published.h"

using namespace kit;

namespace {

using AccessibilityElementsTest = UiTest;

// Three elements: the first over the whole view, the second over a given
// part of it, the third with a localized value.
View threeElements(std::shared_ptr<int> calls = std::make_shared<int>(0))
{
    return AccessibilityElements(3, [calls](int i) {
        ++*calls;
        switch (i) {
        case 0:
            return AccessibilityElementContent{"first", false, "1", false, std::nullopt};
        case 1:
            return AccessibilityElementContent{"second", false, "2", false, Rect(10, 5, 20, 30)};
        default:
            return AccessibilityElementContent{"third.key", true, "value.key", true, std::nullopt};
        }
    });
}

// The three elements in a 100 × 60 frame under a 200 × 40 labelled colour,
// in a 200 × 100 host: the frame lies at (50, 40).
View underATopBar(View elements)
{
    return VStack(HorizontalAlignment::center, 0.0,
                  {View(Color::red()).frame(200, 40).accessibilityLabel(Verbatim{"top"}), std::move(elements)});
}

TEST_F(AccessibilityElementsTest, ElementsComeInIndexOrderWithTheirFramesUnderTheTransformsAround)
{
    StringTable::setActive({{"third.key", "Third"}, {"value.key", "Value"}});
    struct Case {
        const char* what;
        View view;
        Rect whole;  // element 0 and 2
        Rect second; // element 1
    };
    const Case cases[] = {
        {"placed", threeElements().frame(100, 60), {50, 40, 100, 60}, {60, 45, 20, 30}},
        {"offset by (10, 20)", threeElements().frame(100, 60).offset(10, 20), {60, 60, 100, 60}, {70, 65, 20, 30}},
        // Doubled about the frame's centre (100, 70).
        {"scaled by 2", threeElements().frame(100, 60).scaleEffect(2), {0, 10, 200, 120}, {20, 20, 40, 60}},
    };
    for (const Case& c : cases) {
        ViewHost host(underATopBar(c.view), {200, 100});
        const auto elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), 4u) << c.what;
        EXPECT_EQ(elements[0].label, "top") << c.what;
        const std::pair<std::string, std::string> texts[] = {{"first", "1"}, {"second", "2"}, {"Third", "Value"}};
        for (int i = 0; i < 3; ++i) {
            const AccessibilityElement& e = elements[std::size_t(i) + 1];
            EXPECT_EQ(e.label, texts[i].first) << c.what << ", element " << i;
            EXPECT_EQ(e.value, texts[i].second) << c.what << ", element " << i;
            EXPECT_EQ(e.role, AccessibilityElement::Role::graphic) << c.what;
            EXPECT_TRUE(e.children.empty()) << c.what;
            expectRect(e.frame, i == 1 ? c.second : c.whole);
        }
    }
    StringTable::setActive({});
}

TEST_F(AccessibilityElementsTest, ContainersNestThemCombiningTakesTheirLabelsHidingDropsThem)
{
    struct Case {
        const char* what;
        View view;
        std::vector<std::string> labels; // top-level labels
        std::size_t nested;              // children of the first element
    };
    const Case cases[] = {
        {"contained",
         threeElements().accessibilityLabel(Verbatim{"box"}).accessibilityElement(AccessibilityChildBehavior::contain),
         {"box"},
         3},
        {"combined",
         threeElements().accessibilityLabel(Verbatim{"box"}).accessibilityElement(AccessibilityChildBehavior::combine),
         {"box, first, second, third.key"},
         0},
        {"hidden", threeElements().accessibilityHidden(true), {}, 0},
        {"ignored", threeElements().accessibilityElement(AccessibilityChildBehavior::ignore), {""}, 0},
        {"none", AccessibilityElements(0, [](int) { return AccessibilityElementContent{}; }), {}, 0},
    };
    for (const Case& c : cases) {
        ViewHost host(c.view, {100, 100});
        const auto elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), c.labels.size()) << c.what;
        for (std::size_t i = 0; i < elements.size(); ++i)
            EXPECT_EQ(elements[i].label, c.labels[i]) << c.what;
        if (!elements.empty()) {
            ASSERT_EQ(elements[0].children.size(), c.nested) << c.what;
            if (c.nested == 3) {
                EXPECT_EQ(elements[0].children[1].label, "second") << c.what;
            }
        }
    }
}

TEST_F(AccessibilityElementsTest, ElementsAreMadeOnlyWhenAskedFor)
{
    auto calls = std::make_shared<int>(0);
    ViewHost host(threeElements(calls), {100, 100});
    host.displayList();
    EXPECT_EQ(*calls, 0);
    EXPECT_EQ(host.accessibilityElements().size(), 3u);
    EXPECT_EQ(*calls, 3);
    host.accessibilityElements();
    EXPECT_EQ(*calls, 3) << "kept until the next build";
}

TEST_F(AccessibilityElementsTest, OnlyTheAreasAreDrawnAndTheyTakeHitsForTheViewsAround)
{
    ViewHost bare(threeElements(), {100, 100});
    EXPECT_TRUE(bare.displayList().items.empty());

    // Two 40-wide bands in a 100 × 60 view, 10 apart, in an invisible grey.
    int taps = 0;
    const View areas = AccessibilityElements(
                           2,
                           [](int) {
                               return AccessibilityElementContent{"band", false, "", false, std::nullopt};
                           },
                           AccessibilityElementAreas{[](int i, const Rect& r) {
                                                         return Path::rect(Rect(50.0 * i, 0, 40, r.height()));
                                                     },
                                                     Color::gray().opacity(1e-9)})
                           .frame(100, 60)
                           .onTapGesture([&taps] { ++taps; });
    ViewHost host(areas, {100, 100});
    // Too faint to show, the two areas are one hit area of two paths.
    ASSERT_EQ(host.displayList().items.size(), 1u);
    const DisplayItem& hit = host.displayList().items[0];
    EXPECT_EQ(hit.kind, DisplayItem::Kind::hitArea);
    ASSERT_TRUE(hit.areas);
    ASSERT_EQ(hit.areas->size(), 2u);
    expectRect((*hit.areas)[0].boundingRect().applying(hit.transform), {0, 20, 40, 60});
    expectRect((*hit.areas)[1].boundingRect().applying(hit.transform), {50, 20, 40, 60});
    expectRect(hit.hostBounds(), {0, 20, 90, 60});
    const QImage image = host.renderImage();
    EXPECT_EQ(image.pixel(20, 50), 0u) << "nothing shows";

    struct Case {
        Point at;
        int taps;
    };
    for (const Case& c : {Case{{20, 50}, 1}, Case{{70, 50}, 1}, Case{{45, 50}, 0}, Case{{20, 10}, 0}}) {
        taps = 0;
        host.pointerPressed(c.at);
        host.pointerReleased(c.at);
        runUntilIdle();
        EXPECT_EQ(taps, c.taps) << c.at.x << ", " << c.at.y;
    }
}

TEST_F(AccessibilityElementsTest, FaintAreasAreOneItemWhateverTheirNumberAndVisibleOnesAnItemEach)
{
    // 10,000 bands 0.01 wide: alpha 1e-9 is one item; alpha 0.5 10,000 fills.
    // Fully clear areas take no hits, as a clear fill takes none.
    struct Case {
        Color color;
        std::size_t items;
        DisplayItem::Kind kind;
        bool hit;
    };
    for (const Case& c : {Case{Color::gray().opacity(1e-9), 1, DisplayItem::Kind::hitArea, true},
                          Case{Color::gray().opacity(0.5), 10000, DisplayItem::Kind::fill, true},
                          Case{Color::clear(), 10000, DisplayItem::Kind::fill, false}}) {
        int taps = 0;
        ViewHost host(AccessibilityElements(
                          10000, [](int) { return AccessibilityElementContent{}; },
                          AccessibilityElementAreas{[](int i, const Rect& r) {
                                                        return Path::rect(Rect(0.01 * i, 0, 0.01, r.height()));
                                                    },
                                                    c.color, 1})
                          .frame(100, 60)
                          .onTapGesture([&taps] { ++taps; }),
                      {100, 60});
        const auto& items = host.displayList().items;
        ASSERT_EQ(items.size(), c.items) << c.color.resolved().alpha;
        EXPECT_EQ(items.front().kind, c.kind);
        // x = 99.995 lies in the last band only, x = 100.5 in none.
        for (const double x : {99.995, 100.5}) {
            taps = 0;
            host.pointerPressed({x, 30});
            host.pointerReleased({x, 30});
            runUntilIdle();
            EXPECT_EQ(taps, c.hit && x < 100 ? 1 : 0) << c.color.resolved().alpha << " at " << x;
        }
    }
    // No areas, no item.
    ViewHost none(AccessibilityElements(
                      0, [](int) { return AccessibilityElementContent{}; },
                      AccessibilityElementAreas{[](int, const Rect& r) { return Path::rect(r); },
                                                Color::gray().opacity(1e-9)})
                      .frame(100, 60),
                  {100, 60});
    EXPECT_TRUE(none.displayList().items.empty());
}

struct FaintBands : ObservableObject {
    Published<double> width{this, 100};
    Published<int> count{this, 2};
    Published<bool> faint{this, true};
};

// `count` equal bands across a view `width` wide, in a grey too faint to
// show or in red.
struct Banding {
    ObservedObject<FaintBands> model;
    auto dynamicFields() { return std::tie(model); }
    View body() const
    {
        const int count = model->count.get();
        return AccessibilityElements(
                   count, [](int) { return AccessibilityElementContent{}; },
                   AccessibilityElementAreas{[count](int i, const Rect& r) {
                                                 const double w = r.width() / count;
                                                 return Path::rect(Rect(w * i, 0, w, r.height()));
                                             },
                                             model->faint.get() ? Color::gray().opacity(1e-9) : Color::rgb(1, 0, 0),
                                             std::size_t(count)})
            .frame(model->width.get(), 20);
    }
};

TEST_F(AccessibilityElementsTest, AFaintHitAreaFollowsItsFrameCountAndColour)
{
    auto model = std::make_shared<FaintBands>();
    ViewHost host(Banding{model}, {200, 20});
    struct Step {
        const char* what;
        std::function<void()> change;
        std::size_t areas; // 0: the bands are fills
        Rect last;         // the last band's box
    };
    const Step steps[] = {
        {"two in 100", [] {}, 2, {50, 0, 50, 20}},
        {"two in 160", [&] { model->width = 160; }, 2, {80, 0, 80, 20}},
        {"four in 160", [&] { model->count = 4; }, 4, {120, 0, 40, 20}},
        {"shown in red", [&] { model->faint = false; }, 0, {120, 0, 40, 20}},
        {"faint again", [&] { model->faint = true; }, 4, {120, 0, 40, 20}},
    };
    for (const Step& step : steps) {
        step.change();
        runUntilIdle();
        const DisplayList& list = host.displayList();
        const auto hits = list.itemsOfKind(DisplayItem::Kind::hitArea);
        const auto fills = list.itemsOfKind(DisplayItem::Kind::fill);
        // The view is centred in the 200-wide host.
        const double left = (200 - model->width.get()) / 2;
        const Rect last = step.last.offsetBy(left, 0);
        if (step.areas == 0) {
            EXPECT_TRUE(hits.empty()) << step.what;
            ASSERT_EQ(fills.size(), 4u) << step.what;
            expectRect(fills.back()->hostBounds(), last);
            continue;
        }
        EXPECT_TRUE(fills.empty()) << step.what;
        ASSERT_EQ(hits.size(), 1u) << step.what;
        ASSERT_EQ(hits[0]->areas->size(), step.areas) << step.what;
        expectRect(hits[0]->areas->back().boundingRect().applying(hits[0]->transform), last);
    }
}

struct Sliding : ObservableObject {
    Published<bool> moved{this, false};
};

// Twenty 5-wide bands, each an element valued with its index, under a box
// that slides right by 100 when `moved`.
struct BandsUnderABox {
    ObservedObject<Sliding> model;
    auto dynamicFields() { return std::tie(model); }
    View body() const
    {
        const View bands = AccessibilityElements(
            20,
            [](int i) {
                return AccessibilityElementContent{"band", false, std::to_string(i), false, std::nullopt};
            },
            AccessibilityElementAreas{[](int i, const Rect& r) { return Path::rect(Rect(5.0 * i, 0, 5, r.height())); },
                                      Color::rgb(1, 0, 0)});
        const View box = View(Color::rgb(0, 0, 1)).frame(10, 10).offset(model->moved.get() ? 100 : 0, 0);
        return ZStack(Alignment::topLeading(), {bands.frame(100, 50), box}).frame(200, 200, Alignment::topLeading());
    }
};

TEST_F(AccessibilityElementsTest, AStillViewOfManyAreasIsTakenOverWhileASiblingAnimates)
{
    auto model = std::make_shared<Sliding>();
    ViewHost host(BandsUnderABox{model}, {200, 200});
    host.update();
    withAnimation(Animation::linear(1), [&] { model->moved = true; });
    runUntilIdle();
    host.displayList();
    const std::size_t firstFrame = host.drawnNodeCount();
    for (double t : {0.25, 0.5}) {
        Clock::advance(0.25);
        const auto fills = host.displayList().itemsOfKind(DisplayItem::Kind::fill);
        ASSERT_EQ(fills.size(), 21u) << t;
        for (std::size_t i = 0; i < 20; ++i)
            expectRect(fills[i]->hostBounds(), Rect(5.0 * double(i), 0, 5, 50));
        EXPECT_NEAR(fills[20]->hostBounds().minX(), 100 * t, 1e-9) << t;
        EXPECT_LT(host.drawnNodeCount(), firstFrame) << "the bands are not drawn again at " << t;
        const auto elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), 20u) << t;
        EXPECT_EQ(elements[19].value, "19") << t;
        expectRect(elements[19].frame, Rect(0, 0, 100, 50));
    }
}

struct Areas : ObservableObject {
    Published<std::optional<std::size_t>> key{this, std::nullopt};
    Published<double> width{this, 100};
};

// Two areas counting the paths they make.
struct CountedAreas {
    ObservedObject<Areas> model;
    std::shared_ptr<int> paths;
    auto dynamicFields() { return std::tie(model); }
    View body() const
    {
        return AccessibilityElements(
                   2, [](int) { return AccessibilityElementContent{}; },
                   AccessibilityElementAreas{[paths = paths](int i, const Rect& r) {
                                                 ++*paths;
                                                 return Path::rect(
                                                     Rect(r.width() / 2 * i, 0, r.width() / 2, r.height()));
                                             },
                                             Color::rgb(1, 0, 0), model->key.get()})
            .frame(model->width.get(), 50);
    }
};

TEST_F(AccessibilityElementsTest, AreasWithAKeyAreMadeAgainOnlyWhenTheKeyOrTheFrameChanges)
{
    auto model = std::make_shared<Areas>();
    auto paths = std::make_shared<int>(0);
    ViewHost host(CountedAreas{model, paths}, {200, 200});
    host.displayList();
    EXPECT_EQ(*paths, 2);
    struct Step {
        const char* what;
        std::function<void()> change;
        int made;         // paths made by the update
        double areaWidth; // half the frame
    };
    const Step steps[] = {
        {"no key, evaluated again", [&] { model->width = 100; }, 2, 50},
        {"a key", [&] { model->key = 7; }, 2, 50},
        {"the same key", [&] { model->key = 7; }, 0, 50},
        {"another key", [&] { model->key = 8; }, 2, 50},
        {"a wider frame", [&] { model->width = 120; }, 2, 60},
        {"nothing new", [&] { model->width = 120; }, 0, 60},
    };
    for (const Step& step : steps) {
        *paths = 0;
        step.change();
        host.update();
        const auto fills = host.displayList().itemsOfKind(DisplayItem::Kind::fill);
        EXPECT_EQ(*paths, step.made) << step.what;
        ASSERT_EQ(fills.size(), 2u) << step.what;
        EXPECT_NEAR(fills[1]->hostBounds().width(), step.areaWidth, 1e-9) << step.what;
    }
}

} // namespace

namespace {

struct Banded : ObservableObject {
    Published<double> width{this, 100};
    Published<bool> blue{this, false};
    Published<int> label{this, 0};
};

// Four bands across a view `width` wide, red or blue, beside a text that
// shows `label`.
struct Bands {
    ObservedObject<Banded> model;
    auto dynamicFields() { return std::tie(model); }
    View body() const
    {
        const View bands = AccessibilityElements(
            4,
            [](int) {
                return AccessibilityElementContent{"band", false, "", false, std::nullopt};
            },
            AccessibilityElementAreas{[](int i, const Rect& r) {
                                          return Path::rect(Rect(r.width() / 4 * i, 0, r.width() / 4, r.height()));
                                      },
                                      model->blue.get() ? Color::rgb(0, 0, 1) : Color::rgb(1, 0, 0)});
        return VStack({Text(Verbatim{std::to_string(model->label.get())}), bands.frame(model->width.get(), 20)});
    }
};

} // namespace

TEST_F(AccessibilityElementsTest, AreasDrawnAgainAfterAPassAreTheOnesOfTheirViewAsItNowIs)
{
    auto model = std::make_shared<Banded>();
    ViewHost host(Bands{model}, {200, 100});
    auto fills = [&] { return host.displayList().itemsOfKind(DisplayItem::Kind::fill); };
    ASSERT_EQ(fills().size(), 4u);
    const Rect first = fills()[0]->hostBounds();
    // A pass that changes only the text: the areas stay as they were.
    model->label = 1;
    runUntilIdle();
    ASSERT_EQ(fills().size(), 4u);
    expectRect(fills()[0]->hostBounds(), first);
    EXPECT_EQ(std::get<Color>(fills()[3]->paint), Color::rgb(1, 0, 0));
    // Wider and blue: every area as the view now draws it.
    model->width = 160;
    model->blue = true;
    runUntilIdle();
    const auto wide = fills();
    ASSERT_EQ(wide.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(wide[i]->hostBounds().width(), 40, 1e-9) << i;
        EXPECT_EQ(std::get<Color>(wide[i]->paint), Color::rgb(0, 0, 1)) << i;
    }
    EXPECT_NEAR(wide[1]->hostBounds().minX() - wide[0]->hostBounds().minX(), 40, 1e-9);
}
