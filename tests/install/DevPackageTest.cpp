// The development package of the chart library, as scripts/package.sh makes
// it of a release build: what it holds and depends on, and the README's
// program built against it and the application's package unpacked together
// into a scratch root, once with its CMake package and once with its
// pkg-config file.

#include "tests/install/InstallTest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qm::install {
namespace {

class DevPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        deb = builtPackage(QStringLiteral("quillmarrow-dev"));
        runtime = builtPackage(QStringLiteral("quillmarrow"));
        ASSERT_FALSE(deb.isEmpty()) << "no quillmarrow-dev_*.deb in " QM_PACKAGE_BUILD_DIR;
        ASSERT_FALSE(runtime.isEmpty()) << "no quillmarrow_*.deb in " QM_PACKAGE_BUILD_DIR;
    }

    // Both packages unpacked into one scratch root, as installing them puts their files.
    QString installBoth()
    {
        const QString root = scratch.filePath(QStringLiteral("root"));
        for (const QString& package : {runtime, deb}) {
            const CommandResult unpacking = runCommand(QStringLiteral("dpkg-deb"),
                                                       {QStringLiteral("-x"), package, root});
            EXPECT_TRUE(unpacking.succeeded()) << unpacking.report();
        }
        return root;
    }

    QString deb;
    QString runtime;
    QTemporaryDir scratch;
};

TEST_F(DevPackage, DependsOnTheApplicationsVersionAndOnQt)
{
    EXPECT_EQ(controlField(deb, QStringLiteral("Package")), QStringLiteral("quillmarrow-dev"));
    EXPECT_EQ(controlField(deb, QStringLiteral("Version")), QStringLiteral(QM_VERSION));
    EXPECT_EQ(controlField(deb, QStringLiteral("Section")), QStringLiteral("libdevel"));
    const QStringList depends =
        controlField(deb, QStringLiteral("Depends")).split(QStringLiteral(", "), Qt::SkipEmptyParts);
    EXPECT_TRUE(depends.contains(QStringLiteral("quillmarrow (= " QM_VERSION ")")))
        << depends.join(" | ").toStdString();
    EXPECT_TRUE(depends.contains(QStringLiteral("qt6-base-dev"))) << depends.join(" | ").toStdString();
    EXPECT_TRUE(depends.contains(QStringLiteral("nlohmann-json3-dev"))) << depends.join(" | ").toStdString();

    // apt installs the two together.
    const CommandResult apt =
        runCommand(QStringLiteral("apt-get"),
                   {QStringLiteral("install"), QStringLiteral("--simulate"), QStringLiteral("--no-install-recommends"),
                    QFileInfo(runtime).absoluteFilePath(), QFileInfo(deb).absoluteFilePath()},
                   QProcessEnvironment::systemEnvironment(), 120);
    EXPECT_TRUE(apt.succeeded()) << apt.report();
    EXPECT_TRUE(apt.output.contains("Inst quillmarrow-dev")) << apt.report();
}

