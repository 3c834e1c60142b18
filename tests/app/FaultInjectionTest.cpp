// The application against a counter that fails in every way it can: each
// fault ends as a failed count whose reason the status line gives, whether
// the folder is being added or a listed project is counted again; no project
// is lost, and nothing hangs or crashes.

#include "app/opening/ProjectOpening.h"
#include "app/screens/ContentView.h"
#include "app/screens/Locs.h"
#include "app/screens/Overview.h"
#include "app/screens/SplashScreen.h"
#include "app/screens/StatusLine.h"
#include "app/screens/SummaryBar.h"
#include "app/widgets/BusyIndicator.h"
#include "core/LanguageResources.h"
#include "core/Project.h"
#include "core/ProjectManager.h"
#include "core/RunProcess.h"

#include "AppTestSupport.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QStyleHints>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace qm {
namespace {

using test::FakeCounter;

struct Fault {
    std::string name;
    // Makes the folder's next count fail.
    std::function<void(const std::string& folder)> inject;
    std::string reason;
    // The count never ends by itself: the user stops it.
    bool stop = false;
};

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The stop buttons are clicked as soon as they show.
        doubleClickInterval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
        test::resetProjectManager();
        good = test::counterOutput({{"Go", {{"a.go", 5, 1, 1, 60}}}, {"C", {{"a.c", 3, 0, 0, 30}}}});
        alpha = counter.folder("alpha", good);
        view = std::make_unique<ContentView>();
        view->resize(1000, 700);
        view->show();
        addProjectsFromURLs({QUrl::fromLocalFile(QString::fromStdString(alpha))});
        ASSERT_TRUE(test::waitUntil([&] { return manager().projects->size() == 1; }));
        test::settle();
    }
    void TearDown() override
    {
        view.reset();
        test::resetProjectManager();
        Project::overrideLargestOutput(defaultLargestOutput);
        overrideSccPath(counter.path("scc"));
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(doubleClickInterval);
    }

    static ProjectManager& manager() { return *ProjectManager::shared(); }
    std::shared_ptr<Project> listedAlpha() const
    {
        const auto& projects = manager().projects.get();
        return projects.size() == 1 && projects[0]->path == alpha ? projects[0] : nullptr;
    }
    // Alpha is listed with the results of its first count.
    void expectAlphaKept()
    {
        const auto project = listedAlpha();
        ASSERT_TRUE(project);
        EXPECT_FALSE(project->working.get());
        ASSERT_EQ(project->final->size(), 2u);
        EXPECT_EQ(project->final.get()[0]->code, 5);
        EXPECT_EQ(view->projectList()->count(), 1);
    }
    // The folder's counts succeed again.
    void heal(const std::string& folder)
    {
        for (const char* file : {"status", "signal", "huge", "hang"})
            std::filesystem::remove(folder + "/" + file);
        FakeCounter::setOutput(folder, good);
        overrideSccPath(counter.path("scc"));
        Project::overrideLargestOutput(defaultLargestOutput);
    }
    std::vector<Fault> faults() const
    {
        const std::string missing = counter.path("libexec/scc");
        return {
            {"exit 1",
             [](const std::string& f) {
                 FakeCounter::setOutput(f, "scc: cannot read the folder: Input/output error\n");
                 FakeCounter::setExitStatus(f, 1);
             },
             "The counter stopped with status 1: scc: cannot read the folder: Input/output error"},
            {"truncated output",
             [this](const std::string& f) { FakeCounter::setOutput(f, good.substr(0, good.size() / 2)); },
             "The counter's output could not be read (dataCorrupted at the top level: The given data was not valid "
             "JSON."},
            {"huge output",
             [](const std::string& f) {
                 Project::overrideLargestOutput(std::size_t{1} << 20);
                 FakeCounter::setHugeOutput(f, std::size_t{16} << 20);
             },
             "The counter wrote more than 1 MiB, more than any real folder gives; its output was not read."},
            {"hanging", [](const std::string& f) { FakeCounter::hang(f); },
             "The count was stopped before the counter ended.", true},
            {"killed by a signal", [](const std::string& f) { FakeCounter::setSignal(f, "KILL"); },
             "The counter was ended by signal 9 (Killed)."},
            {"non-zero after valid JSON", [](const std::string& f) { FakeCounter::setExitStatus(f, 3); },
             "The counter stopped with status 3."},
            {"missing counter", [missing](const std::string&) { overrideSccPath(missing); },
             "The counter is missing from Quillmarrow's installation: " + missing + " does not exist."},
        };
    }
    // Waits for the failure's notice: "Could not count “name”: reason".
    void expectNotice(const std::string& name, const Fault& fault)
    {
        ASSERT_TRUE(test::waitUntil([&] { return view->statusLine()->showingNotice(); })) << fault.name;
        test::settle();
        const std::string shown = view->statusLine()->text().toStdString();
        const std::string expected = "Could not count \u201C" + name + "\u201D: " + fault.reason;
        EXPECT_EQ(shown.substr(0, expected.size()), expected) << fault.name;
        view->statusLine()->dismissButton()->click();
    }

    FakeCounter counter;
    int doubleClickInterval = 0;
    std::string good, alpha;
    std::unique_ptr<ContentView> view;
};

