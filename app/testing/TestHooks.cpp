#include "app/testing/TestHooks.h"

#include "core/Output.h"
#include "core/ProjectManager.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>

namespace qm {

namespace {

void endProcessNow(int status)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace

bool testReporting()
{
    static const bool on = std::getenv("QUILLMARROW_TEST_REPORT") != nullptr;
    return on;
}

void testReport(const std::string& line)
{
    if (testReporting())
        printLine(line);
}

void installTestHooks()
{
    if (const char* quitAfter = std::getenv("QUILLMARROW_QUIT_AFTER")) {
        const double seconds = std::atof(quitAfter);
        if (seconds > 0)
            QTimer::singleShot(int(seconds * 1000), qApp, [] { QCoreApplication::exit(0); });
    }
    static kit::CancellableSet subscriptions;
    auto manager = ProjectManager::shared();
    if (std::getenv("QUILLMARROW_QUIT_AFTER_FIRST_COUNT")) {
        subscriptions.insert(manager->projects.sink([](const std::vector<std::shared_ptr<Project>>& projects) {
            // Once the count's last line is out, the process ends at once:
            // what is timed is the start to "all ok", not the teardown.
            if (!projects.empty())
                QTimer::singleShot(0, qApp, [] { endProcessNow(0); });
        }));
        subscriptions.insert(manager->firstCountFailed.sink([](const CountFailure&) { QCoreApplication::exit(1); }));
    }
    if (!testReporting())
        return;
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
