// The application from the keyboard alone: the empty screen, the menus, Tab
// through the main window with a visible focus frame, the keys of the
// tables and the project list, driven in the application's own window.

#include "app/lifecycle/QuillmarrowApp.h"
#include "app/opening/OpenPanel.h"
#include "app/opening/ProjectOpening.h"
#include "app/screens/ContentView.h"
#include "app/screens/Locs.h"
#include "app/screens/LocsByFile.h"
#include "app/screens/LocsByLanguage.h"
#include "app/screens/SplashScreen.h"
#include "app/screens/SummaryBar.h"
#include "app/widgets/RowButtons.h"
#include "core/ProjectManager.h"

#include "AppTestSupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace qm {
namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::resetProjectManager();
        alpha = counter.folder("alpha", test::counterOutput({{"Go", {{"a.go", 5}, {"b.go", 2}}}, {"C", {{"a.c", 3}}}}));
        app = std::make_unique<QuillmarrowApp>();
        app->launch({});
        window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
        test::settle();
    }
    void TearDown() override
    {
        app.reset();
        test::resetProjectManager();
    }

    QMainWindow* window() { return app->window(); }
    ContentView* content() { return window()->findChild<ContentView*>(); }
    ProjectManager& manager() { return *ProjectManager::shared(); }

    void addAlpha()
    {
        addProjectsFromURLs({QUrl::fromLocalFile(QString::fromStdString(alpha))});
        ASSERT_TRUE(test::waitUntil([&] { return manager().projects->size() == 1; }));
        test::settle();
    }
    // A key as the user presses it: to the widget with the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        test::settle();
    }
    // Whether pressing `key` runs the open dialog (which is then cancelled).
    bool opensThePanel(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto* panel = qobject_cast<OpenPanel*>(QApplication::activeModalWidget())) {
                opened = true;
                panel->reject();
            }
        });
        QWidget* focus = QApplication::focusWidget();
        press(key, modifiers);
        QTest::qWait(20); // the timer fires whether or not the dialog ran
        // The window takes the keyboard back once the dialog has gone.
        window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window()));
        EXPECT_TRUE(test::waitUntil([&] { return QApplication::focusWidget() == focus; }));
        return opened;
    }
    // What has the focus, by the name a screen reader gives it.
    static QString focusName()
    {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return {};
        if (qobject_cast<QTableView*>(focus))
            return QStringLiteral("table");
        if (qobject_cast<QListWidget*>(focus))
            return QStringLiteral("projects");
        if (auto* field = qobject_cast<QLineEdit*>(focus))
            return field->placeholderText();
        if (auto* button = qobject_cast<QToolButton*>(focus))
            return button->accessibleName().isEmpty() ? button->text() : button->accessibleName();
        return focus->accessibleName();
    }
    // The names Tab passes through, once round the window from where the focus is.
    std::vector<QString> tabRound()
    {
        const QString start = focusName();
        std::vector<QString> names;
        for (int i = 0; i < 40; ++i) {
            press(Qt::Key_Tab);
            if (focusName() == start)
                break;
            names.push_back(focusName());
        }
        return names;
    }
    // Whether the widget shows a frame in the highlight colour along its left edge.
    static bool framed(QWidget* widget)
    {
        const QImage image = widget->grab().toImage();
        const QColor frame = widget->palette().color(QPalette::Highlight);
        const QColor seen = image.pixelColor(1, image.height() / 2);
        return std::abs(seen.red() - frame.red()) + std::abs(seen.green() - frame.green()) +
                   std::abs(seen.blue() - frame.blue()) <
               60;
    }

    test::FakeCounter counter;
    std::string alpha;
    std::unique_ptr<QuillmarrowApp> app;
};

