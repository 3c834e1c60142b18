#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

namespace qm {
namespace {

QString uniqueKey()
{
    return QStringLiteral("quillmarrow-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

TEST(SingleInstance, LaterLaunchHandsItsPathsToTheRunningOne)
{
    const QString key = uniqueKey();
    SingleInstance first(key);
    SingleInstance second(key);
    EXPECT_FALSE(first.handOff({"/nowhere"})); // nobody listens yet
    ASSERT_TRUE(first.listen());
    QSignalSpy received(&first, &SingleInstance::pathsReceived);

    // Names pass as the bytes they are: UTF-8, Latin-1, a line feed.
    const QByteArray utf8 = "/tmp/caf\xc3\xa9 & co/x y", latin1 = "/tmp/caf\xe9", lineFeed = "/tmp/two\nlines";
    ASSERT_TRUE(second.handOff({"/tmp/a", utf8, latin1, lineFeed, "relative/b"}));
    ASSERT_TRUE(received.wait(10000));
    const QByteArrayList paths = received.at(0).at(0).value<QByteArrayList>();
    EXPECT_EQ(paths, (QByteArrayList{"/tmp/a", utf8, latin1, lineFeed, QFile::encodeName(QDir::current().absoluteFilePath("relative/b"))}));

    // A plain relaunch asks for the window without paths.
    ASSERT_TRUE(second.handOff({}));
    ASSERT_TRUE(received.wait(10000));
    EXPECT_TRUE(received.at(1).at(0).value<QByteArrayList>().isEmpty());
}

TEST(SingleInstance, OnlyOneInstanceListensAndStaleSocketsAreTakenOver)
{
    const QString key = uniqueKey();
    SingleInstance first(key);
    ASSERT_TRUE(first.listen());
    SingleInstance second(key);
    EXPECT_FALSE(second.listen());

    // A socket file left by an instance that is gone does not block a new one.
    const QString stale = uniqueKey();
    QFile leftover(QDir::temp().filePath(stale));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    SingleInstance fresh(stale);
    EXPECT_TRUE(fresh.listen());
}

TEST(SingleInstance, MessagesWithoutTheGreetingAreIgnored)
{
    EXPECT_TRUE(SingleInstance::decode("GET / HTTP/1.1\r\n").isEmpty());
    EXPECT_EQ(SingleInstance::decode(SingleInstance::encode({"/a", "/b"})), (QByteArrayList{"/a", "/b"}));
}

TEST(SingleInstance, EachUserAndSessionHasItsOwnInstance)
{
    const QString run = QStringLiteral("/run/user/1000");
    const QString x0 = SingleInstance::keyFor(1000, run, {}, QStringLiteral(":0"));
    EXPECT_TRUE(x0.startsWith(run + u'/')) << x0.toStdString(); // in the user's own runtime folder
    struct Case {
        uint user;
        QString runtime, wayland, x;
        bool sameAsX0;
    };
    for (const Case& c : std::vector<Case>{
             {1000, run, "", ":0", true},
             {1000, run, "", ":0.1", true},        // another screen of the same X server
             {1000, run, "", ":1", false},         // another X session
             {1000, run, "wayland-1", ":0", false}, // a Wayland session
             {1000, "/run/user/1000/other", "", ":0", false},
         }) {
        EXPECT_EQ(SingleInstance::keyFor(c.user, c.runtime, c.wayland, c.x) == x0, c.sameAsX0) << c.x.toStdString();
    }
    // Without a runtime folder (a relative one does not count) the user id keeps users apart.
    const QString noRuntime = SingleInstance::keyFor(1000, {}, {}, QStringLiteral(":0"));
    EXPECT_TRUE(noRuntime.startsWith(QStringLiteral("quillmarrow-1000-"))) << noRuntime.toStdString();
    EXPECT_EQ(SingleInstance::keyFor(1000, QStringLiteral("relative"), {}, QStringLiteral(":0")), noRuntime);
    EXPECT_NE(SingleInstance::keyFor(1001, {}, {}, QStringLiteral(":0")), noRuntime);
    EXPECT_NE(SingleInstance::keyFor(1000, {}, {}, QStringLiteral(":1")), noRuntime);
}

} // namespace
} // namespace qm
