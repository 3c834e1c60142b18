#include "CountingTest.h"

#include "core/ProjectManager.h"
#include "kit/base/NotificationCenter.h"

namespace {

using qmtest::Args;
using qmtest::FakeCounter;

class Manager : public qmtest::CountingTest {
protected:
    // A new folder whose count gives two languages, C++ and Go.
    std::string folder(const std::string& name) const
    {
        return counter.folder(name, qmtest::counterOutput({{"C++", {{"a.cpp", 10}}}, {"Go", {{"a.go", 5}}}}));
    }
    Args listedPaths() const
    {
        Args paths;
        for (const auto& p : *manager->projects)
            paths.push_back(p->path);
        return paths;
    }
    void add(const Args& paths)
    {
        std::vector<kit::Url> urls;
        for (const auto& p : paths)
            urls.push_back(kit::Url::fileURL(p));
        manager->addProjects(urls);
    }
    // Adds the folders, lets their counts finish, and chooses Go in the selected project.
    void addAndChooseGo(const Args& paths)
    {
        add(paths);
        kit::runUntilIdle();
        manager->selectedLanguage = manager->selectedProject.get()->final.get().at(1);
    }

    std::shared_ptr<qm::ProjectManager> manager = qm::ProjectManager::create();
};

TEST_F(Manager, NewFoldersAreCountedSideBySideAndJoinSelectedInTheOrderAskedOnceTheirCountsSucceed)
{
    Args paths, outputs, printedOutputs;
    for (const std::string name : {"a", "b", "c"}) {
        outputs.push_back(qmtest::counterOutput({{name, {}}}));
        paths.push_back(counter.folder(name, outputs.back()));
        FakeCounter::hold(paths.back(), 1);
    }
    add(paths);
    // All three run at once; none is listed before its count succeeds.
    for (const auto& path : paths)
        ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(path).has_value(); })) << path;
    EXPECT_TRUE(manager->projects->empty());
    EXPECT_FALSE(*manager->selectedProject);

    // Each joins as its count succeeds, in its place in the order asked; the
    // last one asked for is selected, and stays so as the others join.
    const std::vector<Args> listed{{paths[2]}, {paths[0], paths[2]}, {paths[0], paths[1], paths[2]}};
    for (const int i : {2, 0, 1}) {
        const std::size_t before = manager->projects->size();
        FakeCounter::release(paths[i], 1);
        ASSERT_TRUE(waitFor([&] { return manager->projects->size() == before + 1; })) << paths[i];
        EXPECT_EQ(listedPaths(), listed[before]);
        EXPECT_EQ(manager->selectedProject.get()->path, paths[2]);
    }
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), paths);
    EXPECT_EQ(manager->selectedProject.get()->final.get()[0]->name, "c");
    for (const auto& line : lines())
        if (line.rfind("Output: ", 0) == 0)
            printedOutputs.push_back(line.substr(8));
    EXPECT_EQ(printedOutputs, (Args{outputs[2], outputs[0], outputs[1]}));
}

TEST_F(Manager, RefusedAndFailedPathsAreReportedAndAFileStandsForItsFolder)
{
    const auto a = folder("a"), broken = counter.folder("broken", "not json"), missing = counter.path("nowhere");
    std::ofstream(a + "/main.cpp") << "int main() {}\n";
    add({missing, a + "/main.cpp", broken});
    kit::runUntilIdle();
    EXPECT_EQ(lines().front(), "File/folder does not exist: " + missing);
    const auto out = lines();
    EXPECT_EQ(std::count_if(out.begin(), out.end(),
                            [](const std::string& line) { return line.rfind("Caught: ", 0) == 0; }),
              1);
    EXPECT_EQ(listedPaths(), Args{a}); // a folder whose first count fails is never listed...
    FakeCounter::setOutput(broken, "[]");
    add({broken}); // ...and can be added again
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), (Args{a, broken}));

    printed.str("");
    add({a + "/main.cpp"});
    EXPECT_EQ(lines(), Args{"Project already exists: " + a});
    EXPECT_EQ(manager->selectedProject.get()->path, broken); // re-selection waits for the main queue
    kit::runUntilIdle();
    EXPECT_EQ(manager->selectedProject.get()->path, a);
    EXPECT_EQ(FakeCounter::runs(a).size(), 1u);
}

TEST_F(Manager, FoldersBeingAddedAndFailedFirstCountsArePublished)
{
    const auto a = folder("a"), broken = counter.folder("broken", "not json");
    FakeCounter::hold(a, 1);
    std::vector<qm::CountFailure> failures;
    auto sub = manager->firstCountFailed.sink([&](const qm::CountFailure& failure) { failures.push_back(failure); });
    add({a, broken});
    EXPECT_EQ(*manager->adding, (Args{a, broken}));
    // The broken folder fails while the first is still being counted.
    ASSERT_TRUE(waitFor([&] { return failures.size() == 1 && FakeCounter::pid(a).has_value(); }));
    EXPECT_EQ(*manager->adding, Args{a});

    FakeCounter::release(a, 1);
    kit::runUntilIdle();
    EXPECT_TRUE(manager->adding->empty());
    EXPECT_EQ(listedPaths(), Args{a});
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, broken);
    const std::string reason =
        "The counter's output could not be read (dataCorrupted at the top level: The given data was not valid JSON.";
    EXPECT_EQ(failures[0].reason.substr(0, reason.size()), reason);
}

