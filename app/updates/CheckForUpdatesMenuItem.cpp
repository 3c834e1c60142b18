#include "app/updates/CheckForUpdatesMenuItem.h"

#include "app/updates/Updater.h"

namespace qm {

CheckForUpdatesMenuItem::CheckForUpdatesMenuItem(std::shared_ptr<CheckForUpdatesViewModel> viewModel, Updater& updater,
                                                 QObject* parent)
    : QAction(title, parent), viewModel_(std::move(viewModel))
{
    setMenuRole(QAction::ApplicationSpecificRole);
    subscription_ = viewModel_->canCheckForUpdates.sink([this](bool canCheck) { setEnabled(canCheck); });
    connect(this, &QAction::triggered, &updater, &Updater::checkForUpdates);
}

} // namespace qm
