#include "FakeCounter.h"

#include "core/ProjectManager.h"
#include "kit/base/NotificationCenter.h"

namespace {

using qmtest::languageJson;
using Lines = std::vector<std::string>;

class Manager : public qmtest::FakeCounterTest {
protected:
    void SetUp() override
    {
        FakeCounterTest::SetUp();
        manager = qm::ProjectManager::create();
        setOutput("[" + languageJson("C++", 10) + "," + languageJson("Go", 5) + "]");
    }

    std::vector<std::string> listedPaths() const
    {
        std::vector<std::string> paths;
        for (const auto& p : *manager->projects)
            paths.push_back(p->path);
        return paths;
    }

    static kit::Url url(const std::string& path) { return kit::Url::fileURL(path); }

    // Adds the folders, lets their counts finish, and selects a language of the selected project.
    void addAndSelectLanguage(const std::vector<std::string>& paths, std::size_t language = 1)
    {
        std::vector<kit::Url> urls;
        for (const auto& p : paths)
            urls.push_back(url(p));
        manager->addProjects(urls);
        kit::runUntilIdle();
        manager->selectedLanguage = manager->selectedProject.get()->final.get().at(language);
    }

    std::shared_ptr<qm::ProjectManager> manager;
};

TEST_F(Manager, ANewFolderJoinsAndIsSelectedOnlyAfterItsCountSucceeds)
{
    auto app = folder("app");
    manager->addProjects({url(app)});
    EXPECT_TRUE(manager->projects->empty());
    EXPECT_FALSE(*manager->selectedProject);
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Lines{app});
    EXPECT_EQ(*manager->selectedProject, manager->projects.get()[0]);
    EXPECT_EQ(manager->selectedProject.get()->final->size(), 2u);
}

TEST_F(Manager, SeveralFoldersAreCountedInOrderAndTheLastSuccessStaysSelected)
{
    auto a = folder("a"), b = folder("b"), c = folder("c");
    manager->addProjects({url(a), url(b), url(c)});
    ASSERT_EQ(runs().size(), 3u);
    EXPECT_EQ(runs()[0].back(), a);
    EXPECT_EQ(runs()[2].back(), c);
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), (Lines{a, b, c}));
    EXPECT_EQ(manager->selectedProject.get()->path, c);
}

TEST_F(Manager, MissingPathsAreReportedAndSkipped)
{
    auto a = folder("a");
    auto missing = (dir / "nowhere").string();
    manager->addProjects({url(missing), url(a)});
    kit::runUntilIdle();
    EXPECT_EQ(lines().front(), "File/folder does not exist: " + missing);
    EXPECT_EQ(listedPaths(), Lines{a});
}

TEST_F(Manager, AFileStandsForItsFolderAndAKnownFolderIsReselected)
{
    auto a = folder("a"), b = folder("b");
    std::ofstream(dir / "a/main.cpp") << "int main() {}\n";
    manager->addProjects({url((dir / "a/main.cpp").string())});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Lines{a});
    manager->addProjects({url(b)});
    kit::runUntilIdle();
    ASSERT_EQ(manager->selectedProject.get()->path, b);

    printed.str("");
    manager->addProjects({url((dir / "a/main.cpp").string())});
    EXPECT_EQ(lines(), Lines{"Project already exists: " + a});
    EXPECT_EQ(manager->selectedProject.get()->path, b); // re-selection waits for the main queue
    kit::runUntilIdle();
    EXPECT_EQ(manager->selectedProject.get()->path, a);
    EXPECT_EQ(runs().size(), 2u);
}

TEST_F(Manager, PathsCompareInTheirStandardForm)
{
    auto a = folder("a");
    folder("other");
    manager->addProjects({url(a + "/"), url(a), url((dir / "." / "a").string()), url((dir / "other/../a").string())});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Lines{a});
    EXPECT_EQ(runs().size(), 1u);
    EXPECT_EQ(lines()[0], "Project already exists: " + a);
}

TEST_F(Manager, AFolderWhoseFirstCountIsPendingIsNotAddedTwice)
{
    auto a = folder("a");
    manager->addProjects({url(a)});
    manager->addProjects({url(a)});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Lines{a});
    EXPECT_EQ(runs().size(), 1u);
}

