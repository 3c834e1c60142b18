#include "app/TestHooks.h"

#include "core/ProjectManager.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>
#include <iostream>
#include <set>

namespace qm {

bool testReporting()
{
    static const bool on = std::getenv("QUILLMARROW_TEST_REPORT") != nullptr;
    return on;
}

void testReport(const std::string& line)
{
    if (testReporting())
        std::cout << line << std::endl;
}

void installTestHooks()
{
    if (const char* quitAfter = std::getenv("QUILLMARROW_QUIT_AFTER")) {
        const double seconds = std::atof(quitAfter);
        if (seconds > 0)
            QTimer::singleShot(int(seconds * 1000), qApp, [] { QCoreApplication::exit(0); });
    }
    if (!testReporting())
        return;
    static kit::CancellableSet subscriptions;
    auto manager = ProjectManager::shared();
    auto listed = std::make_shared<std::set<std::string>>();
    subscriptions.insert(manager->projects.sink([listed](const std::vector<std::shared_ptr<Project>>& projects) {
        for (const auto& project : projects) {
            if (listed->insert(project->path).second)
                testReport("listed: " + project->name);
        }
    }));
    subscriptions.insert(manager->selectedProject.sink([](const std::shared_ptr<Project>& project) {
        if (project)
            testReport("selected: " + project->name);
    }));
}

} // namespace qm