TEST_F(FaultInjection, AFolderBeingAddedFailsWithItsReasonAndNothingIsLost)
{
    int n = 0;
    for (const Fault& fault : faults()) {
        const std::string name = "faulty" + std::to_string(++n);
        const std::string folder = counter.folder(name, good);
        fault.inject(folder);
        addProjectsFromURLs({QUrl::fromLocalFile(QString::fromStdString(folder))});
        if (fault.stop) {
            ASSERT_TRUE(test::waitUntil(
                [&] { return FakeCounter::pid(folder).has_value() && view->statusLine()->showingProgress(); }));
            EXPECT_TRUE(view->statusLine()->stopButton()->isVisible());
            view->statusLine()->stopButton()->click();
        }
        expectNotice(name, fault);
        heal(folder);
        expectAlphaKept();
        EXPECT_TRUE(manager().adding->empty()) << fault.name;
        EXPECT_FALSE(view->splashScreen()->progressCircle());
    }
    // A failed folder can be added again once its counter works.
    const std::string again = counter.path("faulty1");
    addProjectsFromURLs({QUrl::fromLocalFile(QString::fromStdString(again))});
    ASSERT_TRUE(test::waitUntil([&] { return manager().projects->size() == 2; }));
}

TEST_F(FaultInjection, ARecountFailsWithItsReasonAndKeepsTheProjectAndItsResults)
{
    for (const Fault& fault : faults()) {
        auto* overview = static_cast<Overview*>(view->locs()->current());
        ASSERT_EQ(view->locs()->screen(), Locs::Screen::overview);
        const std::size_t runs = FakeCounter::runs(alpha).size();
        fault.inject(alpha);
        overview->footer()->reloadButton()->click();
        if (fault.stop) {
            ASSERT_TRUE(test::waitUntil([&] {
                return FakeCounter::runs(alpha).size() == runs + 1 && overview->footer()->stopButton()->isVisible();
            }));
            overview->footer()->stopButton()->click();
        }
        expectNotice("alpha", fault);
        heal(alpha);
        expectAlphaKept();
        test::settle();
        EXPECT_FALSE(overview->footer()->progress()->isVisible()) << fault.name;
        EXPECT_TRUE(overview->footer()->reloadButton()->isVisible()) << fault.name;
    }
    // The project counts as before once its counter works.
    FakeCounter::setOutput(alpha, test::counterOutput({{"Go", {{"a.go", 9}}}}));
    static_cast<Overview*>(view->locs()->current())->footer()->reloadButton()->click();
    ASSERT_TRUE(test::waitUntil([&] { return listedAlpha() && listedAlpha()->final->size() == 1; }));
    EXPECT_TRUE(view->statusLine()->isHidden());
}

} // namespace
} // namespace qm
