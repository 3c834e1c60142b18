#pragma once

#include "app/screens/DeferredUpdate.h"
#include "kit/base/Cancellable.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QListWidget;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QToolButton;

namespace qm {

struct CountFailure;
class Locs;
class ProjectManager;
class SplashScreen;
class StatusLine;

// The root of the window: the splash screen while there is no project,
// otherwise the project sidebar ("Add", "Remove") beside the selected
// project's detail pane, under a toolbar with the sidebar toggle and either
// the "Overview" / "Analytics" picker or, while a language is chosen, the
// back button. Files and folders dropped anywhere on it are added. A status
// line under both tells which folder is being counted for the first time
// and why a count failed (a folder that could not be added, or does not
// exist, or a recount). Delete in the project list removes the selected
// project; the keyboard focus follows the switch between the two pages.
// Each ContentView loads the language
// resources when it is built.
class ContentView : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(QWidget* parent = nullptr);
    ~ContentView() override;

    void toggleSidebar();
    // The "Add" button: the open panel, then the chosen items are added.
    void add();
    // The "Remove" button: removes the selected project.
    void remove();
    // The back button: clears the chosen language.
    void back();

    std::int64_t currentTab() const { return currentTab_; }
    void setCurrentTab(std::int64_t tab);

    // Re-reads the project manager now (normally on the next turn after a change).
    void updateNow();

    bool showingSplash() const;
    SplashScreen* splashScreen() const { return splash_; }
    QListWidget* projectList() const { return projectList_; }
    QWidget* sidebar() const { return sidebar_; }
    QToolButton* sidebarButton() const { return sidebarButton_; }
    QToolButton* backButton() const { return backButton_; }
    QWidget* picker() const { return picker_; }
    QToolButton* addButton() const { return addButton_; }
    QToolButton* removeButton() const { return removeButton_; }
    Locs* locs() const { return locs_; }
    StatusLine* statusLine() const { return status_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMainLayout();
    void updateSidebar();
    void updateToolbar();
    void updateDetail();
    void updateAdding();
    void showPage(QWidget* page);
    // A count that failed, first or later: its folder and why, until dismissed.
    void showCountFailure(const CountFailure& failure);

    ProjectManager& projectManager_;
    std::int64_t currentTab_ = 0;
    DeferredUpdate deferredUpdate_;
    kit::Cancellable subscription_;
    kit::Cancellable failures_;
    kit::Cancellable countFailures_;
    std::vector<std::string> adding_;
    bool syncingSelection_ = false;
    bool freshNotice_ = false; // a notice shown since the last update

    QStackedWidget* pages_ = nullptr;
    StatusLine* status_ = nullptr;
    SplashScreen* splash_ = nullptr;
    QWidget* main_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QToolButton* sidebarButton_ = nullptr;
    QToolButton* backButton_ = nullptr;
    QWidget* picker_ = nullptr;
    QButtonGroup* pickerGroup_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* sidebar_ = nullptr;
    QListWidget* projectList_ = nullptr;
    QToolButton* addButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
    QStackedWidget* detail_ = nullptr;
    QWidget* noSelection_ = nullptr;
    Locs* locs_ = nullptr;
};

} // namespace qm
