#include "app/lifecycle/CommandLine.h"

#include "app/updates/Updater.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <iostream>

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

std::optional<int> CommandLine::answerInformationRequest(int argc, char* argv[])
{
    QCommandLineParser parser;
    describe(parser);
    // Qt's own options may still be on the line: they are not this step's
    // concern, and make the parse fail without unsetting the others.
    parser.parse(arguments(argc, argv));
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

} // namespace qm
