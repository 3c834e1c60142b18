// The Debian package `cpack -G DEB` makes of the build: what it holds, what
// it depends on, and the application unpacked from it counting a folder.

#include "tests/install/InstallTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace qm::install {
namespace {

const QString appId = QStringLiteral(QM_APP_ID);

class DebianPackage : public ::testing::Test {
protected:
    // One package for all the tests of the suite. A sanitized build's
    // executables are large: gzip packs them in a fraction of xz's time.
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<QTemporaryDir>();
        packing = std::make_unique<CommandResult>(
            runCommand(QStringLiteral(QM_CPACK_COMMAND),
                       {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                        QStringLiteral(QM_BUNDLE_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), scratch->path(),
                        QStringLiteral("-D"), QStringLiteral("CPACK_DEBIAN_COMPRESSION_TYPE=gzip")},
                       QProcessEnvironment::systemEnvironment(), 600));
        const QStringList debs = QDir(scratch->path()).entryList({QStringLiteral("quillmarrow_*.deb")}, QDir::Files);
        if (debs.size() == 1)
            deb = scratch->filePath(debs.front());
    }
    static void TearDownTestSuite()
    {
        packing.reset();
        scratch.reset();
    }
    void SetUp() override { ASSERT_FALSE(deb.isEmpty()) << packing->report(); }

    // A control field of the package.
    static QString field(const QString& name)
    {
        const CommandResult r = runCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb, name});
        return QString::fromUtf8(r.output).trimmed();
    }

    static inline std::unique_ptr<QTemporaryDir> scratch;
    static inline std::unique_ptr<CommandResult> packing;
    static inline QString deb;
};

TEST_F(DebianPackage, IsNamedAndDescribedForApt)
{
    const QString architecture =
        QString::fromUtf8(runCommand(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).output)
            .trimmed();
    EXPECT_EQ(QFileInfo(deb).fileName(),
              QStringLiteral("quillmarrow_%1_%2.deb").arg(QStringLiteral(QM_VERSION), architecture));
    EXPECT_EQ(field(QStringLiteral("Package")), QStringLiteral("quillmarrow"));
    EXPECT_EQ(field(QStringLiteral("Version")), QStringLiteral(QM_VERSION));
    EXPECT_EQ(field(QStringLiteral("Architecture")), architecture);
    EXPECT_EQ(field(QStringLiteral("Section")), QStringLiteral("devel"));
    EXPECT_TRUE(field(QStringLiteral("Maintainer")).contains(QLatin1Char('@')));
    EXPECT_FALSE(field(QStringLiteral("Description")).isEmpty());
}

TEST_F(DebianPackage, DependsOnThePackagesOfItsSharedLibraries)
{
    // "libqt6widgets6 (>= 6.1.2), libc6 (>= 2.34), ..." (alternatives split too).
    QStringList names;
    for (const QString& dependency :
         field(QStringLiteral("Depends")).split(QRegularExpression(QStringLiteral("[,|]")), Qt::SkipEmptyParts))
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

TEST_F(DebianPackage, HoldsTheBundleAndTheDesktopFilesUnderUsr)
{
    const CommandResult listing = runCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb});
    ASSERT_TRUE(listing.succeeded()) << listing.report();
    // "-rwxr-xr-x root/root 123 2026-01-01 00:00 ./usr/bin/quillmarrow"
    QMap<QString, QString> modes;
    for (const QByteArray& line : listing.output.split('\n')) {
        const QStringList columns = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() >= 6)
            modes.insert(columns.last(), columns.first() + QLatin1Char(' ') + columns.at(1));
    }
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
    };
    for (const QString& path : files)
        EXPECT_EQ(modes.value(path), QStringLiteral("-rw-r--r-- root/root")) << path.toStdString();
    // The chart library's headers and archives are for developers, not in the application's package.
    for (auto it = modes.cbegin(); it != modes.cend(); ++it) {
        EXPECT_FALSE(it.key().startsWith(QStringLiteral("./usr/include"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().endsWith(QStringLiteral(".a"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().contains(QStringLiteral("/cmake/"))) << it.key().toStdString();
    }
}

TEST_F(DebianPackage, UnpackedApplicationCountsAFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.filePath(QStringLiteral("root"));
    const CommandResult unpacking = runCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root});
    ASSERT_TRUE(unpacking.succeeded()) << unpacking.report();
    const QString folder = writeSources(dir.path(), QStringLiteral("unpacked"));

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
