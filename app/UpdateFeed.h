#pragma once

#include <QByteArray>

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

// Compares dotted version texts component by component: numeric parts
// numerically, a missing part counts as 0, other parts as text.
// Returns <0, 0 or >0.
int compareVersions(const std::string& a, const std::string& b);

// The item with the highest version, if any is newer than `current`.
std::optional<UpdateFeedItem> newestUpdate(const std::vector<UpdateFeedItem>& items, const std::string& current);

} // namespace qm
