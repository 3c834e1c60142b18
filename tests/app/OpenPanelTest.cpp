#include "app/OpenPanel.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileSystemModel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qm {
namespace {

QAbstractItemView* listView(OpenPanel& panel)
{
    return panel.findChild<QAbstractItemView*>(QStringLiteral("listView"));
}

// Waits until the panel lists the folder's entries.
void waitForListing(OpenPanel& panel, const QString& folder, int count)
{
    auto* model = qobject_cast<QFileSystemModel*>(listView(panel)->model());
    ASSERT_TRUE(model);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(model->index(folder)) == count; }, 10000));
}

class OpenPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QFile file(dir.filePath(QStringLiteral("file.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x\n");
    }
    QTemporaryDir dir;
};

TEST_F(OpenPanelTest, ChoosesFilesAndFoldersTogether)
{
    OpenPanel panel;
    panel.setDirectory(dir.path());
    panel.show();
    waitForListing(panel, dir.path(), 2);
    QAbstractItemView* view = listView(panel);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    auto* model = qobject_cast<QFileSystemModel*>(view->model());
    view->selectionModel()->select(model->index(dir.filePath(QStringLiteral("folder"))), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(model->index(dir.filePath(QStringLiteral("file.txt"))), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    QPushButton* open = panel.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
    ASSERT_TRUE(open);
    QTest::qWait(0);
    EXPECT_TRUE(open->isEnabled());
    QSignalSpy finished(&panel, &QDialog::finished);
    open->click();
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
    QStringList chosen;
    for (const QUrl& url : panel.urls())
        chosen << url.toLocalFile();
    chosen.sort();
    EXPECT_EQ(chosen, (QStringList{dir.filePath(QStringLiteral("file.txt")), dir.filePath(QStringLiteral("folder"))}));
    for (const QUrl& url : panel.urls())
        EXPECT_TRUE(url.isLocalFile());
}

TEST_F(OpenPanelTest, WithNothingSelectedChoosesTheShownFolderAndOffersNewFolders)
{
    OpenPanel panel;
    panel.setDirectory(dir.path());
    panel.show();
    waitForListing(panel, dir.path(), 2);
    EXPECT_FALSE(panel.testOption(QFileDialog::ReadOnly));
    EXPECT_TRUE(panel.findChild<QToolButton*>(QStringLiteral("newFolderButton")));
    panel.accept();
    EXPECT_EQ(panel.result(), QDialog::Accepted);
    ASSERT_EQ(panel.urls().size(), 1);
    EXPECT_EQ(panel.urls()[0].toLocalFile(), QDir(dir.path()).absolutePath());
}

TEST_F(OpenPanelTest, CancelChoosesNothing)
{
    OpenPanel panel;
    panel.setDirectory(dir.path());
    panel.show();
    panel.reject();
    EXPECT_EQ(panel.result(), QDialog::Rejected);
    EXPECT_TRUE(panel.urls().isEmpty());
}

} // namespace
} // namespace qm
