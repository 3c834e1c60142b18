#include "app/screens/ProjectConfigurationSheet.h"
#include "core/Project.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qm {
namespace {

class ProjectConfigurationSheetTest : public ::testing::Test {
protected:
    // Opens a sheet on the project's options as they are now.
    ProjectConfigurationSheet& open()
    {
        presented = true;
        sheet = std::make_unique<ProjectConfigurationSheet>(Binding<bool>{[this] { return presented; },
                                                                          [this](bool v) { presented = v; }},
                                                            project, [this] { ++saves; });
        sheet->show();
        return *sheet;
    }

    std::shared_ptr<Project> project = std::make_shared<Project>("/tmp/somewhere");
    bool presented = true;
    int saves = 0;
    std::unique_ptr<ProjectConfigurationSheet> sheet;
};

TEST_F(ProjectConfigurationSheetTest, CancelAndEscapeLeaveTheProjectAlone)
{
    project->ignoreExtensions = "md,txt";
    EXPECT_EQ(open().extensionsField()->text(), "md,txt");
    EXPECT_EQ(sheet->extensionsField()->placeholderText(), "Extensions to ignore (comma-separated)");
    EXPECT_EQ(sheet->size(), QSize(300, 300));
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    sheet->extensionsField()->setText("json");
    sheet->minifiedSwitch()->setChecked(true);
    sheet->cancelButton()->click();
    EXPECT_FALSE(presented);

    // Reopening starts from the project's options; Escape cancels too.
    EXPECT_EQ(open().extensionsField()->text(), "md,txt");
    EXPECT_FALSE(sheet->minifiedSwitch()->isChecked());
    sheet->extensionsField()->setText("json");
    QTest::keyClick(sheet.get(), Qt::Key_Escape);
    EXPECT_FALSE(presented);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(project->ignoreExtensions, "md,txt");
    EXPECT_FALSE(project->ignoreMinified);
}

TEST_F(ProjectConfigurationSheetTest, SaveWritesEveryOptionThenRunsTheSaveAction)
{
    open();
    EXPECT_EQ((QStringList{sheet->saveButton()->text(), sheet->cancelButton()->text(), sheet->minifiedSwitch()->text(),
                           sheet->generatedSwitch()->text(), sheet->duplicatesSwitch()->text()}),
              (QStringList{"Save settings", "Cancel", "Ignore minified files", "Ignore generated files",
                           "Omit duplicates"}));
    sheet->extensionsField()->setText(" md, txt ");
    sheet->generatedSwitch()->setChecked(true);
    sheet->duplicatesSwitch()->setChecked(true);
    sheet->saveButton()->click();
    EXPECT_FALSE(presented);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(project->ignoreExtensions, " md, txt "); // as typed
    EXPECT_FALSE(project->ignoreMinified);
    EXPECT_TRUE(project->ignoreGenerated && project->omitDuplicates);

    // Saving unchanged settings still saves (and counts again); empty text clears.
    open().extensionsField()->clear();
    sheet->saveButton()->click();
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(project->ignoreExtensions, "");
    EXPECT_TRUE(project->ignoreGenerated);
}

TEST_F(ProjectConfigurationSheetTest, ReturnSavesUnlessItPressesTheFocusedCancel)
{
    open();
    EXPECT_TRUE(sheet->saveButton()->isDefault());
    // Typed in the text field, a switch, or a switch with the focus: Return saves what is shown.
    sheet->extensionsField()->setText("md");
    QTest::keyClick(sheet->extensionsField(), Qt::Key_Return);
    EXPECT_FALSE(presented);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(project->ignoreExtensions, "md");

    open().minifiedSwitch()->setChecked(true);
    QTest::keyClick(sheet->minifiedSwitch(), Qt::Key_Enter);
    EXPECT_EQ(saves, 2);
    EXPECT_TRUE(project->ignoreMinified);

    // On "Cancel", Return presses it.
    open().generatedSwitch()->setChecked(true);
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
    sheet->cancelButton()->setFocus();
    QTest::keyClick(sheet->cancelButton(), Qt::Key_Return);
    EXPECT_FALSE(presented);
    EXPECT_EQ(saves, 2);
    EXPECT_FALSE(project->ignoreGenerated);
}

} // namespace
} // namespace qm