TEST_F(KeyboardTest, OnTheEmptyScreenTheDropAreaTakesTheFocusAndItsKeysOpenThePanel)
{
    SplashScreen* splash = content()->splashScreen();
    EXPECT_EQ(QApplication::focusWidget(), splash->dropArea());
    EXPECT_TRUE(opensThePanel(Qt::Key_Return));
    EXPECT_TRUE(opensThePanel(Qt::Key_Enter));
    EXPECT_TRUE(opensThePanel(Qt::Key_Space));
    EXPECT_TRUE(opensThePanel(Qt::Key_O, Qt::ControlModifier)); // File > "Open…"
    EXPECT_FALSE(opensThePanel(Qt::Key_X));

    // The focus shows as a white frame around the symbol and texts, on the blob.
    const QRect tap = splash->tapTarget()->geometry();
    const QPoint onFrame(tap.left() - 6, tap.center().y());
    EXPECT_EQ(splash->dropArea()->grab().toImage().pixelColor(onFrame), QColor(Qt::white));
    splash->dropArea()->clearFocus();
    EXPECT_NE(splash->dropArea()->grab().toImage().pixelColor(onFrame), QColor(Qt::white));

    // A screen reader finds it as a button that opens the panel.
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(splash->dropArea());
    ASSERT_TRUE(area);
    EXPECT_EQ(area->role(), QAccessible::Button);
    EXPECT_EQ(area->text(QAccessible::Name), "Drop your code here");
    EXPECT_TRUE(area->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

TEST_F(KeyboardTest, EachMenuAndItemHasItsMnemonicAndF10OpensTheFirstMenu)
{
    QMenuBar* bar = window()->menuBar();
    std::set<QChar> barKeys;
    for (QAction* menu : bar->actions()) {
        const QString text = menu->text();
        ASSERT_TRUE(text.contains(u'&')) << text.toStdString();
        barKeys.insert(text.at(text.indexOf(u'&') + 1).toLower());
        std::set<QChar> itemKeys;
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator())
                continue;
            ASSERT_TRUE(item->text().contains(u'&')) << item->text().toStdString();
            EXPECT_TRUE(itemKeys.insert(item->text().at(item->text().indexOf(u'&') + 1).toLower()).second)
                << item->text().toStdString();
        }
    }
    EXPECT_EQ(barKeys.size(), bar->actions().size()) << "every menu its own key";

    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QApplication::activePopupWidget());
    EXPECT_EQ(QApplication::activePopupWidget(), bar->actions()[1]->menu());
    QApplication::activePopupWidget()->close();
    test::settle();
    press(Qt::Key_F10);
    ASSERT_TRUE(QApplication::activePopupWidget());
    EXPECT_EQ(QApplication::activePopupWidget(), bar->actions()[0]->menu());
    QApplication::activePopupWidget()->close();
    test::settle();
}

TEST_F(KeyboardTest, TabReachesEveryButtonOfTheMainWindowShownWithAFrame)
{
    addAlpha();
    // The list takes the focus from the empty screen's drop area.
    EXPECT_EQ(focusName(), "projects");
    std::vector<QString> overview = tabRound();
    EXPECT_EQ(overview, (std::vector<QString>{"Add", "Remove", "Settings", "Reload", "Toggle Sidebar", "Overview"}));

    // The picker is one stop: the arrows switch its segments.
    while (focusName() != "Overview")
        press(Qt::Key_Tab);
    press(Qt::Key_Right);
    EXPECT_EQ(content()->currentTab(), 1);
    EXPECT_EQ(content()->locs()->screen(), Locs::Screen::byLanguage);
    EXPECT_EQ(focusName(), "Analytics");
    EXPECT_TRUE(framed(QApplication::focusWidget()));

    // The languages: the filter field, the table and each row's chevron, in row order.
    EXPECT_EQ(tabRound(), (std::vector<QString>{"projects", "Add", "Remove", "Filter by language", "table", "Go", "C",
                                                "Settings", "Reload", "Toggle Sidebar"}));
    for (QToolButton* button : window()->findChildren<QToolButton*>()) {
        if (!button->isVisible() || button->focusPolicy() == Qt::NoFocus)
            continue;
        button->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(framed(button)) << focusName().toStdString();
    }
}

