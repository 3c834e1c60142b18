#include "core/ProjectManager.h"

#include "core/Output.h"
#include "kit/base/MainQueue.h"
#include "kit/base/NotificationCenter.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace qm {

namespace fs = std::filesystem;

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
        auto it = std::find_if(results.begin(), results.end(), [&](const auto& entry) { return entry->name == language->name; });
        auto replacement = it == results.end() ? nullptr : *it;
        if (replacement != language)
            selectedLanguage = replacement;
    });
}

std::shared_ptr<Project> ProjectManager::listed(const std::string& path) const
{
    for (const auto& project : *projects)
        if (project->path == path)
            return project;
    return nullptr;
}

bool ProjectManager::isAdding(const std::string& path) const
{
    return std::find(adding->begin(), adding->end(), path) != adding->end();
}

void ProjectManager::finishAdding(const std::string& path)
{
    adding.modify([&](auto& paths) {
        if (auto it = std::find(paths.begin(), paths.end(), path); it != paths.end())
            paths.erase(it);
    });
}

void ProjectManager::addProjects(const std::vector<kit::Url>& urls)
{
    std::vector<std::shared_ptr<Project>> added;
    for (const auto& url : urls) {
        auto path = kit::Url::fileURL(url.path).path;
        std::error_code error;
        auto status = fs::status(path, error);
        if (error || !fs::exists(status)) {
            printLine("File/folder does not exist: " + path);
            continue;
        }
        auto folder = fs::is_directory(status) ? path : kit::Url::fileURL(fs::path(path).parent_path().string()).path;

        if (auto existing = listed(folder)) {
            printLine("Project already exists: " + folder);
            kit::MainQueue::async([weak = weak_from_this(), existing] {
                if (auto manager = weak.lock())
                    manager->selectedProject = existing;
            });
            continue;
        }
        bool seen = std::any_of(added.begin(), added.end(), [&](const auto& p) { return p->path == folder; });
        if (seen || isAdding(folder)) {
            printLine("Project already exists: " + folder);
            continue;
        }
        added.push_back(std::make_shared<Project>(folder));
    }

    if (!added.empty())
        adding.modify([&](auto& paths) {
            for (const auto& project : added)
                paths.push_back(project->path);
        });
    for (const auto& project : added) {
        // The completion holds the project until it joins the list.
        project->process(
            [weak = weak_from_this(), project](const LanguageList&) {
                kit::MainQueue::async([weak, project] {
                    auto manager = weak.lock();
                    if (!manager)
                        return;
                    manager->finishAdding(project->path);
                    manager->projects.modify([&](auto& list) { list.push_back(project); });
                    manager->selectedProject = project;
                });
            },
            [weak = weak_from_this(), path = project->path](const std::string& reason) {
                if (auto manager = weak.lock()) {
                    manager->finishAdding(path);
                    manager->firstCountFailed.send(CountFailure{path, reason});
                }
            });
    }
}

void ProjectManager::removeProject(const std::shared_ptr<Project>& project)
{
    if (!project)
        return;
    const std::string path = project->path;
    projects.modify([&](auto& list) { std::erase_if(list, [&](const auto& p) { return p->path == path; }); });
    if (*selectedProject && selectedProject.get()->path == path)
        selectedProject = projects->empty() ? nullptr : projects->front();
}

} // namespace qm
