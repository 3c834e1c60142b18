// A project's screens: the languages and files tables, the summary bar under the totals,
// the settings sheet's saves and the overview's chart.
//
// Sections:
//   the languages table  listing, sorting, searching, room for long names, the ellipsis,
//                        empty or missing projects
//   the files table      listing, sorting, searching, a row's path as its tooltip
//   the summary bar      reload and its spinner, what the count could not read, a double click
//                        on Reload
//   settings             results to the project counted, saves of the sheet
//   the overview         the chart's slices and a pressed wedge

#include "app/languages/LanguageChart.h"
#include "app/languages/LanguageInfo.h"
#include "app/screens/LocsByFile.h"
#include "app/screens/LocsByLanguage.h"
#include "app/screens/Overview.h"
#include "app/screens/ProjectConfigurationSheet.h"
#include "app/screens/SummaryBar.h"
#include "app/widgets/BusyIndicator.h"
#include "app/widgets/ElidedLabel.h"
#include "charts/pie/PieDoughnutChartData.h"
#include "core/LanguageResources.h"
#include "core/Project.h"
#include "kit/ui/HostingWidget.h"

#include "AppTestSupport.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleHints>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qm {
namespace {

using Names = std::vector<std::string>;
using test::FakeFile;
using test::FakeLanguage;

const std::vector<FakeLanguage> kLanguages = {
    {"Markdown", {{"README.md", 10, 0, 2, 300}}},
    {"c", {{"main.c", 40, 5, 5, 900}, {"util.c", 20, 2, 1, 400}}},
    {"Go", {{"b.go", 30, 3, 3, 500}, {"A.go", 30, 1, 0, 450}, {"z.go", 5, 0, 0, 60}}},
};

// The names of languages, or of files.
template <class Entry>
std::vector<std::string> names(const std::vector<std::shared_ptr<Entry>>& list)
{
    std::vector<std::string> out;
    for (const auto& e : list) {
        if constexpr (requires { e->filename; })
            out.push_back(e->filename);
        else
            out.push_back(e->name);
    }
    return out;
}

QPoint headerPoint(QTableView* view, int column)
{
    QHeaderView* header = view->horizontalHeader();
    return {header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2};
}

class ProjectScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedSpecs = langSpecs();
        savedSupported = supportedLanguages();
        langSpecs() = {{"Go", {{"color", "#00ADD8"}}}};
        auto go = std::make_shared<RecognizedElement>();
        go->lang = "Go";
        for (const char* kind : {"Functions", "Structs"}) {
            go->supported.push_back(std::make_shared<Supported>());
            go->supported.back()->content = kind;
        }
        supportedLanguages() = {go};
        project = std::make_shared<Project>(counter.folder("proj", test::counterOutput(kLanguages)));
        project->final = test::languageList(kLanguages);
    }
    void TearDown() override
    {
        test::settle();
        langSpecs() = savedSpecs;
        supportedLanguages() = savedSupported;
    }

    Binding<std::shared_ptr<Project>> projectBinding()
    {
        return {[this] { return selected; }, [this](std::shared_ptr<Project> p) { selected = p; }};
    }
    Binding<std::shared_ptr<LanguageEntry>> languageBinding()
    {
        return {[this] { return language; }, [this](std::shared_ptr<LanguageEntry> l) { language = l; }};
    }
    template <class Screen>
    std::unique_ptr<Screen> shown(std::unique_ptr<Screen> screen)
    {
        screen->resize(900, 600);
        screen->show();
        return screen;
    }
    std::unique_ptr<LocsByLanguage> languagesScreen()
    {
        return shown(std::make_unique<LocsByLanguage>(LocsByLanguage::initialSortOrder(), projectBinding(),
                                                      languageBinding(), QString(),
                                                      std::make_shared<ReloadViewHelper>()));
    }
    std::unique_ptr<LocsByFile> filesScreen()
    {
        return shown(std::make_unique<LocsByFile>(LocsByFile::initialSortOrder(), projectBinding(), languageBinding(),
                                                  std::make_shared<ReloadViewHelper>(), QString()));
    }
    std::unique_ptr<Overview> overview()
    {
        return shown(std::make_unique<Overview>(projectBinding(), std::make_shared<ReloadViewHelper>()));
    }
    // Waits until the project's count has ended and the screens caught up.
    void finishCount()
    {
        ASSERT_TRUE(test::waitUntil([&] { return !project->working.get(); }));
        test::settle();
    }

    test::FakeCounter counter;
    LangSpecs savedSpecs;
    SupportedLanguages savedSupported;
    std::shared_ptr<Project> project;
    std::shared_ptr<Project> selected;
    std::shared_ptr<LanguageEntry> language;
};

