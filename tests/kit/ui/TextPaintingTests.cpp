// Text items are painted from glyphs laid out once and kept: what is painted,
// the first time and every time after, is what Qt draws for each line at
// its baseline, at fractional places, in several fonts, moved, scaled and
// turned.

#include "UiTest.h"

#include <QImage>
#include <QPainter>

#include <string>

using namespace kit;

namespace {

// Every text item of `host` drawn by Qt, line by line at its baseline.
QImage drawnByQt(ViewHost& host, double scale)
{
    const Size size = host.size();
    QImage image(int(std::ceil(size.width * scale)), int(std::ceil(size.height * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    for (const DisplayItem& item : host.displayList().items) {
        if (item.kind != DisplayItem::Kind::text)
            continue;
        painter.setTransform(item.transform.toQTransform() * QTransform::fromScale(scale, scale));
        painter.setFont(item.font.toQFont(image.logicalDpiY()));
        painter.setPen(item.color.toQColor());
        for (const DisplayTextLine& line : item.lines)
            painter.drawText(QPointF(line.baseline.x, line.baseline.y), QString::fromStdString(line.text));
    }
    return image;
}

} // namespace

class TextPainting : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        FontMetrics::useQt(); // real glyphs, laid out as Qt lays them out
    }
};

TEST_F(TextPainting, LinesArePaintedAsQtDrawsThem)
{
    const View view = VStack(HorizontalAlignment::leading, 3.3,
                             {
                                 Text(Verbatim{"Quarter 4"}).offset(0.3, 0.55),
                                 Text(Verbatim{"1234 units"}).font(Font::caption()).offset(0.71, 0.2),
                                 Text(Verbatim{"Quarter 4"}).font(Font::title()), // the same line in another font
                                 Text(Verbatim{"Two lines\nof text"}).foregroundColor(Color::rgb(0.8, 0.1, 0.1)),
                                 Text(Verbatim{"Sales"}).rotationEffect(Angle::degrees(-90)),
                                 Text(Verbatim{"Grown"}).scaleEffect(1.5),
                             })
                          .padding(10.4);
    ViewHost host(view, {220, 260});
    host.update();
    for (double scale : {1.0, 2.0}) {
        SCOPED_TRACE("scale " + std::to_string(scale));
        const QImage expected = drawnByQt(host, scale);
        EXPECT_EQ(worstDifference(host.renderImage(scale), expected), 0) << "laid out afresh";
        EXPECT_EQ(worstDifference(host.renderImage(scale), expected), 0) << "from the glyphs kept";
    }
}
