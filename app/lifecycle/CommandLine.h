#pragma once

#include <QByteArrayList>
#include <QString>

#include <optional>

namespace qm {

// The command line: options, then the folders and files to count.
//
//   quillmarrow [--help | --version] [--] [path ...]
//
// Paths keep the bytes the system gave (a name need not be UTF-8); a path
// that starts with "-" is given after "--" (or as "./-name").
struct CommandLine {
    QByteArrayList paths;
    // Why the line cannot be taken ("Unknown option 'x'."); empty when it can.
    QString error;

    // Exit status for a command line that cannot be taken, as for any
    // misused command.
    static constexpr int usageStatus = 2;

    // Reads argv (without Qt's own options, which QApplication takes out).
    static CommandLine parse(int argc, char* argv[]);

    // "--help" (also "-h", and "--help-all" with Qt's own options) prints the usage and
    // "--version" ("-v") the version to standard output, at once: no
    // window, no display, no hand-off to a running instance. The status to
    // exit with when the line asks for one of them; nothing otherwise. Runs
    // before the application exists, so Qt's own options are still in argv
    // and only these two are looked for.
    static std::optional<int> answerInformationRequest(int argc, char* argv[]);
};

} // namespace qm
