#include "app/lifecycle/AppDelegate.h"

#include "app/opening/ProjectOpening.h"
#include "app/paths/LocalPath.h"
#include "app/support/SupportMail.h"
#include "kit/base/MainQueue.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileOpenEvent>
#include <QMainWindow>
#include <QMessageBox>

namespace qm {

AppDelegate::AppDelegate()
    : updaterController(std::make_unique<UpdaterController>(true)), addProjects(addProjectsFromURLs),
      openUrl(QDesktopServices::openUrl)
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
    return true;
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

bool AppDelegate::openFile(const QByteArray& path)
{
    handleOpenedURLs({fileUrl(path)});
    return existsOnDisk(path);
}

void AppDelegate::openFiles(const QList<QByteArray>& paths, const std::function<void(bool)>& reply)
{
    QList<QUrl> urls;
    bool allExist = true;
    for (const QByteArray& path : paths) {
        urls << fileUrl(path);
        allExist = allExist && existsOnDisk(path);
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

void AppDelegate::handleRelaunch(const QList<QByteArray>& paths)
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
    const std::string appName = supportAppName(name.isEmpty() ? std::nullopt
                                                              : std::optional<std::string>(name.toStdString()));
    const QUrl url(QString::fromStdString(supportMailLink(supportEmailAddress(), appName, subject)), QUrl::StrictMode);
    if (url.isValid() && openUrl && openUrl(url))
        return;
    // No mail program, or no link: the user still gets the address.
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Contact Support"),
                                QStringLiteral("No mail program could be opened. Please write to %1.")
                                    .arg(QString::fromStdString(supportEmailAddress())),
                                QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("supportAddress"));
    box->setTextFormat(Qt::PlainText); // an address is never markup
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
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
        if (open->url().isLocalFile())
            openURLs({open->url()});
        else if (!open->file().isEmpty())
            openFile(QFile::encodeName(open->file()));
        else
            openURLs({open->url()});
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qm
