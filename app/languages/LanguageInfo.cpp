#include "app/languages/LanguageInfo.h"

#include "app/languages/HexColor.h"
#include "core/LanguageResources.h"

#include <QPainter>
#include <QPixmap>

namespace qm {

std::string languageColorText(const std::string& name)
{
    const auto spec = langSpecs().find(name);
    if (spec == langSpecs().end())
        return "#DDDDDD";
    const auto color = spec->second.find("color");
    return color == spec->second.end() ? std::string("#DDDDDD") : color->second;
}

QColor languageColor(const std::string& name)
{
    return hexQColor(languageColorText(name));
}

QIcon languageDot(const std::string& name)
{
    QPixmap dot(20, 20);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(languageColor(name));
    painter.drawEllipse(QRectF(4, 4, 12, 12));
    return QIcon(dot);
}

std::string supportedContents(const std::string& name)
{
    for (const auto& element : supportedLanguages()) {
        if (element->lang != name)
            continue;
        std::string joined;
        for (std::size_t i = 0; i < element->supported.size(); ++i)
            joined += (i ? ", " : "") + element->supported[i]->content;
        return joined;
    }
    return {};
}

} // namespace qm
