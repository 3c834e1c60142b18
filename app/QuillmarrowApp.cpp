#include "app/QuillmarrowApp.h"

#include "app/ApplicationIcon.h"
#include "app/CheckForUpdatesMenuItem.h"
#include "app/ContentView.h"
#include "app/LocalPath.h"
#include "app/QtTranslations.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "app/TestHooks.h"
#include "core/Project.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <iostream>

namespace qm {

QuillmarrowApp::QuillmarrowApp() : appDelegate_(std::make_unique<AppDelegate>()) {}

QuillmarrowApp::~QuillmarrowApp() = default;

void QuillmarrowApp::launch(const QByteArrayList& paths)
{
    window_ = std::make_unique<QMainWindow>();
    window_->setWindowTitle(QString());
    window_->setCentralWidget(new ContentView);
    buildCommands(*window_);
    window_->resize(window_->sizeHint().expandedTo(QSize(1000, 700)));
    window_->show();
    appDelegate_->applicationDidFinishLaunching();
    if (!paths.isEmpty())
        appDelegate_->openFiles(paths);
}

void QuillmarrowApp::buildCommands(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    bar->clear();
    AppDelegate* delegate = appDelegate_.get();

    QMenu* appMenu = bar->addMenu(QStringLiteral("Quillmarrow"));
    QAction* about = appMenu->addAction(QStringLiteral("About Quillmarrow"), &window, [&window] {
        QMessageBox::about(&window, QStringLiteral("About Quillmarrow"),
                           QStringLiteral("Quillmarrow %1\nCounts the lines of code of your projects.")
                               .arg(QString::fromStdString(Updater::applicationVersion())));
    });
    about->setMenuRole(QAction::AboutRole);
    appMenu->addSeparator();
    Updater& updater = delegate->updaterController->updater();
    appMenu->addAction(
        new CheckForUpdatesMenuItem(std::make_shared<CheckForUpdatesViewModel>(updater), updater, appMenu));
    appMenu->addSeparator();
    QAction* quit = appMenu->addAction(QStringLiteral("Quit Quillmarrow"), qApp, [] { QCoreApplication::exit(0); });
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::ApplicationShortcut);
    quit->setMenuRole(QAction::QuitRole);

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    QAction* close = file->addAction(QStringLiteral("Close Window"), &window, [&window] { window.close(); });
    close->setShortcut(QKeySequence::Close);

    QMenu* view = bar->addMenu(QStringLiteral("View"));
    QAction* sidebar = view->addAction(QStringLiteral("Toggle Sidebar"), &window, [&window] {
        if (auto* content = window.findChild<ContentView*>())
            content->toggleSidebar();
    });
    sidebar->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("Contact Support"), delegate, [delegate] { delegate->sendSupportEmail(); });
}

int QuillmarrowApp::main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmarrow"));
    QApplication::setApplicationVersion(QString::fromStdString(Updater::applicationVersion()));
    QApplication::setQuitOnLastWindowClosed(false);
    // The open dialog and message boxes speak the user's language, as other Qt applications do.
    installQtTranslations();
    // Qt's raster engine cuts a large fill into pieces for the global thread
    // pool, waking a pool thread per piece. The splash screen's blobs are
    // repainted on every frame while the first count runs, when the counter
    // keeps every core busy: with a pool thread per core, those wake-ups cost
    // as much again as the painting, and each one takes a core from the
    // counter. Two pool threads keep most of the gain of painting in pieces.
    QThreadPool::globalInstance()->setMaxThreadCount(std::min(2, QThread::idealThreadCount()));
    // The desktop matches the windows with the entry of this id (its name and icon in docks and task
    // switchers); where a window shows an icon of its own, it is this one.
    QGuiApplication::setDesktopFileName(QStringLiteral(QM_APP_ID));
    QApplication::setWindowIcon(applicationIcon(kit::Bundle::main(), QStringLiteral(QM_APP_ID)));

    // The paths as the bytes the system gave (Qt has taken its own options
    // out of argv): a name need not be UTF-8. Made absolute here, since the
    // running instance they may go to works in another folder.
    const QByteArray here = workingFolder();
    QByteArrayList paths;
    for (int i = 1; i < argc; ++i)
        paths << absolutePath(QByteArray(argv[i]), here);

    // A launch that hands its paths to the running instance ends at once,
    // telling whether every path exists.
    int handOffStatus = 0;
    for (const QByteArray& path : paths) {
        if (!existsOnDisk(path)) {
            std::cerr << "File/folder does not exist: " << path.toStdString() << std::endl;
            handOffStatus = 1;
        }
    }
    SingleInstance instance;
    if (instance.handOff(paths))
        return handOffStatus;
    const bool listening = instance.listen();
    if (!listening && instance.handOff(paths))
        return handOffStatus; // another instance started at the same moment

    quitOnTerminationSignals();
    installTestHooks();
    QuillmarrowApp app;
    QObject::connect(&instance, &SingleInstance::pathsReceived, &app.appDelegate(), &AppDelegate::handleRelaunch);
    app.launch(paths);
    const int status = application.exec();
    // Quitting during a count ends its counter; nothing is left running.
    Project::endAllCounts();
    return status;
}

} // namespace qm
