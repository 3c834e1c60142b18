#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

// The application binary of the build tree, run offscreen as its own
// single instance, reporting what it lists and draws.
class RunningApp {
public:
    RunningApp(const QString& key, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUILLMARROW_TEST_REPORT"), QStringLiteral("1"));
        env.insert(QStringLiteral("QUILLMARROW_INSTANCE_KEY"), key);
        env.insert(QStringLiteral("QUILLMARROW_QUIT_AFTER"), QStringLiteral("120"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(QStringLiteral(QM_BUNDLE_DIR "/bin/quillmarrow"), arguments);
    }
    ~RunningApp()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }

    // Waits for a line of standard output.
    bool printed(const QString& line)
    {
        return QTest::qWaitFor([&] {
            output += process.readAllStandardOutput();
            return QString::fromUtf8(output).split(u'\n').contains(line);
        }, 60000);
    }

    QProcess process;
    QByteArray output;
};

QString writeSources(const QTemporaryDir& dir, const QString& name)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    QFile c(folder + QStringLiteral("/main.c"));
    c.open(QIODevice::WriteOnly);
    c.write("/* entry */\nint main(void)\n{\n    return 0;\n}\n");
    QFile py(folder + QStringLiteral("/tool.py"));
    py.open(QIODevice::WriteOnly);
    py.write("# a tool\nprint('hi')\n\n");
    return folder;
}

TEST(EndToEnd, CountsAFolderGivenOnTheCommandLineAndTakesLaterLaunches)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = writeSources(dir, QStringLiteral("first project"));
    const QString second = writeSources(dir, QStringLiteral("second"));
    const QString key = QStringLiteral("quillmarrow-e2e-") + QUuid::createUuid().toString(QUuid::WithoutBraces);

    RunningApp app(key, {first});
    ASSERT_TRUE(app.process.waitForStarted(10000));
    EXPECT_TRUE(app.printed(QStringLiteral("all ok"))) << app.output.toStdString();
    EXPECT_TRUE(app.printed(QStringLiteral("listed: first project"))) << app.output.toStdString();
    EXPECT_TRUE(app.printed(QStringLiteral("selected: first project"))) << app.output.toStdString();
    EXPECT_TRUE(app.printed(QStringLiteral("chart drawn: 2 slices"))) << app.output.toStdString();

    // Launching again hands the folder to the running application and ends.
    RunningApp again(key, {second});
    ASSERT_TRUE(again.process.waitForFinished(30000));
    EXPECT_EQ(again.process.exitCode(), 0);
    EXPECT_TRUE(app.printed(QStringLiteral("listed: second"))) << app.output.toStdString();
    EXPECT_TRUE(app.printed(QStringLiteral("selected: second"))) << app.output.toStdString();
    EXPECT_EQ(app.process.state(), QProcess::Running);
}

} // namespace
