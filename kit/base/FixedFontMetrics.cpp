#include "kit/base/FixedFontMetrics.h"

#include <QString>
#include <QTextBoundaryFinder>

namespace kit {

double FixedFontMetrics::advance(const Font& font, std::string_view text) const
{
    const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    int clusters = 0;
    while (finder.toNextBoundary() > 0)
        ++clusters;
    return 0.6 * font.size() * clusters;
}

} // namespace kit
