// The built application run as a user runs it, with the real counter, in a
// scratch environment of each test's own.
//
// Sections:
//   launching            LaunchOptions and RunningApp, the application started through a shell
//   instances            a count from the command line, later launches handed over or not
//   limits and endings   too few threads to paint, each folder of the command line counted once
//                        and no counter left, quitting mid-count, a missing counter
//   the command line     --help, --version, unknown options and Qt's own, with or without a display
//   output               the counter's output where it is read, a missing folder named once

#include "app/instance/SingleInstance.h"
#include "app/updates/Updater.h"
#include "tests/support/ProcessState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// How the application is started: when it quits by itself, from which
// bundle, in which working folder.
struct LaunchOptions {
    QString quitAfter = QStringLiteral("120");
    QString bundle = QStringLiteral(QM_BUNDLE_DIR);
    QString workingFolder;
    bool quitAfterFirstCount = false;
    // Variables to set, or (without a value) to unset.
    std::vector<std::pair<QString, std::optional<QString>>> environment;
    // Standard error apart from standard output, or into it (as at a terminal).
    QProcess::ProcessChannelMode channels = QProcess::SeparateChannels;
};

// The application binary of the build tree, run offscreen as its own
// single instance, reporting what it lists and draws.
class RunningApp {
public:
    // Paths go on the command line as the bytes they are (through the shell,
    // as a desktop passes them), whatever their encoding.
    RunningApp(const QString& key, const QByteArrayList& paths, const LaunchOptions& options = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUILLMARROW_TEST_REPORT"), QStringLiteral("1"));
        env.insert(QStringLiteral("QUILLMARROW_INSTANCE_KEY"), key);
        env.insert(QStringLiteral("QUILLMARROW_QUIT_AFTER"), options.quitAfter);
        if (options.quitAfterFirstCount)
            env.insert(QStringLiteral("QUILLMARROW_QUIT_AFTER_FIRST_COUNT"), QStringLiteral("1"));
        for (const auto& [name, value] : options.environment) {
            if (value)
                env.insert(name, *value);
            else
                env.remove(name);
        }
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(options.channels);
        if (!options.workingFolder.isEmpty())
            process.setWorkingDirectory(options.workingFolder);
        QString command = QStringLiteral("exec \"$0\"");
        for (const QByteArray& path : paths) {
            QString octal;
            for (char byte : path)
                octal += QStringLiteral("\\%1").arg(uint(uchar(byte)), 3, 8, QLatin1Char('0'));
            command += QStringLiteral(" \"$(printf '%1')\"").arg(octal);
        }
        process.start(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), command, options.bundle + QStringLiteral("/bin/quillmarrow")});
    }
    ~RunningApp()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }

    // Waits for a line of standard output.
    bool printed(const QByteArray& line)
    {
        return QTest::qWaitFor(
            [&] {
                output += process.readAllStandardOutput();
                return output.split('\n').contains(line);
            },
            60000);
    }

    QProcess process;
    QByteArray output;
};

