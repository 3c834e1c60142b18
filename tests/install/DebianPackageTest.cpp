// The Debian package of the application, as scripts/package.sh makes it of a
// release build: what it holds, what it depends on, what lintian says of it,
// how its executables are hardened and stripped, its manual pages, and the
// application unpacked from it counting a folder.

#include "tests/install/InstallTest.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qm::install {
namespace {

const QString appId = QStringLiteral(QM_APP_ID);

class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        deb = builtPackage(QStringLiteral("quillmarrow"));
        ASSERT_FALSE(deb.isEmpty()) << "no quillmarrow_*.deb in " QM_PACKAGE_BUILD_DIR;
    }

    // The package unpacked into a scratch root.
    QString unpacked()
    {
        const QString root = scratch.filePath(QStringLiteral("root"));
        const CommandResult unpacking = runCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root});
        EXPECT_TRUE(unpacking.succeeded()) << unpacking.report();
        return root;
    }

    QString deb;
    QTemporaryDir scratch;
};

TEST_F(DebianPackage, IsNamedAndDescribedForApt)
{
    const QString architecture =
        QString::fromUtf8(runCommand(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).output)
            .trimmed();
    EXPECT_EQ(QFileInfo(deb).fileName(),
              QStringLiteral("quillmarrow_%1_%2.deb").arg(QStringLiteral(QM_VERSION), architecture));
    EXPECT_EQ(controlField(deb, QStringLiteral("Package")), QStringLiteral("quillmarrow"));
    EXPECT_EQ(controlField(deb, QStringLiteral("Version")), QStringLiteral(QM_VERSION));
    EXPECT_EQ(controlField(deb, QStringLiteral("Architecture")), architecture);
    EXPECT_EQ(controlField(deb, QStringLiteral("Section")), QStringLiteral("devel"));
    EXPECT_TRUE(controlField(deb, QStringLiteral("Maintainer")).contains(QLatin1Char('@')));
    EXPECT_TRUE(controlField(deb, QStringLiteral("Description"))
                    .startsWith(QStringLiteral("counts the lines of source code of your projects\n")));
    // The standard dialogs in the user's language, where Qt has it.
    EXPECT_EQ(controlField(deb, QStringLiteral("Recommends")), QStringLiteral("qt6-translations-l10n"));
}

