#include "app/DisplayText.h"

namespace qm {

QString displayText(std::string_view bytes)
{
    QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7F)
            c = QChar(0x2421);
    }
    return text;
}

} // namespace qm
