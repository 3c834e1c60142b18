#pragma once

#include "kit/base/FontMetrics.h"
#include "kit/ui/UI.h"
#include "tests/kit/base/ManualClockTest.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

// A view-layer test: manual clock at 0, fixed text metrics, nothing queued.
class UiTest : public ManualClockTest {
public:
    // The largest difference of one colour channel (or alpha) between two pixels.
    static int channelDifference(QRgb p, QRgb q)
    {
        return std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                         std::abs(qAlpha(p) - qAlpha(q))});
    }

    // The largest channel difference of two images of one size, pixel by pixel.
    static int worstDifference(const QImage& a, const QImage& b)
    {
        int worst = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                worst = std::max(worst, channelDifference(a.pixel(x, y), b.pixel(x, y)));
        return worst;
    }

protected:
    void SetUp() override
    {
        ManualClockTest::SetUp();
        kit::FontMetrics::useFixed();
    }
    void TearDown() override
    {
        ManualClockTest::TearDown();
        kit::FontMetrics::useQt();
    }

    // The target layout frame, in host coordinates, of the view marked .id(key).
    static kit::Rect frameOf(kit::ViewHost& host, const kit::AnyKey& key)
    {
        const auto node = host.nodeWithId(key);
        EXPECT_TRUE(node) << "no view with id " << key.description();
        return node ? host.layoutFrame(*node).value_or(kit::Rect::null()) : kit::Rect::null();
    }

    // The display items drawn inside the view marked .id(key).
    static std::vector<const kit::DisplayItem*> itemsOf(kit::ViewHost& host, const kit::AnyKey& key)
    {
        std::vector<const kit::DisplayItem*> result;
        const auto node = host.nodeWithId(key);
        EXPECT_TRUE(node) << "no view with id " << key.description();
        if (!node)
            return result;
        for (const kit::DisplayItem& item : host.displayList().items)
            if (host.isDescendant(item.node, *node))
                result.push_back(&item);
        return result;
    }

    static void expectRect(const kit::Rect& actual, const kit::Rect& expected, double tolerance = 1e-6)
    {
        EXPECT_NEAR(actual.minX(), expected.minX(), tolerance) << "minX";
        EXPECT_NEAR(actual.minY(), expected.minY(), tolerance) << "minY";
        EXPECT_NEAR(actual.width(), expected.width(), tolerance) << "width";
        EXPECT_NEAR(actual.height(), expected.height(), tolerance) << "height";
    }
};
