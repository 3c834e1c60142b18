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

QString builtPackage(const QString& name)
{
    const QDir folder(QStringLiteral(QM_PACKAGE_BUILD_DIR));
    const QStringList debs = folder.entryList({name + QStringLiteral("_*.deb")}, QDir::Files);
    return debs.size() == 1 ? folder.filePath(debs.front()) : QString();
}

QString controlField(const QString& deb, const QString& name)
{
    const CommandResult r = runCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb, name});
    return QString::fromUtf8(r.output).trimmed();
}

QMap<QString, QString> packageModes(const QString& deb)
{
    const CommandResult listing = runCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb});
    QMap<QString, QString> modes;
    for (const QByteArray& line : listing.output.split('\n')) {
        const QStringList columns = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() >= 6)
            modes.insert(columns.last(), columns.first() + QLatin1Char(' ') + columns.at(1));
    }
    return modes;
}

QString readmeBlock(const QString& heading, const QString& language)
{
    QFile file(QStringLiteral(QM_SOURCE_DIR "/README.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype section = text.indexOf(QLatin1Char('\n') + heading + QLatin1Char('\n'));
    if (section < 0)
        return {};
    const QString fence = QStringLiteral("\n```") + language + QLatin1Char('\n');
    const qsizetype start = text.indexOf(fence, section);
    const qsizetype end = start < 0 ? -1 : text.indexOf(QStringLiteral("\n```"), start + fence.size() - 1);
    if (end < 0)
        return {};
    return text.mid(start + fence.size(), end - start - fence.size() + 1);
}

bool writeReadmeProgram(const QString& folder)
{
    // Under the project line any CMakeLists.txt begins with.
    const QString heading = QStringLiteral("### Using it in another program");
    const QString lists = readmeBlock(heading, QStringLiteral("cmake"));
    const QString program = readmeBlock(heading, QStringLiteral("cpp"));
    if (!lists.contains(QStringLiteral("find_package(Quillmarrow")) || !program.contains(QStringLiteral("int main(")))
        return false;
    QDir().mkpath(folder);
    QFile listsFile(folder + QStringLiteral("/CMakeLists.txt"));
    QFile programFile(folder + QStringLiteral("/main.cpp"));
    return listsFile.open(QIODevice::WriteOnly) &&
           listsFile.write("cmake_minimum_required(VERSION 3.25)\nproject(myapp LANGUAGES CXX)\n" + lists.toUtf8()) >
               0 &&
           programFile.open(QIODevice::WriteOnly) && programFile.write(program.toUtf8()) > 0;
}

} // namespace qm::install