TEST_F(ProjectScreensTest, LanguagesTableListsSortsAndSearchesTheProjectsLanguages)
{
    selected = project;
    test::CapturedOutput out;
    auto screen = languagesScreen();
    QTableView* view = screen->table()->view();
    EXPECT_EQ(names(screen->rows()), (Names{"Markdown", "c", "Go"}));
    EXPECT_EQ(view->model()->headerData(4, Qt::Horizontal).toString(), "Comments");
    EXPECT_EQ(view->model()->index(2, 1).data().toString(), "3");
    EXPECT_EQ(view->model()->index(1, 5).data().toString(), "60");
    EXPECT_EQ(view->horizontalHeader()->sortIndicatorSection(), 5);
    EXPECT_EQ(view->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(screen->summaryBar()->totalLabel(3)->text(), "135");
    EXPECT_EQ(screen->summaryBar()->totalLabel(0)->text(), "157");
    EXPECT_EQ(screen->summaryBar()->pathLabel()->text().toStdString(), project->path);

    // Sorting by "Language" reorders the project's own list: capitals first.
    QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, headerPoint(view, 0));
    EXPECT_EQ(out.count("order changed!"), 1);
    EXPECT_EQ(names(project->final.get()), (Names{"Go", "Markdown", "c"}));
    EXPECT_EQ(names(screen->rows()), (Names{"Go", "Markdown", "c"}));
    EXPECT_EQ(view->horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(view->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, headerPoint(view, 0));
    EXPECT_EQ(names(project->final.get()), (Names{"c", "Markdown", "Go"}));

    // The search keeps matching names only; the totals still cover everything.
    screen->table()->searchField()->setText("MARK");
    EXPECT_EQ(names(screen->rows()), (Names{"Markdown"}));
    EXPECT_EQ(screen->summaryBar()->totalLabel(3)->text(), "135");
    screen->table()->searchField()->setText("nothing");
    EXPECT_TRUE(screen->rows().empty());
    screen->table()->searchField()->clear();
    EXPECT_EQ(screen->rows().size(), 3u);

    // A language cell: colour dot, bold name with its content kinds as tooltip.
    auto nameIn = [&](int row) {
        return view->indexWidget(view->model()->index(row, 0))->findChild<ElidedLabel*>(QStringLiteral("languageName"));
    };
    EXPECT_EQ(nameIn(2)->text(), "Go");
    EXPECT_TRUE(nameIn(2)->font().bold());
    EXPECT_EQ(nameIn(2)->toolTip(), "Functions, Structs");
    EXPECT_EQ(nameIn(0)->toolTip(), "");
    EXPECT_EQ(languageDot("Go").pixmap(20, 20).toImage().pixelColor(10, 10), QColor(0x00, 0xAD, 0xD8));
    EXPECT_EQ(languageDot("Markdown").pixmap(20, 20).toImage().pixelColor(10, 10), QColor(0xDD, 0xDD, 0xDD));

    // Clicking a row only prints; the chevron chooses the language.
    view->selectRow(1);
    EXPECT_EQ(out.count("selection changed!"), 1);
    EXPECT_FALSE(language);
    QWidget* cell = view->indexWidget(view->model()->index(2, 0));
    ASSERT_TRUE(cell);
    cell->findChild<QToolButton*>(QStringLiteral("chevron"))->click();
    EXPECT_EQ(out.count("tap-tap"), 1);
    ASSERT_TRUE(language);
    EXPECT_EQ(language->name, "Go");
}

TEST_F(ProjectScreensTest, LongNamesGetTheRoomTheCountsLeave)
{
    const std::string file = "a-rather-long-file-name-that-needs-its-room.extension";
    project->final = test::languageList({{"Objective-C++ Header Template", {{file, 12345}}}});
    selected = project;
    auto languages = languagesScreen();
    QTableView* view = languages->table()->view();
    auto fits = [&](int column, const QString& text) {
        return view->columnWidth(column) > view->fontMetrics().horizontalAdvance(text);
    };
    EXPECT_GE(view->columnWidth(0), view->indexWidget(view->model()->index(0, 0))->sizeHint().width());
    EXPECT_TRUE(fits(4, QStringLiteral("Comments")));
    EXPECT_TRUE(fits(5, QStringLiteral("12345")));

    language = project->final.get()[0];
    auto files = filesScreen();
    view = files->table()->view();
    EXPECT_TRUE(fits(0, QString::fromStdString(file)));
    EXPECT_TRUE(fits(1, QStringLiteral("Bytes")));
}

TEST_F(ProjectScreensTest, NamesTooLongForTheirColumnEndInAnEllipsisAndFileRowsTellTheirPath)
{
    project->final = test::languageList({{"Objective-C++ Header Template", {{"core.c", 12}}}});
    selected = project;
    auto languages = languagesScreen();
    QTableView* view = languages->table()->view();
    auto* name = view->indexWidget(view->model()->index(0, 0))->findChild<ElidedLabel*>(QStringLiteral("languageName"));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->shownText(), "Objective-C++ Header Template");
    languages->resize(560, 600);
    test::settle();
    const QString shown = name->shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Objective"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\u2026"))) << shown.toStdString();
    EXPECT_LE(name->fontMetrics().horizontalAdvance(shown), name->width());

    // Many files share a name: a row's tooltip, whichever cell, is its file's path.
    language = project->final.get()[0];
    auto files = filesScreen();
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(files->table()->view()->model()->index(0, column).data(Qt::ToolTipRole).toString(), "/x/core.c")
            << column;
}