TEST_F(DebianPackage, DependsOnThePackagesOfItsSharedLibraries)
{
    // "libqt6widgets6 (>= 6.1.2), libc6 (>= 2.34), ..." (alternatives split too).
    QStringList names;
    for (const QString& dependency : controlField(deb, QStringLiteral("Depends"))
                                         .split(QRegularExpression(QStringLiteral("[,|]")), Qt::SkipEmptyParts))
        names << dependency.trimmed().section(QLatin1Char(' '), 0, 0);
    for (const char* library : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6network6", "libc6", "libstdc++6"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(library)))
            << library << " not in " << names.join(", ").toStdString();
    for (const QString& name : names)
        EXPECT_FALSE(name.endsWith(QStringLiteral("-dev"))) << name.toStdString();

    // apt finds every one of them: `apt install ./quillmarrow_*.deb` would install it.
    const CommandResult apt = runCommand(QStringLiteral("apt-get"),
                                         {QStringLiteral("install"), QStringLiteral("--simulate"),
                                          QStringLiteral("--no-install-recommends"), QFileInfo(deb).absoluteFilePath()},
                                         QProcessEnvironment::systemEnvironment(), 120);
    EXPECT_TRUE(apt.succeeded()) << apt.report();
    EXPECT_TRUE(apt.output.contains("Inst quillmarrow")) << apt.report();
}

TEST_F(DebianPackage, HoldsTheBundleTheDesktopFilesAndTheManualPagesUnderUsr)
{
    const QMap<QString, QString> modes = packageModes(deb);
    ASSERT_FALSE(modes.isEmpty());
    const QStringList executables{QStringLiteral("./usr/bin/quillmarrow"),
                                  QStringLiteral("./usr/libexec/quillmarrow/scc")};
    for (const QString& path : executables)
        EXPECT_EQ(modes.value(path), QStringLiteral("-rwxr-xr-x root/root")) << path.toStdString();
    const QStringList files{
        QStringLiteral("./usr/share/quillmarrow/langspecs.json"),
        QStringLiteral("./usr/share/quillmarrow/supported.json"),
        QStringLiteral("./usr/share/applications/") + appId + QStringLiteral(".desktop"),
        QStringLiteral("./usr/share/metainfo/") + appId + QStringLiteral(".metainfo.xml"),
        QStringLiteral("./usr/share/icons/hicolor/scalable/apps/") + appId + QStringLiteral(".svg"),
        QStringLiteral("./usr/share/icons/hicolor/48x48/apps/") + appId + QStringLiteral(".png"),
        QStringLiteral("./usr/share/man/man1/quillmarrow.1.gz"),
        QStringLiteral("./usr/share/man/man1/quillmarrow-scc.1.gz"),
        QStringLiteral("./usr/share/doc/quillmarrow/copyright"),
        QStringLiteral("./usr/share/doc/quillmarrow/changelog.gz"),
    };
    for (const QString& path : files)
        EXPECT_EQ(modes.value(path), QStringLiteral("-rw-r--r-- root/root")) << path.toStdString();
    // The chart library's headers and archives are for developers, in the development package.
    for (auto it = modes.cbegin(); it != modes.cend(); ++it) {
        EXPECT_FALSE(it.key().startsWith(QStringLiteral("./usr/include"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().endsWith(QStringLiteral(".a"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().contains(QStringLiteral("/cmake/"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().contains(QStringLiteral("/pkgconfig/"))) << it.key().toStdString();
    }
}

TEST_F(DebianPackage, LintianFindsNothingToSay)
{
    // Of neither package: no error, no warning, not even an informational tag.
    // One tag is left out: lintian looks for misspelt words in what strings(1)
    // reads out of the executables, and the compiler writes short texts as the
    // operands of instructions ("Plain Te", then "xt"), so an operand and the
    // byte of the instruction after it can read as a word ("TeH"). What it finds
    // there follows the compiler's choices, not any text of ours, so no override
    // could stay matched; the texts the programs print are those of their manual
    // pages, whose spelling lintian does check.
    const QString dev = builtPackage(QStringLiteral("quillmarrow-dev"));
    ASSERT_FALSE(dev.isEmpty());
    const CommandResult lintian =
        runCommand(QStringLiteral("lintian"),
                   {QStringLiteral("--display-info"), QStringLiteral("--fail-on"), QStringLiteral("error,warning,info"),
                    QStringLiteral("--suppress-tags"), QStringLiteral("spelling-error-in-binary"), deb, dev},
                   QProcessEnvironment::systemEnvironment(), 600);
    EXPECT_TRUE(lintian.succeeded()) << lintian.report();
    EXPECT_EQ(lintian.output, QByteArray()) << lintian.report();
}

TEST_F(DebianPackage, ItsChangelogEndsWithThisVersion)
{
    const CommandResult version =
        runCommand(QStringLiteral("dpkg-parsechangelog"),
                   {QStringLiteral("-l"), QStringLiteral(QM_SOURCE_DIR "/resources/debian/changelog"),
                    QStringLiteral("-S"), QStringLiteral("Version")});
    ASSERT_TRUE(version.succeeded()) << version.report();
    EXPECT_EQ(QString::fromUtf8(version.output).trimmed(), QStringLiteral(QM_VERSION));
}

TEST_F(DebianPackage, ExecutablesAreHardenedAndStrippedInFull)
{
    const QString root = unpacked();
    for (const char* executable : {"/usr/bin/quillmarrow", "/usr/libexec/quillmarrow/scc"}) {
        SCOPED_TRACE(executable);
        const QString path = root + QString::fromLatin1(executable);
        auto readelf = [&](const QString& what) {
            const CommandResult r = runCommand(QStringLiteral("readelf"), {QStringLiteral("--wide"), what, path});
            EXPECT_TRUE(r.succeeded()) << r.report();
            return QString::fromUtf8(r.output);
        };
        const QString header = readelf(QStringLiteral("--file-header"));
        const QString segments = readelf(QStringLiteral("--program-headers"));
        const QString dynamic = readelf(QStringLiteral("--dynamic"));
        const QString sections = readelf(QStringLiteral("--section-headers"));
        const QString symbols = readelf(QStringLiteral("--dyn-syms"));
        // PIE, -z relro, -z now.
        EXPECT_TRUE(header.contains(QStringLiteral("DYN (Position-Independent Executable file)")))
            << header.toStdString();
        EXPECT_TRUE(dynamic.contains(QStringLiteral("PIE"))) << dynamic.toStdString();
        EXPECT_TRUE(segments.contains(QStringLiteral("GNU_RELRO"))) << segments.toStdString();
        EXPECT_TRUE(dynamic.contains(QRegularExpression(QStringLiteral("\\(FLAGS\\).*BIND_NOW"))))
            << dynamic.toStdString();
        EXPECT_TRUE(dynamic.contains(QRegularExpression(QStringLiteral("\\(FLAGS_1\\).*NOW"))))
            << dynamic.toStdString();
        // The stack protector and _FORTIFY_SOURCE's checked functions.
        EXPECT_TRUE(symbols.contains(QStringLiteral("__stack_chk_fail"))) << symbols.toStdString();
        EXPECT_TRUE(symbols.contains(QRegularExpression(QStringLiteral("__\\w+_chk\\b(?<!__stack_chk)"))))
            << symbols.toStdString();
        // No symbols, debug information or compiler's notes left.
        for (const char* section : {".symtab", ".debug_info", ".comment"})
            EXPECT_FALSE(sections.contains(QString::fromLatin1(section))) << section;
    }
}

TEST_F(DebianPackage, ManualPagesShowForBothCommands)
{
    const QString root = unpacked();
    const QString manuals = root + QStringLiteral("/usr/share/man");
    QProcessEnvironment wide = QProcessEnvironment::systemEnvironment();
    wide.insert(QStringLiteral("MANWIDTH"), QStringLiteral("200"));
    auto page = [&](const QString& name) {
        // man finds it by its name, as `man quillmarrow-scc` does once installed.
        const CommandResult found = runCommand(QStringLiteral("man"),
                                               {QStringLiteral("-M"), manuals, QStringLiteral("-w"), name});
        EXPECT_TRUE(found.succeeded()) << found.report();
        const CommandResult shown =
            runCommand(QStringLiteral("man"),
                       {QStringLiteral("-M"), manuals, QStringLiteral("-P"), QStringLiteral("cat"), name}, wide);
        EXPECT_TRUE(shown.succeeded()) << shown.report();
        return QString::fromUtf8(shown.output);
    };
    const QString application = page(QStringLiteral("quillmarrow"));
    EXPECT_TRUE(application.contains(QStringLiteral("quillmarrow - count the lines of source code of folders")))
        << application.toStdString();
    const QString counter = page(QStringLiteral("quillmarrow-scc"));
    EXPECT_TRUE(counter.contains(QStringLiteral("/usr/libexec/quillmarrow/scc"))) << counter.toStdString();

    // Every option the counter's help names is in its manual page.
    const CommandResult help = runCommand(root + QStringLiteral("/usr/libexec/quillmarrow/scc"),
                                          {QStringLiteral("--help")});
    ASSERT_TRUE(help.succeeded()) << help.report();
    const QRegularExpression option(QStringLiteral("(?<![\\w-])--?[a-z][a-z-]*"));
    int options = 0;
    for (auto it = option.globalMatch(QString::fromUtf8(help.output)); it.hasNext(); ++options) {
        const QString name = it.next().captured();
        EXPECT_TRUE(counter.contains(QRegularExpression(
            QStringLiteral("(?<![\\w-])") + QRegularExpression::escape(name) + QStringLiteral("(?![\\w-])"))))
            << name.toStdString();
    }
    EXPECT_GE(options, 15); // --by-file ... -v, --version
}

TEST_F(DebianPackage, UnpackedApplicationCountsAFolder)
{
    const QString root = unpacked();
    const QString folder = writeSources(scratch.path(), QStringLiteral("unpacked"));

    // It finds its counter and resources from its own folder, wherever the root is.
    const CommandResult run = runCommand(root + QStringLiteral("/usr/bin/quillmarrow"), {folder}, countingEnvironment(),
                                         120);
    EXPECT_TRUE(run.succeeded()) << run.report();
    const QList<QByteArray> lines = run.output.split('\n');
    EXPECT_TRUE(lines.contains("all ok")) << run.report();
    EXPECT_TRUE(lines.contains("listed: unpacked")) << run.report();

    // Software centres read the metadata and the entry it launches together.
    const CommandResult tree = runCommand(QStringLiteral("appstreamcli"),
                                          {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), root});
    EXPECT_TRUE(tree.succeeded()) << tree.report();
}

} // namespace
} // namespace qm::install
