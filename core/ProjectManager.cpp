#include "core/ProjectManager.h"

#include "core/CountFailureReason.h"

#include "core/Output.h"
#include "kit/base/MainQueue.h"
#include "kit/base/NotificationCenter.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

namespace qm {

namespace fs = std::filesystem;

namespace {

// A file or folder asked for: its path, and the folder counted for it (a
// folder itself, a file the folder it is in), none when nothing is there.
struct Asked {
    std::string path;
    std::optional<std::string> folder;
};

Asked asked(const kit::Url& url)
{
    Asked a{kit::Url::fileURL(url.path).path, std::nullopt};
    std::error_code error;
    const auto status = fs::status(a.path, error);
    if (!error && fs::exists(status))
        a.folder = fs::is_directory(status) ? a.path : kit::Url::fileURL(fs::path(a.path).parent_path().string()).path;
    return a;
}

} // namespace

const std::shared_ptr<ProjectManager>& ProjectManager::shared()
{
    static auto* manager = new std::shared_ptr<ProjectManager>(create());
    return *manager;
}

std::shared_ptr<ProjectManager> ProjectManager::create()
{
    auto manager = std::make_shared<ProjectManager>(Token{});
    std::weak_ptr<ProjectManager> weak = manager;
    kit::NotificationCenter::defaultCenter()
        .publisher(addProjectsFromDropNotification)
        .sink([weak](const kit::Notification& notification) {
            auto urls = notification.object.as<std::vector<kit::Url>>();
            if (!urls)
                return;
            auto add = [weak, urls] {
                if (auto manager = weak.lock())
                    manager->addProjects(*urls);
            };
            // Projects live on the main thread: a post from elsewhere is handed over.
            if (kit::isMainThread())
                add();
            else
                kit::MainQueue::async(add);
        })
        .store(manager->cancellables);
    return manager;
}

ProjectManager::ProjectManager(Token) {}

void ProjectManager::selectionChanged(const std::shared_ptr<Project>& old)
{
    const auto& current = *selectedProject;
    bool same = (!old && !current) || (old && current && old->path == current->path);
    if (!same)
        selectedLanguage = nullptr;
    followSelectedResults();
}

// Keeps selectedLanguage pointing into the selected project's latest
// results: after a new count it is the language of the same name there, or
// none when that language is gone.
void ProjectManager::followSelectedResults()
{
    selectedResults_.cancel();
    if (!*selectedProject)
        return;
    // The publisher first replays the current results: only later writes count.
    auto replay = std::make_shared<bool>(true);
    selectedResults_ = selectedProject.get()->final.publisher().sink([this, replay](const LanguageList& results) {
        if (std::exchange(*replay, false))
            return;
        const auto& language = *selectedLanguage;
        if (!language)
            return;
        auto it = std::find_if(results.begin(), results.end(),
                               [&](const auto& entry) { return entry->name == language->name; });
        auto replacement = it == results.end() ? nullptr : *it;
        if (replacement != language)
            selectedLanguage = replacement;
    });
}

std::optional<ProjectManager::FolderId> ProjectManager::folderIdOf(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FolderId{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

bool ProjectManager::sameFolder(const std::string& projectPath, const std::string& path,
                                const std::optional<FolderId>& id) const
{
    if (projectPath == path)
        return true;
    const auto known = folderIds_.find(projectPath);
    return id && known != folderIds_.end() && known->second == *id;
}

std::shared_ptr<Project> ProjectManager::listed(const std::string& path, const std::optional<FolderId>& id) const
{
    for (const auto& project : *projects)
        if (sameFolder(project->path, path, id))
            return project;
    return nullptr;
}

bool ProjectManager::isAdding(const std::string& path, const std::optional<FolderId>& id) const
{
    return std::any_of(adding->begin(), adding->end(), [&](const auto& p) { return sameFolder(p, path, id); });
}

void ProjectManager::finishAdding(const std::string& path)
{
    beingAdded_.erase(path);
    adding.modify([&](auto& paths) {
        if (auto it = std::find(paths.begin(), paths.end(), path); it != paths.end())
            paths.erase(it);
    });
}

void ProjectManager::startCountsAhead(const std::vector<kit::Url>& urls) const
{
    // A few at most: each starts here, on the caller's thread, and more
    // counters than that share the cores among them anyway.
    constexpr std::size_t most = 4;
    try {
        std::vector<std::pair<std::string, std::optional<FolderId>>> started;
        for (const auto& url : urls) {
            if (started.size() == most)
                break;
            const std::optional<std::string> folder = asked(url).folder;
            if (!folder)
                continue;
            const auto id = folderIdOf(*folder);
            // Counted under the name first given: a folder again, by any name, is not started twice.
            const bool again = std::any_of(started.begin(), started.end(),
                                           [&](const auto& s) { return s.first == *folder || (id && s.second == id); });
            if (again || listed(*folder, id) || isAdding(*folder, id))
                continue;
            Project::startCountAhead(*folder);
            started.emplace_back(*folder, id);
        }
    } catch (const std::exception&) {
        // Starting ahead only saves time: the counts start what could not start here.
    }
}

void ProjectManager::addProjects(const std::vector<kit::Url>& urls)
{
    // Whatever happens to the folders, no counter started ahead is left running.
    struct EndUntaken {
        ~EndUntaken() { Project::endCountsStartedAhead(); }
    } endUntaken;
    std::vector<std::shared_ptr<Project>> added;
    for (const auto& url : urls) {
        auto [path, place] = asked(url);
        if (!place) {
            printLine("File/folder does not exist: " + path);
            firstCountFailed.send(CountFailure{path, missingPathReason()});
            continue;
        }
        const std::string& folder = *place;
        // A folder reached by another name (a symbolic link to it, or through
        // one) is the same project, listed under the name first given.
        const auto id = folderIdOf(folder);

        if (auto existing = listed(folder, id)) {
            printLine("Project already exists: " + folder);
            kit::MainQueue::async([weak = weak_from_this(), existing] {
                if (auto manager = weak.lock())
                    manager->selectedProject = existing;
            });
            continue;
        }
        bool seen = std::any_of(added.begin(), added.end(),
                                [&](const auto& p) { return sameFolder(p->path, folder, id); });
        if (seen || isAdding(folder, id)) {
            printLine("Project already exists: " + folder);
            continue;
        }
        added.push_back(std::make_shared<Project>(folder));
        if (id)
            folderIds_[folder] = *id;
    }

    if (!added.empty())
        adding.modify([&](auto& paths) {
            for (const auto& project : added) {
                paths.push_back(project->path);
                beingAdded_[project->path] = project;
            }
        });
    for (const auto& project : added) {
        // The completion holds the project until it joins the list.
        project->process(
            [weak = weak_from_this(), project, asked = ++asked_](const LanguageList&) {
                kit::MainQueue::async([weak, project, asked] {
                    auto manager = weak.lock();
                    if (!manager)
                        return;
                    manager->finishAdding(project->path);
                    manager->join(project, asked);
                });
            },
            [weak = weak_from_this(), path = project->path](const std::string& reason) {
                if (auto manager = weak.lock()) {
                    manager->finishAdding(path);
                    manager->folderIds_.erase(path);
                    manager->firstCountFailed.send(CountFailure{path, reason});
                }
            });
    }
}

void ProjectManager::stopAdding(const std::string& path)
{
    const auto it = beingAdded_.find(path);
    if (it == beingAdded_.end())
        return;
    if (auto project = it->second.lock())
        project->stopCounts();
}

void ProjectManager::join(const std::shared_ptr<Project>& project, std::uint64_t asked)
{
    Listing& listing = listings_[project.get()];
    listing.asked = asked;
    listing.failures = project->countFailed.sink([this, path = project->path](const std::string& reason) {
        countFailed.send(CountFailure{path, reason});
    });
    // After the listed projects asked for before it, whenever their counts ended.
    projects.modify([&](auto& list) {
        auto before = std::find_if(list.begin(), list.end(), [&](const auto& p) {
            const auto it = listings_.find(p.get());
            return it != listings_.end() && it->second.asked > asked;
        });
        list.insert(before, project);
    });
    // Selected unless a project asked for after it joined first: of folders
    // added together, the last one asked for ends up selected, and the
    // selection does not jump back as earlier ones join.
    if (asked > selectedOnJoining_) {
        selectedOnJoining_ = asked;
        selectedProject = project;
    }
}

void ProjectManager::removeProject(const std::shared_ptr<Project>& project)
{
    if (!project)
        return;
    const std::string path = project->path;
    std::vector<std::shared_ptr<Project>> removed;
    projects.modify([&](auto& list) {
        std::erase_if(list, [&](const auto& p) {
            if (p->path != path)
                return false;
            removed.push_back(p);
            return true;
        });
    });
    // A counter that never ends goes with its project.
    for (const auto& p : removed) {
        listings_.erase(p.get());
        p->endCounts();
    }
    if (!isAdding(path, std::nullopt))
        folderIds_.erase(path);
    if (*selectedProject && selectedProject.get()->path == path)
        selectedProject = projects->empty() ? nullptr : projects->front();
}

} // namespace qm
