#include "app/paths/LocalPath.h"
#include "app/opening/OpenPanel.h"
#include "app/paths/DisplayText.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

TEST(LocalPath, FileUrlsCarryThePathsBytes)
{
    for (const QByteArray& path :
         QByteArrayList{"/tmp/a b", "/tmp/caf\xC3\xA9", "/tmp/caf\xE9", "/tmp/two\nlines", "/tmp/100%", "/tmp/#?"}) {
        const QUrl url = fileUrl(path);
        EXPECT_TRUE(url.isLocalFile()) << path.toStdString();
        EXPECT_EQ(localPath(url), path);
        EXPECT_EQ(localPath(QUrl::fromEncoded(url.toEncoded())), path); // as it travels in a drop
    }
    EXPECT_EQ(localPath(QUrl::fromLocalFile(QStringLiteral("/tmp/caf\u00E9"))), QByteArray("/tmp/caf\xC3\xA9"));
    EXPECT_TRUE(localPath(QUrl(QStringLiteral("https://example.org/tmp"))).isEmpty());
}

// Runs in `folder` while it lives.
class WorkingFolder {
public:
    explicit WorkingFolder(const QByteArray& folder) : previous_(QDir::currentPath())
    {
        EXPECT_EQ(::chdir(folder.constData()), 0);
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

TEST(LocalPath, RelativePathsAreTakenFromTheWorkingFolder)
{
    QTemporaryDir dir;
    // The working folder's own name need not be UTF-8 either.
    const QByteArray root = QFile::encodeName(dir.path()) + "/w\xE9";
    ASSERT_EQ(::mkdir(root.constData(), 0700), 0);
    WorkingFolder here(root);
    struct Case {
        QByteArray given, path;
    };
    for (const Case& c : std::vector<Case>{
             {"alpha", root + "/alpha"},
             {"./alpha", root + "/alpha"},
             {"../x/alpha", QFile::encodeName(dir.path()) + "/x/alpha"},
             {"a b/c", root + "/a b/c"},
             {"/abs/alpha", "/abs/alpha"},
         }) {
        const QUrl url = fileUrl(c.given);
        EXPECT_TRUE(url.isLocalFile()) << c.given.toStdString();
        EXPECT_TRUE(url.host().isEmpty()) << c.given.toStdString();
        EXPECT_EQ(localPath(url), c.path) << c.given.toStdString();
    }
}

TEST(LocalPath, PathsGivenRelativeToTheWorkingFolderBecomeAbsolute)
{
    // A later launch hands its paths to an instance started elsewhere, and a
    // file URL would read the first component as a host: the launching
    // process makes them absolute, byte for byte.
    const struct {
        QByteArray given;
        QByteArray absolute;
    } cases[] = {
        {"src", "/home/me/src"},
        {"src/", "/home/me/src"},
        {"./src/./lib", "/home/me/src/lib"},
        {"../other", "/home/other"},
        {".", "/home/me"},
        {"..", "/home"},
        {"../../..", "/"},
        {"caf\xE9 one", "/home/me/caf\xE9 one"},
        {"/already/there", "/already/there"},
        {"/already//there/", "/already//there/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(absolutePath(c.given, "/home/me"), c.absolute) << c.given.toStdString();
    EXPECT_EQ(absolutePath("src", "/"), QByteArray("/src"));
}

TEST(LocalPath, NamesShownWithReplacementCharactersAreFoundOnDisk)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path());
    for (const char* name : {"/caf\xE9", "/caf\xE9/sub", "/x\xE8", "/x\xE9", "/plain"})
        ASSERT_EQ(::mkdir((root + name).constData(), 0700), 0) << name;
    struct Case {
        QString shown;
        QByteArray onDisk;
    };
    const QString replacement(QChar::ReplacementCharacter);
    for (const Case& c : std::vector<Case>{
             {dir.path() + "/plain", root + "/plain"},
             {dir.path() + "/caf" + replacement, root + "/caf\xE9"},
             {dir.path() + "/caf" + replacement + "/sub", root + "/caf\xE9/sub"},
             {dir.path() + "/x" + replacement, {}},        // two entries look alike: none is taken
             {dir.path() + "/y" + replacement, {}},        // nothing there
             {dir.path() + "/missing", root + "/missing"}, // a valid name is taken as it is
         }) {
        EXPECT_EQ(pathOnDisk(c.shown), c.onDisk) << c.shown.toStdString();
    }
}

TEST(LocalPath, TheOpenPanelTakesATypedNameThatIsNotUtf8)
{
    QTemporaryDir dir;
    const QByteArray odd = QFile::encodeName(dir.path()) + "/caf\xE9";
    ASSERT_EQ(::mkdir(odd.constData(), 0700), 0);
    OpenPanel panel;
    panel.setDirectory(dir.path());
    panel.show();
    // The name as the application shows it, pasted into the name field.
    panel.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("caf\uFFFD"));
    panel.accept();
    ASSERT_EQ(panel.result(), QDialog::Accepted);
    ASSERT_EQ(panel.urls().size(), 1);
    EXPECT_EQ(localPath(panel.urls()[0]), odd);
}

TEST(DisplayText, ShowsAnyNameOnOneLine)
{
    struct Case {
        std::string bytes;
        QString shown;
    };
    for (const Case& c : std::vector<Case>{
             {"plain", "plain"},
             {"caf\xC3\xA9", QStringLiteral("caf\u00E9")},
             {"caf\xE9", QStringLiteral("caf\uFFFD")},
             {"two\nlines", QStringLiteral("two\u21B5lines")},
             {"a\r\nb\vc\fd", QStringLiteral("a\u21B5\u21B5b\u21B5c\u21B5d")},
             {"next\xC2\x85line\xE2\x80\xA8sep\xE2\x80\xA9par", QStringLiteral("next\u21B5line\u21B5sep\u21B5par")},
             {"tab\there\x01", QStringLiteral("tab\u2409here\u2401")},
             {"del\x7F", QStringLiteral("del\u2421")},
             {"", ""},
         }) {
        EXPECT_EQ(displayText(c.bytes), c.shown) << c.bytes;
    }
}

} // namespace
} // namespace qm
