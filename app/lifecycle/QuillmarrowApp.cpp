#include "app/lifecycle/QuillmarrowApp.h"

#include "app/instance/SingleInstance.h"
#include "app/lifecycle/ApplicationIcon.h"
#include "app/lifecycle/ApplicationStrings.h"
#include "app/lifecycle/CommandLine.h"
#include "app/lifecycle/CounterOutputPolicy.h"
#include "app/lifecycle/QtTranslations.h"
#include "app/lifecycle/TerminationSignals.h"
#include "app/opening/ProjectOpening.h"
#include "app/paths/LocalPath.h"
#include "app/screens/ContentView.h"
#include "app/testing/TestHooks.h"
#include "app/updates/CheckForUpdatesMenuItem.h"
#include "core/Output.h"
#include "core/Project.h"
#include "kit/base/MainQueue.h"
#include "kit/ui/PaintingThreads.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QThread>

#include <algorithm>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

// `text` with the first `key` underlined as its mnemonic (Alt and the key).
QString mnemonic(const QString& text, QChar key)
{
    QString marked = text;
    const qsizetype at = marked.indexOf(key);
    if (at >= 0)
        marked.insert(at, u'&');
    return marked;
}

// Whether standard error and standard output are the same open file.
bool errorsGoWithOutput()
{
    struct stat output {};
    struct stat errors {};
    return ::fstat(STDOUT_FILENO, &output) == 0 && ::fstat(STDERR_FILENO, &errors) == 0 &&
           output.st_dev == errors.st_dev && output.st_ino == errors.st_ino;
}

} // namespace

QuillmarrowApp::QuillmarrowApp() : appDelegate_(std::make_unique<AppDelegate>())
{
    installApplicationStrings();
}

QSize QuillmarrowApp::firstWindowSize(QSize wanted, QSize available)
{
    return wanted.boundedTo(available * 0.9);
}

QuillmarrowApp::~QuillmarrowApp() = default;

void QuillmarrowApp::launch(const QByteArrayList& paths)
{
    // The folders given start counting now, while the window is built; the
    // opening below takes their counters over.
    QList<QUrl> urls;
    for (const QByteArray& path : paths)
        urls << fileUrl(path);
    startCountsAheadFromURLs(urls);
    window_ = std::make_unique<QMainWindow>();
    window_->setWindowTitle(QString());
    window_->setCentralWidget(new ContentView);
    buildCommands(*window_);
    const QScreen* screen = window_->screen();
    const QSize wanted = window_->sizeHint().expandedTo(QSize(1000, 700));
    window_->resize(screen ? firstWindowSize(wanted, screen->availableGeometry().size()) : wanted);
    // Closing the window ends the application (see AppDelegate::windowShouldClose).
    QGuiApplication::setQuitOnLastWindowClosed(true);
    window_->show();
    appDelegate_->applicationDidFinishLaunching();
    if (!urls.isEmpty()) {
        appDelegate_->openURLs(urls);
        // Once the opening is done, no counter it did not take over runs on.
        kit::MainQueue::async([] { Project::endCountsStartedAhead(); });
    }
}

void QuillmarrowApp::buildCommands(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    bar->clear();
    AppDelegate* delegate = appDelegate_.get();

    QMenu* appMenu = bar->addMenu(mnemonic(QStringLiteral("Quillmarrow"), u'Q'));
    QAction* about = appMenu->addAction(mnemonic(QStringLiteral("About Quillmarrow"), u'A'), &window, [&window] {
        QMessageBox::about(&window, QStringLiteral("About Quillmarrow"),
                           QStringLiteral("Quillmarrow %1\nCounts the lines of code of your projects.")
                               .arg(QString::fromStdString(Updater::applicationVersion())));
    });
    about->setMenuRole(QAction::AboutRole);
    appMenu->addSeparator();
    Updater& updater = delegate->updaterController->updater();
    auto* updates = new CheckForUpdatesMenuItem(std::make_shared<CheckForUpdatesViewModel>(updater), updater, appMenu);
    updates->setText(mnemonic(CheckForUpdatesMenuItem::title, u'U'));
    appMenu->addAction(updates);
    appMenu->addSeparator();
    QAction* quit = appMenu->addAction(mnemonic(QStringLiteral("Quit Quillmarrow"), u'Q'), qApp,
                                       [] { QCoreApplication::exit(0); });
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::ApplicationShortcut);
    quit->setMenuRole(QAction::QuitRole);

    // The "+" button's action, where the keyboard and the menu reach it.
    QMenu* file = bar->addMenu(mnemonic(QStringLiteral("File"), u'F'));
    QAction* open = file->addAction(mnemonic(QStringLiteral("Open\u2026"), u'O'), &window, [&window] {
        if (auto* content = window.findChild<ContentView*>())
            content->add();
    });
    open->setShortcut(QKeySequence::Open);
    open->setShortcutContext(Qt::WindowShortcut);
    file->addSeparator();
    QAction* close = file->addAction(mnemonic(QStringLiteral("Close Window"), u'C'), &window,
                                     [&window] { window.close(); });
    close->setShortcut(QKeySequence::Close);

    QMenu* view = bar->addMenu(mnemonic(QStringLiteral("View"), u'V'));
    QAction* sidebar = view->addAction(mnemonic(QStringLiteral("Toggle Sidebar"), u'S'), &window, [&window] {
        if (auto* content = window.findChild<ContentView*>())
            content->toggleSidebar();
    });
    sidebar->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));

    QMenu* help = bar->addMenu(mnemonic(QStringLiteral("Help"), u'H'));
    help->addAction(mnemonic(QStringLiteral("Contact Support"), u'C'), delegate,
                    [delegate] { delegate->sendSupportEmail(); });

    // F10 opens the first menu, as on the desktops whose toolkits do it themselves.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    QObject::connect(menuKey, &QShortcut::activated, bar, [bar] {
        if (!bar->actions().isEmpty())
            bar->setActiveAction(bar->actions().first());
    });
}