QString uniqueKey()
{
    return QStringLiteral("quillmarrow-e2e-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

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
    // Neither name is UTF-8: they are counted as they are, shown with U+FFFD.
    const QByteArray first = QFile::encodeName(writeSources(dir, QStringLiteral("first project"))) + "\xE9";
    const QByteArray second = QFile::encodeName(writeSources(dir, QStringLiteral("second"))) + "\xFF";
    ASSERT_EQ(::rename(QFile::encodeName(dir.filePath(QStringLiteral("first project"))).constData(), first.constData()),
              0);
    ASSERT_EQ(::rename(QFile::encodeName(dir.filePath(QStringLiteral("second"))).constData(), second.constData()), 0);
    const QString key = uniqueKey();

    // Relative paths are taken from the working folder, at the first launch as at a later one.
    RunningApp app(key, {"first project\xE9"}, {.workingFolder = dir.path()});
    ASSERT_TRUE(app.process.waitForStarted(10000));
    EXPECT_TRUE(app.printed("all ok")) << app.output.toStdString();
    EXPECT_TRUE(app.printed("listed: first project\xE9")) << app.output.toStdString();
    EXPECT_TRUE(app.printed("selected: first project\xE9")) << app.output.toStdString();
    EXPECT_TRUE(app.printed("chart drawn: 2 slices")) << app.output.toStdString();

    // Launching again hands the folder to the running application and ends.
    RunningApp again(key, {"./" + second.mid(second.lastIndexOf('/') + 1)}, {.workingFolder = dir.path()});
    ASSERT_TRUE(again.process.waitForFinished(30000));
    EXPECT_EQ(again.process.exitCode(), 0) << again.process.readAllStandardError().toStdString();
    EXPECT_TRUE(app.printed("listed: second\xFF")) << app.output.toStdString();
    EXPECT_TRUE(app.printed("selected: second\xFF")) << app.output.toStdString();
    EXPECT_EQ(app.process.state(), QProcess::Running);
}

TEST(EndToEnd, ALaunchWhosePathsTheRunningInstanceDoesNotTakeOpensThemInAWindowOfItsOwn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray first = QFile::encodeName(writeSources(dir, QStringLiteral("first")));
    const QByteArray second = QFile::encodeName(writeSources(dir, QStringLiteral("second")));
    const QString key = uniqueKey();
    RunningApp app(key, {first});
    ASSERT_TRUE(app.process.waitForStarted(10000));
    ASSERT_TRUE(app.printed("listed: first")) << app.output.toStdString();

    // A program holds every hand-off place the running instance has.
    const QString socketPath = QDir(qm::SingleInstance::temporaryFolder(::getuid())).filePath(key);
    std::vector<std::unique_ptr<QLocalSocket>> held;
    for (int i = 0; i < qm::SingleInstance::Limits{}.connections; ++i) {
        held.push_back(std::make_unique<QLocalSocket>());
        held.back()->connectToServer(socketPath);
        ASSERT_TRUE(held.back()->waitForConnected(10000));
    }
    QTest::qWait(200);

    RunningApp again(key, {second});
    ASSERT_TRUE(again.process.waitForStarted(10000));
    EXPECT_TRUE(again.printed("listed: second")) << again.output.toStdString();
    EXPECT_EQ(again.process.state(), QProcess::Running);
    app.output += app.process.readAllStandardOutput();
    EXPECT_FALSE(app.output.contains("listed: second"));
}

TEST(EndToEnd, WithoutAThreadToPaintWithTheApplicationSaysSoAndEnds)
{
    // Its user may start no further thread: Qt's painting would wait for good
    // on a piece of a fill handed to a thread that never started.
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUILLMARROW_INSTANCE_KEY"), uniqueKey());
    app.setProcessEnvironment(env);
    // The limit is one process, which the user has already (root is bound by no limit: nobody instead).
    QStringList command{QStringLiteral("prlimit"), QStringLiteral("--nproc=1"), QStringLiteral("--"),
                        QStringLiteral(QM_BUNDLE_DIR "/bin/quillmarrow")};
    if (::geteuid() == 0)
        command = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups"), QStringLiteral("--")} +
                  command;
    const QString program = ::geteuid() == 0 ? QStringLiteral("setpriv") : command.takeFirst();
    app.start(program, command);
    ASSERT_TRUE(app.waitForFinished(60000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 1);
    EXPECT_TRUE(app.readAllStandardError().contains(
        "Quillmarrow cannot start: no thread can be started to paint its window (the limit on this user's processes "
        "and threads is reached)."));
}

// A bundle of the application and its resources, with a counter of the
// test's own, or none.
class TestBundle {
public:
    explicit TestBundle(const QByteArray& counterScript = {})
    {
        for (const char* folder : {"bin", "libexec/quillmarrow", "share/quillmarrow"})
            EXPECT_TRUE(QDir(dir_.path()).mkpath(QString::fromLatin1(folder)));
        const QString app = dir_.filePath(QStringLiteral("bin/quillmarrow"));
        if (::link(QM_BUNDLE_DIR "/bin/quillmarrow", QFile::encodeName(app).constData()) != 0) {
            EXPECT_TRUE(QFile::copy(QStringLiteral(QM_BUNDLE_DIR "/bin/quillmarrow"), app));
        }
        for (const char* resource : {"langspecs.json", "supported.json"})
            EXPECT_TRUE(
                QFile::copy(QStringLiteral(QM_BUNDLE_DIR "/share/quillmarrow/") + QString::fromLatin1(resource),
                            dir_.filePath(QStringLiteral("share/quillmarrow/")) + QString::fromLatin1(resource)));
        if (counterScript.isEmpty())
            return;
        QFile counter(dir_.filePath(QStringLiteral("libexec/quillmarrow/scc")));
        EXPECT_TRUE(counter.open(QIODevice::WriteOnly));
        counter.write(counterScript);
        counter.close();
        counter.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

TEST(EndToEnd, EachFolderOfTheCommandLineIsCountedOnceAndNoCounterIsLeft)
{
    // The counters started as the application starts (before its window is built) are those
    // its counts take over: each folder counted once, by the name first given, none left over.
    QTemporaryDir scratch;
    const QString starts = scratch.filePath(QStringLiteral("starts"));
    const TestBundle bundle("#!/bin/sh\nfor last; do :; done\necho $$ \"$last\" >> '" + QFile::encodeName(starts) +
                            "'\nexec '" QM_BUNDLE_DIR "/libexec/quillmarrow/scc' \"$@\"\n");
    QTemporaryDir sources;
    const QByteArray first = QFile::encodeName(writeSources(sources, QStringLiteral("first")));
    const QByteArray second = QFile::encodeName(writeSources(sources, QStringLiteral("second")));
    const QByteArray link = QFile::encodeName(sources.filePath(QStringLiteral("link")));
    ASSERT_EQ(::symlink(first.constData(), link.constData()), 0);
    const QByteArray missing = QFile::encodeName(sources.filePath(QStringLiteral("gone")));

    RunningApp app(uniqueKey(), {first, link, missing, second}, {.bundle = bundle.path()});
    ASSERT_TRUE(app.printed("listed: first")) << app.output.toStdString();
    ASSERT_TRUE(app.printed("listed: second")) << app.output.toStdString();
    EXPECT_TRUE(app.printed("Project already exists: " + link)) << app.output.toStdString();
    EXPECT_TRUE(app.printed("File/folder does not exist: " + missing)) << app.output.toStdString();
    EXPECT_EQ(app.output.count("\nall ok\n"), 2) << app.output.toStdString();
    QFile written(starts);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArrayList lines = written.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2) << QByteArray(lines.join('\n')).toStdString();
    QByteArrayList counted;
    for (const QByteArray& line : lines) {
        const qsizetype space = line.indexOf(' ');
        counted << line.mid(space + 1);
        EXPECT_TRUE(qmtest::processGone(line.left(space).toInt())) << "left running: " << line.toStdString();
    }
    std::sort(counted.begin(), counted.end());
    EXPECT_EQ(counted, (QByteArrayList{first, second}));
}

TEST(EndToEnd, QuitsPromptlyDuringACountAndEndsTheCounter)
{
    // A counter that takes half a minute.
    QTemporaryDir scratch;
    const QString pids = scratch.filePath(QStringLiteral("pids"));
    const TestBundle bundle("#!/bin/sh\nsleep 30 &\necho $$ $! > '" + QFile::encodeName(pids) + "'\nwait\necho '[]'\n");

    QTemporaryDir sources;
    const QByteArray folder = QFile::encodeName(writeSources(sources, QStringLiteral("slow")));
    // Quitting from within (the menu's quit does the same) or by a signal.
    for (const int signal : {0, SIGTERM}) {
        QFile::remove(pids);
        RunningApp running(uniqueKey(), {folder},
                           {.quitAfter = signal ? QStringLiteral("120") : QStringLiteral("1"),
                            .bundle = bundle.path()});
        ASSERT_TRUE(running.process.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(pids).size() > 0; }, 20000));
        if (signal)
            ::kill(pid_t(running.process.processId()), signal);
        ASSERT_TRUE(running.process.waitForFinished(15000)) << "still running during the count";
        EXPECT_EQ(running.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(running.process.exitCode(), signal ? 128 + signal : 0);
        QFile written(pids);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArrayList counterAndChild = written.readAll().simplified().split(' ');
        ASSERT_EQ(counterAndChild.size(), 2);
        for (const QByteArray& pid : counterAndChild)
            EXPECT_TRUE(qmtest::processGone(pid.trimmed().toInt())) << "left running: " << pid.toStdString();
        EXPECT_FALSE(running.output.contains("all ok"));
    }
}

TEST(EndToEnd, ACounterMissingFromTheInstallationFailsTheCountAndNothingElse)
{
    const TestBundle bundle; // no counter
    QTemporaryDir sources;
    const QByteArray folder = QFile::encodeName(writeSources(sources, QStringLiteral("project")));
    RunningApp running(uniqueKey(), {folder}, {.bundle = bundle.path(), .quitAfterFirstCount = true});
    ASSERT_TRUE(running.process.waitForFinished(30000));
    running.output += running.process.readAllStandardOutput();
    // Quit as a failed first count quits this run: not aborted.
    EXPECT_EQ(running.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running.process.exitCode(), 1);
    const QByteArray said = "Caught: The counter is missing from Quillmarrow's installation: " +
                            QFile::encodeName(bundle.path()) + "/libexec/quillmarrow/scc does not exist.";
    EXPECT_TRUE(running.output.split('\n').contains(said)) << running.output.toStdString();
}

// Runs a launch to its end: its status, standard output and standard error.
struct Finished {
    int status = -1;
    QByteArray output, errors;
};
Finished finish(RunningApp& launch)
{
    Finished done;
    if (!launch.process.waitForFinished(30000))
        return done;
    done.status = launch.process.exitCode();
    done.output = launch.output + launch.process.readAllStandardOutput();
    if (launch.process.processChannelMode() != QProcess::MergedChannels)
        done.errors = launch.process.readAllStandardError();
    return done;
}

TEST(EndToEnd, HelpAndVersionAnswerAtOnceAndAnUnknownOptionIsRefused)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(writeSources(dir, QStringLiteral("running")));
    const QString key = uniqueKey();
    RunningApp running(key, {folder});
    ASSERT_TRUE(running.printed("listed: running")) << running.output.toStdString();

    // No window, no display, no hand-off to the instance running under the same key.
    const LaunchOptions noDisplay{.environment = {{QStringLiteral("QT_QPA_PLATFORM"), std::nullopt},
                                                  {QStringLiteral("DISPLAY"), std::nullopt},
                                                  {QStringLiteral("WAYLAND_DISPLAY"), std::nullopt}}};
    const QByteArray version = "Quillmarrow " + QByteArray::fromStdString(qm::Updater::applicationVersion()) + "\n";
    struct Case {
        QByteArrayList arguments;
        bool help;
    };
    const Case cases[] = {
        {{"--help"}, true},
        {{"-h"}, true},
        {{"--version"}, false},
        {{"-v"}, false},
        // Qt's own single-dash options are not taken for runs of short ones ("-r -e -v ...").
        {{"-reverse", "--version"}, false},
        {{"-style", "Fusion", "-qwindowtitle", "-v", "--version"}, false},
        {{"--help", folder}, true},
    };
    for (const Case& c : cases) {
        const std::string what = c.arguments.join(' ').toStdString();
        RunningApp launch(key, c.arguments, noDisplay);
        const Finished done = finish(launch);
        EXPECT_EQ(done.status, 0) << what << ": " << done.errors.toStdString();
        if (c.help) {
            EXPECT_TRUE(done.output.startsWith("Usage: ")) << what << ": " << done.output.toStdString();
            EXPECT_TRUE(done.output.contains("[path...]")) << what;
            EXPECT_TRUE(done.output.contains("--version")) << what;
        } else {
            EXPECT_EQ(done.output, version) << what;
        }
    }

    // An option it does not know: a message and the status of a misused
    // command, with a display or without one; Qt's own options before it are
    // taken as Qt's (a value included), not refused in its place.
    struct Refused {
        QByteArrayList arguments;
        QByteArray unknown;
    };
    const Refused refused[] = {
        {{"--bogus"}, "bogus"},
        {{"-x", folder}, "x"},
        {{"-style", "Fusion", "-reverse", "-qmljsdebugger=port:1", "-x"}, "x"},
    };
    for (const Refused& c : refused) {
        for (const bool display : {true, false}) {
            const std::string what = c.arguments.join(' ').toStdString() + (display ? "" : " (no display)");
            RunningApp launch(key, c.arguments, display ? LaunchOptions{} : noDisplay);
            const Finished done = finish(launch);
            EXPECT_EQ(done.status, 2) << what << ": " << done.errors.toStdString();
            EXPECT_TRUE(done.output.isEmpty()) << what << ": " << done.output.toStdString();
            EXPECT_TRUE(done.errors.contains("Unknown option '" + c.unknown + "'"))
                << what << ": " << done.errors.toStdString();
            EXPECT_TRUE(done.errors.contains("--help")) << what;
        }
    }

    // Qt's own options still reach Qt: this one names the platform to draw
    // on where there is no display, and no value is taken for a path.
    {
        const QByteArray other = QFile::encodeName(writeSources(dir, QStringLiteral("offscreen run")));
        LaunchOptions options = noDisplay;
        options.quitAfterFirstCount = true;
        RunningApp launch(uniqueKey(), {"-platform", "offscreen", "-reverse", "-style", "Fusion", other}, options);
        const Finished done = finish(launch);
        EXPECT_EQ(done.status, 0) << done.errors.toStdString();
        EXPECT_TRUE(done.output.split('\n').contains("listed: offscreen run")) << done.output.toStdString();
        EXPECT_FALSE(done.output.contains("does not exist")) << done.output.toStdString();
    }

    // A launch handing a path over shows what the running instance got, in
    // order: the missing path, and never any of the options before it.
    const QByteArray missing = QFile::encodeName(dir.filePath(QStringLiteral("no such folder")));
    RunningApp handOff(key, {missing});
    const Finished handedOver = finish(handOff);
    EXPECT_EQ(handedOver.status, 1);
    EXPECT_TRUE(handedOver.errors.contains("File/folder does not exist: " + missing))
        << handedOver.errors.toStdString();
    EXPECT_TRUE(running.printed("File/folder does not exist: " + missing)) << running.output.toStdString();
    for (const char* option : {"--help", "-h", "--version", "-v", "--bogus", "-x"})
        EXPECT_FALSE(running.output.contains("/" + QByteArray(option) + "\n")) << option;
}

TEST(EndToEnd, TheCounterOutputIsPrintedOnlyWhereItIsRead)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(writeSources(dir, QStringLiteral("counted")));
    // Standard output is a pipe here, as in a desktop session's log.
    for (const bool askedFor : {false, true}) {
        LaunchOptions options;
        if (askedFor)
            options.environment = {{QStringLiteral("QUILLMARROW_PRINT_COUNTER_OUTPUT"), QStringLiteral("1")}};
        RunningApp app(uniqueKey(), {folder}, options);
        ASSERT_TRUE(app.printed("all ok")) << app.output.toStdString();
        EXPECT_EQ(app.output.contains("\nOutput: ["), askedFor) << app.output.toStdString();
    }
    // The timing runs read it.
    RunningApp timed(uniqueKey(), {folder}, {.quitAfterFirstCount = true});
    const Finished done = finish(timed);
    EXPECT_EQ(done.status, 0);
    EXPECT_TRUE(done.output.contains("\nOutput: [")) << done.output.toStdString();
}

TEST(EndToEnd, AFolderThatDoesNotExistIsNamedOnStandardErrorAndFailsTheFirstCount)
{
    QTemporaryDir dir;
    const QByteArray missing = QFile::encodeName(dir.filePath(QStringLiteral("gone")));
    const QByteArray line = "File/folder does not exist: " + missing + "\n";
    RunningApp app(uniqueKey(), {missing}, {.quitAfterFirstCount = true});
    const Finished done = finish(app);
    EXPECT_EQ(done.status, 1); // as a failed first count ends this run
    EXPECT_EQ(done.errors.count(line), 1) << done.errors.toStdString();
    EXPECT_EQ(done.output.count(line), 1) << done.output.toStdString(); // the counting core's own report

    // Where both streams lead to one place (a terminal, a session's log), it is named there once.
    RunningApp together(uniqueKey(), {missing}, {.quitAfterFirstCount = true, .channels = QProcess::MergedChannels});
    const Finished merged = finish(together);
    EXPECT_EQ(merged.status, 1);
    EXPECT_EQ(merged.output.count(line), 1) << merged.output.toStdString();
}

} // namespace
