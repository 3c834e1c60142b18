#include "app/AppDelegate.h"

#include "app/ProjectOpening.h"
#include "app/SupportMail.h"
#include "kit/base/MainQueue.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QMainWindow>

namespace qm {

AppDelegate::AppDelegate()
    : updaterController(std::make_unique<UpdaterController>(true))
    , addProjects(addProjectsFromURLs)
{
    qApp->installEventFilter(this);
}

AppDelegate::~AppDelegate()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

QList<QWidget*> AppDelegate::applicationWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget))
            windows << widget;
    }
    return windows;
}

void AppDelegate::hideApplication()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->isWindow())
            widget->hide();
    }
}

void AppDelegate::activateApplication()
{
    const auto windows = applicationWindows();
    if (windows.isEmpty())
        return;
    QWidget* first = windows.first();
    first->setWindowState(first->windowState() & ~Qt::WindowMinimized);
    first->show();
    first->raise();
    first->activateWindow();
}

void AppDelegate::applicationDidFinishLaunching()
{
    kit::MainQueue::async([self = QPointer<AppDelegate>(this)] {
        if (!self)
            return;
        const auto windows = applicationWindows();
        if (windows.isEmpty())
            return;
        if (self->window)
            self->window->removeEventFilter(self);
        self->window = windows.first();
        self->window->installEventFilter(self);
    });
}

bool AppDelegate::windowShouldClose(QWidget*)
{
    hideApplication();
    return false;
}

bool AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows)
{
    if (hasVisibleWindows)
        return true;
    if (applicationWindows().isEmpty())
        return true;
    activateApplication();
    return false;
}

void AppDelegate::openURLs(const QList<QUrl>& urls)
{
    handleOpenedURLs(urls);
}

bool AppDelegate::openFile(const QString& path)
{
    handleOpenedURLs({QUrl::fromLocalFile(path)});
    return QFileInfo::exists(path);
}

void AppDelegate::openFiles(const QStringList& paths, const std::function<void(bool)>& reply)
{
    QList<QUrl> urls;
    bool allExist = true;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
        allExist = allExist && QFileInfo::exists(path);
    }
    handleOpenedURLs(urls);
    if (reply)
        reply(allExist);
}

void AppDelegate::handleOpenedURLs(const QList<QUrl>& urls)
{
    activateApplication();
    kit::MainQueue::async([self = QPointer<AppDelegate>(this), urls] {
        if (self && self->addProjects)
            self->addProjects(urls);
    });
}

void AppDelegate::handleRelaunch(const QStringList& paths)
{
    if (!paths.isEmpty()) {
        openFiles(paths);
        return;
    }
    bool anyVisible = false;
    for (QWidget* window : applicationWindows())
        anyVisible = anyVisible || window->isVisible();
    // With a visible window the usual reopening applies: bring it forward.
    if (applicationShouldHandleReopen(anyVisible) && anyVisible)
        activateApplication();
}

void AppDelegate::sendSupportEmail(const std::optional<std::string>& subject)
{
    const QString name = QApplication::applicationName();
    const std::string appName = supportAppName(name.isEmpty() ? std::nullopt : std::optional<std::string>(name.toStdString()));
    const QUrl url(QString::fromStdString(supportMailLink(supportEmailAddress(), appName, subject)), QUrl::StrictMode);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && window && watched == window.data()) {
        if (!windowShouldClose(window)) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FileOpen && watched == qApp) {
        auto* open = static_cast<QFileOpenEvent*>(event);
        if (!open->file().isEmpty())
            openFile(open->file());
        else
            openURLs({open->url()});
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qm