TEST_F(KeyboardTest, ReturnOnAChevronShowsTheFilesEscapeAndAltLeftGoBack)
{
    addAlpha();
    content()->setCurrentTab(1);
    test::settle();
    auto* languages = static_cast<LocsByLanguage*>(content()->locs()->current());
    RowButton* go =
        languages->table()->view()->indexWidget(languages->table()->model().index(0, 0))->findChild<RowButton*>();
    ASSERT_TRUE(go);
    go->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);
    ASSERT_EQ(content()->locs()->screen(), Locs::Screen::byFile);
    EXPECT_EQ(manager().selectedLanguage.get()->name, "Go");
    // The keyboard stays in the pane, on the files.
    EXPECT_EQ(focusName(), "table");

    // Escape in the filter field clears it; once empty, Escape goes back.
    auto* files = static_cast<LocsByFile*>(content()->locs()->current());
    files->table()->searchField()->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(files->table()->searchField(), "b.");
    test::settle();
    EXPECT_EQ(files->rows().size(), 1u);
    press(Qt::Key_Escape);
    EXPECT_EQ(files->table()->searchText(), "");
    EXPECT_EQ(files->rows().size(), 2u);
    ASSERT_EQ(content()->locs()->screen(), Locs::Screen::byFile);
    press(Qt::Key_Escape);
    EXPECT_EQ(content()->locs()->screen(), Locs::Screen::byLanguage);
    EXPECT_FALSE(manager().selectedLanguage.get());
    EXPECT_EQ(focusName(), "table");

    // Space on a chevron, then Alt+Left from the table.
    languages = static_cast<LocsByLanguage*>(content()->locs()->current());
    languages->table()
        ->view()
        ->indexWidget(languages->table()->model().index(1, 0))
        ->findChild<RowButton*>()
        ->setFocus();
    press(Qt::Key_Space);
    ASSERT_EQ(content()->locs()->screen(), Locs::Screen::byFile);
    EXPECT_EQ(manager().selectedLanguage.get()->name, "C");
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(content()->locs()->screen(), Locs::Screen::byLanguage);

    // The toolbar's back chevron, reached by the keyboard, goes back too.
    languages = static_cast<LocsByLanguage*>(content()->locs()->current());
    languages->table()->view()->indexWidget(languages->table()->model().index(0, 0))->findChild<RowButton*>()->click();
    test::settle();
    ASSERT_EQ(content()->locs()->screen(), Locs::Screen::byFile);
    ASSERT_TRUE(content()->backButton()->isVisible());
    EXPECT_EQ(content()->backButton()->focusPolicy(), Qt::TabFocus);
    content()->backButton()->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(framed(content()->backButton()));
    press(Qt::Key_Return);
    EXPECT_EQ(content()->locs()->screen(), Locs::Screen::byLanguage);

    // Escape in the languages' filter field clears it, and goes nowhere once empty.
    languages = static_cast<LocsByLanguage*>(content()->locs()->current());
    languages->table()->searchField()->setFocus();
    QTest::keyClicks(languages->table()->searchField(), "g");
    press(Qt::Key_Escape);
    EXPECT_EQ(languages->table()->searchText(), "");
    press(Qt::Key_Escape);
    EXPECT_EQ(content()->locs()->screen(), Locs::Screen::byLanguage);
}

TEST_F(KeyboardTest, DeleteInTheProjectListRemovesTheSelectedProject)
{
    addAlpha();
    content()->projectList()->setFocus();
    press(Qt::Key_Delete);
    EXPECT_TRUE(manager().projects->empty());
    // Back on the empty screen, the keyboard is on the drop area again.
    EXPECT_TRUE(content()->showingSplash());
    EXPECT_EQ(QApplication::focusWidget(), content()->splashScreen()->dropArea());
}

TEST_F(KeyboardTest, AScreenReadersToggleOfAPickerSegmentChangesTheScreen)
{
    addAlpha();
    auto* analytics = content()->picker()->findChild<QToolButton*>(QStringLiteral("Analytics"));
    QAccessibleInterface* segment = QAccessible::queryAccessibleInterface(analytics);
    ASSERT_TRUE(segment && segment->actionInterface());
    segment->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    test::settle();
    EXPECT_TRUE(analytics->isChecked());
    EXPECT_EQ(content()->currentTab(), 1);
    EXPECT_EQ(content()->locs()->screen(), Locs::Screen::byLanguage);
}

} // namespace
} // namespace qm
