// Every header the chart library installs compiles alone, in a translation
// unit of its own that includes nothing else: a program may include any one
// of them first, without knowing what it leans on.

#include "tests/install/InstallTest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qm::install {
namespace {

TEST(InstalledHeaders, EachCompilesAlone)
{
    QTemporaryDir scratch;
    const QString prefix = scratch.filePath(QStringLiteral("prefix"));
    const CommandResult installed =
        runCommand(QStringLiteral(QM_CMAKE_COMMAND),
                   {QStringLiteral("--install"), QStringLiteral(QM_BUNDLE_DIR), QStringLiteral("--prefix"), prefix,
                    QStringLiteral("--component"), QStringLiteral("Development")});
    ASSERT_TRUE(installed.succeeded()) << installed.report();

    // One source file per header, "kit/ui/View.h" in kit_ui_View.cpp, all
    // compiled against the installed CMake package, side by side, only as far
    // as their meaning (no code is generated: most of the time goes to Qt's
    // headers, which every one of them reads again).
    const QDir include(prefix + QStringLiteral("/include/quillmarrow"));
    const QString project = scratch.filePath(QStringLiteral("headers"));
    ASSERT_TRUE(QDir().mkpath(project));
    QStringList sources;
    for (QDirIterator it(include.path(), {QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString header = include.relativeFilePath(it.next());
        QString name = header;
        name.replace(QLatin1Char('/'), QLatin1Char('_')).chop(2);
        QFile source(project + QLatin1Char('/') + name + QStringLiteral(".cpp"));
        ASSERT_TRUE(source.open(QIODevice::WriteOnly));
        source.write("#include \"" + header.toUtf8() + "\"\n");
        sources << source.fileName();
    }
    // As many as the tree's kit and charts hold.
    int inTree = 0;
    for (const char* folder : {"kit", "charts"})
        for (QDirIterator it(QStringLiteral(QM_SOURCE_DIR "/") + QString::fromLatin1(folder), {QStringLiteral("*.h")},
                             QDir::Files, QDirIterator::Subdirectories);
             it.hasNext(); it.next())
            ++inTree;
    EXPECT_EQ(sources.size(), inTree);
    ASSERT_GT(sources.size(), 100); // the globs found the tree, not an empty folder

    QFile lists(project + QStringLiteral("/CMakeLists.txt"));
    ASSERT_TRUE(lists.open(QIODevice::WriteOnly));
    lists.write("cmake_minimum_required(VERSION 3.25)\n"
                "project(headers LANGUAGES CXX)\n"
                "find_package(Quillmarrow REQUIRED)\n"
                "file(GLOB sources ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)\n"
                "add_library(headers OBJECT ${sources})\n"
                "target_link_libraries(headers PRIVATE Quillmarrow::charts)\n"
                "target_compile_options(headers PRIVATE -fsyntax-only)\n");
    lists.close();
    const QString build = scratch.filePath(QStringLiteral("build"));
    const CommandResult configured =
        runCommand(QStringLiteral(QM_CMAKE_COMMAND),
                   {QStringLiteral("-S"), project, QStringLiteral("-B"), build, QStringLiteral("-G"),
                    QStringLiteral(QM_CMAKE_GENERATOR), QStringLiteral("-DCMAKE_PREFIX_PATH=") + prefix,
                    QStringLiteral("-DCMAKE_CXX_COMPILER=" QM_CXX_COMPILER)});
    ASSERT_TRUE(configured.succeeded()) << configured.report();
    // Going on past failures, so that the report names every header that fails.
    QStringList arguments{QStringLiteral("--build"), build, QStringLiteral("--"), QStringLiteral("-k")};
    if (QStringLiteral(QM_CMAKE_GENERATOR) == QStringLiteral("Ninja"))
        arguments << QStringLiteral("0");
    const CommandResult built = runCommand(QStringLiteral(QM_CMAKE_COMMAND), arguments,
                                           QProcessEnvironment::systemEnvironment(), 1200);
    EXPECT_TRUE(built.succeeded()) << built.report();
}

} // namespace
} // namespace qm::install
