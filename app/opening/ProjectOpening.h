#pragma once

#include <QList>
#include <QUrl>

#include <optional>

class QDropEvent;
class QDragEnterEvent;
class QMimeData;

namespace qm {

// Hands URLs to the shared project manager. Only local file URLs are taken,
// their paths as the bytes they carry; any other URL is reported and skipped
// (its path is never taken as a local path).
void addProjectsFromURLs(const QList<QUrl>& urls);

// Starts the counts that addProjectsFromURLs(urls) will ask for, now (see
// ProjectManager::startCountsAhead); says nothing of any URL.
void startCountsAheadFromURLs(const QList<QUrl>& urls);

// The first dropped item when it is a local file URL; nothing otherwise.
std::optional<QUrl> firstDroppedFileURL(const QMimeData* data);

// Accepts a drag that carries URLs as a copy (never a move).
bool acceptFileDrag(QDropEvent* event);

// A drop: the first item, when usable, is added on a later turn of the main
// queue so the drag source is never held up. The drop is always accepted.
void handleFileDrop(QDropEvent* event);

} // namespace qm
