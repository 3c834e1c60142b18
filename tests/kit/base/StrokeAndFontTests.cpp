#include "kit/base/FixedFontMetrics.h"
#include "kit/base/Font.h"
#include "kit/base/FontMetrics.h"
#include "kit/base/QtFontMetrics.h"
#include "kit/base/StrokeStyle.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <gtest/gtest.h>

#include <unordered_set>

using namespace kit;

TEST(StrokeStyle, DefaultsAndQtPen)
{
    const StrokeStyle s;
    EXPECT_EQ(s.lineWidth, 1);
    EXPECT_EQ(s.lineCap, LineCap::butt);
    EXPECT_EQ(s.lineJoin, LineJoin::miter);
    EXPECT_EQ(s.miterLimit, 10);
    const QPen pen = s.toQPen(QBrush(Qt::black));
    EXPECT_EQ(pen.capStyle(), Qt::FlatCap);
    EXPECT_EQ(pen.joinStyle(), Qt::SvgMiterJoin);
    EXPECT_EQ(pen.miterLimit(), 10);
    EXPECT_EQ(pen.style(), Qt::SolidLine);
}

TEST(StrokeStyle, DashesAreInPenWidthsAndEven)
{
    const QPen pen = StrokeStyle{.lineWidth = 4, .dash = {2, 6, 4}, .dashPhase = 8}.toQPen(QBrush(Qt::black));
    EXPECT_EQ(pen.dashPattern(), (QList<qreal>{0.5, 1.5, 1, 0.5, 1.5, 1}));
    EXPECT_EQ(pen.dashOffset(), 2);
    EXPECT_FALSE((StrokeStyle{.dash = {0, 0}}).isDashed());
    EXPECT_FALSE((StrokeStyle{.dash = {4, -1}}).isDashed()) << "negative entries draw solid";

    // Width 4, pattern {8, 8}: 8-pixel dashes.
    QImage image(64, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(StrokeStyle{.lineWidth = 4, .dash = {8, 8}}.toQPen(QBrush(Qt::black)));
    painter.drawLine(QPointF(0, 4), QPointF(64, 4));
    painter.end();
    EXPECT_EQ(qAlpha(image.pixel(4, 4)), 255);
    EXPECT_EQ(qAlpha(image.pixel(12, 4)), 0);
    EXPECT_EQ(qAlpha(image.pixel(20, 4)), 255);
}

TEST(StrokeStyle, HashingMatchesEquality)
{
    std::unordered_set<StrokeStyle> set{StrokeStyle{}, StrokeStyle{.lineWidth = -0.0 + 1}, StrokeStyle{.dash = {1}}};
    EXPECT_EQ(set.size(), 2u);
}

TEST(Font, TextStylesAndModifiers)
{
    EXPECT_EQ(Font().size(), 13) << "the default font is body";
    EXPECT_EQ(Font::largeTitle().size(), 26);
    EXPECT_EQ(Font::headline().resolvedWeight(), Font::Weight::bold);
    EXPECT_EQ(Font::caption2().resolvedWeight(), Font::Weight::medium);
    EXPECT_EQ(Font::system(90).resolvedWeight(), Font::Weight::regular);
    EXPECT_NE(Font::body(), Font::system(13));
    EXPECT_NE(Font::body(), Font::body().bold());
    EXPECT_EQ(Font::caption().italic().monospacedDigit(), Font::caption().monospacedDigit().italic());
    std::unordered_set<Font> set{Font::caption(), Font::footnote(), Font::caption()};
    EXPECT_EQ(set.size(), 2u);
}

TEST(Font, QtFontHasAnEmOfItsSize)
{
    const QFont f = Font::system(20, Font::Weight::semibold).toQFont(96);
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 15);
    EXPECT_EQ(f.weight(), QFont::DemiBold);
    EXPECT_NEAR(QFontInfo(Font::system(20).toQFont(96)).pixelSize(), 20, 1) << "checked on a 96 dpi device";
    QtFontMetrics metrics;
    EXPECT_GT(metrics.advance(Font::body(), "Hello"), 0);
    EXPECT_NEAR(metrics.lineHeight(Font::body()), metrics.ascent(Font::body()) + metrics.descent(Font::body()), 3);
}

