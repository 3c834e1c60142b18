#include "app/Updater.h"

#include "app/UpdateResultDialog.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#ifndef QM_UPDATE_FEED_URL
#define QM_UPDATE_FEED_URL "https://quillmarrow.app/appcast.xml"
#endif
#ifndef QM_APP_VERSION
#define QM_APP_VERSION "1.0.0"
#endif

namespace qm {

namespace {
constexpr int kTransferTimeoutMs = 30000;
constexpr qint64 kLargestFeed = 4 * 1024 * 1024;
} // namespace

Updater::Updater(QUrl feedUrl, std::string currentVersion, QObject* parent)
    : QObject(parent)
    , feedUrl_(std::move(feedUrl))
    , currentVersion_(std::move(currentVersion))
    , presenter_(presentUpdateCheckResult)
{
}

Updater::~Updater() = default;

QUrl Updater::defaultFeedUrl()
{
    return QUrl(QStringLiteral(QM_UPDATE_FEED_URL));
}

std::string Updater::applicationVersion()
{
    return QM_APP_VERSION;
}

void Updater::start()
{
    if (started_)
        return;
    started_ = true;
    network_ = new QNetworkAccessManager(this);
    setCanCheck(true);
}

void Updater::setCanCheck(bool value)
{
    if (canCheck_ == value)
        return;
    canCheck_ = value;
    emit canCheckForUpdatesChanged(value);
}

void Updater::checkForUpdates()
{
    if (!canCheck_)
        return;
    setCanCheck(false);
    QNetworkRequest request(feedUrl_);
    request.setTransferTimeout(kTransferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finish(reply); });
}

void Updater::finish(QNetworkReply* reply)
{
    reply->deleteLater();
    UpdateCheckResult result;
    result.currentVersion = currentVersion_;
    if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString().toStdString();
    } else {
        const QByteArray document = reply->read(kLargestFeed + 1);
        std::string error;
        if (document.size() > kLargestFeed) {
            result.error = "The update feed is too large.";
        } else if (const auto items = parseUpdateFeed(document, &error)) {
            result.update = newestUpdate(*items, currentVersion_);
            result.kind = result.update ? UpdateCheckResult::Kind::updateAvailable : UpdateCheckResult::Kind::upToDate;
        } else {
            result.error = error;
        }
    }
    setCanCheck(true);
    emit checkFinished(result);
    if (presenter_)
        presenter_(result);
}

void presentUpdateCheckResult(const UpdateCheckResult& result)
{
    UpdateResultDialog dialog(result);
    if (dialog.exec() == QDialog::Accepted && dialog.downloadButton())
        QDesktopServices::openUrl(QUrl(QString::fromStdString(result.update->downloadUrl)));
}

} // namespace qm
