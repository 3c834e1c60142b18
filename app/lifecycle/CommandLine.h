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

    // Answers at once, before the application exists (no window, no
    // display, no hand-off to a running instance), a line that needs no
    // window: "--help" (also "-h", and "--help-all" with Qt's own options)
    // prints the usage and "--version" ("-v") the version to standard
    // output; an option that neither this application nor Qt takes is
    // refused (see refuse()). The status to exit with when the line was
    // answered; nothing otherwise. Qt's own options are still in argv here,
    // and are passed over as Qt will take them.
    static std::optional<int> answerBeforeStart(int argc, char* argv[]);

    // Tells standard error why the line cannot be taken and how to get the
    // usage; the status to exit with.
    static int refuse(const QString& error);
};

} // namespace qm
