#include "kit/base/Font.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace kit {

namespace {

struct StyleSpec {
    double size;
    Font::Weight weight;
};

StyleSpec spec(Font::TextStyle style)
{
    using S = Font::TextStyle;
    using W = Font::Weight;
    switch (style) {
    case S::largeTitle:
        return {26, W::regular};
    case S::title:
        return {22, W::regular};
    case S::title2:
        return {17, W::regular};
    case S::title3:
        return {15, W::regular};
    case S::headline:
        return {13, W::bold};
    case S::subheadline:
        return {11, W::regular};
    case S::body:
        return {13, W::regular};
    case S::callout:
        return {12, W::regular};
    case S::footnote:
        return {10, W::regular};
    case S::caption:
        return {10, W::regular};
    case S::caption2:
        return {10, W::medium};
    }
    return {13, W::regular};
}

} // namespace

Font Font::system(double size, Weight weight, Design design)
{
    Font f(std::nullopt);
    f.size_ = size;
    f.weight_ = weight;
    f.design_ = design;
    return f;
}

Font Font::system(TextStyle style, Design design)
{
    Font f(style);
    f.design_ = design;
    return f;
}

Font Font::weight(Weight w) const
{
    Font f = *this;
    f.weight_ = w;
    return f;
}

Font Font::italic() const
{
    Font f = *this;
    f.italic_ = true;
    return f;
}

Font Font::monospacedDigit() const
{
    Font f = *this;
    f.monospacedDigit_ = true;
    return f;
}

double Font::size() const
{
    return style_ ? spec(*style_).size : size_;
}

Font::Weight Font::resolvedWeight() const
{
    if (weight_)
        return *weight_;
    return style_ ? spec(*style_).weight : Weight::regular;
}

QFont Font::toQFont(double dpiY) const
{
    QFont font = design_ == Design::monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                               : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (design_ == Design::serif) {
        font.setStyleHint(QFont::Serif);
        font.setFamily(QString());
        font.setFamilies(QStringList{QStringLiteral("serif")});
    }
    font.setPointSizeF(size() * 72.0 / (dpiY > 0 ? dpiY : 96.0));
    font.setWeight(static_cast<QFont::Weight>(static_cast<int>(resolvedWeight())));
    font.setItalic(italic_);
    return font;
}

} // namespace kit
