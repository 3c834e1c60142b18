// The desktop entry, icon and AppStream metadata of the build's bundle: the
// validators of the desktop accept them, the icon is there at every size, and
// a launch through the entry, as a file manager makes it, counts the folder.

#include "tests/install/InstallTest.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace qm::install {
namespace {

const QString bundle = QStringLiteral(QM_BUNDLE_DIR);
const QString appId = QStringLiteral(QM_APP_ID);

QString entry()
{
    return bundle + QStringLiteral("/share/applications/") + appId + QStringLiteral(".desktop");
}

TEST(DesktopFiles, EntryAndMetadataPassTheirValidators)
{
    // desktop-file-validate prints errors, warnings and hints alike: none is welcome.
    const CommandResult entryCheck = runCommand(QStringLiteral("desktop-file-validate"), {entry()});
    EXPECT_TRUE(entryCheck.succeeded()) << entryCheck.report();
    EXPECT_TRUE(entryCheck.output.trimmed().isEmpty()) << entryCheck.report();

    const CommandResult metadataCheck =
        runCommand(QStringLiteral("appstreamcli"),
                   {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral("--strict"),
                    bundle + QStringLiteral("/share/metainfo/") + appId + QStringLiteral(".metainfo.xml")});
    EXPECT_TRUE(metadataCheck.succeeded()) << metadataCheck.report();
}

TEST(DesktopFiles, MetadataNamesTheLicences)
{
    // The project's, as LICENSE at the top of the tree gives it, and the metadata's own.
    QFile metadata(bundle + QStringLiteral("/share/metainfo/") + appId + QStringLiteral(".metainfo.xml"));
    ASSERT_TRUE(metadata.open(QIODevice::ReadOnly));
    QMap<QString, QString> licences;
    for (QXmlStreamReader xml(&metadata); !xml.atEnd();) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name().endsWith(u"_license"))
            licences.insert(xml.name().toString(), xml.readElementText());
    }
    EXPECT_EQ(licences.value(QStringLiteral("project_license")), QStringLiteral("MIT"));
    EXPECT_EQ(licences.value(QStringLiteral("metadata_license")), QStringLiteral("CC0-1.0"));
    QFile licence(QStringLiteral(QM_SOURCE_DIR "/LICENSE"));
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    EXPECT_TRUE(licence.readLine().startsWith("MIT License"));
}

TEST(DesktopFiles, IconIsDrawnAndRenderedAtEachSizeOfTheTheme)
{
    const QString theme = bundle + QStringLiteral("/share/icons/hicolor/");
    EXPECT_TRUE(QFile::exists(theme + QStringLiteral("scalable/apps/") + appId + QStringLiteral(".svg")));
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString file = theme + QStringLiteral("%1x%1/apps/").arg(size) + appId + QStringLiteral(".png");
        const QImage icon(file);
        ASSERT_FALSE(icon.isNull()) << file.toStdString();
        EXPECT_EQ(icon.size(), QSize(size, size)) << file.toStdString();
        // Drawn in its middle, clear at its corners (a rounded square).
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
    }
}

TEST(DesktopFiles, LaunchThroughTheEntryCountsTheFolderItIsGiven)
{
    // As a file manager does: the entry's Exec line, its %F replaced by the
    // folder's path, run with `quillmarrow` found on the PATH.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = writeSources(dir.path(), QStringLiteral("opened with quillmarrow"));
    QProcessEnvironment environment = countingEnvironment();
    environment.insert(QStringLiteral("PATH"),
                       bundle + QStringLiteral("/bin:") + environment.value(QStringLiteral("PATH")));

    // The launcher ends at once; the application it starts writes to the same file.
    const QString report = dir.filePath(QStringLiteral("report.txt"));
    QProcess launcher;
    launcher.setProcessEnvironment(environment);
    launcher.setStandardOutputFile(report);
    launcher.setStandardErrorFile(dir.filePath(QStringLiteral("errors.txt")));
    launcher.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry(), folder});
    ASSERT_TRUE(launcher.waitForFinished(30000));
    ASSERT_EQ(launcher.exitCode(), 0);

    QByteArray printed;
    const bool listed = QTest::qWaitFor(
        [&] {
            QFile file(report);
            printed = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            return printed.split('\n').contains("listed: opened with quillmarrow");
        },
        60000);
    QFile errors(dir.filePath(QStringLiteral("errors.txt")));
    errors.open(QIODevice::ReadOnly);
    EXPECT_TRUE(listed) << printed.toStdString() << errors.readAll().toStdString();
    EXPECT_TRUE(printed.split('\n').contains("all ok")) << printed.toStdString();
}

TEST(DesktopFiles, TheEntryNeverBecomesTheDefaultFolderHandler)
{
    // A desktop with a file manager and Quillmarrow and no list of default
    // applications, where the first entry that takes folders (by its id,
    // and Quillmarrow's sorts first) would win. Folders still come on the
    // command line and by drop.
    QTemporaryDir xdg;
    ASSERT_TRUE(xdg.isValid());
    const QString applications = xdg.filePath(QStringLiteral("data/applications"));
    ASSERT_TRUE(QDir().mkpath(applications));
    ASSERT_TRUE(QDir().mkpath(xdg.filePath(QStringLiteral("config"))));
    ASSERT_TRUE(QFile::copy(entry(), applications + u'/' + appId + QStringLiteral(".desktop")));
    QFile files(applications + QStringLiteral("/org.example.Files.desktop"));
    ASSERT_TRUE(files.open(QIODevice::WriteOnly));
    files.write("[Desktop Entry]\nType=Application\nName=Files\nExec=true %U\nMimeType=inode/directory;\n");
    files.close();
    const CommandResult database = runCommand(QStringLiteral("update-desktop-database"), {applications});
    ASSERT_TRUE(database.succeeded()) << database.report();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), xdg.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), xdg.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), xdg.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), xdg.filePath(QStringLiteral("config")));
    environment.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    // As installed: `quillmarrow` on the PATH, or the desktop passes the entry over (TryExec).
    environment.insert(QStringLiteral("PATH"),
                       bundle + QStringLiteral("/bin:") + environment.value(QStringLiteral("PATH")));
    const CommandResult handlers = runCommand(QStringLiteral("gio"),
                                              {QStringLiteral("mime"), QStringLiteral("inode/directory")}, environment);
    ASSERT_TRUE(handlers.succeeded()) << handlers.report();
    const QByteArrayList lines = handlers.output.split('\n');
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.first().endsWith("org.example.Files.desktop")) << handlers.report();
    EXPECT_FALSE(handlers.output.contains(appId.toUtf8())) << handlers.report();
}

} // namespace
} // namespace qm::install
