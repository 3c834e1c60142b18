// The main window's content: the splash screen, the sidebar and the detail, drops, the
// bundle's resources, and what the window says while and after a folder is counted.
//
// Sections:
//   screens              the splash until the first count, the toolbar and detail following
//                        the selection, the screen chosen by tab and language (Locs)
//   drops and clicks     drops on the window and on the splash screen's blobs and text
//   resources            each content view reloading the bundle's resources
//   during a count       Moment, what the window shows while a folder is counted
//   failures             a folder that cannot be counted, one that does not exist
//   odd names            folder names on one row, counted as they are

#include "app/screens/ContentView.h"
#include "app/languages/LanguageInfo.h"
#include "app/opening/ProjectOpening.h"
#include "app/screens/Locs.h"
#include "app/screens/LocsByFile.h"
#include "app/screens/LocsByLanguage.h"
#include "app/screens/Overview.h"
#include "app/screens/SplashScreen.h"
#include "app/screens/StatusLine.h"
#include "app/screens/SummaryBar.h"
#include "app/widgets/BusyIndicator.h"
#include "core/LanguageResources.h"
#include "core/ProjectManager.h"
#include "kit/base/Bundle.h"

#include "AppTestSupport.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QToolButton>
#include <fstream>

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::FakeFile;
using test::FakeLanguage;

class ContentViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::resetProjectManager();
        a = counter.folder("alpha", test::counterOutput({{"Go", {{"a.go", 5}}}, {"C", {{"a.c", 3}}}}));
        b = counter.folder("beta", test::counterOutput({{"Rust", {{"b.rs", 8}}}}));
        broken = counter.folder("broken", "not json");
        view = std::make_unique<ContentView>();
        view->resize(1000, 700);
        view->show();
    }
    void TearDown() override
    {
        view.reset();
        test::resetProjectManager();
    }

    ProjectManager& manager() { return *ProjectManager::shared(); }
    void add(const std::vector<std::string>& paths)
    {
        QList<QUrl> urls;
        for (const auto& p : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(p));
        addProjectsFromURLs(urls);
    }
    bool visible(QWidget* w) { return w->isVisibleTo(view.get()); }
    // Waits until the counts are done and the view has caught up.
    void finishCounts(std::size_t listed)
    {
        ASSERT_TRUE(test::waitUntil([&] { return manager().projects->size() == listed; }));
        test::settle();
    }

    test::FakeCounter counter;
    std::string a, b, broken;
    std::unique_ptr<ContentView> view;
};

TEST_F(ContentViewTest, SplashUntilTheFirstCountSucceedsThenTheSidebar)
{
    EXPECT_TRUE(view->showingSplash());
    add({broken, "/no/such/folder"});
    test::settle();
    ASSERT_TRUE(test::waitUntil([&] { return test::FakeCounter::runs(broken).size() == 1; }));
    test::settle();
    EXPECT_TRUE(view->showingSplash());

    add({a, b});
    finishCounts(2);
    EXPECT_FALSE(view->showingSplash());
    ASSERT_EQ(view->projectList()->count(), 2);
    EXPECT_EQ(view->projectList()->item(0)->text(), "alpha");
    EXPECT_EQ(view->projectList()->item(1)->text(), "beta");
    EXPECT_EQ(view->projectList()->currentRow(), 1); // the last one counted is selected
    ASSERT_TRUE(view->locs());
    EXPECT_EQ(view->locs()->screen(), Locs::Screen::overview);

    // Choosing a row selects its project; adding a known folder re-selects it.
    view->projectList()->setCurrentRow(0);
    EXPECT_EQ(manager().selectedProject.get()->path, a);
    add({b + "/counter.json"});
    test::settle();
    EXPECT_EQ(manager().selectedProject.get()->path, b);
    EXPECT_EQ(view->projectList()->currentRow(), 1);

    // Removing every project brings the splash screen back.
    view->removeButton()->click();
    test::settle();
    EXPECT_EQ(view->projectList()->count(), 1);
    EXPECT_EQ(manager().selectedProject.get()->path, a);
    view->removeButton()->click();
    test::settle();
    EXPECT_TRUE(view->showingSplash());
    view->remove(); // nothing selected: nothing happens
    EXPECT_TRUE(manager().projects->empty());
}

