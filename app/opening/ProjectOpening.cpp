#include "app/opening/ProjectOpening.h"

#include "app/paths/LocalPath.h"
#include "core/Output.h"
#include "core/ProjectManager.h"
#include "kit/base/MainQueue.h"

#include <QDropEvent>
#include <QMimeData>

#include <functional>
#include <vector>

namespace qm {

namespace {

// The local files and folders among `urls`, as the project manager takes
// them; `skipped` hears of every other URL.
std::vector<kit::Url> localFiles(const QList<QUrl>& urls, const std::function<void(const QUrl&)>& skipped = {})
{
    std::vector<kit::Url> files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            files.push_back(kit::Url::fileURL(localPath(url).toStdString()));
        else if (skipped)
            skipped(url);
    }
    return files;
}

} // namespace

void addProjectsFromURLs(const QList<QUrl>& urls)
{
    ProjectManager::shared()->addProjects(localFiles(urls, [](const QUrl& url) {
        printLine("Not a local file or folder: " + url.toString().toStdString());
    }));
}

void startCountsAheadFromURLs(const QList<QUrl>& urls)
{
    ProjectManager::shared()->startCountsAhead(localFiles(urls));
}

std::optional<QUrl> firstDroppedFileURL(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return std::nullopt;
    return urls.first();
}

bool acceptFileDrag(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls() || !(event->possibleActions() & Qt::CopyAction))
        return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void handleFileDrop(QDropEvent* event)
{
    const std::optional<QUrl> url = firstDroppedFileURL(event->mimeData());
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    event->accept();
    if (url)
        kit::MainQueue::async([url = *url] { addProjectsFromURLs({url}); });
}

} // namespace qm
