#include "DecoratedCharts.h"
#include "OverlayTest.h"

#include <QImage>

#include <cmath>
#include <cstdlib>

namespace {

using namespace charts;
using namespace charts::gallery;
using namespace charts::testing;

bool near(const QColor& pixel, const kit::RGBA& want, double tolerance, int minimumAlpha = 200)
{
    return pixel.alpha() > minimumAlpha && std::abs(pixel.redF() - want.red) < tolerance &&
           std::abs(pixel.greenF() - want.green) < tolerance && std::abs(pixel.blueF() - want.blue) < tolerance;
}

// Whether the image shows `want` at one of `points` (host coordinates), or
// within a point of one.
bool paintedAtOneOf(const QImage& image, const std::vector<kit::Point>& points, const kit::RGBA& want)
{
    for (const kit::Point& p : points)
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                const int x = int(std::floor(p.x)) + dx, y = int(std::floor(p.y)) + dy;
                if (x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
                    near(image.pixelColor(x, y), want, 0.03))
                    return true;
            }
    return false;
}

// Points on an item where its paint must show: along a stroke (its
// elements' ends and the middles between them), or inside a fill (its centre
// and the middles of its left and right thirds).
std::vector<kit::Point> samplePoints(const kit::DisplayItem& item)
{
    std::vector<kit::Point> points;
    if (item.kind == kit::DisplayItem::Kind::stroke) {
        std::optional<kit::Point> last;
        for (const auto& e : item.path.elements()) {
            if (e.type == kit::Path::Element::Type::closeSubpath)
                continue;
            const kit::Point p = item.transform.apply(e.point);
            if (last)
                points.push_back({(last->x + p.x) / 2, (last->y + p.y) / 2});
            points.push_back(p);
            last = p;
        }
        return points;
    }
    const kit::Rect r = item.hostBounds();
    return {r.center(), {r.minX() + r.width() / 6, r.midY()}, {r.maxX() - r.width() / 6, r.midY()}};
}

// The fills or strokes painted in `colour` that draw something.
std::vector<const kit::DisplayItem*> painted(kit::ViewHost& host, kit::Color colour, kit::DisplayItem::Kind kind)
{
    return itemsPainted(host, colour, kind);
}

class GalleryTest : public UiTest, public ::testing::WithParamInterface<kit::ColorScheme> {
protected:
    kit::ViewHost host{kit::EmptyView(), {760, 600}};
    QImage image;

    // Shows the chart, lets every reveal finish, then touches the plot area
    // over its third point (bars: the middle of the third of six slots;
    // line: nearest the third of six points) and renders.
    void show(const kit::View& chart)
    {
        host.setColorScheme(GetParam());
        host.setRoot(chart.background(kit::Color::windowBackground()));
        host.update();
        kit::Clock::advance(1);
        host.update();
        const kit::Rect plot = plotArea();
        const kit::Point at{plot.minX() + plot.width() * 0.42, plot.midY()};
        host.pointerPressed(at);
        host.pointerMoved({at.x + 1, at.y});
        host.update();
        host.update();
        image = host.renderImage(1);
        if (const char* dump = std::getenv("QM_GALLERY_DUMP"))
            image.save(QString::fromUtf8(dump) + QString::number(int(GetParam())) + ".png");
    }
    kit::RGBA resolved(kit::Color colour) const { return colour.resolved(GetParam()); }

