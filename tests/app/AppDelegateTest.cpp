#include "app/lifecycle/AppDelegate.h"
#include "app/instance/SingleInstance.h"
#include "app/lifecycle/QuillmarrowApp.h"
#include "app/paths/LocalPath.h"
#include "app/screens/ContentView.h"
#include "app/support/SupportMail.h"
#include "app/updates/CheckForUpdatesMenuItem.h"

#include "AppTestSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace qm {
namespace {

QByteArrayList paths(const QList<QUrl>& urls)
{
    QByteArrayList out;
    for (const QUrl& url : urls)
        out << localPath(url);
    return out;
}

class AppDelegateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::resetProjectManager();
        delegate.addProjects = [this](const QList<QUrl>& urls) { handedOver.push_back(urls); };
    }
    void TearDown() override { test::resetProjectManager(); }

    AppDelegate delegate;
    std::vector<QList<QUrl>> handedOver;
};

TEST_F(AppDelegateTest, OpenedFilesAreHandedOverInOrderOnALaterTurn)
{
    std::vector<bool> replies;
    delegate.openFiles({"/a/one", "/a/two", "/a/three"}, [&](bool ok) {
        replies.push_back(ok);
        EXPECT_TRUE(handedOver.empty()); // the reply comes after scheduling, before the addition
    });
    EXPECT_EQ(replies, std::vector<bool>{false}); // none of them exists
    test::settle();
    ASSERT_EQ(handedOver.size(), 1u);
    EXPECT_EQ(paths(handedOver[0]), (QByteArrayList{"/a/one", "/a/two", "/a/three"}));
    const QByteArray here = QFile::encodeName(QDir::currentPath());
    delegate.openFiles({here, here}, [&](bool ok) { replies.push_back(ok); });
    EXPECT_EQ(replies, (std::vector<bool>{false, true}));
    EXPECT_TRUE(delegate.openFile(here));
    test::settle();
    handedOver.clear();

    EXPECT_FALSE(delegate.openFile("/does/not/exist"));
    {
        AppDelegate real; // hands over to the project manager, which reports the path
        test::CapturedOutput out;
        EXPECT_FALSE(real.openFile("/does/not/exist"));
        test::settle();
        EXPECT_EQ(out.count("File/folder does not exist: /does/not/exist"), 1);
    }
    delegate.openURLs({QUrl::fromLocalFile("/x")});
    test::settle();
    ASSERT_EQ(handedOver.size(), 2u);
    EXPECT_EQ(paths(handedOver[0]), QByteArrayList{"/does/not/exist"});

    // A later launch without paths only brings the window back.
    delegate.handleRelaunch({});
    test::settle();
    EXPECT_EQ(handedOver.size(), 2u);
    delegate.handleRelaunch({"/b"});
    test::settle();
    EXPECT_EQ(paths(handedOver.back()), QByteArrayList{"/b"});
}

TEST_F(AppDelegateTest, FoldersWhoseNamesAreNotUtf8AreOpenedAsTheyAre)
{
    QTemporaryDir dir;
    const QByteArray odd = QFile::encodeName(dir.path()) + "/caf\xE9";
    ASSERT_EQ(::mkdir(odd.constData(), 0700), 0);
    std::vector<bool> replies;
    delegate.openFiles({odd}, [&](bool ok) { replies.push_back(ok); });
    EXPECT_EQ(replies, std::vector<bool>{true}); // it exists
    EXPECT_TRUE(delegate.openFile(odd));
    delegate.handleRelaunch({odd});
    test::settle();
    ASSERT_EQ(handedOver.size(), 3u);
    for (const auto& urls : handedOver)
        EXPECT_EQ(paths(urls), QByteArrayList{odd});
}

TEST_F(AppDelegateTest, ClosingTheWindowClosesItAndReopeningBringsAHiddenOneBack)
{
    EXPECT_TRUE(delegate.applicationShouldHandleReopen(false)); // no window at all
    QMainWindow window;
    window.show();
    delegate.applicationDidFinishLaunching();
    EXPECT_FALSE(delegate.window);
    test::settle();
    EXPECT_EQ(delegate.window.data(), &window);

    EXPECT_TRUE(window.close()); // with the last window, the application quits
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(delegate.applicationShouldHandleReopen(true));
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(delegate.applicationShouldHandleReopen(false));
    EXPECT_TRUE(window.isVisible());

    window.hide();
    delegate.handleRelaunch({});
    EXPECT_TRUE(window.isVisible());
    window.hide();
    delegate.openFile("/x");
    EXPECT_TRUE(window.isVisible()); // brought forward before the project is listed
}

