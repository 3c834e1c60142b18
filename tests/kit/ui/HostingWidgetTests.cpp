#include "UiTest.h"

#include "kit/ui/HostingWidget.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>

using namespace kit;

using HostingWidgetTest = UiTest;

namespace {

void send(QWidget& w, QEvent::Type type, QPointF p)
{
    QMouseEvent e(type, p, w.mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

} // namespace

TEST_F(HostingWidgetTest, LaysOutPaintsAndReportsItsIdealSize)
{
    HostingWidget widget(HStack(VerticalAlignment::center, 0,
                                {View(Color::rgb(1, 0, 0)).frame(60, 30), View(Color::rgb(0, 0, 1)).frame(40, 30)}));
    EXPECT_EQ(widget.sizeHint(), QSize(100, 30));
    widget.resize(200, 50);
    widget.show();
    runUntilIdle();
    EXPECT_EQ(widget.host().size(), (Size{200, 50}));
    const QImage image = widget.grab().toImage();
    EXPECT_EQ(image.pixel(int(image.width() * 0.3), image.height() / 2), qRgb(255, 0, 0)) << "the root is centred";
    EXPECT_EQ(image.pixel(int(image.width() * 0.65), image.height() / 2), qRgb(0, 0, 255));
}

TEST_F(HostingWidgetTest, HideShowAndDestroyFireLifecycleActions)
{
    auto log = std::make_shared<std::vector<std::string>>();
    {
        HostingWidget widget(
            Text("x").onAppear([log] { log->push_back("+"); }).onDisappear([log] { log->push_back("-"); }));
        widget.resize(50, 50);
        runUntilIdle();
        EXPECT_TRUE(log->empty()) << "nothing appears before the widget is shown";
        widget.show();
        runUntilIdle();
        widget.hide();
        widget.show();
        runUntilIdle();
    }
    EXPECT_EQ(*log, (std::vector<std::string>{"+", "-", "+", "-"}));
}

TEST_F(HostingWidgetTest, MouseEventsBecomeGesturesWithCapture)
{
    std::vector<Point> locations;
    bool ended = false;
    HostingWidget widget(
        View(Color::red())
            .frame(50, 50)
            .gesture(DragGesture(0)
                         .onChanged([&](const DragGesture::Value& v) { locations.push_back(v.location); })
                         .onEnded([&](const DragGesture::Value&) { ended = true; })));
    widget.resize(50, 50);
    widget.show();
    runUntilIdle();
    send(widget, QEvent::MouseButtonPress, {10, 10});
    send(widget, QEvent::MouseMove, {80, 10}); // outside the widget
    send(widget, QEvent::MouseButtonRelease, {80, 10});
    ASSERT_EQ(locations.size(), 2u);
    EXPECT_EQ(locations[1], (Point{80, 10}));
    EXPECT_TRUE(ended);
}

TEST_F(HostingWidgetTest, ExposesAccessibilityElements)
{
    HostingWidget widget(VStack({View(Color::red()).frame(20, 20).accessibilityLabel("Slice").accessibilityValue("12%"),
                                 Text("Title").accessibilityLabel("Heading")}));
    widget.resize(100, 100);
    widget.show();
    runUntilIdle();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_TRUE(iface);
    ASSERT_EQ(iface->childCount(), 2);
    QAccessibleInterface* slice = iface->child(0);
    EXPECT_EQ(slice->text(QAccessible::Name), "Slice");
    EXPECT_EQ(slice->text(QAccessible::Value), "12%");
    EXPECT_EQ(slice->role(), QAccessible::Graphic);
    EXPECT_EQ(slice->rect().size(), QSize(20, 20));
    EXPECT_EQ(slice->parent(), iface);
    EXPECT_EQ(iface->indexOfChild(iface->child(1)), 1);
    EXPECT_EQ(iface->child(1)->role(), QAccessible::StaticText);
}

TEST_F(HostingWidgetTest, ExposesTheElementsOfOneViewStandingForMany)
{
    // Three elements over a 90 × 30 view, the middle one over its middle third.
    HostingWidget widget(AccessibilityElements(3, [](int i) {
                             return AccessibilityElementContent{"Band", false, std::to_string(i + 1), false,
                                                                i == 1 ? std::optional<Rect>(Rect(30, 0, 30, 30))
                                                                       : std::nullopt};
                         }).frame(90, 30));
    widget.resize(100, 100);
    widget.show();
    runUntilIdle();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_TRUE(iface);
    ASSERT_EQ(iface->childCount(), 3);
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* band = iface->child(i);
        EXPECT_EQ(band->text(QAccessible::Name), "Band") << i;
        EXPECT_EQ(band->text(QAccessible::Value), QString::number(i + 1)) << i;
        EXPECT_EQ(band->role(), QAccessible::Graphic) << i;
        EXPECT_EQ(band->rect().size(), i == 1 ? QSize(30, 30) : QSize(90, 30)) << i;
    }
}
