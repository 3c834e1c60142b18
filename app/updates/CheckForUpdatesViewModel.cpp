#include "app/updates/CheckForUpdatesViewModel.h"

#include "app/updates/Updater.h"

namespace qm {

CheckForUpdatesViewModel::CheckForUpdatesViewModel(Updater& updater)
{
    canCheckForUpdates = updater.canCheckForUpdates();
    connection_ = QObject::connect(&updater, &Updater::canCheckForUpdatesChanged,
                                   [this](bool value) { canCheckForUpdates = value; });
}

CheckForUpdatesViewModel::~CheckForUpdatesViewModel()
{
    QObject::disconnect(connection_);
}

} // namespace qm
