#include "app/ProjectConfigurationSheet.h"
#include "core/Project.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qm {
namespace {

struct SheetHarness {
    std::shared_ptr<Project> project = std::make_shared<Project>("/tmp/somewhere");
    bool presented = true;
    int saves = 0;
    std::unique_ptr<ProjectConfigurationSheet> sheet;

    void open()
    {
        presented = true;
        sheet = std::make_unique<ProjectConfigurationSheet>(Binding<bool>{[this] { return presented; }, [this](bool v) { presented = v; }},
                                                            project, [this] { ++saves; });
        sheet->show();
    }
};

TEST(ProjectConfigurationSheet, CancelLeavesTheProjectAlone)
{
    SheetHarness h;
    h.project->ignoreExtensions = "md,txt";
    h.open();
    EXPECT_EQ(h.sheet->extensionsField()->text(), "md,txt");
    EXPECT_EQ(h.sheet->extensionsField()->placeholderText(), "Extensions to ignore (comma-separated)");
    EXPECT_EQ(h.sheet->size(), QSize(300, 300));
    EXPECT_EQ(h.sheet->windowModality(), Qt::WindowModal);
    h.sheet->extensionsField()->setText("json");
    h.sheet->minifiedSwitch()->setChecked(true);
    h.sheet->cancelButton()->click();
    EXPECT_FALSE(h.presented);
    EXPECT_EQ(h.saves, 0);
    EXPECT_EQ(h.project->ignoreExtensions, "md,txt");
    EXPECT_FALSE(h.project->ignoreMinified);

    // Reopening starts from the project's options; Escape cancels too.
    h.open();
    EXPECT_EQ(h.sheet->extensionsField()->text(), "md,txt");
    EXPECT_FALSE(h.sheet->minifiedSwitch()->isChecked());
    h.sheet->extensionsField()->setText("json");
    QTest::keyClick(h.sheet.get(), Qt::Key_Escape);
    EXPECT_FALSE(h.presented);
    EXPECT_EQ(h.saves, 0);
    EXPECT_EQ(h.project->ignoreExtensions, "md,txt");
}

TEST(ProjectConfigurationSheet, SaveWritesEveryOptionThenRunsTheSaveAction)
{
    SheetHarness h;
    h.open();
    EXPECT_EQ(h.sheet->saveButton()->text(), "Save settings");
    EXPECT_EQ(h.sheet->minifiedSwitch()->text(), "Ignore minified files");
    EXPECT_EQ(h.sheet->generatedSwitch()->text(), "Ignore generated files");
    EXPECT_EQ(h.sheet->duplicatesSwitch()->text(), "Omit duplicates");
    h.sheet->extensionsField()->setText(" md, txt ");
    h.sheet->generatedSwitch()->setChecked(true);
    h.sheet->duplicatesSwitch()->setChecked(true);
    h.sheet->saveButton()->click();
    EXPECT_FALSE(h.presented);
    EXPECT_EQ(h.saves, 1);
    EXPECT_EQ(h.project->ignoreExtensions, " md, txt ");
    EXPECT_FALSE(h.project->ignoreMinified);
    EXPECT_TRUE(h.project->ignoreGenerated);
    EXPECT_TRUE(h.project->omitDuplicates);

    // Saving unchanged settings still saves (and counts again); empty text clears.
    h.open();
    h.sheet->extensionsField()->clear();
    h.sheet->saveButton()->click();
    EXPECT_EQ(h.saves, 2);
    EXPECT_EQ(h.project->ignoreExtensions, "");
    EXPECT_TRUE(h.project->ignoreGenerated);
}

} // namespace
} // namespace qm
