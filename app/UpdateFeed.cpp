#include "app/UpdateFeed.h"

#include <QStringList>
#include <QXmlStreamReader>

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
            *error = xml.hasError() ? xml.errorString().toStdString() : std::string("The update feed is not an RSS document.");
        return std::nullopt;
    }
    return items;
}

int compareVersions(const std::string& a, const std::string& b)
{
    const QStringList left = QString::fromStdString(a).split(u'.');
    const QStringList right = QString::fromStdString(b).split(u'.');
    const auto count = std::max(left.size(), right.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QString l = i < left.size() ? left[i] : QStringLiteral("0");
        const QString r = i < right.size() ? right[i] : QStringLiteral("0");
        bool lNumeric = false, rNumeric = false;
        const qulonglong ln = l.toULongLong(&lNumeric);
        const qulonglong rn = r.toULongLong(&rNumeric);
        if (lNumeric && rNumeric) {
            if (ln != rn)
                return ln < rn ? -1 : 1;
        } else if (const int c = l.compare(r); c != 0) {
            return c < 0 ? -1 : 1;
        }
    }
    return 0;
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