TEST_F(Manager, AFolderWhoseFirstCountFailsIsNeverListedAndCanBeAddedAgain)
{
    auto a = folder("a");
    setOutput("not json");
    manager->addProjects({url(a)});
    kit::runUntilIdle();
    EXPECT_TRUE(manager->projects->empty());
    EXPECT_FALSE(*manager->selectedProject);
    EXPECT_TRUE(printedLineStartingWith("Caught: "));

    setOutput("[]");
    manager->addProjects({url(a)});
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Lines{a});
}

TEST_F(Manager, SelectionRuleKeepsTheLanguageOnlyForTheSamePath)
{
    auto a = folder("a"), b = folder("b");
    addAndSelectLanguage({a, b});
    auto selectedB = *manager->selectedProject;
    auto language = *manager->selectedLanguage;

    manager->selectedProject = selectedB; // the same project
    EXPECT_EQ(*manager->selectedLanguage, language);
    manager->selectedProject = std::make_shared<qm::Project>(b); // another object, same path
    EXPECT_EQ(*manager->selectedLanguage, language);
    manager->addProjects({url(b)}); // adding the selected folder again
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
    auto a = folder("a"), b = folder("b"), c = folder("c");
    addAndSelectLanguage({a, b, c});
    auto projects = *manager->projects;

    manager->removeProject(projects[0]); // not selected: selection stays
    EXPECT_EQ(listedPaths(), (Lines{b, c}));
    EXPECT_EQ(manager->selectedProject.get()->path, c);
    EXPECT_TRUE(*manager->selectedLanguage);

    int announcements = 0;
    auto sub = manager->projects.publisher().sink([&] { ++announcements; });
    announcements = 0;
    manager->removeProject(std::make_shared<qm::Project>(c)); // by path
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(listedPaths(), Lines{b});
    EXPECT_EQ(manager->selectedProject.get()->path, b);
    EXPECT_FALSE(*manager->selectedLanguage);

    manager->removeProject(projects[1]);
    EXPECT_TRUE(manager->projects->empty());
    EXPECT_FALSE(*manager->selectedProject);
    EXPECT_FALSE(*manager->selectedLanguage);
}

TEST_F(Manager, TheChosenLanguageFollowsANewCountOfTheSelectedProject)
{
    auto a = folder("a");
    addAndSelectLanguage({a});
    auto project = *manager->selectedProject;
    auto oldGo = *manager->selectedLanguage;
    ASSERT_EQ(oldGo->name, "Go");

    setOutput("[" + languageJson("Go", 50) + "," + languageJson("C++", 10) + "]");
    project->process();
    kit::runUntilIdle();
    ASSERT_TRUE(*manager->selectedLanguage);
    EXPECT_NE(*manager->selectedLanguage, oldGo);
    EXPECT_EQ(manager->selectedLanguage.get()->code, 50);

    setOutput("[" + languageJson("C++", 10) + "]");
    project->process();
    kit::runUntilIdle();
    EXPECT_FALSE(*manager->selectedLanguage);
}

TEST_F(Manager, TheDropNotificationAddsItsUrls)
{
    auto a = folder("a");
    auto& center = kit::NotificationCenter::defaultCenter();
    center.post("AddProjectsFromDrop", kit::AnyObject::box(std::vector<std::string>{a}));
    center.post("AddProjectsFromDrop");
    kit::runUntilIdle();
    EXPECT_TRUE(manager->projects->empty());

    center.post(qm::ProjectManager::addProjectsFromDropNotification, kit::AnyObject::box(std::vector<kit::Url>{url(a)}));
    kit::runUntilIdle();
    EXPECT_EQ(listedPaths(), Lines{a}) << printed.str();
}

TEST_F(Manager, AReleasedManagerIgnoresLateResultsAndNotifications)
{
    auto a = folder("a");
    std::weak_ptr<qm::ProjectManager> watch = manager;
    manager->addProjects({url(a)});
    manager.reset();
    EXPECT_TRUE(watch.expired());
    kit::runUntilIdle();
    kit::NotificationCenter::defaultCenter().post("AddProjectsFromDrop", kit::AnyObject::box(std::vector<kit::Url>{url(a)}));
    EXPECT_EQ(runs().size(), 1u);
}

TEST(SharedManager, IsOneInstance)
{
    EXPECT_EQ(qm::ProjectManager::shared(), qm::ProjectManager::shared());
    EXPECT_TRUE(qm::ProjectManager::shared()->projects->empty());
}

} // namespace
