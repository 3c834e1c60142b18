#include "kit/base/FontMetrics.h"

#include "kit/base/FixedFontMetrics.h"
#include "kit/base/QtFontMetrics.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <limits>

namespace kit {

namespace {

const std::string kEllipsis = "\u2026";

// The grapheme clusters of a UTF-8 text, each as UTF-8.
std::vector<std::string> clusters(std::string_view text)
{
    const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    std::vector<std::string> result;
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
        result.push_back(s.mid(start, end - start).toStdString());
        start = end;
    }
    return result;
}

std::string join(const std::vector<std::string>& parts, std::size_t from, std::size_t to)
{
    std::string s;
    for (std::size_t i = from; i < to; ++i)
        s += parts[i];
    return s;
}

std::string trimTrailingSpaces(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::vector<std::string> splitParagraphs(std::string_view text)
{
    std::vector<std::string> paragraphs;
    std::size_t start = 0;
    for (;;) {
        const std::size_t nl = text.find('\n', start);
        paragraphs.emplace_back(text.substr(start, nl == std::string_view::npos ? text.size() - start : nl - start));
        if (nl == std::string_view::npos)
            break;
        start = nl + 1;
    }
    return paragraphs;
}

std::shared_ptr<const FontMetrics>& sharedMetrics()
{
    static std::shared_ptr<const FontMetrics> metrics = std::make_shared<QtFontMetrics>();
    return metrics;
}

std::uint64_t metricsGeneration = 0;

} // namespace

std::string FontMetrics::elide(const Font& font, std::string_view text, double width, TruncationMode mode) const
{
    if (advance(font, text) <= width)
        return std::string(text);
    const std::vector<std::string> parts = clusters(text);
    const std::size_t n = parts.size();
    auto candidate = [&](std::size_t k) {
        switch (mode) {
        case TruncationMode::tail:
            return join(parts, 0, k) + kEllipsis;
        case TruncationMode::head:
            return kEllipsis + join(parts, n - k, n);
        case TruncationMode::middle:
            return join(parts, 0, k / 2) + kEllipsis + join(parts, n - (k - k / 2), n);
        }
        return kEllipsis;
    };
    std::size_t lo = 0, hi = n; // the largest k whose candidate fits
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (advance(font, candidate(mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return candidate(lo);
}

TextLayout FontMetrics::layout(const Font& font, std::string_view text, std::optional<double> width, int maxLines,
                               TruncationMode truncation) const
{
    TextLayout result;
    result.ascent = ascent(font);
    result.lineHeight = lineHeight(font);

    // Each line remembers where its text starts, for truncation.
    struct Line {
        std::string text;
        std::size_t paragraph;
        std::size_t firstCluster;
    };
    const std::vector<std::string> paragraphs = splitParagraphs(text);
    std::vector<std::vector<std::string>> paragraphClusters;
    std::vector<Line> lines;
    double ideal = 0;
    for (const std::string& p : paragraphs)
        ideal = std::max(ideal, advance(font, p));
    const bool wrap = width && ideal > *width;
    for (std::size_t pi = 0; pi < paragraphs.size(); ++pi) {
        paragraphClusters.push_back(clusters(paragraphs[pi]));
        const auto& parts = paragraphClusters.back();
        if (!wrap) {
            lines.push_back({paragraphs[pi], pi, 0});
            continue;
        }
        // Greedy wrapping after spaces; over-long words break between clusters.
        std::size_t lineStart = 0, i = 0;
        const std::size_t firstLine = lines.size();
        std::string current;
        while (i < parts.size()) {
            std::size_t wordEnd = i;
            while (wordEnd < parts.size() && parts[wordEnd] != " ")
                ++wordEnd;
            std::size_t spacesEnd = wordEnd;
            while (spacesEnd < parts.size() && parts[spacesEnd] == " ")
                ++spacesEnd;
            const std::string word = join(parts, i, wordEnd);
            if (advance(font, current + word) <= *width) {
                current += word + join(parts, wordEnd, spacesEnd);
                i = spacesEnd;
                continue;
            }
            const std::string line = trimTrailingSpaces(current);
            current.clear();
            if (!line.empty()) {
                lines.push_back({line, pi, lineStart});
                lineStart = i;
                continue;
            }
            // The word alone is too wide (spaces before it are dropped): take
            // as many clusters as fit, at least one.
            std::size_t k = i + 1;
            while (k < wordEnd && advance(font, join(parts, i, k + 1)) <= *width)
                ++k;
            lines.push_back({join(parts, i, k), pi, i});
            i = lineStart = k;
        }
        // The rest, if it shows anything; an empty paragraph is one empty line.
        if (const std::string rest = trimTrailingSpaces(current); !rest.empty() || lines.size() == firstLine)
            lines.push_back({rest, pi, lineStart});
    }

    std::size_t limit = maxLines > 0 ? std::size_t(maxLines) : std::numeric_limits<std::size_t>::max();
    limit = std::max<std::size_t>(1, limit);
    if (lines.size() > limit) {
        const Line& last = lines[limit - 1];
        // The rest of the text, from the last kept line on, one line of it.
        std::string rest = join(paragraphClusters[last.paragraph], last.firstCluster,
                                paragraphClusters[last.paragraph].size());
        for (std::size_t p = last.paragraph + 1; p < paragraphs.size(); ++p)
            rest += " " + paragraphs[p];
        lines.resize(limit);
        if (width) {
            lines.back().text = elide(font, rest, *width, truncation);
        } else {
            lines.back().text = truncation == TruncationMode::head ? kEllipsis + lines.back().text
                                                                   : lines.back().text + kEllipsis;
        }
        result.truncated = true;
    }
    for (const Line& line : lines) {
        result.lines.push_back(line.text);
        result.lineWidths.push_back(advance(font, line.text));
        result.width = std::max(result.width, result.lineWidths.back());
    }
    result.height = double(result.lines.size()) * result.lineHeight;
    return result;
}

const FontMetrics& FontMetrics::shared()
{
    return *sharedMetrics();
}

void FontMetrics::setShared(std::shared_ptr<const FontMetrics> metrics)
{
    sharedMetrics() = std::move(metrics);
    ++metricsGeneration;
}

std::uint64_t FontMetrics::generation()
{
    return metricsGeneration;
}

void FontMetrics::useFixed()
{
    setShared(std::make_shared<FixedFontMetrics>());
}

void FontMetrics::useQt()
{
    setShared(std::make_shared<QtFontMetrics>());
}

} // namespace kit
