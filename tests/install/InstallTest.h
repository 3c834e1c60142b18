#pragma once

// Helpers for the tests of what Quillmarrow installs: commands run to their
// end, and the environment in which the application counts one folder
// offscreen and ends.

#include <QByteArray>
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

} // namespace qm::install
