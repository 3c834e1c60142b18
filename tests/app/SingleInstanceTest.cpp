#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(paths, (QByteArrayList{"/tmp/a", utf8, latin1, lineFeed,
                                     QFile::encodeName(QDir::current().absoluteFilePath("relative/b"))}));

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
    SingleInstance fresh(uniqueKey());
    QFile leftover(fresh.key());
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
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
             {1000, run, "", ":0.1", true},         // another screen of the same X server
             {1000, run, "", ":1", false},          // another X session
             {1000, run, "wayland-1", ":0", false}, // a Wayland session
             {1000, "/run/user/1000/other", "", ":0", false},
         }) {
        EXPECT_EQ(SingleInstance::keyFor(c.user, c.runtime, c.wayland, c.x) == x0, c.sameAsX0) << c.x.toStdString();
    }
    // Without a runtime folder (a relative one does not count) the socket is
    // in a folder of the user's own in the temporary folder, never in the
    // temporary folder itself.
    const QString noRuntime = SingleInstance::keyFor(1000, {}, {}, QStringLiteral(":0"));
    EXPECT_EQ(QFileInfo(noRuntime).path(), QDir::tempPath() + QStringLiteral("/quillmarrow-1000"))
        << noRuntime.toStdString();
    EXPECT_EQ(SingleInstance::keyFor(1000, QStringLiteral("relative"), {}, QStringLiteral(":0")), noRuntime);
    EXPECT_NE(SingleInstance::keyFor(1001, {}, {}, QStringLiteral(":0")), noRuntime);
    EXPECT_NE(SingleInstance::keyFor(1000, {}, {}, QStringLiteral(":1")), noRuntime);
}

TEST(SingleInstance, TheSocketsFolderMustBeTheUsersAlone)
{
    QTemporaryDir dir;
    const QString mine = dir.filePath(QStringLiteral("mine")), open = dir.filePath(QStringLiteral("open")),
                  linked = dir.filePath(QStringLiteral("linked")), missing = dir.filePath(QStringLiteral("missing"));
    ASSERT_EQ(::mkdir(QFile::encodeName(mine).constData(), 0700), 0);
    ASSERT_EQ(::mkdir(QFile::encodeName(open).constData(), 0755), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(mine).constData(), QFile::encodeName(linked).constData()), 0);
    struct Case {
        QString folder;
        bool make, isPrivate;
    };
    for (const Case& c : std::vector<Case>{
             {mine, false, true},
             {open, false, false},   // others may enter it
             {linked, false, false}, // a link, which anyone could have made
             {missing, false, false},
             {missing, true, true},            // made for the user alone
             {QDir::tempPath(), false, false}, // shared by everyone
             {QStringLiteral("/"), false, false},
         }) {
        EXPECT_EQ(SingleInstance::isPrivateFolder(c.folder, c.make), c.isPrivate) << c.folder.toStdString();
    }
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(missing).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    // The user's own folder in the temporary folder is made when needed.
    SingleInstance named(uniqueKey());
    EXPECT_EQ(QFileInfo(named.key()).path(), SingleInstance::temporaryFolder(::getuid()));
    ASSERT_TRUE(named.listen());
    EXPECT_TRUE(SingleInstance::isPrivateFolder(SingleInstance::temporaryFolder(::getuid()), false));
}

TEST(SingleInstance, NoPathIsHandedToASocketInASharedFolder)
{
    // Someone listens first where a launch would look, in a folder others
    // can reach (here the temporary folder itself, as a predictable name
    // there once was).
    const QString exposed = QDir(QDir::tempPath()).filePath(uniqueKey());
    QLocalServer impostor;
    impostor.setSocketOptions(QLocalServer::WorldAccessOption);
    ASSERT_TRUE(impostor.listen(exposed));
    SingleInstance launch(exposed);
    EXPECT_FALSE(launch.handOff({"/home/someone/secret"}));
    EXPECT_FALSE(launch.listen()); // the application runs on its own
    QTest::qWait(50);
    EXPECT_FALSE(impostor.hasPendingConnections());
}

TEST(SingleInstance, HandOffsAreBoundedInNumberSizeAndTime)
{
    SingleInstance first(uniqueKey());
    first.setLimits({.connections = 2, .messageBytes = 1000, .connectionMs = 3000});
    ASSERT_TRUE(first.listen());
    QSignalSpy received(&first, &SingleInstance::pathsReceived);

    // Two idle connections take every place: a third is closed at once.
    QLocalSocket idle1, idle2, third;
    for (QLocalSocket* socket : {&idle1, &idle2}) {
        socket->connectToServer(first.key());
        ASSERT_TRUE(socket->waitForConnected(2000));
    }
    QTest::qWait(50);
    third.connectToServer(first.key());
    ASSERT_TRUE(third.waitForConnected(2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return third.state() == QLocalSocket::UnconnectedState; }, 2000));
    EXPECT_EQ(idle1.state(), QLocalSocket::ConnectedState);
    EXPECT_EQ(idle2.state(), QLocalSocket::ConnectedState);

    // Idle connections are closed after their time, and their places freed.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return idle1.state() == QLocalSocket::UnconnectedState && idle2.state() == QLocalSocket::UnconnectedState;
        },
        10000));
    SingleInstance later(first.key());
    ASSERT_TRUE(later.handOff({"/tmp/a"}));
    ASSERT_TRUE(received.wait(5000));
    EXPECT_EQ(received.at(0).at(0).value<QByteArrayList>(), QByteArrayList{"/tmp/a"});

    // A message beyond the bound is dropped.
    later.handOff({QByteArray("/tmp/") + QByteArray(2000, 'x')});
    QTest::qWait(200);
    EXPECT_EQ(received.size(), 1);
}

} // namespace
} // namespace qm
