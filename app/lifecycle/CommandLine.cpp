#include "app/lifecycle/CommandLine.h"

#include "app/updates/Updater.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <iostream>
#include <iterator>
#include <string_view>

namespace qm {

namespace {

// The options and arguments, told to a parser. Every option is read as a
// long one ("-v" is "v"): Qt's own single-dash options ("-reverse",
// "-platform") must never pass for a run of short ones ("-r -e -v ...").
void describe(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Counts the lines of source code of folders and shows them by language."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("path"),
                                 QStringLiteral("A folder to count, or a file standing for its folder."),
                                 QStringLiteral("[path...]"));
}

QStringList arguments(int argc, char* argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// Qt's own options, as QCoreApplication, QGuiApplication, QApplication and
// the X11 platform take them out of argv wherever they stand (a leading "--"
// read as "-"): those followed by a value, those standing alone, and those
// joined to their value by "=". Some are taken on X11 alone; all are passed
// over here, and one Qt leaves in argv is refused once the application
// exists.
constexpr std::string_view qtOptionsWithValue[] = {
    "-qmljsdebugger", "-platform",     "-platformpluginpath",
    "-platformtheme", "-plugin",       "-qwindowgeometry",
    "-geometry",      "-qwindowtitle", "-title",
    "-qwindowicon",   "-icon",         "-session",
    "-style",         "-stylesheet",   "-display",
    "-name",          "-visual",
};
constexpr std::string_view qtFlags[] = {
    "-reverse", "-testability", "-widgetcount", "-nograb", "-dograb", "-qdevel", "-qdebug",
};
constexpr std::string_view qtOptionsJoined[] = {"-qmljsdebugger=", "-style=", "-stylesheet="};

template <std::size_t n>
bool oneOf(std::string_view word, const std::string_view (&names)[n])
{
    return std::find(std::begin(names), std::end(names), word) != std::end(names);
}

// The arguments Qt leaves for the application.
QStringList withoutQtOptions(int argc, char* argv[])
{
    QStringList list;
    if (argc > 0)
        list << QString::fromLocal8Bit(argv[0]);
    for (int i = 1; i < argc; ++i) {
        std::string_view word(argv[i]);
        if (word.starts_with("--"))
            word.remove_prefix(1);
        if (oneOf(word, qtOptionsWithValue))
            ++i; // and its value, when there is one
        else if (!oneOf(word, qtFlags) && std::none_of(std::begin(qtOptionsJoined), std::end(qtOptionsJoined),
                                                       [&](std::string_view name) { return word.starts_with(name); }))
            list << QString::fromLocal8Bit(argv[i]);
    }
    return list;
}

} // namespace

CommandLine CommandLine::parse(int argc, char* argv[])
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments(argc, argv)))
        return {{}, parser.errorText()};
    // The paths as bytes, found by the parser's own rule: before "--" a word
    // starting with "-" (but "-" alone) is an option.
    CommandLine line;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray word(argv[i]);
        if (!optionsEnded && word == "--")
            optionsEnded = true;
        else if (optionsEnded || !word.startsWith('-') || word == "-")
            line.paths << word;
    }
    return line;
}

std::optional<int> CommandLine::answerBeforeStart(int argc, char* argv[])
{
    QCommandLineParser parser;
    describe(parser);
    // An unknown option is refused before the usage or version is given, as
    // QCommandLineParser::process() does.
    if (!parser.parse(withoutQtOptions(argc, argv)))
        return refuse(parser.errorText());
    const bool help = parser.isSet(QStringLiteral("help"));
    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    const bool version = parser.isSet(QStringLiteral("version"));
    if (!help && !helpAll && !version)
        return std::nullopt;
    // The usage names the command as it was typed; Qt's options are listed
    // by the parser alone, which ends the process itself.
    int count = argc;
    QCoreApplication application(count, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillmarrow"));
    QCoreApplication::setApplicationVersion(QString::fromStdString(Updater::applicationVersion()));
    if (helpAll && !help && !version)
        parser.process({QCoreApplication::arguments().constFirst(), QStringLiteral("--help-all")});
    if (version && !help)
        std::cout << "Quillmarrow " << Updater::applicationVersion() << std::endl;
    else
        std::cout << parser.helpText().toStdString() << std::flush;
    return 0;
}

int CommandLine::refuse(const QString& error)
{
    std::cerr << "quillmarrow: " << error.toStdString() << "\nTry 'quillmarrow --help' for more information."
              << std::endl;
    return usageStatus;
}

} // namespace qm