TEST_F(ProjectScreensTest, EmptyOrMissingProjectsShowEmptyTablesAndZeroTotals)
{
    project->final = {};
    selected = project;
    auto screen = languagesScreen();
    EXPECT_TRUE(screen->rows().empty());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(screen->summaryBar()->totalLabel(i)->text(), "0");

    selected = nullptr;
    auto none = languagesScreen();
    EXPECT_TRUE(none->rows().empty());
    EXPECT_FALSE(none->summaryBar()->settingsButton()->isVisible());

    auto files = filesScreen();
    EXPECT_TRUE(files->rows().empty());
    EXPECT_FALSE(files->languageNameLabel()->isVisible());
    EXPECT_FALSE(files->summaryBar()->reloadButton()->isVisible());
}

TEST_F(ProjectScreensTest, FilesTableListsSortsAndSearchesOneLanguagesFiles)
{
    selected = project;
    language = project->final.get()[2]; // Go
    test::CapturedOutput out;
    auto screen = filesScreen();
    QTableView* view = screen->table()->view();
    EXPECT_EQ(names(screen->rows()), (Names{"b.go", "A.go", "z.go"}));
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "Bytes");
    EXPECT_EQ(view->model()->index(1, 1).data().toString(), "450");
    EXPECT_EQ(screen->languageNameLabel()->text(), "Go");
    EXPECT_EQ(screen->fileCountLabel()->text(), "(3 files)");
    EXPECT_EQ(screen->summaryBar()->totalLabel(3)->text(), "65");
    EXPECT_EQ(screen->summaryBar()->totalLabel(3)->toolTip(), "The total number of lines of code in Go");

    QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, headerPoint(view, 0));
    EXPECT_EQ(out.count("order changed!"), 1);
    EXPECT_EQ(names(language->files), (Names{"A.go", "b.go", "z.go"}));
    EXPECT_EQ(names(screen->rows()), (Names{"A.go", "b.go", "z.go"}));

    screen->table()->searchField()->setText("B.G");
    EXPECT_EQ(names(screen->rows()), (Names{"b.go"}));
    EXPECT_EQ(screen->fileCountLabel()->text(), "(3 files)");
    EXPECT_EQ(screen->summaryBar()->totalLabel(3)->text(), "65");

    view->selectAll();
    screen->table()->searchField()->clear();
    EXPECT_EQ(view->selectionModel()->selectedRows().size(), 1);

    // A single file keeps the plural.
    language = project->final.get()[0];
    screen->refreshNow();
    EXPECT_EQ(screen->fileCountLabel()->text(), "(1 files)");
}

