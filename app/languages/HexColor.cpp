#include "app/languages/HexColor.h"

#include "kit/base/HexDigit.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <cstdint>

namespace qm {

namespace {

bool isAlphanumeric(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

QString trimmedToAlphanumerics(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && !isAlphanumeric(text[begin]))
        ++begin;
    while (end > begin && !isAlphanumeric(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

qsizetype characterCount(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

int hexDigit(QChar c)
{
    return kit::hexDigit(c.unicode());
}

// Scans leading hexadecimal digits (after an optional "0x"), stopping at the
// first other character; saturates instead of overflowing.
std::uint64_t scanHex(const QString& text)
{
    qsizetype i = 0;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X') && hexDigit(text[2]) >= 0)
        i = 2;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            break;
        if (value > (UINT64_MAX >> 4))
            value = UINT64_MAX;
        else
            value = (value << 4) | std::uint64_t(digit);
    }
    return value;
}

} // namespace

HexComponents hexComponents(const std::string& text)
{
    const QString trimmed = trimmedToAlphanumerics(QString::fromStdString(text));
    const std::uint64_t v = scanHex(trimmed);
    std::uint64_t a = 1, r = 1, g = 1, b = 0;
    switch (characterCount(trimmed)) {
    case 3:
        a = 255;
        r = (v >> 8) * 17;
        g = ((v >> 4) & 0xF) * 17;
        b = (v & 0xF) * 17;
        break;
    case 6:
        a = 255;
        r = v >> 16;
        g = (v >> 8) & 0xFF;
        b = v & 0xFF;
        break;
    case 8:
        a = v >> 24;
        r = (v >> 16) & 0xFF;
        g = (v >> 8) & 0xFF;
        b = v & 0xFF;
        break;
    default:
        break;
    }
    return {double(r) / 255.0, double(g) / 255.0, double(b) / 255.0, double(a) / 255.0};
}

} // namespace qm

namespace qm {

kit::Color hexColor(std::string text)
{
    const HexComponents c = hexComponents(text);
    return kit::Color::rgb(c.red, c.green, c.blue, c.opacity);
}

QColor hexQColor(const std::string& text)
{
    const HexComponents c = hexComponents(text);
    return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.opacity));
}

} // namespace qm
