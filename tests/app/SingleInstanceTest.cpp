#include "app/instance/SingleInstance.h"

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

#include <chrono>
#include <future>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

QString uniqueKey()
{
    return QStringLiteral("quillmarrow-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// A launch's hand-off, from a thread of its own as from a process of its own:
// the instance answers on this thread's event loop, which turns meanwhile.
bool handOff(SingleInstance& launch, const QByteArrayList& paths, int answerMs = 10000)
{
    auto result = std::async(std::launch::async, [&] { return launch.handOff(paths, answerMs); });
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(5);
    return result.get();
}

TEST(SingleInstance, LaterLaunchHandsItsPathsToTheRunningOne)
{
    const QString key = uniqueKey();
    SingleInstance first(key);
    SingleInstance second(key);
    EXPECT_FALSE(handOff(first, {"/nowhere"})); // nobody listens yet
    ASSERT_TRUE(first.listen());
    QSignalSpy received(&first, &SingleInstance::pathsReceived);

    // Names pass as the bytes they are: UTF-8, Latin-1, a line feed.
    const QByteArray utf8 = "/tmp/caf\xc3\xa9 & co/x y", latin1 = "/tmp/caf\xe9", lineFeed = "/tmp/two\nlines";
    ASSERT_TRUE(handOff(second, {"/tmp/a", utf8, latin1, lineFeed, "relative/b"}));
    ASSERT_EQ(received.size(), 1); // taken before the launch heard so
    const QByteArrayList paths = received.at(0).at(0).value<QByteArrayList>();
    EXPECT_EQ(paths, (QByteArrayList{"/tmp/a", utf8, latin1, lineFeed,
                                     QFile::encodeName(QDir::current().absoluteFilePath("relative/b"))}));

    // A plain relaunch asks for the window without paths.
    ASSERT_TRUE(handOff(second, {}));
    ASSERT_EQ(received.size(), 2);
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

TEST(SingleInstance, MessagesWithoutTheGreetingAreIgnoredAndAMessageEndsWithAnEmptyPath)
{
    EXPECT_TRUE(SingleInstance::decode("GET / HTTP/1.1\r\n").isEmpty());
    EXPECT_EQ(SingleInstance::encode({"/a", "/b"}), QByteArray("quillmarrow-open\n/a\0/b\0\0", 24));
    EXPECT_EQ(SingleInstance::decode(SingleInstance::encode({"/a", "/b"})), (QByteArrayList{"/a", "/b"}));
    struct Case {
        QByteArray message;
        bool whole;
    };
    for (const Case& c : std::vector<Case>{
             {QByteArray("quillmarrow-open\n\0", 18), true}, // no paths: the window to the front
             {QByteArray("quillmarrow-open\n/a\0\0", 21), true},
             {QByteArray("quillmarrow-open\n/a\0", 20), false}, // more paths may follow
             {QByteArray("quillmarrow-open\n/a", 19), false},
             {QByteArray("quillmarrow-open\n", 17), false},
             {QByteArray("GET /\0\0", 7), false},
         })
        EXPECT_EQ(SingleInstance::isWhole(c.message), c.whole) << c.message.toStdString();
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
    EXPECT_FALSE(handOff(launch, {"/home/someone/secret"}));
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
    ASSERT_TRUE(handOff(later, {"/tmp/a"}));
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.at(0).at(0).value<QByteArrayList>(), QByteArrayList{"/tmp/a"});

    // A message beyond the bound is dropped, and the launch hears so.
    EXPECT_FALSE(handOff(later, {QByteArray("/tmp/") + QByteArray(2000, 'x')}));
    QTest::qWait(200);
    EXPECT_EQ(received.size(), 1);
}

TEST(SingleInstance, ALaunchLearnsWhetherItsPathsWereTaken)
{
    SingleInstance first(uniqueKey());
    first.setLimits({.connections = 8, .messageBytes = 1000, .connectionMs = 600000});
    ASSERT_TRUE(first.listen());
    QSignalSpy received(&first, &SingleInstance::pathsReceived);

    // A program holds every place the instance has for hand-offs: a launch's
    // connection is closed unread, and the launch knows its paths were not taken.
    std::vector<std::unique_ptr<QLocalSocket>> held;
    for (int i = 0; i < 8; ++i) {
        held.push_back(std::make_unique<QLocalSocket>());
        held.back()->connectToServer(first.key());
        ASSERT_TRUE(held.back()->waitForConnected(2000));
    }
    QTest::qWait(50);
    SingleInstance launch(first.key());
    EXPECT_FALSE(handOff(launch, {"/tmp/a"}));
    EXPECT_EQ(received.size(), 0);

    // Once a place is free, the paths are taken and the launch hears so.
    held.pop_back();
    QTest::qWait(50);
    EXPECT_TRUE(handOff(launch, {"/tmp/a"}));
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.at(0).at(0).value<QByteArrayList>(), QByteArrayList{"/tmp/a"});

    // Something that listens but never answers, or reads and hangs up, has not taken them.
    QLocalServer mute;
    ASSERT_TRUE(SingleInstance::isPrivateFolder(SingleInstance::temporaryFolder(::getuid()), true));
    const QString muteKey = QDir(SingleInstance::temporaryFolder(::getuid())).filePath(uniqueKey());
    ASSERT_TRUE(mute.listen(muteKey));
    int accepted = 0;
    bool hangUp = false;
    QObject::connect(&mute, &QLocalServer::newConnection, [&] {
        while (QLocalSocket* socket = mute.nextPendingConnection()) {
            ++accepted;
            if (!hangUp)
                continue;
            auto readAndHangUp = [socket] {
                socket->readAll();
                socket->disconnectFromServer();
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, readAndHangUp);
            if (socket->bytesAvailable() > 0)
                readAndHangUp();
        }
    });
    SingleInstance toMute(muteKey);
    EXPECT_FALSE(handOff(toMute, {"/tmp/a"}, 300));
    hangUp = true;
    EXPECT_FALSE(handOff(toMute, {"/tmp/a"}));
    EXPECT_EQ(accepted, 2);
}

} // namespace
} // namespace qm
