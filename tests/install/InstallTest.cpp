#include "tests/install/InstallTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUuid>

namespace qm::install {

std::string CommandResult::report() const
{
    QString status = finished ? QStringLiteral("exit status %1").arg(exitCode) : QStringLiteral("did not end");
    return (command + QStringLiteral(": ") + status + QStringLiteral("\n") + QString::fromLocal8Bit(output) +
            QString::fromLocal8Bit(errors))
        .toStdString();
}

CommandResult runCommand(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                         int seconds)
{
    CommandResult result;
    result.command = (QStringList{program} + arguments).join(QLatin1Char(' '));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(30000)) {
        result.errors = process.errorString().toLocal8Bit();
        return result;
    }
    result.finished = process.waitForFinished(seconds * 1000) && process.exitStatus() == QProcess::NormalExit;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(10000);
    }
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    result.errors = process.readAllStandardError();
    return result;
}

QProcessEnvironment countingEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QUILLMARROW_TEST_REPORT"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QUILLMARROW_QUIT_AFTER_FIRST_COUNT"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QUILLMARROW_QUIT_AFTER"), QStringLiteral("60"));
    environment.insert(QStringLiteral("QUILLMARROW_INSTANCE_KEY"),
                       QStringLiteral("quillmarrow-install-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    return environment;
}

QString writeSources(const QString& parent, const QString& name)
{
    const QString folder = QDir(parent).filePath(name);
    QDir().mkpath(folder);
    QFile c(folder + QStringLiteral("/main.c"));
    if (c.open(QIODevice::WriteOnly))
        c.write("/* entry */\nint main(void)\n{\n    return 0;\n}\n");
    QFile py(folder + QStringLiteral("/tool.py"));
    if (py.open(QIODevice::WriteOnly))
        py.write("# a tool\nprint('hi')\n\n");
    return folder;
}

} // namespace qm::install