TEST_F(ContentViewTest, ToolbarAndDetailFollowTheSelectionAndKeepTheTab)
{
    add({a});
    finishCounts(1);
    EXPECT_TRUE(visible(view->sidebarButton()));
    EXPECT_TRUE(visible(view->picker()));
    EXPECT_FALSE(visible(view->backButton()));

    view->picker()->findChild<QToolButton*>(QStringLiteral("Analytics"))->click();
    test::settle();
    EXPECT_EQ(view->currentTab(), 1);
    ASSERT_EQ(view->locs()->screen(), Locs::Screen::byLanguage);
    auto* languages = static_cast<LocsByLanguage*>(view->locs()->current());
    languages->chooseLanguage(languages->rows()[0]); // Go
    test::settle();
    EXPECT_EQ(view->locs()->screen(), Locs::Screen::byFile);
    EXPECT_TRUE(visible(view->backButton()));
    EXPECT_FALSE(visible(view->picker()));

    // After a reload the file screen shows the new count of the chosen language.
    auto* files = static_cast<LocsByFile*>(view->locs()->current());
    EXPECT_EQ(files->rows().size(), 1u);
    test::FakeCounter::setOutput(a, test::counterOutput({{"Go", {{"a.go", 5}, {"b.go", 6}}}}));
    files->reload();
    ASSERT_TRUE(test::waitUntil([&] { return !manager().selectedProject.get()->working.get(); }));
    test::settle();
    ASSERT_EQ(view->locs()->screen(), Locs::Screen::byFile);
    files = static_cast<LocsByFile*>(view->locs()->current());
    EXPECT_EQ(files->rows().size(), 2u);
    EXPECT_EQ(files->fileCountLabel()->text(), "(2 files)");

    view->backButton()->click();
    test::settle();
    EXPECT_FALSE(manager().selectedLanguage.get());
    EXPECT_TRUE(visible(view->picker()));
    EXPECT_EQ(view->currentTab(), 1);
    EXPECT_TRUE(view->picker()->findChild<QToolButton*>(QStringLiteral("Analytics"))->isChecked());
    EXPECT_EQ(view->locs()->screen(), Locs::Screen::byLanguage);

    // With projects but none selected only the sidebar toggle remains.
    manager().selectedProject = nullptr;
    test::settle();
    EXPECT_TRUE(visible(view->sidebarButton()));
    EXPECT_FALSE(visible(view->picker()));
    EXPECT_FALSE(visible(view->backButton()));

    view->sidebarButton()->click();
    EXPECT_FALSE(visible(view->sidebar()));
    view->toggleSidebar();
    EXPECT_TRUE(visible(view->sidebar()));
}

TEST(Locs, ChoosesTheScreenFromTheTabAndTheLanguage)
{
    EXPECT_EQ(Locs::screenFor(0, true), Locs::Screen::overview);
    EXPECT_EQ(Locs::screenFor(0, false), Locs::Screen::overview);
    EXPECT_EQ(Locs::screenFor(1, false), Locs::Screen::byLanguage);
    EXPECT_EQ(Locs::screenFor(1, true), Locs::Screen::byFile);
    EXPECT_EQ(Locs::screenFor(7, false), Locs::Screen::byLanguage);
    EXPECT_EQ(Locs::screenFor(-1, true), Locs::Screen::byFile);
}

// Drops these URLs, offered as copy or move; the drop is always taken as a copy.
void drop(const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    handleFileDrop(&event);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_EQ(event.dropAction(), Qt::CopyAction);
}

TEST_F(ContentViewTest, DropsAddOnlyTheFirstLocalItemLater)
{
    const QUrl first = QUrl::fromLocalFile(QString::fromStdString(a));
    drop({first, QUrl::fromLocalFile(QString::fromStdString(b))});
    EXPECT_TRUE(test::FakeCounter::runs(a).empty()); // handed over on a later turn
    finishCounts(1);
    EXPECT_EQ(manager().projects->front()->path, a);

    // A remote URL is never taken for a local path; empty drops are accepted.
    drop({QUrl(QString::fromStdString("https://example.org" + b))});
    drop({});
    test::settle();
    EXPECT_TRUE(test::FakeCounter::runs(b).empty());
    EXPECT_EQ(manager().projects->size(), 1u);
}