// Advances are kept once measured: each text in each font measures the same
// every time, as it did the first time (when Qt measured it), past the bound
// on what is kept too, and a kept text never answers for another text or font.
TEST(Font, QtAdvancesAreKeptPerFontAndText)
{
    QtFontMetrics metrics;
    const Font body = Font::body(), title = Font::title();
    const double bodyAdvance = metrics.advance(body, "Quarter 3");
    const double titleAdvance = metrics.advance(title, "Quarter 3");
    const double longer = metrics.advance(body, "Quarter 30");
    EXPECT_GT(titleAdvance, bodyAdvance) << "a larger font";
    EXPECT_GT(longer, bodyAdvance) << "a longer text";
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(metrics.advance(body, "Quarter 3"), bodyAdvance);
        EXPECT_EQ(metrics.advance(title, "Quarter 3"), titleAdvance);
        EXPECT_EQ(metrics.advance(body, "Quarter 30"), longer);
    }
    for (int i = 0; i < 20000; ++i)
        metrics.advance(body, std::to_string(i));
    EXPECT_EQ(metrics.advance(body, "Quarter 3"), bodyAdvance);
    EXPECT_EQ(metrics.advance(title, "Quarter 3"), titleAdvance);
}

class FixedMetricsTest : public testing::Test {
protected:
    FixedFontMetrics m;
    Font f = Font::system(10); // 6 per cluster, lines 12 high
};

TEST_F(FixedMetricsTest, MeasuresGraphemeClusters)
{
    EXPECT_DOUBLE_EQ(m.advance(f, "Hello world"), 66);
    EXPECT_DOUBLE_EQ(m.advance(f, "e\u0301"), 6) << "a combining accent joins its letter";
    EXPECT_DOUBLE_EQ(m.ascent(f), 9);
    EXPECT_DOUBLE_EQ(m.lineHeight(f), 12);
}

TEST_F(FixedMetricsTest, IdealLayoutBreaksOnlyAtNewlines)
{
    const TextLayout t = m.layout(f, "ab\nlonger line", std::nullopt);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"ab", "longer line"}));
    EXPECT_DOUBLE_EQ(t.width, 66);
    EXPECT_DOUBLE_EQ(t.height, 24);
    EXPECT_DOUBLE_EQ(t.lastBaseline(), 21);
    const TextLayout empty = m.layout(f, "", std::nullopt);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 12) << "an empty text takes a line";
}

TEST_F(FixedMetricsTest, WrapsAfterSpacesAndBreaksLongWords)
{
    const TextLayout t = m.layout(f, "Hello world again", 60.0);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"Hello", "world", "again"}));
    EXPECT_DOUBLE_EQ(t.width, 30);
    const TextLayout fits = m.layout(f, "Hello world", 66.0);
    EXPECT_EQ(fits.lines.size(), 1u);
    const TextLayout narrow = m.layout(f, "abcdefg", 20.0);
    EXPECT_EQ(narrow.lines, (std::vector<std::string>{"abc", "def", "g"}));
    const TextLayout minimum = m.layout(f, "Hi there", 0.0);
    EXPECT_DOUBLE_EQ(minimum.width, 6) << "at width 0 the widest cluster";
    EXPECT_EQ(minimum.lines, (std::vector<std::string>{"H", "i", "t", "h", "e", "r", "e"})) << "spaces make no lines";
}

TEST_F(FixedMetricsTest, TruncatesTheLastLine)
{
    EXPECT_EQ(m.layout(f, "Hello world", 54.0, 1).lines[0], "Hello wo\u2026");
    EXPECT_EQ(m.layout(f, "Hello world", 54.0, 1, TruncationMode::head).lines[0], "\u2026lo world");
    EXPECT_EQ(m.layout(f, "Hello world", 48.0, 1, TruncationMode::middle).lines[0], "Hel\u2026orld");
    const TextLayout two = m.layout(f, "one two three four", 42.0, 2);
    EXPECT_EQ(two.lines, (std::vector<std::string>{"one two", "three \u2026"}));
    EXPECT_TRUE(two.truncated);
    EXPECT_EQ(m.layout(f, "Hello", 0.0, 1).lines[0], "\u2026") << "minimum width with a line limit of 1";
}