    // At least one item in `colour` shows it on screen.
    void expectDrawn(const char* what, kit::Color colour, kit::DisplayItem::Kind kind)
    {
        const auto items = painted(host, colour, kind);
        ASSERT_FALSE(items.empty()) << what << ": nothing in its colour";
        bool shown = false;
        for (const kit::DisplayItem* item : items)
            shown = shown || paintedAtOneOf(image, samplePoints(*item), resolved(colour));
        EXPECT_TRUE(shown) << what << ": not visible";
    }
    // The text is laid out (its last item, when it is shown more than once),
    // and some pixel in its box is clearly nearer its colour than the
    // background at the box's corner is.
    kit::Rect expectText(const std::string& text)
    {
        const kit::DisplayItem* item = nullptr;
        for (const kit::DisplayItem* t : textItems(host))
            if (textOf(t) == text)
                item = t;
        EXPECT_TRUE(item) << text;
        if (!item)
            return kit::Rect::null();
        const kit::Rect box = item->hostBounds().intersection({0, 0, double(image.width()), double(image.height())});
        const auto distance = [&](const QColor& c) {
            return std::abs(c.redF() - item->color.red) + std::abs(c.greenF() - item->color.green) +
                   std::abs(c.blueF() - item->color.blue);
        };
        const double background = distance(image.pixelColor(int(box.minX()), int(box.minY())));
        bool shown = false;
        for (int x = int(box.minX()); x < int(box.maxX()) && !shown; ++x)
            for (int y = int(box.minY()); y < int(box.maxY()) && !shown; ++y)
                shown = distance(image.pixelColor(x, y)) < background - 0.3;
        EXPECT_TRUE(shown) << text << " not visible";
        return box;
    }
    // The box around every item in `colour`.
    kit::Rect boundsOf(kit::Color colour, kit::DisplayItem::Kind kind)
    {
        kit::Rect all = kit::Rect::null();
        for (const kit::DisplayItem* item : painted(host, colour, kind))
            all = all.isNull() ? item->hostBounds() : all.unionWith(item->hostBounds());
        return all;
    }

    // The plot area: the lines of the grids run across all of it.
    kit::Rect plotArea()
    {
        kit::Rect all = kit::Rect::null();
        for (const kit::DisplayItem* item : painted(host, gridColour(), kit::DisplayItem::Kind::stroke))
            all = all.isNull() ? pathBounds(*item) : all.unionWith(pathBounds(*item));
        return all;
    }

    // What both charts show: every decoration where it belongs around the plot area.
    void expectDecorations(const kit::Rect& plot)
    {
        SCOPED_TRACE(GetParam() == kit::ColorScheme::dark ? "dark" : "light");
        expectDrawn("grid", gridColour(), kit::DisplayItem::Kind::stroke);
        expectDrawn("value marker", goalColour(), kit::DisplayItem::Kind::stroke);
        expectDrawn("data-point marker", peakColour(), kit::DisplayItem::Kind::stroke);
        expectDrawn("trend line", trendColour(), kit::DisplayItem::Kind::stroke);
        expectDrawn("extra line", extraColour(), kit::DisplayItem::Kind::stroke);
        expectDrawn("extra markers", extraFill(), kit::DisplayItem::Kind::fill);
        expectDrawn("info box", boxColour(), kit::DisplayItem::Kind::fill);

        // Header above the plot, legends below it.
        EXPECT_LT(expectText("By quarter").maxY(), plot.minY());
        for (const char* legend : {"Stores", "Target", "Goal", "Peak"})
            EXPECT_GT(expectText(legend).minY(), plot.maxY()) << legend;
        // Axis labels and titles: x below, y on the leading side, the extra axis on the trailing side.
        EXPECT_GT(expectText("Q1").minY(), plot.maxY());
        EXPECT_GT(expectText("Quarter").minY(), plot.maxY());
        EXPECT_LT(expectText("Sales").maxX(), plot.minX());
        for (const char* label : {"1000", "3000", "5000"})
            EXPECT_GT(expectText(label).minX(), plot.maxX()) << label;
        EXPECT_GT(expectText("Target units").minX(), expectText("5000").maxX());
        // The touched point's text in the floating box, over the plot.
        const kit::Rect box = boundsOf(boxColour(), kit::DisplayItem::Kind::fill);
        EXPECT_FALSE(box.intersection(plot).isEmpty());
        EXPECT_TRUE(box.contains(expectText("30").center()));
    }
};

TEST_P(GalleryTest, ABarChartShowsEveryDecorationAtOnce)
{
    const auto data = galleryBarData();
    show(decoratedBarChart(data));
    const kit::Rect plot = plotArea();
    ASSERT_FALSE(plot.isNull());
    expectDrawn("bars", barColour(), kit::DisplayItem::Kind::fill);
    expectDecorations(plot);
}

TEST_P(GalleryTest, ALineChartShowsEveryDecorationAtOnce)
{
    const auto data = galleryLineData();
    show(decoratedLineChart(data));
    const kit::Rect plot = plotArea();
    ASSERT_FALSE(plot.isNull());
    expectDrawn("line", barColour(), kit::DisplayItem::Kind::stroke);
    expectDecorations(plot);
}

INSTANTIATE_TEST_SUITE_P(Schemes, GalleryTest, ::testing::Values(kit::ColorScheme::light, kit::ColorScheme::dark));

} // namespace
