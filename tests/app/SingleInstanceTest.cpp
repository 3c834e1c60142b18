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

    const QString odd = QString::fromUtf8("/tmp/caf\xc3\xa9 & co/x y");
    ASSERT_TRUE(second.handOff({"/tmp/a", odd, "relative/b"}));
    ASSERT_TRUE(received.wait(10000));
    const QStringList paths = received.at(0).at(0).toStringList();
    EXPECT_EQ(paths, (QStringList{"/tmp/a", odd, QDir::current().absoluteFilePath("relative/b")}));

    // A plain relaunch asks for the window without paths.
    ASSERT_TRUE(second.handOff({}));
    ASSERT_TRUE(received.wait(10000));
    EXPECT_TRUE(received.at(1).at(0).toStringList().isEmpty());
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
    EXPECT_EQ(SingleInstance::decode(SingleInstance::encode({"/a", "/b"})), (QStringList{"/a", "/b"}));
    EXPECT_EQ(SingleInstance::decode(SingleInstance::encode({"/new\nline", "/ok"})), (QStringList{"/new\nline", "/ok"}));
}

} // namespace
} // namespace qm
