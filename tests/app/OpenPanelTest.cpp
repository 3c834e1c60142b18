#include "app/opening/OpenPanel.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qm {
namespace {

// A panel showing a folder that holds "folder" and "file.txt".
class OpenPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QFile file(dir.filePath(QStringLiteral("file.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        panel.setDirectory(dir.path());
        panel.show();
        view = panel.findChild<QAbstractItemView*>(QStringLiteral("listView"));
        model = qobject_cast<QFileSystemModel*>(view->model());
        ASSERT_TRUE(model);
        ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(model->index(dir.path())) == 2; }, 10000));
    }
    QStringList chosen() const
    {
        QStringList paths;
        for (const QUrl& url : panel.urls())
            paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
        paths.sort();
        return paths;
    }

    QTemporaryDir dir;
    OpenPanel panel;
    QAbstractItemView* view = nullptr;
    QFileSystemModel* model = nullptr;
};

TEST_F(OpenPanelTest, ChoosesFilesAndFoldersTogether)
{
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    for (const char* name : {"folder", "file.txt"})
        view->selectionModel()->select(model->index(dir.filePath(QString::fromLatin1(name))),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QPushButton* open = panel.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
    ASSERT_TRUE(open);
    QTest::qWait(0);
    EXPECT_TRUE(open->isEnabled());
    open->click();
    EXPECT_EQ(panel.result(), QDialog::Accepted);
    EXPECT_EQ(chosen(),
              (QStringList{dir.filePath(QStringLiteral("file.txt")), dir.filePath(QStringLiteral("folder"))}));
}

TEST_F(OpenPanelTest, WithNothingSelectedChoosesTheShownFolderAndOffersNewFolders)
{
    EXPECT_FALSE(panel.testOption(QFileDialog::ReadOnly));
    EXPECT_TRUE(panel.findChild<QToolButton*>(QStringLiteral("newFolderButton")));
    panel.accept();
    EXPECT_EQ(panel.result(), QDialog::Accepted);
    EXPECT_EQ(chosen(), QStringList{QDir(dir.path()).absolutePath()});
}

} // namespace
} // namespace qm
