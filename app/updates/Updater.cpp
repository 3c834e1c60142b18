#include "app/updates/Updater.h"

#include "app/updates/UpdateResultDialog.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <memory>

#ifndef QM_UPDATE_FEED_URL
#define QM_UPDATE_FEED_URL "https://quillmarrow.app/appcast.xml"
#endif
#ifndef QM_APP_VERSION
#define QM_APP_VERSION "1.0.0"
#endif

namespace qm {

namespace {
constexpr int kTransferTimeoutMs = 30000;
constexpr qint64 kReadChunk = 256 * 1024;
} // namespace

Updater::Updater(QUrl feedUrl, std::string currentVersion, QObject* parent)
    : QObject(parent), feedUrl_(std::move(feedUrl)), currentVersion_(std::move(currentVersion)),
      presenter_(presentUpdateCheckResult)
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
    // The feed is taken as it arrives and the bounds hold while it does: a
    // feed that never ends, or never finishes, is cut short.
    reply->setReadBufferSize(kReadChunk);
    auto document = std::make_shared<QByteArray>();
    auto failure = std::make_shared<std::string>();
    auto fail = [reply, failure](std::string why) {
        if (failure->empty())
            *failure = std::move(why);
        reply->abort();
    };
    connect(reply, &QNetworkReply::readyRead, this, [reply, document, fail] {
        *document += reply->read(largestFeed + 1 - document->size());
        if (document->size() > largestFeed)
            fail("The update feed is larger than " + std::to_string(largestFeed >> 20) + " MiB.");
    });
    QTimer::singleShot(totalTimeoutMs_, reply, [this, fail] {
        fail("The update feed did not arrive within " + QString::number(totalTimeoutMs_ / 1000.0).toStdString() +
             " seconds.");
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, document, failure] { finish(reply, *document, *failure); });
}

void Updater::finish(QNetworkReply* reply, const QByteArray& received, const std::string& failure)
{
    reply->deleteLater();
    UpdateCheckResult result;
    result.currentVersion = currentVersion_;
    if (!failure.empty()) {
        result.error = failure;
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString().toStdString();
    } else {
        const QByteArray document = received + reply->read(largestFeed + 1 - received.size());
        std::string error;
        if (document.size() > largestFeed) {
            result.error = "The update feed is larger than " + std::to_string(largestFeed >> 20) + " MiB.";
        } else if (const auto items = parseUpdateFeed(document, &error)) {
            result.update = newestUpdate(*items, currentVersion_);
            result.kind = result.update ? UpdateCheckResult::Kind::updateAvailable : UpdateCheckResult::Kind::upToDate;
            if (result.update)
                result.downloadLink = offeredDownloadLink(result.update->downloadUrl, feedUrl_).value_or(QUrl());
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
        QDesktopServices::openUrl(result.downloadLink);
}

} // namespace qm