TEST_F(ProjectScreensTest, ReloadCountsAgainAndTheSpinnerEndsEvenWhenTheCountFails)
{
    selected = project;
    auto screen = languagesScreen();
    const std::vector<FakeLanguage> recounted = {{"Rust", {{"lib.rs", 7}}}};
    test::FakeCounter::setOutput(project->path, test::counterOutput(recounted));
    {
        test::CapturedOutput out;
        screen->summaryBar()->reloadButton()->click();
        EXPECT_EQ(out.count("reloading..."), 1);
        EXPECT_TRUE(project->working.get());
        finishCount();
    }
    EXPECT_EQ(names(screen->rows()), (Names{"Rust"}));
    EXPECT_EQ(screen->summaryBar()->totalLabel(3)->text(), "7");
    EXPECT_TRUE(screen->summaryBar()->reloadButton()->isVisible());

    // A failed count leaves the results and brings the buttons back.
    test::FakeCounter::setOutput(project->path, "warning: not json");
    screen->summaryBar()->reloadButton()->click();
    test::settle();
    EXPECT_TRUE(screen->summaryBar()->progress()->isVisible() || !project->working.get());
    finishCount();
    EXPECT_FALSE(screen->summaryBar()->progress()->isVisible());
    EXPECT_TRUE(screen->summaryBar()->reloadButton()->isVisible());
    EXPECT_EQ(names(screen->rows()), (Names{"Rust"}));
}

TEST_F(ProjectScreensTest, WhatTheCountCouldNotReadIsSaidBesideTheProjectsTotals)
{
    selected = project;
    auto screen = overview();
    SummaryBar* bar = screen->footer();
    EXPECT_FALSE(bar->unreadable()->isVisible());

    std::string warnings;
    for (int i = 1; i <= 7; ++i)
        warnings += "scc: warning: " + project->path + "/f" + std::to_string(i) + ".go: Permission denied\n";
    test::FakeCounter::setStandardError(project->path, warnings);
    bar->reloadButton()->click();
    finishCount();
    ASSERT_TRUE(bar->unreadable()->isVisible());
    EXPECT_EQ(bar->unreadableLabel()->text(), "7 files or folders could not be read");
    QStringList tip{QStringLiteral("Left out of the totals:")};
    for (int i = 1; i <= 5; ++i)
        tip << QString::fromStdString(project->path + "/f" + std::to_string(i) + ".go: Permission denied");
    tip << QStringLiteral("and 2 more");
    EXPECT_EQ(bar->unreadable()->toolTip(), tip.join(u'\n'));
    EXPECT_EQ(bar->totalLabel(3)->text(), "135"); // the totals of what was read
    // The languages screen says it too; a language's files screen shows that language's totals only.
    auto languages = languagesScreen();
    EXPECT_TRUE(languages->summaryBar()->unreadable()->isVisible());
    EXPECT_EQ(languages->summaryBar()->unreadableLabel()->text(), "7 files or folders could not be read");
    language = project->final.get()[0];
    EXPECT_FALSE(filesScreen()->summaryBar()->unreadable()->isVisible());

    // One, named as the screen shows names; then a count that reads everything.
    test::FakeCounter::setStandardError(project->path,
                                        "scc: warning: " + project->path + "/odd?name: Permission denied\n");
    bar->reloadButton()->click();
    finishCount();
    EXPECT_EQ(bar->unreadableLabel()->text(), "1 file or folder could not be read");
    EXPECT_EQ(bar->unreadable()->toolTip(),
              QString::fromStdString("Left out of the totals:\n" + project->path + "/odd?name: Permission denied"));
    test::FakeCounter::setStandardError(project->path, "");
    bar->reloadButton()->click();
    finishCount();
    EXPECT_FALSE(bar->unreadable()->isVisible());
}

