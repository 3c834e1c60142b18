#include "app/updates/CheckForUpdatesMenuItem.h"
#include "app/updates/UpdaterController.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(CheckForUpdates, MenuItemFollowsTheUpdatersState)
{
    UpdaterController stopped(false, QUrl(QStringLiteral("http://127.0.0.1:9/feed")), "1.0.0");
    Updater& updater = stopped.updater();
    auto viewModel = std::make_shared<CheckForUpdatesViewModel>(updater);
    CheckForUpdatesMenuItem item(viewModel, updater);
    EXPECT_EQ(item.text(), QString::fromUtf8("Check for Updates\xe2\x80\xa6"));
    EXPECT_FALSE(viewModel->canCheckForUpdates.get());
    EXPECT_FALSE(item.isEnabled());

    int announcements = 0;
    auto counting = viewModel->objectWillChange.sink([&] { ++announcements; });
    updater.start();
    EXPECT_TRUE(viewModel->canCheckForUpdates.get());
    EXPECT_TRUE(item.isEnabled());
    EXPECT_EQ(announcements, 1);

    // A running check disables the item until it ends.
    updater.setPresenter([](const UpdateCheckResult&) {});
    item.trigger();
    EXPECT_FALSE(updater.canCheckForUpdates());
    EXPECT_FALSE(item.isEnabled());

    // A view model made later starts from the current value.
    CheckForUpdatesViewModel later(updater);
    EXPECT_FALSE(later.canCheckForUpdates.get());
}

} // namespace
} // namespace qm