TEST_F(Manager, AMissingPathIsPublishedAsAFolderThatCouldNotBeAdded)
{
    const auto a = folder("a"), missing = counter.path("nowhere");
    std::vector<qm::CountFailure> failures;
    auto sub = manager->firstCountFailed.sink([&](const qm::CountFailure& failure) { failures.push_back(failure); });
    add({missing, a});
    // At once, before the other folder's count has even started on its thread.
    EXPECT_EQ(failures, (std::vector<qm::CountFailure>{{missing, "The file or folder does not exist."}}));
    EXPECT_EQ(*manager->adding, Args{a});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Args{a});
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(Manager, APathIsAddedOnceWhateverItsSpellingOrWhileItsFirstCountRuns)
{
    const auto a = folder("a");
    folder("other");
    add({a + "/", a, counter.path("./a"), counter.path("other/../a")});
    add({a}); // its first count is still being decoded
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Args{a});
    EXPECT_EQ(FakeCounter::runs(a).size(), 1u);
    const auto out = lines();
    EXPECT_EQ(std::count(out.begin(), out.end(), "Project already exists: " + a), 4);
}

TEST_F(Manager, AFolderIsAddedOnceWhateverNameLeadsToItAndKeepsTheNameFirstGiven)
{
    const auto a = folder("a");
    std::ofstream(a + "/main.cpp") << "int main() {}\n";
    const std::string link = counter.path("link"), parentLink = counter.path("up");
    std::filesystem::create_directory_symlink(a, link);
    std::filesystem::create_directory_symlink(counter.path(""), parentLink);
    // Through a link to it, to its parent, or a file inside it, in one call
    // and while its first count runs.
    add({link, a, parentLink + "/a", link + "/main.cpp"});
    add({a});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Args{link});
    EXPECT_EQ(FakeCounter::runs(a).size(), 1u);
    const auto out = lines();
    for (const auto& given : {a, parentLink + "/a", link})
        EXPECT_NE(std::find(out.begin(), out.end(), "Project already exists: " + given), out.end()) << given;

    // Once listed, any name of it re-selects it.
    const auto b = folder("b");
    add({b});
    kit::runUntilIdle();
    EXPECT_EQ(manager->selectedProject.get()->path, b);
    add({a});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), (Args{link, b}));
    EXPECT_EQ(manager->selectedProject.get()->path, link);
    EXPECT_EQ(FakeCounter::runs(a).size(), 1u);

    // Removed, it can be added again, under the name given then.
    manager->removeProject(manager->selectedProject.get());
    add({a});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), (Args{b, a}));
}

TEST_F(Manager, SelectionRuleKeepsTheLanguageOnlyForTheSamePath)
{
    const auto a = folder("a"), b = folder("b");
    addAndChooseGo({a, b});
    const auto selectedB = *manager->selectedProject;
    const auto language = *manager->selectedLanguage;
    manager->selectedProject = selectedB;                        // the same project
    manager->selectedProject = std::make_shared<qm::Project>(b); // another object, same path
    add({b});                                                    // adding the selected folder again
    kit::runUntilIdle();
    EXPECT_EQ(*manager->selectedLanguage, language);

    manager->selectedProject = manager->projects.get()[0];
    EXPECT_FALSE(*manager->selectedLanguage);
    manager->selectedLanguage = language;
    manager->selectedProject = nullptr;
    EXPECT_FALSE(*manager->selectedLanguage);
    manager->selectedLanguage = language;
    manager->selectedProject = nullptr; // none to none keeps it
    EXPECT_EQ(*manager->selectedLanguage, language);
}

TEST_F(Manager, RemovingPassesTheSelectionOn)
{
    const auto a = folder("a"), b = folder("b"), c = folder("c");
    addAndChooseGo({a, b, c});
    const auto projects = *manager->projects;
    manager->removeProject(projects[0]); // not selected: selection stays
    EXPECT_EQ(listedPaths(), (Args{b, c}));
    EXPECT_EQ(manager->selectedProject.get()->path, c);
    EXPECT_TRUE(*manager->selectedLanguage);

    int announcements = 0;
    auto sub = manager->projects.publisher().sink([&] { ++announcements; });
    announcements = 0;
    manager->removeProject(std::make_shared<qm::Project>(c)); // by path
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(listedPaths(), Args{b});
    EXPECT_EQ(manager->selectedProject.get()->path, b);
    EXPECT_FALSE(*manager->selectedLanguage);

    manager->removeProject(projects[1]);
    EXPECT_TRUE(manager->projects->empty());
    EXPECT_FALSE(*manager->selectedProject || *manager->selectedLanguage);
}

