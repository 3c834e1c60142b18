#pragma once

#include "app/updates/Updater.h"

#include <memory>

namespace qm {

// Owns the application's updater; created at start-up and, when asked,
// starts the updater at once.
class UpdaterController {
public:
    explicit UpdaterController(bool startingUpdater, QUrl feedUrl = Updater::defaultFeedUrl(),
                               std::string currentVersion = Updater::applicationVersion());

    Updater& updater() const { return *updater_; }

private:
    std::unique_ptr<Updater> updater_;
};

} // namespace qm
