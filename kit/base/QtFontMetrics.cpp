#include "kit/base/QtFontMetrics.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <unordered_map>

namespace kit {

namespace {

double screenDpi()
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (QScreen* screen = app->primaryScreen())
            return screen->logicalDotsPerInchY();
    return 96;
}

const QFontMetricsF& metricsFor(const Font& font)
{
    static std::unordered_map<Font, QFontMetricsF> cache;
    auto it = cache.find(font);
    if (it == cache.end())
        it = cache.emplace(font, QFontMetricsF(font.toQFont(screenDpi()))).first;
    return it->second;
}

} // namespace

double QtFontMetrics::ascent(const Font& font) const { return metricsFor(font).ascent(); }
double QtFontMetrics::descent(const Font& font) const { return metricsFor(font).descent(); }
double QtFontMetrics::lineHeight(const Font& font) const { return metricsFor(font).lineSpacing(); }

double QtFontMetrics::advance(const Font& font, std::string_view text) const
{
    return metricsFor(font).horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

} // namespace kit