TEST_F(Manager, RemovingAProjectEndsItsCounterAndListedProjectsSayWhyACountFailed)
{
    const auto a = folder("a"), b = folder("b");
    add({a, b});
    kit::runUntilIdle();
    std::vector<qm::CountFailure> failures, firstFailures;
    auto sub = manager->countFailed.sink([&](const qm::CountFailure& failure) { failures.push_back(failure); });
    auto firstSub =
        manager->firstCountFailed.sink([&](const qm::CountFailure& failure) { firstFailures.push_back(failure); });

    // A reload that fails is told with the project's folder.
    FakeCounter::setExitStatus(b, 2);
    FakeCounter::setOutput(b, "scc: b: Permission denied\n");
    manager->projects.get()[1]->process();
    kit::runUntilIdle();
    EXPECT_EQ(failures,
              (std::vector<qm::CountFailure>{{b, "The counter stopped with status 2: scc: b: Permission denied"}}));
    EXPECT_TRUE(firstFailures.empty());
    EXPECT_EQ(manager->projects.get()[1]->final->size(), 2u); // the earlier results stay

    // A counter that hangs goes with its project.
    FakeCounter::hang(a);
    const auto project = manager->projects.get()[0];
    project->process();
    ASSERT_TRUE(waitFor([&] { return FakeCounter::runs(a).size() == 2 && FakeCounter::pid(a).has_value(); }));
    ASSERT_TRUE(waitFor([&] { return FakeCounter::marks(a).size() == 3; })); // "--run--" "--end--" "--run--"
    manager->removeProject(project);
    EXPECT_FALSE(*project->working);
    kit::runUntilIdle(); // nothing is left running
    EXPECT_EQ(FakeCounter::marks(a), (Args{"--run--", "--end--", "--run--"}));
    EXPECT_EQ(failures.size(), 1u);

    // A folder whose first count hangs can be stopped, and added again.
    const auto c = folder("c");
    FakeCounter::hang(c);
    add({c});
    ASSERT_TRUE(waitFor([&] { return !FakeCounter::runs(c).empty(); }));
    manager->stopAdding(c);
    kit::runUntilIdle();
    EXPECT_EQ(firstFailures, (std::vector<qm::CountFailure>{{c, "The count was stopped before the counter ended."}}));
    EXPECT_TRUE(manager->adding->empty());
    std::filesystem::remove(c + "/hang");
    add({c});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), (Args{b, c}));

    // A removed project's later failures are no longer the manager's to tell.
    FakeCounter::setExitStatus(a, 3);
    std::filesystem::remove(a + "/hang");
    project->process();
    kit::runUntilIdle();
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(Manager, TheChosenLanguageFollowsANewCountOfTheSelectedProject)
{
    const auto a = folder("a");
    addAndChooseGo({a});
    const auto project = *manager->selectedProject;
    const auto oldGo = *manager->selectedLanguage;
    FakeCounter::setOutput(a, qmtest::counterOutput({{"Go", {{"a.go", 50}}}, {"C++", {}}}));
    project->process();
    kit::runUntilIdle();
    ASSERT_TRUE(*manager->selectedLanguage);
    EXPECT_NE(*manager->selectedLanguage, oldGo);
    EXPECT_EQ(manager->selectedLanguage.get()->code, 50);

    FakeCounter::setOutput(a, qmtest::counterOutput({{"C++", {}}}));
    project->process();
    kit::runUntilIdle();
    EXPECT_FALSE(*manager->selectedLanguage);
}

TEST_F(Manager, TheDropNotificationAddsItsUrlsWhileTheManagerLives)
{
    const auto a = folder("a");
    auto& center = kit::NotificationCenter::defaultCenter();
    center.post("AddProjectsFromDrop", kit::AnyObject::box(Args{a}));
    center.post("AddProjectsFromDrop");
    kit::runUntilIdle();
    EXPECT_TRUE(manager->projects->empty());
    center.post(qm::ProjectManager::addProjectsFromDropNotification,
                kit::AnyObject::box(std::vector<kit::Url>{kit::Url::fileURL(a)}));
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Args{a});

    // A released manager ignores late results and notifications.
    const auto b = folder("b");
    add({b});
    std::weak_ptr<qm::ProjectManager> watch = manager;
    manager.reset();
    EXPECT_TRUE(watch.expired());
    kit::runUntilIdle();
    center.post("AddProjectsFromDrop", kit::AnyObject::box(std::vector<kit::Url>{kit::Url::fileURL(b)}));
    EXPECT_EQ(FakeCounter::runs(b).size(), 1u);
}

} // namespace