TEST_F(ContentViewTest, SplashTakesDropsOnItsBlobsAndClicksOnItsText)
{
    SplashScreen* splash = view->splashScreen();
    EXPECT_TRUE(splash->dropArea()->acceptDrops());
    EXPECT_EQ(splash->dropArea()->size(), QSize(640, 420));
    const QRect tap = splash->tapTarget()->geometry();
    EXPECT_TRUE(QRect(QPoint(0, 0), splash->dropArea()->size()).contains(tap));
    EXPECT_EQ(tap.center(), QRect(QPoint(0, 0), splash->dropArea()->size()).center());
    // The blobs are centred and grow fainter outwards.
    for (int i = 1; i < 4; ++i) {
        EXPECT_LT(SplashScreen::kLayers[i].width, SplashScreen::kLayers[i - 1].width);
        EXPECT_GT(SplashScreen::kLayers[i].opacity, SplashScreen::kLayers[i - 1].opacity);
    }
    EXPECT_EQ(SplashScreen::kLayers[0].opacity, 0.1);
    EXPECT_EQ(SplashScreen::kLayers[3].opacity, 1.0);
    // The blobs fill much of their area in the application's colour.
    const int m = SplashScreen::kBlobMargin;
    EXPECT_EQ(splash->blobs()->geometry(), splash->dropArea()->geometry().adjusted(-m, -m, m, m));

    // The texts are drawn in their light colours: no dark pixel of them
    // (the grab lays them on the light window colour).
    for (QLabel* label : splash->tapTarget()->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QImage drawn = label->grab().toImage();
        int dark = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                dark += drawn.pixelColor(x, y).lightness() < 128;
        EXPECT_EQ(dark, 0) << label->text().toStdString();
    }
    const QImage shot = splash->blobs()->grab().toImage().copy(m, m, 640, 420);
    const QColor background = view->palette().color(QPalette::Window);
    int tinted = 0;
    for (int y = 0; y < shot.height(); y += 10) {
        for (int x = 0; x < shot.width(); x += 10)
            tinted += shot.pixelColor(x, y).blue() > shot.pixelColor(x, y).green() + 40;
    }
    EXPECT_GT(tinted, (shot.width() / 10) * (shot.height() / 10) / 3) << background.name().toStdString();
}

TEST_F(ContentViewTest, EveryContentViewReloadsTheResourcesAndKeepsThemWhenBroken)
{
    const kit::Bundle previous = kit::Bundle::main();
    QTemporaryDir broken;
    const QString share = broken.filePath(QStringLiteral("share/quillmarrow"));
    QDir().mkpath(share);
    std::ofstream(share.toStdString() + "/langspecs.json") << R"({"Go": {"color": 7}})";
    std::ofstream(share.toStdString() + "/supported.json") << "[]";

    langSpecs().clear();
    {
        ContentView first;
    }
    EXPECT_EQ(languageColorText("Go"), "#00ADD8");
    const auto supported = supportedLanguages();
    EXPECT_EQ(supported.size(), 1u);

    kit::Bundle::overrideMain(broken.path().toStdString());
    {
        test::CapturedOutput out;
        ContentView second;
        const std::string printed = out.text();
        EXPECT_EQ(printed.rfind("Error: ", 0), 0u) << printed;
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1);
    }
    kit::Bundle::overrideMain(previous.root());
    EXPECT_EQ(languageColorText("Go"), "#00ADD8");
    EXPECT_EQ(supportedLanguages(), supported);
}

// Records what the user would meet at a moment during a count.
struct Moment {
    bool timerFired = false;
    bool countRunning = false;
    bool busyShown = false;
};

