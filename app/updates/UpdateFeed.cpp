#include "app/updates/UpdateFeed.h"

#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <string_view>

namespace qm {

namespace {

UpdateFeedItem readItem(QXmlStreamReader& xml)
{
    UpdateFeedItem item;
    std::string link;
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == u"enclosure") {
            const auto attributes = xml.attributes();
            for (const auto& attribute : attributes) {
                if (attribute.name() == u"url")
                    item.downloadUrl = attribute.value().toString().trimmed().toStdString();
                else if (attribute.name() == u"version" && item.version.empty())
                    item.version = attribute.value().toString().trimmed().toStdString();
            }
            xml.skipCurrentElement();
        } else if (name == u"version") {
            item.version = xml.readElementText().trimmed().toStdString();
        } else if (name == u"title") {
            item.title = xml.readElementText().trimmed().toStdString();
        } else if (name == u"link") {
            link = xml.readElementText().trimmed().toStdString();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (item.downloadUrl.empty())
        item.downloadUrl = link;
    return item;
}

} // namespace

std::optional<std::vector<UpdateFeedItem>> parseUpdateFeed(const QByteArray& document, std::string* error)
{
    QXmlStreamReader xml(document);
    std::vector<UpdateFeedItem> items;
    bool sawRss = false;
    if (xml.readNextStartElement() && xml.name() == u"rss") {
        sawRss = true;
        while (xml.readNextStartElement()) {
            if (xml.name() != u"channel") {
                xml.skipCurrentElement();
                continue;
            }
            while (xml.readNextStartElement()) {
                if (xml.name() == u"item") {
                    UpdateFeedItem item = readItem(xml);
                    if (!item.version.empty())
                        items.push_back(std::move(item));
                } else {
                    xml.skipCurrentElement();
                }
            }
        }
    }
    if (xml.hasError() || !sawRss) {
        if (error)
            *error = xml.hasError() ? xml.errorString().toStdString()
                                    : std::string("The update feed is not an RSS document.");
        return std::nullopt;
    }
    return items;
}

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Compares runs of digits by their value, however long.
int compareNumbers(std::string_view a, std::string_view b)
{
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return sign(a.compare(b));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The run of digits, or of other characters, at the start of `text`.
std::string_view run(std::string_view text)
{
    const bool digits = isDigit(text.front());
    std::size_t end = 1;
    while (end < text.size() && isDigit(text[end]) == digits)
        ++end;
    return text.substr(0, end);
}

// One component ("10", "0rc2"): its runs in turn, digits by value, other
// text by its bytes, digits before other text, fewer runs first.
int compareComponents(std::string_view a, std::string_view b)
{
    while (!a.empty() && !b.empty()) {
        const std::string_view ra = run(a), rb = run(b);
        const bool na = isDigit(ra.front()), nb = isDigit(rb.front());
        if (const int c = na != nb ? (na ? -1 : 1) : na ? compareNumbers(ra, rb) : sign(ra.compare(rb)); c != 0)
            return c;
        a.remove_prefix(ra.size());
        b.remove_prefix(rb.size());
    }
    return a.empty() == b.empty() ? 0 : a.empty() ? -1 : 1;
}

// Dotted components in turn, a missing one counting as "0".
int compareComponentLists(std::string_view a, std::string_view b)
{
    while (!a.empty() || !b.empty()) {
        const std::size_t da = std::min(a.find('.'), a.size()), db = std::min(b.find('.'), b.size());
        const std::string_view ca = a.empty() ? "0" : a.substr(0, da), cb = b.empty() ? "0" : b.substr(0, db);
        if (const int c = compareComponents(ca, cb); c != 0)
            return c;
        a.remove_prefix(std::min(da + 1, a.size()));
        b.remove_prefix(std::min(db + 1, b.size()));
    }
    return 0;
}

} // namespace

int compareVersions(const std::string& a, const std::string& b)
{
    const std::size_t da = std::min(a.find('-'), a.size()), db = std::min(b.find('-'), b.size());
    if (const int c = compareComponentLists(std::string_view(a).substr(0, da), std::string_view(b).substr(0, db));
        c != 0)
        return c;
    // A pre-release comes before its release.
    const bool preA = da < a.size(), preB = db < b.size();
    if (preA != preB)
        return preA ? -1 : 1;
    return preA ? compareComponentLists(std::string_view(a).substr(da + 1), std::string_view(b).substr(db + 1)) : 0;
}

std::optional<QUrl> offeredDownloadLink(const std::string& link, const QUrl& feedUrl)
{
    const QUrl url(QString::fromStdString(link), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https" && !url.host().isEmpty())
        return url;
    if (scheme == u"file" && feedUrl.isLocalFile() && url.isLocalFile())
        return url;
    return std::nullopt;
}

std::optional<UpdateFeedItem> newestUpdate(const std::vector<UpdateFeedItem>& items, const std::string& current)
{
    std::optional<UpdateFeedItem> best;
    for (const auto& item : items) {
        if (compareVersions(item.version, current) > 0 && (!best || compareVersions(item.version, best->version) > 0))
            best = item;
    }
    return best;
}

} // namespace qm
