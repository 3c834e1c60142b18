#pragma once

#include "app/updates/UpdaterController.h"

#include <QByteArrayList>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qm {

// The application's delegate: owns the updater, adopts the main window,
// brings the window back when the application is reopened, and hands files
// and folders opened from outside (another launch, a file manager, the
// command line) to the project manager.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    AppDelegate();
    ~AppDelegate() override;

    // The window adopted at launch; the delegate answers its close requests.
    QPointer<QWidget> window;
    std::unique_ptr<UpdaterController> updaterController;

    void applicationDidFinishLaunching();
    // Closing the window closes it, and with the last window the
    // application quits: with no Dock to come back through, a hidden
    // application would run on unseen, holding its single-instance socket.
    bool windowShouldClose(QWidget* sender);
    bool applicationShouldHandleReopen(bool hasVisibleWindows);

    // Open requests from outside. Paths are the bytes the system gave.
    // Every path is handed over (the project manager reports missing ones);
    // success is reported only when the paths exist.
    void openURLs(const QList<QUrl>& urls);
    bool openFile(const QByteArray& path);
    void openFiles(const QList<QByteArray>& paths, const std::function<void(bool success)>& reply = {});
    void handleOpenedURLs(const QList<QUrl>& urls);

    // A later launch asked for these paths (none: just show the window).
    void handleRelaunch(const QList<QByteArray>& paths);

    // Writes a support mail with the desktop's mail program. Without one, a
    // message gives the support address, selectable so it can be copied.
    void sendSupportEmail(const std::optional<std::string>& subject = std::nullopt);

    // The application's windows, hidden ones included, in creation order.
    static QList<QWidget*> applicationWindows();
    static void activateApplication();

    // Where opened URLs end up; the project manager unless replaced (tests).
    std::function<void(const QList<QUrl>&)> addProjects;
    // Hands a link to the desktop; false when nothing could open it.
    std::function<bool(const QUrl&)> openUrl;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qm
