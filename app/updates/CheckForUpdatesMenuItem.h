#pragma once

#include "app/updates/CheckForUpdatesViewModel.h"
#include "kit/base/Cancellable.h"

#include <QAction>

#include <memory>

namespace qm {

class Updater;

// The "Check for Updates…" command: enabled only while the view model says a
// check may start; triggering it starts a user-initiated check.
class CheckForUpdatesMenuItem : public QAction {
    Q_OBJECT

public:
    CheckForUpdatesMenuItem(std::shared_ptr<CheckForUpdatesViewModel> viewModel, Updater& updater,
                            QObject* parent = nullptr);

    static inline const QString title = QStringLiteral("Check for Updates\u2026");

private:
    std::shared_ptr<CheckForUpdatesViewModel> viewModel_;
    kit::Cancellable subscription_;
};

} // namespace qm