TEST_F(ProjectScreensTest, TheSecondClickOfADoubleClickOnReloadDoesNotStopTheCountItStarted)
{
    selected = project;
    auto screen = overview();
    SummaryBar* bar = screen->footer();
    QStyleHints* hints = QGuiApplication::styleHints();
    const int interval = hints->mouseDoubleClickInterval();
    // Two clicks at one place, as a double click gives them; the interval is
    // long enough that they are one double click however slow the machine.
    hints->setMouseDoubleClickInterval(600000);
    const QPoint where = bar->reloadButton()->mapTo(screen.get(), bar->reloadButton()->rect().center());
    auto clickThere = [&] {
        QWidget* target = screen->childAt(where);
        ASSERT_TRUE(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(screen.get(), where));
    };
    const std::string& folder = project->path;
    test::FakeCounter::hold(folder, 1);
    clickThere();
    ASSERT_TRUE(test::waitUntil([&] { return test::FakeCounter::pid(folder).has_value(); }));
    test::settle();
    ASSERT_EQ(screen->childAt(where), bar->stopButton()); // Stop stands where Reload was
    clickThere();
    test::settle();
    EXPECT_TRUE(project->working.get());
    test::FakeCounter::release(folder, 1);
    finishCount();
    EXPECT_EQ(test::FakeCounter::marks(folder),
              (std::vector<std::string>{"--run--", "--end--"})); // the counter ran to its end

    // A click on Stop once the time of a double click has passed stops the count.
    hints->setMouseDoubleClickInterval(0);
    test::FakeCounter::hold(folder, 2);
    clickThere();
    ASSERT_TRUE(test::waitUntil([&] { return test::FakeCounter::runs(folder).size() == 2; }));
    test::settle();
    clickThere();
    finishCount();
    EXPECT_EQ(test::FakeCounter::marks(folder), (std::vector<std::string>{"--run--", "--end--", "--run--"}));
    hints->setMouseDoubleClickInterval(interval);
}

TEST_F(ProjectScreensTest, ResultsGoToTheProjectCountedAndOnlySavingTheSheetCountsTheEditedProject)
{
    auto other = std::make_shared<Project>(counter.folder("other", test::counterOutput({})));
    selected = project;
    auto screen = overview();
    EXPECT_EQ(screen->footer()->totalLabel(3)->text(), "135");
    EXPECT_TRUE(screen->chartArea());

    // The reload's result lands in the project counted, whatever is selected by then.
    test::FakeCounter::setOutput(project->path, test::counterOutput({{"Rust", {{"lib.rs", 7}}}}));
    screen->footer()->reloadButton()->click();
    selected = other;
    finishCount();
    EXPECT_EQ(names(project->final.get()), (Names{"Rust"}));
    EXPECT_TRUE(other->final->empty());

    // "Save settings" counts the project whose settings were edited.
    selected = project;
    screen->refreshNow();
    screen->footer()->settingsButton()->click();
    ASSERT_TRUE(screen->sheet());
    EXPECT_TRUE(screen->showingSheet());
    screen->sheet()->extensionsField()->setText("md");
    selected = other;
    const auto runsBefore = test::FakeCounter::runs(project->path).size();
    screen->sheet()->saveButton()->click();
    EXPECT_FALSE(screen->showingSheet());
    ASSERT_TRUE(test::waitUntil([&] { return !project->working.get(); }));
    const auto runs = test::FakeCounter::runs(project->path);
    ASSERT_EQ(runs.size(), runsBefore + 1);
    EXPECT_EQ(runs.back(), (qmtest::Args{"--by-file", "--format", "json", "--sort", "code", "--verbose",
                                         "--exclude-ext", "md", project->path}));
    EXPECT_TRUE(test::FakeCounter::runs(other->path).empty());

    // Cancelling leaves the options alone and starts no count.
    screen->footer()->settingsButton()->click();
    ASSERT_TRUE(screen->sheet());
    screen->sheet()->extensionsField()->setText("txt");
    screen->sheet()->cancelButton()->click();
    EXPECT_FALSE(screen->showingSheet());
    test::settle();
    EXPECT_EQ(test::FakeCounter::runs(project->path).size(), runsBefore + 1);
    EXPECT_EQ(project->ignoreExtensions, "md");
}

