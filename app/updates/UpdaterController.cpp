#include "app/updates/UpdaterController.h"

namespace qm {

UpdaterController::UpdaterController(bool startingUpdater, QUrl feedUrl, std::string currentVersion)
    : updater_(std::make_unique<Updater>(std::move(feedUrl), std::move(currentVersion)))
{
    if (startingUpdater)
        updater_->start();
}

} // namespace qm
