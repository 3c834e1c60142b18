// Hints join the element of the view they are on, as labels and values do;
// an accessibility content shape gives the element the box of that shape
// instead of the view's frame; the widget tells both to Qt.

#include "UiTest.h"
#include "Wedge.h"

#include "kit/base/Localization.h"
#include "kit/ui/HostingWidget.h"

#include <QAccessible>
#include <QAccessibleInterface>

#include <numbers>

using namespace kit;

namespace {

using AccessibilityHintsAndShapes = UiTest;

constexpr double pi = std::numbers::pi;

TEST_F(AccessibilityHintsAndShapes, AHintJoinsTheElementOfItsView)
{
    StringTable::setActive({{"hint.key", "Opens the folder"}});
    const View x = Text("x");
    struct Case {
        const char* what;
        View view;
        std::vector<std::pair<std::string, std::string>> expected; // label and hint of each element
    };
    const Case cases[] = {
        {"verbatim", x.accessibilityLabel(Verbatim{"a"}).accessibilityHint(Verbatim{"h"}), {{"a", "h"}}},
        {"a localized key",
         x.accessibilityLabel(Verbatim{"a"}).accessibilityHint("hint.key"),
         {{"a", "Opens the folder"}}},
        {"the outer hint wins",
         x.accessibilityHint(Verbatim{"inner"}).accessibilityHint(Verbatim{"outer"}),
         {{"", "outer"}}},
        {"a hint alone makes an element", x.accessibilityHint(Verbatim{"h"}), {{"", "h"}}},
        // Combining takes the labels only.
        {"combined",
         VStack({x.accessibilityLabel(Verbatim{"p"}).accessibilityHint(Verbatim{"h"})})
             .accessibilityElement(AccessibilityChildBehavior::combine)
             .accessibilityLabel(Verbatim{"all"}),
         {{"all, p", ""}}},
        {"hidden", x.accessibilityHint(Verbatim{"h"}).accessibilityHidden(true), {}},
    };
    for (const Case& c : cases) {
        ViewHost host(c.view, {100, 100});
        const auto elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < elements.size(); ++i) {
            EXPECT_EQ(elements[i].label, c.expected[i].first) << c.what;
            EXPECT_EQ(elements[i].hint, c.expected[i].second) << c.what;
        }
    }
    StringTable::setActive({});
}

TEST_F(AccessibilityHintsAndShapes, AnAccessibilityContentShapeGivesTheBoxOfTheShape)
{
    // A 200 × 200 view in a 200 × 200 host: the wedge from the top (−π/2)
    // sweeping a quarter turn clockwise fills the top right quarter of the
    // circle about (100, 100) of radius 100, so its box runs from (100, 0)
    // to (200, 100).
    const View area = View(Color::red()).frame(200, 200);
    struct Case {
        const char* what;
        View view;
        Rect frame;
    };
    const Case cases[] = {
        {"no shape: the frame", area.accessibilityLabel(Verbatim{"slice"}), {0, 0, 200, 200}},
        {"top right quarter",
         area.contentShape(ContentShapeKind::accessibility, Wedge(-pi / 2, pi / 2))
             .accessibilityLabel(Verbatim{"slice"}),
         {100, 0, 100, 100}},
        // From the left (π) a half turn clockwise: the upper half, (0, 0) to (200, 100).
        {"upper half",
         area.contentShape(ContentShapeKind::accessibility, Wedge(pi, pi)).accessibilityLabel(Verbatim{"slice"}),
         {0, 0, 200, 100}},
        // The box moves and scales with the transforms around it: halved about
        // the centre (100, 100), the quarter runs from (100, 50) to (150, 100).
        {"scaled by a half",
         area.contentShape(ContentShapeKind::accessibility, Wedge(-pi / 2, pi / 2))
             .accessibilityLabel(Verbatim{"slice"})
             .scaleEffect(0.5),
         {100, 50, 50, 50}},
        // Outside the label's element the shape makes one of its own, for the
        // same box: the label's element keeps the frame.
        {"the shape with no label",
         area.contentShape(ContentShapeKind::accessibility, Wedge(-pi / 2, pi / 2)),
         {100, 0, 100, 100}},
        // An interaction shape leaves the element's frame as it was.
        {"an interaction shape",
         area.contentShape(ContentShapeKind::interaction, Wedge(-pi / 2, pi / 2)).accessibilityLabel(Verbatim{"slice"}),
         {0, 0, 200, 200}},
    };
    for (const Case& c : cases) {
        ViewHost host(c.view, {200, 200});
        const auto elements = host.accessibilityElements();
        ASSERT_EQ(elements.size(), 1u) << c.what;
        SCOPED_TRACE(c.what);
        expectRect(elements[0].frame, c.frame);
    }
}