TEST_F(DevPackage, HoldsEveryHeaderTheArchivesAndThePackageFiles)
{
    const QMap<QString, QString> modes = packageModes(deb);
    ASSERT_FALSE(modes.isEmpty());
    // Every header of the chart library and of the kit it draws with, as in the tree.
    QStringList headers;
    for (const char* folder : {"kit", "charts"}) {
        const QDir source(QStringLiteral(QM_SOURCE_DIR));
        QDirIterator it(source.filePath(QString::fromLatin1(folder)), {QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            headers << QStringLiteral("./usr/include/quillmarrow/") + source.relativeFilePath(it.next());
    }
    EXPECT_GT(headers.size(), 100); // the walk found the tree, not an empty folder
    for (const QString& header : headers)
        EXPECT_EQ(modes.value(header), QStringLiteral("-rw-r--r-- root/root")) << header.toStdString();
    const QString lib = QStringLiteral("./usr/" QM_PACKAGE_LIBDIR "/");
    QStringList files{lib + QStringLiteral("cmake/Quillmarrow/QuillmarrowConfig.cmake"),
                      lib + QStringLiteral("cmake/Quillmarrow/QuillmarrowConfigVersion.cmake"),
                      lib + QStringLiteral("cmake/Quillmarrow/QuillmarrowTargets.cmake"),
                      lib + QStringLiteral("pkgconfig/quillmarrow.pc"),
                      QStringLiteral("./usr/share/doc/quillmarrow-dev/copyright"),
                      QStringLiteral("./usr/share/doc/quillmarrow-dev/changelog.gz")};
    for (const char* part : {"kit_base", "kit_ui", "charts_core", "charts_pie", "charts_axes", "charts_line",
                             "charts_bar", "charts_overlays"})
        files << lib + QStringLiteral("libquillmarrow_%1.a").arg(QString::fromLatin1(part));
    for (const QString& file : files)
        EXPECT_EQ(modes.value(file), QStringLiteral("-rw-r--r-- root/root")) << file.toStdString();
    // Nothing of the application's.
    for (auto it = modes.cbegin(); it != modes.cend(); ++it) {
        EXPECT_FALSE(it.key().startsWith(QStringLiteral("./usr/bin/"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().startsWith(QStringLiteral("./usr/libexec/"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().contains(QStringLiteral("/include/quillmarrow/core/"))) << it.key().toStdString();
        EXPECT_FALSE(it.key().contains(QStringLiteral("/include/quillmarrow/app/"))) << it.key().toStdString();
    }
}

TEST_F(DevPackage, TheReadmesProgramBuildsAgainstItWithFindPackage)
{
    const QString source = scratch.filePath(QStringLiteral("myapp"));
    ASSERT_TRUE(writeReadmeProgram(source));
    const QString root = installBoth();
    const QString build = scratch.filePath(QStringLiteral("myapp-build"));
    const CommandResult configured = runCommand(QStringLiteral(QM_CMAKE_COMMAND),
                                                {QStringLiteral("-S"), source, QStringLiteral("-B"), build,
                                                 QStringLiteral("-G"), QStringLiteral(QM_CMAKE_GENERATOR),
                                                 QStringLiteral("-DCMAKE_PREFIX_PATH=") + root + QStringLiteral("/usr"),
                                                 QStringLiteral("-DCMAKE_CXX_COMPILER=" QM_CXX_COMPILER),
                                                 QStringLiteral("-DCMAKE_BUILD_TYPE=Release")},
                                                QProcessEnvironment::systemEnvironment(), 600);
    ASSERT_TRUE(configured.succeeded()) << configured.report();
    // Found in the scratch root, not elsewhere on the machine.
    QFile cache(build + QStringLiteral("/CMakeCache.txt"));
    ASSERT_TRUE(cache.open(QIODevice::ReadOnly));
    EXPECT_TRUE(cache.readAll().contains(
        ("Quillmarrow_DIR:PATH=" + root + QStringLiteral("/usr/" QM_PACKAGE_LIBDIR "/cmake/Quillmarrow")).toUtf8()));
    const CommandResult built = runCommand(QStringLiteral(QM_CMAKE_COMMAND), {QStringLiteral("--build"), build},
                                           QProcessEnvironment::systemEnvironment(), 600);
    ASSERT_TRUE(built.succeeded()) << built.report();
    EXPECT_TRUE(QFileInfo(build + QStringLiteral("/myapp")).isExecutable());
}

TEST_F(DevPackage, TheReadmesProgramBuildsAgainstItWithPkgConfig)
{
    const QString source = scratch.filePath(QStringLiteral("myapp"));
    ASSERT_TRUE(writeReadmeProgram(source));
    const QString root = installBoth();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PKG_CONFIG_PATH"),
                       root + QStringLiteral("/usr/" QM_PACKAGE_LIBDIR "/pkgconfig"));
    const CommandResult flags =
        runCommand(QStringLiteral("pkg-config"),
                   {QStringLiteral("--cflags"), QStringLiteral("--libs"), QStringLiteral("quillmarrow")}, environment);
    ASSERT_TRUE(flags.succeeded()) << flags.report();
    // The file finds the library beside itself, wherever the root is.
    EXPECT_TRUE(flags.output.contains(("-I" + root + QLatin1Char('/')).toUtf8())) << flags.report();
    EXPECT_TRUE(flags.output.contains(("-L" + root + QLatin1Char('/')).toUtf8())) << flags.report();

    const QString program = scratch.filePath(QStringLiteral("myapp-pc"));
    QStringList arguments{QStringLiteral("-std=c++20"), source + QStringLiteral("/main.cpp"), QStringLiteral("-o"),
                          program};
    arguments << QString::fromUtf8(flags.output).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const CommandResult built = runCommand(QStringLiteral(QM_CXX_COMPILER), arguments,
                                           QProcessEnvironment::systemEnvironment(), 600);
    ASSERT_TRUE(built.succeeded()) << built.report();
    EXPECT_TRUE(QFileInfo(program).isExecutable());
}

} // namespace
} // namespace qm::install