// The items of a menu as shown (mnemonic marks taken out), "-" for a separator.
QStringList itemTexts(const QList<QAction*>& actions)
{
    QStringList items;
    for (QAction* action : actions)
        items << (action->isSeparator() ? QStringLiteral("-") : QString(action->text()).remove(u'&'));
    return items;
}

TEST(QuillmarrowApp, MenusHoldTheUpdateItemQuitAndContactSupport)
{
    test::resetProjectManager();
    QuillmarrowApp app;
    QMainWindow window;
    window.setCentralWidget(new ContentView);
    app.buildCommands(window);
    EXPECT_EQ(itemTexts(window.menuBar()->actions()), (QStringList{"Quillmarrow", "File", "View", "Help"}));

    QMenu* appMenu = window.menuBar()->actions()[0]->menu();
    EXPECT_EQ(itemTexts(appMenu->actions()),
              (QStringList{"About Quillmarrow", "-", CheckForUpdatesMenuItem::title, "-", "Quit Quillmarrow"}));
    EXPECT_EQ(appMenu->actions()[4]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(appMenu->actions()[2]->isEnabled()); // the updater was started

    // File holds the "+" button's action with the standard Open key, and no new-window item.
    QMenu* fileMenu = window.menuBar()->actions()[1]->menu();
    EXPECT_EQ(itemTexts(fileMenu->actions()), (QStringList{"Open\u2026", "-", "Close Window"}));
    EXPECT_EQ(fileMenu->actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));

    QMenu* help = window.menuBar()->actions()[3]->menu();
    ASSERT_EQ(help->actions().size(), 1);
    EXPECT_EQ(itemTexts(help->actions()), QStringList{"Contact Support"});
    test::UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    help->actions()[0]->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    ASSERT_EQ(catcher.urls.size(), 1);
    const QString link = catcher.urls[0].toString(QUrl::FullyEncoded);
    EXPECT_TRUE(link.startsWith(QStringLiteral("mailto:"))) << link.toStdString();
    EXPECT_TRUE(link.contains(QStringLiteral("Support%20Request&body=Hello%20"))) << link.toStdString();

    // Without a mail program the address is shown, ready to be copied.
    std::vector<QUrl> offered;
    app.appDelegate().openUrl = [&](const QUrl& url) {
        offered.push_back(url);
        return false;
    };
    help->actions()[0]->trigger();
    ASSERT_EQ(offered.size(), 1u);
    auto* box = QApplication::activeModalWidget() ? qobject_cast<QMessageBox*>(QApplication::activeModalWidget())
                                                  : nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (!box && widget->objectName() == u"supportAddress")
            box = qobject_cast<QMessageBox*>(widget);
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text().contains(QString::fromStdString(supportEmailAddress()))) << box->text().toStdString();
    EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
    box->close();

    auto* content = window.findChild<ContentView*>();
    window.menuBar()->actions()[2]->menu()->actions()[0]->trigger();
    EXPECT_TRUE(content->sidebar()->isHidden());
}

TEST(QuillmarrowApp, TheFirstWindowFitsTheScreensAvailableAreaAndClosingItQuits)
{
    // What the window wants, within nine tenths of the available area.
    struct Case {
        QSize wanted, available, first;
    };
    const Case cases[] = {
        {{1000, 700}, {1920, 1050}, {1000, 700}}, // room enough
        {{1000, 700}, {800, 500}, {720, 450}},    // 1600 × 1000 pixels at a scale of 2
        {{1000, 700}, {1000, 1000}, {900, 700}},  // too wide only
        {{640, 480}, {1000, 500}, {640, 450}},    // too high only
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuillmarrowApp::firstWindowSize(c.wanted, c.available), c.first)
            << c.available.width() << " x " << c.available.height();

    test::resetProjectManager();
    QuillmarrowApp app;
    app.launch({});
    const QSize available = app.window()->screen()->availableGeometry().size();
    EXPECT_LE(app.window()->width(), available.width());
    EXPECT_LE(app.window()->height(), available.height());
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    EXPECT_TRUE(app.window()->close());
    EXPECT_FALSE(app.window()->isVisible());
    test::resetProjectManager();
}

} // namespace
} // namespace qm
