#pragma once

#include "kit/base/ObservableObject.h"
#include "kit/base/Published.h"

#include <QMetaObject>

namespace qm {

class Updater;

// Mirrors the updater's `canCheckForUpdates` for the update menu item: the
// current value at once, then every change.
class CheckForUpdatesViewModel : public kit::ObservableObject {
public:
    explicit CheckForUpdatesViewModel(Updater& updater);
    ~CheckForUpdatesViewModel() override;

    kit::Published<bool> canCheckForUpdates{this, false};

private:
    QMetaObject::Connection connection_;
};

} // namespace qm
