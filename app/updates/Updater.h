#pragma once

#include "app/updates/UpdateFeed.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <optional>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;

namespace qm {

// What a user-initiated update check found.
struct UpdateCheckResult {
    enum class Kind { upToDate, updateAvailable, failed };
    Kind kind = Kind::failed;
    std::string currentVersion;
    std::optional<UpdateFeedItem> update; // set for updateAvailable
    QUrl downloadLink;                    // the update's link, when it may be offered (offeredDownloadLink)
    std::string error;                    // set for failed
};

// Checks the update feed for a newer release. `canCheckForUpdates` is true
// once the updater has started and while no check runs; observers follow it
// through `canCheckForUpdatesChanged`. A check reads at most largestFeed
// bytes, as they arrive, and takes at most the total time allowed (60
// seconds unless set): a feed that is endless, or that trickles in, fails
// the check.
class Updater : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)

public:
    using Presenter = std::function<void(const UpdateCheckResult&)>;

    static constexpr qint64 largestFeed = 4 * 1024 * 1024;

    Updater(QUrl feedUrl, std::string currentVersion, QObject* parent = nullptr);
    ~Updater() override;

    void start();
    bool canCheckForUpdates() const { return canCheck_; }

    // Starts a user-initiated check; the result goes to the presenter (a
    // dialog unless replaced). Does nothing while a check may not start.
    void checkForUpdates();

    void setPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
    void setTotalTimeout(int milliseconds) { totalTimeoutMs_ = milliseconds; }
    const QUrl& feedUrl() const { return feedUrl_; }

    // The feed address the application was built with.
    static QUrl defaultFeedUrl();
    // The version of this build.
    static std::string applicationVersion();

signals:
    void canCheckForUpdatesChanged(bool canCheck);
    void checkFinished(const qm::UpdateCheckResult& result);

private:
    void setCanCheck(bool value);
    void finish(QNetworkReply* reply, const QByteArray& document, const std::string& failure);

    QUrl feedUrl_;
    std::string currentVersion_;
    bool started_ = false;
    bool canCheck_ = false;
    int totalTimeoutMs_ = 60000;
    QNetworkAccessManager* network_ = nullptr;
    Presenter presenter_;
};

// Shows the result of a check in a dialog.
void presentUpdateCheckResult(const UpdateCheckResult& result);

} // namespace qm