int QuillmarrowApp::main(int argc, char* argv[])
{
    // --help, --version and an unknown option are answered at once, before
    // there is a window, a display or a running instance to hand them to.
    if (const std::optional<int> status = CommandLine::answerBeforeStart(argc, argv))
        return *status;
    // Qt's raster engine cuts a large fill into pieces for the global thread
    // pool, waking a pool thread per piece, and waits for them all. Its
    // threads are started now, before anything else takes the threads the
    // user may have, and kept: painting never waits on a thread that could
    // not be started. Two of them: the splash screen's blobs are repainted
    // on every frame while the first count runs, when the counter keeps
    // every core busy; with a pool thread per core, those wake-ups cost as
    // much again as the painting, and each one takes a core from the counter.
    // Two keep most of the gain of painting in pieces.
    const kit::PaintingThreads painting = kit::holdPaintingThreads(std::min(2, QThread::idealThreadCount()));
    if (painting.held == 0 || painting.lost) {
        std::cerr << "Quillmarrow cannot start: no thread can be started to paint its window (the limit on this "
                     "user's processes and threads is reached)."
                  << std::endl;
        return 1;
    }
    QApplication application(argc, argv);
    const CommandLine line = CommandLine::parse(argc, argv);
    if (!line.error.isEmpty())
        return CommandLine::refuse(line.error); // one of Qt's options that this platform leaves
    setCounterOutputPrinted(printsCounterOutput());
    QApplication::setApplicationName(QStringLiteral("Quillmarrow"));
    QApplication::setApplicationVersion(QString::fromStdString(Updater::applicationVersion()));
    // The open dialog and message boxes speak the user's language, as other Qt applications do.
    installQtTranslations();
    // The desktop matches the windows with the entry of this id (its name and icon in docks and task
    // switchers); where a window shows an icon of its own, it is this one.
    QGuiApplication::setDesktopFileName(QStringLiteral(QM_APP_ID));
    QApplication::setWindowIcon(applicationIcon(kit::Bundle::main(), QStringLiteral(QM_APP_ID)));

    // The paths as the bytes the system gave (Qt has taken its own options
    // out of argv): a name need not be UTF-8. Made absolute here, since the
    // running instance they may go to works in another folder.
    const QByteArray here = workingFolder();
    QByteArrayList paths;
    for (const QByteArray& path : line.paths)
        paths << absolutePath(path, here);

    // A launch whose paths the running instance takes ends at once, naming
    // on standard error each path that does not exist, and telling whether
    // there was one; one whose paths it does not take (it answers no more
    // hand-offs, or not at all) opens them in a window of its own, without
    // listening for later launches.
    const auto nameMissingPaths = [&paths] {
        int status = 0;
        for (const QByteArray& path : paths) {
            if (!existsOnDisk(path)) {
                std::cerr << "File/folder does not exist: " << path.toStdString() << std::endl;
                status = 1;
            }
        }
        return status;
    };
    SingleInstance instance;
    if (instance.handOff(paths))
        return nameMissingPaths();
    const bool listening = instance.listen();
    if (!listening && instance.handOff(paths))
        return nameMissingPaths(); // another instance started at the same moment
    // Opened here, a missing path is named on standard output as it is
    // skipped; standard error names it too, unless both lead to the same
    // place (a terminal, a session's log), where once is enough.
    if (!errorsGoWithOutput())
        nameMissingPaths();

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