TEST_F(ProjectScreensTest, OverviewChartShowsItsSlicesAndReadsAPressedWedge)
{
    selected = project;
    auto screen = overview();
    test::settle();
    auto* host = dynamic_cast<kit::HostingWidget*>(screen->chartArea());
    ASSERT_TRUE(host);
    const auto data = languageChartData(host);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->dataSets->dataPoints.size(), 3u);
    EXPECT_EQ(host->geometry().topLeft(), QPoint(50, 50)); // the screen's padding of 50 on every edge

    const kit::DisplayList& list = host->host().displayList();
    for (const char* text : {"Code breakdown", "By language", "Go", "c", "Markdown"})
        EXPECT_TRUE(list.textItem(text)) << text;
    // A wedge and a legend dot per slice, in the slice's colour.
    std::vector<kit::Color> fills;
    for (const kit::DisplayItem* item : list.itemsOfKind(kit::DisplayItem::Kind::fill)) {
        if (const auto* colour = std::get_if<kit::Color>(&item->paint))
            fills.push_back(*colour);
    }
    const auto& points = data->dataSets->dataPoints;
    for (const auto& point : points) {
        const auto sameColour = std::count_if(points.begin(), points.end(),
                                              [&](const auto& p) { return p.colour == point.colour; });
        EXPECT_EQ(std::count(fills.begin(), fills.end(), point.colour), 2 * sameColour) << *point.description;
    }

    // Once the wedges have grown in, press inside the first (largest) one.
    auto firstWedge = [&]() -> const kit::DisplayItem* {
        for (const auto* item : host->host().displayList().itemsOfKind(kit::DisplayItem::Kind::fill)) {
            const auto* colour = std::get_if<kit::Color>(&item->paint);
            if (colour && *colour == points[0].colour && item->hostBounds().width() > 100)
                return item;
        }
        return nullptr;
    };
    ASSERT_TRUE(test::waitUntil([&] { return firstWedge() != nullptr; }));
    const kit::Rect bounds = firstWedge()->hostBounds();
    const QPoint inside(int(bounds.midX() + bounds.width() / 4), int(bounds.midY()));
    ASSERT_TRUE(firstWedge()->hitTest({double(inside.x()), double(inside.y())}));
    EXPECT_FALSE(data->infoView->isTouchCurrent);
    QTest::mousePress(host, Qt::LeftButton, {}, inside);
    test::settle();
    EXPECT_TRUE(data->infoView->isTouchCurrent);
    EXPECT_FALSE(data->infoView->touchOverlayInfo.empty());
    QTest::mouseRelease(host, Qt::LeftButton, {}, inside);
    test::settle();
    EXPECT_FALSE(data->infoView->isTouchCurrent);

    // Every redraw makes a new chart.
    screen->refreshNow();
    EXPECT_NE(languageChartData(screen->chartArea()), data);
}

} // namespace
} // namespace qm
