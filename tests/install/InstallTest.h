#pragma once

// Helpers for the tests of what Quillmarrow installs: commands run to their
// end, and the environment in which the application counts one folder
// offscreen and ends.

#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <string>

namespace qm::install {

struct CommandResult {
    QString command;
    bool finished = false; // ended by itself within its time
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;

    bool succeeded() const { return finished && exitCode == 0; }
    // The command, its status and what it wrote: for a failure's message.
    std::string report() const;
};

// Runs `program` with `arguments` to its end (at most `seconds`).
CommandResult runCommand(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                         int seconds = 300);

// The application, started with this environment, runs offscreen as its own
// single instance, prints "listed: <name>" for each project it lists and ends
// once the first folder is counted and listed (or after a minute at most).
QProcessEnvironment countingEnvironment();

// A folder `name` in `parent` holding a C file and a Python file.
QString writeSources(const QString& parent, const QString& name);

// The packages scripts/package.sh made of a release build for the tests:
// <folder>/<name>_<version>_<arch>.deb, or "" when it is not there.
QString builtPackage(const QString& name);

// A control field of a Debian package.
QString controlField(const QString& deb, const QString& name);

// What a Debian package holds: "./usr/bin/quillmarrow" to "-rwxr-xr-x root/root".
QMap<QString, QString> packageModes(const QString& deb);

// The text of the README's first fenced block of `language` after the
// heading `heading` (empty when there is none).
QString readmeBlock(const QString& heading, const QString& language);

// The README's program for another program's use of the chart library, its
// CMakeLists.txt and main.cpp as the README shows them, written into
// `folder`; false when the README holds no such program.
bool writeReadmeProgram(const QString& folder);

} // namespace qm::install
