#pragma once

#include <QByteArray>
#include <QUrl>

#include <optional>
#include <string>
#include <vector>

namespace qm {

// One release listed in the update feed.
struct UpdateFeedItem {
    std::string title;
    std::string version;
    std::string downloadUrl;
    bool operator==(const UpdateFeedItem&) const = default;
};

// The update feed is an RSS document; each <item> carries its version (a
// <version> element in any namespace, or a "version" attribute of its
// <enclosure>) and its download link (the enclosure's "url", else <link>).
// Items without a version are skipped. Returns nothing, with a message in
// `error`, when the document is not an RSS feed.
std::optional<std::vector<UpdateFeedItem>> parseUpdateFeed(const QByteArray& document, std::string* error = nullptr);

// Compares version texts, in a total order. The part before the first "-"
// is dotted components compared in turn, a missing one counting as "0";
// within a component, runs of digits compare by value and other text by its
// bytes, digits before text ("1.10" after "1.9", "1.0" before "1.0a"). A
// version with a part after "-" is a pre-release of the version before it
// ("2.0-beta" before "2.0"); pre-releases of one version compare by that
// part, the same way. Returns <0, 0 or >0.
int compareVersions(const std::string& a, const std::string& b);

// The download link of an update, when the application may offer it to
// open: an https address with a host, or, when the feed itself is a local
// file (set at build time), a file. Anything else (a "javascript:",
// "file:", "smb:" or "http:" link from the web, a relative link, text that
// is no URL) is not offered.
std::optional<QUrl> offeredDownloadLink(const std::string& link, const QUrl& feedUrl);

// The item with the highest version, if any is newer than `current`.
std::optional<UpdateFeedItem> newestUpdate(const std::vector<UpdateFeedItem>& items, const std::string& current);

} // namespace qm
