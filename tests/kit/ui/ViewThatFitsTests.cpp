#include "UiTest.h"

using namespace kit;

namespace {

// Under the fixed metrics a size-10 text is 6 points a character, 12 high.
View text(const char* t)
{
    return Text(Verbatim{t}).font(Font::system(10));
}

View longOrShort()
{
    return ViewThatFits(FitAxes::horizontal, {text("abcdefghij"), text("abc")}).id("fits");
}

using ViewThatFitsTest = UiTest;

TEST_F(ViewThatFitsTest, TheFirstCandidateThatFitsIsTheOneLaidOutAndDrawn)
{
    ViewHost wide(longOrShort(), {100, 40});
    EXPECT_EQ(wide.displayList().itemsOfKind(DisplayItem::Kind::text).size(), 1u);
    EXPECT_TRUE(wide.displayList().textItem("abcdefghij"));
    expectRect(frameOf(wide, "fits"), Rect(20, 14, 60, 12));

    // 40 wide: the 60-point text does not fit, the 18-point one does.
    ViewHost narrow(longOrShort(), {40, 40});
    EXPECT_EQ(narrow.displayList().itemsOfKind(DisplayItem::Kind::text).size(), 1u);
    EXPECT_TRUE(narrow.displayList().textItem("abc"));
    expectRect(frameOf(narrow, "fits"), Rect(11, 14, 18, 12));
}

TEST_F(ViewThatFitsTest, WhenNoneFitsTheLastIsTakenAndItsSizeIsTheViewsMinimum)
{
    // 10 wide: neither fits; the last is laid out in what is offered
    // (wrapped a character a line, as far as 40 points hold lines).
    ViewHost tight(longOrShort(), {10, 40});
    const auto drawn = tight.displayList().itemsOfKind(DisplayItem::Kind::text);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn.front()->lines.front().text, "a");

    // In a stack beside a spacer the view can shrink to its last candidate:
    // with EmptyView last it gives way entirely.
    ViewHost row(HStack(VerticalAlignment::center, 0,
                        {ViewThatFits(FitAxes::horizontal, {text("abcdefghij"), EmptyView()}).id("fits"),
                         View(Color::blue()).frame(FlexFrame{.minWidth = 70, .maxWidth = infinity}).id("box")}),
                 {100, 40});
    EXPECT_TRUE(row.displayList().itemsOfKind(DisplayItem::Kind::text).empty());
    expectRect(frameOf(row, "box"), Rect(0, 0, 100, 40));
}

} // namespace