TEST_F(AccessibilityHintsAndShapes, TheWidgetDescribesEachElementByItsValueThenItsHint)
{
    struct Case {
        const char* what;
        View view;
        QString description;
    };
    const Case cases[] = {
        {"value and hint",
         Text("x").accessibilityLabel(Verbatim{"a"}).accessibilityValue("12").accessibilityHint(Verbatim{"40%"}),
         "12, 40%"},
        {"value alone", Text("x").accessibilityLabel(Verbatim{"a"}).accessibilityValue("12"), "12"},
        {"hint alone", Text("x").accessibilityLabel(Verbatim{"a"}).accessibilityHint(Verbatim{"40%"}), "40%"},
        {"neither", Text("x").accessibilityLabel(Verbatim{"a"}), ""},
    };
    for (const Case& c : cases) {
        HostingWidget widget(c.view);
        widget.resize(100, 100);
        widget.show();
        runUntilIdle();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&widget);
        ASSERT_TRUE(iface);
        ASSERT_EQ(iface->childCount(), 1) << c.what;
        EXPECT_EQ(iface->child(0)->text(QAccessible::Name), "a") << c.what;
        EXPECT_EQ(iface->child(0)->text(QAccessible::Description), c.description) << c.what;
    }
}

TEST_F(AccessibilityHintsAndShapes, TheWidgetGivesEachElementTheBoxOfItsShapeAndFindsItWithinTheShape)
{
    // Three quarters of a 200 × 200 pie from 12 o'clock, whose box is the
    // whole circle, and the quarter left over, from 9 to 12 o'clock.
    HostingWidget widget(ZStack({View(Color::red())
                                     .contentShape(ContentShapeKind::accessibility, Wedge(-pi / 2, 3 * pi / 2))
                                     .accessibilityLabel(Verbatim{"three quarters"}),
                                 View(Color::blue())
                                     .contentShape(ContentShapeKind::accessibility, Wedge(pi, pi / 2))
                                     .accessibilityLabel(Verbatim{"top left"})})
                             .frame(200, 200));
    widget.resize(200, 200);
    widget.show();
    runUntilIdle();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_TRUE(iface);
    ASSERT_EQ(iface->childCount(), 2);
    const QPoint origin = widget.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(iface->child(0)->rect(), QRect(origin, QSize(200, 200)));
    EXPECT_EQ(iface->child(1)->rect(), QRect(origin, QSize(100, 100)));
    // Within the top left quarter's box, and the larger box: the quarter.
    EXPECT_EQ(iface->childAt(origin.x() + 60, origin.y() + 60), iface->child(1));
    EXPECT_EQ(iface->childAt(origin.x() + 150, origin.y() + 60), iface->child(0));
    EXPECT_EQ(iface->childAt(origin.x() + 150, origin.y() + 150), iface->child(0));
    // Outside the circle, in a corner of both boxes: neither.
    EXPECT_EQ(iface->childAt(origin.x() + 5, origin.y() + 5), nullptr);
}

} // namespace
