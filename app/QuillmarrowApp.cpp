#include "app/QuillmarrowApp.h"

#include "app/CheckForUpdatesMenuItem.h"
#include "app/ContentView.h"
#include "app/SingleInstance.h"
#include "app/TestHooks.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>

#include <iostream>

namespace qm {

QuillmarrowApp::QuillmarrowApp()
    : appDelegate_(std::make_unique<AppDelegate>())
{
}

QuillmarrowApp::~QuillmarrowApp() = default;

void QuillmarrowApp::launch(const QStringList& paths)
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
    appMenu->addAction(new CheckForUpdatesMenuItem(std::make_shared<CheckForUpdatesViewModel>(updater), updater, appMenu));
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

    QStringList paths = QApplication::arguments();
    paths.removeFirst();

    // A launch that hands its paths to the running instance ends at once,
    // telling whether every path exists.
    int handOffStatus = 0;
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) {
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

    installTestHooks();
    QuillmarrowApp app;
    QObject::connect(&instance, &SingleInstance::pathsReceived, &app.appDelegate(), &AppDelegate::handleRelaunch);
    app.launch(paths);
    return application.exec();
}

} // namespace qm
