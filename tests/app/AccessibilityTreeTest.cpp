// The window as a screen reader reads it, through Qt's accessibility
// interfaces: the tree from the window down, the pie's slices and legend
// rows, the language chevrons, the key-like texts of the charts.

#include "app/lifecycle/ApplicationStrings.h"
#include "app/lifecycle/QuillmarrowApp.h"
#include "app/opening/ProjectOpening.h"
#include "app/screens/ContentView.h"
#include "app/screens/Locs.h"
#include "core/ProjectManager.h"
#include "kit/base/Localization.h"

#include "AppTestSupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace qm {
namespace {

// Every interface under `root`, depth first, as a screen reader walks the tree.
std::vector<QAccessibleInterface*> walk(QAccessibleInterface* root)
{
    std::vector<QAccessibleInterface*> all;
    std::function<void(QAccessibleInterface*, int)> visit = [&](QAccessibleInterface* node, int depth) {
        all.push_back(node);
        if (depth < 30)
            for (int i = 0; i < node->childCount(); ++i)
                if (QAccessibleInterface* child = node->child(i)) {
                    EXPECT_EQ(child->parent(), node) << child->text(QAccessible::Name).toStdString();
                    EXPECT_EQ(node->indexOfChild(child), i) << child->text(QAccessible::Name).toStdString();
                    visit(child, depth + 1);
                }
    };
    visit(root, 0);
    return all;
}

std::vector<QAccessibleInterface*> withRoleAndName(const std::vector<QAccessibleInterface*>& all,
                                                   QAccessible::Role role, const QString& name)
{
    std::vector<QAccessibleInterface*> found;
    for (QAccessibleInterface* node : all)
        if (node->role() == role && node->text(QAccessible::Name) == name)
            found.push_back(node);
    return found;
}

class AccessibilityTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::resetProjectManager();
        // Go has 7 of the 10 code lines, C 3.
        const std::string alpha =
            counter.folder("alpha", test::counterOutput({{"Go", {{"a.go", 5}, {"b.go", 2}}}, {"C", {{"a.c", 3}}}}));
        app = std::make_unique<QuillmarrowApp>();
        app->launch({});
        addProjectsFromURLs({QUrl::fromLocalFile(QString::fromStdString(alpha))});
        ASSERT_TRUE(test::waitUntil([&] { return ProjectManager::shared()->projects->size() == 1; }));
        test::settle();
    }
    void TearDown() override
    {
        app.reset();
        test::resetProjectManager();
        kit::StringTable::setActive({});
    }

    std::vector<QAccessibleInterface*> tree() { return walk(QAccessible::queryAccessibleInterface(app->window())); }
    ContentView* content() { return app->window()->findChild<ContentView*>(); }

    test::FakeCounter counter;
    std::unique_ptr<QuillmarrowApp> app;
};

TEST_F(AccessibilityTreeTest, EachSliceStandsAtItsOwnPlaceAndSaysItsLanguageCodeLinesAndShare)
{
    const auto all = tree();
    const auto slices = withRoleAndName(all, QAccessible::Graphic, QStringLiteral("Code breakdown"));
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(slices[0]->text(QAccessible::Value), "7 Go");
    EXPECT_EQ(slices[0]->text(QAccessible::Description), "7 Go, 70.0%");
    EXPECT_EQ(slices[1]->text(QAccessible::Description), "3 C, 30.0%");
    // Go's wedge reaches round from 12 o'clock past 6 to 9; C's lies between
    // 9 and 12 o'clock, in the top left quarter alone.
    const QRect go = slices[0]->rect(), c = slices[1]->rect();
    EXPECT_GT(go.width(), c.width());
    EXPECT_GT(go.height(), c.height());
    EXPECT_LE(c.right(), go.center().x() + 1);
    EXPECT_EQ(slices[0]->parent()->childAt(c.center().x(), c.center().y()), slices[1]);

    // Each legend row says its language.
    const auto legend = withRoleAndName(all, QAccessible::StaticText, QStringLiteral("Pie chart legend"));
    ASSERT_EQ(legend.size(), 2u);
    EXPECT_EQ(legend[0]->text(QAccessible::Description), "Go");
    EXPECT_EQ(legend[1]->text(QAccessible::Description), "C");
}

TEST_F(AccessibilityTreeTest, EachLanguagesChevronIsAButtonNamedAfterItThatOpensItsFiles)
{
    content()->setCurrentTab(1);
    test::settle();
    const auto all = tree();
    const auto go = withRoleAndName(all, QAccessible::Button, QStringLiteral("Go"));
    ASSERT_EQ(go.size(), 1u);
    EXPECT_EQ(go[0]->text(QAccessible::Description), "Show the files of Go");
    ASSERT_EQ(withRoleAndName(all, QAccessible::Button, QStringLiteral("C")).size(), 1u);
    EXPECT_TRUE(go[0]->state().focusable);
    QAccessibleActionInterface* actions = go[0]->actionInterface();
    ASSERT_TRUE(actions);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    test::settle();
    EXPECT_EQ(content()->locs()->screen(), Locs::Screen::byFile);
    EXPECT_EQ(ProjectManager::shared()->selectedLanguage.get()->name, "Go");
}

TEST(ApplicationStrings, TheChartsKeyLikeTextsReadAsEnglish)
{
    struct Case {
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"Pie-Chart-Legend", "Pie chart legend"},   {"Bar-Chart-Legend", "Bar chart legend"},
        {"Line-Chart-Legend", "Line chart legend"}, {"P-O-I-Marker-Legend", "Point of interest legend"},
        {"P-O-I-Marker", "Point of interest"},      {"X-Axis-Label", "X-axis label"},
        {"Y-Axis-Label", "Y-axis label"},
    };
    installApplicationStrings();
    for (const Case& c : cases)
        EXPECT_EQ(kit::localized(c.key), c.text) << c.key;
    EXPECT_EQ(kit::localized("Go"), "Go"); // anything else shows as itself
    kit::StringTable::setActive({});
}

} // namespace
} // namespace qm
