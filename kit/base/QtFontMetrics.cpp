#include "kit/base/QtFontMetrics.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <string>
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

// A text in a font, whose advance is kept.
struct MeasuredText {
    Font font;
    std::string text;
    friend bool operator==(const MeasuredText&, const MeasuredText&) = default;
};

struct MeasuredTextHash {
    std::size_t operator()(const MeasuredText& m) const
    {
        std::size_t seed = std::hash<Font>{}(m.font);
        hashCombine(seed, std::hash<std::string>{}(m.text));
        return seed;
    }
};

} // namespace

double QtFontMetrics::ascent(const Font& font) const
{
    return metricsFor(font).ascent();
}
double QtFontMetrics::descent(const Font& font) const
{
    return metricsFor(font).descent();
}
double QtFontMetrics::lineHeight(const Font& font) const
{
    return metricsFor(font).lineSpacing();
}

double QtFontMetrics::advance(const Font& font, std::string_view text) const
{
    // Qt shapes the text anew at each call, which costs far more than
    // looking it up: charts measure the same labels at every update, and
    // layout measures each text several times. The advances measured last
    // are kept, up to a bound; a text's advance in a font never changes.
    constexpr std::size_t keptAdvances = 16384;
    static std::unordered_map<MeasuredText, double, MeasuredTextHash> advances;
    MeasuredText key{font, std::string(text)};
    if (auto it = advances.find(key); it != advances.end())
        return it->second;
    if (advances.size() >= keptAdvances)
        advances.clear();
    const double advance = metricsFor(font).horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
    advances.emplace(std::move(key), advance);
    return advance;
}

} // namespace kit
