#include "app/UpdateResultDialog.h"
#include "app/Updater.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

namespace qm {
namespace {

// A one-page HTTP server on the loopback address.
class FeedServer {
public:
    FeedServer(QByteArray status, QByteArray body)
        : status_(std::move(status))
        , body_(std::move(body))
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (!request_.contains("\r\n\r\n"))
                        return;
                    socket->write("HTTP/1.1 " + status_ + "\r\nContent-Type: application/rss+xml\r\nContent-Length: "
                                  + QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(server_.serverPort())); }
    const QByteArray& request() const { return request_; }

private:
    QTcpServer server_;
    QByteArray status_, body_, request_;
};

const QByteArray kFeed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:up="http://example.org/update">
  <channel>
    <title>Quillmarrow</title>
    <item><title>Version 1.2</title><up:version>1.2</up:version>
      <enclosure url="https://example.org/q-1.2.tar.gz" length="10" type="application/octet-stream"/></item>
    <item><title>Version 1.10</title><link>https://example.org/q-1.10</link><enclosure version="1.10"/></item>
    <item><title>No version</title><link>https://example.org/none</link></item>
  </channel>
</rss>)";

TEST(UpdateFeed, ReadsItemsAndComparesVersionsNumerically)
{
    const auto items = parseUpdateFeed(kFeed);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 2u);
    EXPECT_EQ((*items)[0], (UpdateFeedItem{"Version 1.2", "1.2", "https://example.org/q-1.2.tar.gz"}));
    EXPECT_EQ((*items)[1], (UpdateFeedItem{"Version 1.10", "1.10", "https://example.org/q-1.10"}));

    EXPECT_LT(compareVersions("1.2", "1.10"), 0);
    EXPECT_EQ(compareVersions("1.0", "1.0.0"), 0);
    EXPECT_GT(compareVersions("2", "1.99.99"), 0);
    EXPECT_EQ(newestUpdate(*items, "1.0.0")->version, "1.10");
    EXPECT_FALSE(newestUpdate(*items, "1.10"));
    EXPECT_FALSE(newestUpdate(*items, "3.0"));
}

TEST(UpdateFeed, RejectsDocumentsThatAreNotFeeds)
{
    std::string error;
    EXPECT_FALSE(parseUpdateFeed("<html><body>nope</body></html>", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(parseUpdateFeed("<rss><channel><item>", &error));
    EXPECT_FALSE(parseUpdateFeed("", &error));
    const auto empty = parseUpdateFeed("<rss><channel></channel></rss>");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

// Runs one user-initiated check against `server` and returns what it found.
UpdateCheckResult check(const QUrl& url, const std::string& version, std::vector<bool>* canCheckStates = nullptr)
{
    Updater updater(url, version);
    std::vector<UpdateCheckResult> shown;
    updater.setPresenter([&](const UpdateCheckResult& r) { shown.push_back(r); });
    EXPECT_FALSE(updater.canCheckForUpdates());
    updater.checkForUpdates(); // not started yet: ignored
    updater.start();
    EXPECT_TRUE(updater.canCheckForUpdates());
    QSignalSpy states(&updater, &Updater::canCheckForUpdatesChanged);
    updater.checkForUpdates();
    EXPECT_FALSE(updater.canCheckForUpdates());
    updater.checkForUpdates(); // a check is running: ignored
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }, 20000));
    EXPECT_TRUE(updater.canCheckForUpdates());
    EXPECT_EQ(shown.size(), 1u);
    if (canCheckStates) {
        for (const auto& args : states)
            canCheckStates->push_back(args.at(0).toBool());
    }
    return shown.empty() ? UpdateCheckResult{} : shown.front();
}

TEST(Updater, FindsANewerReleaseReportsUpToDateAndFailures)
{
    std::vector<bool> states;
    FeedServer server("200 OK", kFeed);
    const UpdateCheckResult result = check(server.url(), "1.0.0", &states);
    EXPECT_TRUE(server.request().startsWith("GET /appcast.xml "));
    EXPECT_EQ(result.kind, UpdateCheckResult::Kind::updateAvailable);
    ASSERT_TRUE(result.update);
    EXPECT_EQ(result.update->version, "1.10");
    EXPECT_EQ(result.currentVersion, "1.0.0");
    EXPECT_EQ(states, (std::vector<bool>{false, true}));

    EXPECT_EQ(check(server.url(), "1.10").kind, UpdateCheckResult::Kind::upToDate);
    FeedServer notAFeed("200 OK", "this is not a feed");
    EXPECT_EQ(check(notAFeed.url(), "1.0.0").kind, UpdateCheckResult::Kind::failed);
    FeedServer missing("404 Not Found", "<html>gone</html>");
    EXPECT_EQ(check(missing.url(), "1.0.0").kind, UpdateCheckResult::Kind::failed);
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QUrl nobody(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
    closed.close();
    const UpdateCheckResult unreachable = check(nobody, "1.0.0");
    EXPECT_EQ(unreachable.kind, UpdateCheckResult::Kind::failed);
    EXPECT_FALSE(unreachable.error.empty());
}

TEST(UpdateResultDialog, TakesItsNaturalSizeWithRoomForTheWholeTitle)
{
    UpdateCheckResult upToDate{UpdateCheckResult::Kind::upToDate, "1.0.0", std::nullopt, ""};
    UpdateCheckResult available{UpdateCheckResult::Kind::updateAvailable, "1.0.0", UpdateFeedItem{"Version 1.2", "1.2", "https://example.org/q"}, ""};
    UpdateCheckResult failed{UpdateCheckResult::Kind::failed, "1.0.0", std::nullopt, "Host example.org not found"};
    for (const auto& result : {upToDate, available, failed}) {
        UpdateResultDialog dialog(result);
        dialog.show();
        QTest::qWait(0);
        EXPECT_EQ(dialog.windowTitle(), "Software Update");
        // The title in a bold title-bar face a quarter larger than the text,
        // beside 160 points of window buttons and margins.
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
        EXPECT_GE(dialog.width(), QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + 160);
        // Every line of the message shows.
        EXPECT_GE(dialog.message()->height(), dialog.message()->heightForWidth(dialog.message()->width()));
        EXPECT_EQ(dialog.downloadButton() != nullptr, result.kind == UpdateCheckResult::Kind::updateAvailable);
        if (result.kind == UpdateCheckResult::Kind::failed) {
            EXPECT_EQ(dialog.details()->text(), "Host example.org not found");
        }
    }
}

} // namespace
} // namespace qm
