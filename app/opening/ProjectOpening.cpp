#include "app/opening/ProjectOpening.h"

#include "app/paths/LocalPath.h"
#include "core/Output.h"
#include "core/ProjectManager.h"
#include "kit/base/MainQueue.h"

#include <QDropEvent>
#include <QMimeData>

namespace qm {

void addProjectsFromURLs(const QList<QUrl>& urls)
{
    std::vector<kit::Url> files;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            printLine("Not a local file or folder: " + url.toString().toStdString());
            continue;
        }
        files.push_back(kit::Url::fileURL(localPath(url).toStdString()));
    }
    ProjectManager::shared()->addProjects(files);
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
