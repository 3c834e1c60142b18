#include "app/DisplayText.h"

namespace qm {

namespace {

bool breaksLines(char16_t c)
{
    switch (c) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}

} // namespace

QString displayText(std::string_view bytes)
{
    QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    for (QChar& c : text) {
        if (breaksLines(c.unicode()))
            c = QChar(0x21B5);
        else if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7F)
            c = QChar(0x2421);
    }
    return text;
}

} // namespace qm