TEST_F(ContentViewTest, TheWindowAnswersAndShowsProgressWhileAFolderIsCounted)
{
    QLineEdit field;
    field.show();
    // While the counter waits, a timer and typed keys reach the window, and
    // what is shown says that something is being counted.
    // `run`: the number of the folder's count under way (from 1).
    auto duringCount = [&](const std::string& folder, int run, const std::function<bool()>& busyShown) {
        EXPECT_TRUE(test::waitUntil(busyShown));
        Moment moment;
        field.clear();
        QTimer::singleShot(10, [&] {
            const auto marks = test::FakeCounter::marks(folder);
            moment.timerFired = true;
            moment.countRunning = std::count(marks.begin(), marks.end(), "--end--") < run;
            moment.busyShown = busyShown();
        });
        QCoreApplication::postEvent(&field,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q")));
        EXPECT_TRUE(test::waitUntil([&] { return moment.timerFired && field.text() == "q"; }));
        EXPECT_TRUE(moment.countRunning);
        EXPECT_TRUE(moment.busyShown);
    };

    // The first count of a dropped folder: the splash screen's progress circle.
    test::FakeCounter::hold(a, 1);
    drop({QUrl::fromLocalFile(QString::fromStdString(a))});
    SplashScreen* splash = view->splashScreen();
    duringCount(a, 1, [&] {
        return splash->progressCircle() && splash->progressView()->isVisible() && !splash->tapTarget()->isVisible();
    });
    EXPECT_TRUE(splash->progressView()->findChild<BusyIndicator*>()->isSpinning());
    test::FakeCounter::release(a, 1);
    finishCounts(1);
    EXPECT_FALSE(splash->progressCircle());

    // A reload: the footer's spinner, from the click on.
    test::FakeCounter::hold(a, 2);
    auto* overview = static_cast<Overview*>(view->locs()->current());
    overview->footer()->reloadButton()->click();
    duringCount(a, 2, [&] {
        return overview->footer()->progress()->isVisible() && !overview->footer()->reloadButton()->isVisible();
    });
    test::FakeCounter::release(a, 2);
    ASSERT_TRUE(test::waitUntil([&] { return !manager().projects->front()->working.get(); }));
    test::settle();
    EXPECT_FALSE(overview->footer()->progress()->isVisible());

    // Adding another folder from the main layout: the status line.
    test::FakeCounter::hold(b, 1);
    drop({QUrl::fromLocalFile(QString::fromStdString(b))});
    ASSERT_TRUE(test::waitUntil([&] { return view->statusLine()->showingProgress(); }));
    EXPECT_EQ(view->statusLine()->text(), "Counting \u201Cbeta\u201D\u2026");
    test::FakeCounter::release(b, 1);
    finishCounts(2);
    EXPECT_TRUE(view->statusLine()->isHidden());
}

TEST_F(ContentViewTest, AFolderThatCannotBeCountedIsSaidInTheWindow)
{
    test::FakeCounter::setExitStatus(broken, 2);
    test::FakeCounter::setOutput(broken, "scc: cannot read the folder\n");
    drop({QUrl::fromLocalFile(QString::fromStdString(broken))});
    ASSERT_TRUE(test::waitUntil([&] { return view->statusLine()->showingNotice(); }));
    test::settle();
    EXPECT_EQ(view->statusLine()->text(),
              "Could not count \u201Cbroken\u201D: The counter stopped with status 2: scc: cannot read the folder");
    EXPECT_EQ(view->statusLine()->label()->toolTip(), QString::fromStdString(broken));
    EXPECT_TRUE(view->statusLine()->label()->textInteractionFlags() & Qt::TextSelectableByMouse);
    // The splash screen is back as it was.
    EXPECT_TRUE(view->showingSplash());
    EXPECT_FALSE(view->splashScreen()->progressCircle());
    EXPECT_TRUE(view->splashScreen()->tapTarget()->isVisible());

    // The notice stays until dismissed, or until another folder is added.
    view->statusLine()->dismissButton()->click();
    EXPECT_TRUE(view->statusLine()->isHidden());
    add({broken});
    ASSERT_TRUE(test::waitUntil([&] { return view->statusLine()->showingNotice(); }));
    test::FakeCounter::hold(a, 1);
    add({a});
    test::settle();
    // The notice gives way to the count, which the splash shows too.
    EXPECT_TRUE(view->statusLine()->showingProgress());
    EXPECT_TRUE(view->statusLine()->stopButton()->isVisible());
    EXPECT_TRUE(view->splashScreen()->progressCircle());
    test::FakeCounter::release(a, 1);
    finishCounts(1);
}

TEST_F(ContentViewTest, AFolderThatDoesNotExistIsNamedInTheWindow)
{
    const std::string missing = counter.path("nowhere");
    add({missing});
    test::settle();
    ASSERT_TRUE(view->statusLine()->showingNotice());
    EXPECT_EQ(view->statusLine()->text(), "Could not count \u201Cnowhere\u201D: The file or folder does not exist.");
    EXPECT_EQ(view->statusLine()->label()->toolTip(), QString::fromStdString(missing));

    // Named along with folders that do exist (a command line of both): the
    // notice outlasts the count of the others.
    view->statusLine()->dismissButton()->click();
    add({missing, a});
    test::settle();
    EXPECT_TRUE(view->statusLine()->showingNotice());
    finishCounts(1);
    EXPECT_EQ(view->statusLine()->text(), "Could not count \u201Cnowhere\u201D: The file or folder does not exist.");
}

TEST_F(ContentViewTest, OddFolderNamesShowOnOneRowAndCountAsTheyAre)
{
    // A line feed in one name, a byte that is not UTF-8 in another.
    const std::string lineFeed = counter.folder("two\nlines", test::counterOutput({{"Go", {{"a.go", 1}}}}));
    const std::string latin1 = counter.folder("caf\xE9", test::counterOutput({{"Go", {{"a.go", 1}}}}));
    add({a, lineFeed});
    finishCounts(2);
    // Dropped as a file manager offers it: the URL holds the byte percent-encoded.
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"),
                 "file://" + QByteArray::fromStdString(latin1).toPercentEncoding("/") + "\r\n");
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    handleFileDrop(&event);
    finishCounts(3);

    EXPECT_EQ(manager().projects.get()[1]->path, lineFeed);
    EXPECT_EQ(manager().projects.get()[2]->path, latin1);
    QListWidget* list = view->projectList();
    EXPECT_EQ(list->item(1)->text(), QString::fromUtf8("two\u21B5lines"));
    EXPECT_EQ(list->item(2)->text(), QString::fromUtf8("caf\uFFFD"));
    EXPECT_EQ(list->visualItemRect(list->item(1)).height(), list->visualItemRect(list->item(0)).height());
}

} // namespace
} // namespace qm
