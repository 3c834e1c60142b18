#include "app/screens/ContentView.h"

#include "app/opening/OpenPanel.h"
#include "app/opening/ProjectOpening.h"
#include "app/paths/DisplayText.h"
#include "app/screens/Locs.h"
#include "app/screens/SplashScreen.h"
#include "app/screens/StatusLine.h"
#include "app/widgets/BorderlessButton.h"
#include "core/LanguageEntry.h"
#include "core/LanguageResources.h"
#include "core/Project.h"
#include "core/ProjectManager.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qm {

namespace {

BorderlessButton* symbolButton(const QString& symbol, const QString& title, QWidget* parent)
{
    auto* button = new BorderlessButton(symbol, title, parent);
    button->setIconSize(QSize(18, 18));
    return button;
}

} // namespace

ContentView::ContentView(QWidget* parent)
    : QWidget(parent), projectManager_(*ProjectManager::shared()), deferredUpdate_([this] { updateNow(); })
{
    loadLanguageResources();

    setAcceptDrops(true);
    pages_ = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
    splash_ = new SplashScreen(pages_);
    pages_->addWidget(splash_);
    buildMainLayout();
    pages_->addWidget(main_);
    status_ = new StatusLine(this);
    layout->addWidget(status_);
    // Stops the count the status line names.
    connect(status_, &StatusLine::stopClicked, this, [this] {
        if (!projectManager_.adding->empty())
            projectManager_.stopAdding(projectManager_.adding->front());
    });

    subscription_ = projectManager_.objectWillChange.sink([this] { deferredUpdate_.schedule(); });
    failures_ =
        projectManager_.firstCountFailed.sink([this](const CountFailure& failure) { showCountFailure(failure); });
    countFailures_ =
        projectManager_.countFailed.sink([this](const CountFailure& failure) { showCountFailure(failure); });
    updateNow();
}

ContentView::~ContentView() = default;

void ContentView::showCountFailure(const CountFailure& failure)
{
    // A folder added in the same turn (the next one on a command line) does
    // not sweep this notice away.
    freshNotice_ = true;
    deferredUpdate_.schedule();
    status_->showNotice(QStringLiteral("Could not count \u201C%1\u201D: %2")
                            .arg(displayText(kit::lastPathComponent(failure.path)), displayText(failure.reason)),
                        displayText(failure.path));
}

void ContentView::buildMainLayout()
{
    main_ = new QWidget(pages_);
    auto* column = new QVBoxLayout(main_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    toolbar_ = new QToolBar(main_);
    toolbar_->setMovable(false);
    sidebarButton_ = symbolButton(QStringLiteral("sidebar.leading"), QStringLiteral("Toggle Sidebar"), toolbar_);
    connect(sidebarButton_, &QToolButton::clicked, this, &ContentView::toggleSidebar);
    toolbar_->addWidget(sidebarButton_);
    backButton_ = symbolButton(QStringLiteral("chevron.left"), QStringLiteral("Back"), toolbar_);
    connect(backButton_, &QToolButton::clicked, this, &ContentView::back);
    toolbar_->addWidget(backButton_)->setObjectName(QStringLiteral("backAction"));

    picker_ = new QWidget(toolbar_);
    picker_->setAccessibleName(QStringLiteral("Picker"));
    auto* segments = new QHBoxLayout(picker_);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    pickerGroup_ = new QButtonGroup(picker_);
    pickerGroup_->setExclusive(true);
    const QStringList titles = {QStringLiteral("Overview"), QStringLiteral("Analytics")};
    for (int tag = 0; tag < titles.size(); ++tag) {
        auto* segment = new BorderlessButton(picker_);
        segment->setAutoRaise(false);
        segment->setText(titles[tag]);
        segment->setCheckable(true);
        segment->setObjectName(titles[tag]);
        pickerGroup_->addButton(segment, tag);
        segments->addWidget(segment);
    }
    // Toggled, not clicked: a screen reader's Toggle action checks a segment without a click.
    connect(pickerGroup_, &QButtonGroup::idToggled, this, [this](int tag, bool checked) {
        if (checked && tag != currentTab_)
            setCurrentTab(tag);
    });
    toolbar_->addWidget(picker_);
    column->addWidget(toolbar_);

    splitter_ = new QSplitter(Qt::Horizontal, main_);
    splitter_->setChildrenCollapsible(true);
    sidebar_ = new QWidget(splitter_);
    auto* side = new QVBoxLayout(sidebar_);
    side->setContentsMargins(0, 8, 0, 0);
    side->setSpacing(0);
    auto* header = new QLabel(QStringLiteral("Projects"), sidebar_);
    header->setContentsMargins(12, 0, 0, 4);
    QFont headerFont = header->font();
    headerFont.setBold(true);
    header->setFont(headerFont);
    projectList_ = new QListWidget(sidebar_);
    projectList_->setSelectionMode(QAbstractItemView::SingleSelection);
    projectList_->setFrameShape(QFrame::NoFrame);
    projectList_->setAccessibleName(QStringLiteral("Projects"));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 10, 10, 10);
    buttons->addStretch(1);
    addButton_ = symbolButton(QStringLiteral("plus.circle"), QStringLiteral("Add"), sidebar_);
    removeButton_ = symbolButton(QStringLiteral("minus.circle"), QStringLiteral("Remove"), sidebar_);
    buttons->addWidget(addButton_);
    buttons->addWidget(removeButton_);
    buttons->addStretch(1);
    side->addWidget(header);
    side->addWidget(projectList_, 1);
    side->addLayout(buttons);
    sidebar_->setMinimumWidth(160);

    detail_ = new QStackedWidget(splitter_);
    noSelection_ = new QWidget(detail_);
    detail_->addWidget(noSelection_);
    splitter_->addWidget(sidebar_);
    splitter_->addWidget(detail_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({220, 780});
    column->addWidget(splitter_, 1);

    connect(addButton_, &QToolButton::clicked, this, &ContentView::add);
    connect(removeButton_, &QToolButton::clicked, this, &ContentView::remove);
    // Delete in the list removes the selected project, as "−" does.
    auto* removeKey = new QShortcut(QKeySequence::Delete, projectList_);
    removeKey->setContext(Qt::WidgetShortcut);
    connect(removeKey, &QShortcut::activated, this, &ContentView::remove);
    connect(projectList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (syncingSelection_)
            return;
        const auto projects = projectManager_.projects.get();
        if (row >= 0 && row < int(projects.size()))
            projectManager_.selectedProject = projects[row];
    });
}

bool ContentView::showingSplash() const
{
    return pages_->currentWidget() == splash_;
}

void ContentView::updateNow()
{
    deferredUpdate_.ranNow();
    showPage(projectManager_.projects->empty() ? static_cast<QWidget*>(splash_) : main_);
    updateSidebar();
    updateToolbar();
    updateDetail();
    updateAdding();
    freshNotice_ = false;
}

// The keyboard follows a change of page: to the splash screen's drop area,
// or to the project list, unless it was elsewhere (a menu, the status line).
void ContentView::showPage(QWidget* page)
{
    QWidget* shown = pages_->currentWidget();
    if (shown == page)
        return;
    const QWidget* focus = QApplication::focusWidget();
    const bool focusFollows = !focus || focus == shown || shown->isAncestorOf(focus);
    pages_->setCurrentWidget(page);
    if (focusFollows)
        (page == splash_ ? static_cast<QWidget*>(splash_) : projectList_)->setFocus(Qt::OtherFocusReason);
}

// While a folder's first count runs: the status line (with its stop
// button), and on the splash screen its progress circle too. A notice stays
// until the user dismisses it or another folder is added.
void ContentView::updateAdding()
{
    const auto& adding = projectManager_.adding.get();
    const bool started = std::any_of(adding.begin(), adding.end(), [&](const std::string& path) {
        return std::find(adding_.begin(), adding_.end(), path) == adding_.end();
    });
    adding_ = adding;
    if (started && !freshNotice_)
        status_->dismiss();
    splash_->setProgressCircle(!adding.empty());
    if (status_->showingNotice())
        return;
    if (!adding.empty())
        status_->showProgress(
            QStringLiteral("Counting \u201C%1\u201D\u2026").arg(displayText(kit::lastPathComponent(adding.front()))));
    else
        status_->hideProgress();
}

void ContentView::updateSidebar()
{
    syncingSelection_ = true;
    const auto& projects = projectManager_.projects.get();
    const auto selected = projectManager_.selectedProject.get();
    if (projectList_->count() != int(projects.size()))
        projectList_->clear();
    int selectedRow = -1;
    for (int row = 0; row < int(projects.size()); ++row) {
        const QString name = displayText(projects[row]->name);
        if (row < projectList_->count()) {
            projectList_->item(row)->setText(name);
        } else {
            new QListWidgetItem(name, projectList_);
        }
        projectList_->item(row)->setToolTip(displayText(projects[row]->path));
        if (selected && projects[row] == selected)
            selectedRow = row;
    }
    projectList_->setCurrentRow(selectedRow);
    if (selectedRow < 0)
        projectList_->clearSelection();
    syncingSelection_ = false;
}

void ContentView::updateToolbar()
{
    const bool languageChosen = projectManager_.selectedLanguage.get() != nullptr;
    const bool projectChosen = projectManager_.selectedProject.get() != nullptr;
    for (QAction* action : toolbar_->actions()) {
        QWidget* widget = toolbar_->widgetForAction(action);
        if (widget == backButton_)
            action->setVisible(languageChosen);
        else if (widget == picker_)
            action->setVisible(!languageChosen && projectChosen);
    }
    if (auto* segment = pickerGroup_->button(int(currentTab_)))
        segment->setChecked(true);
    else if (auto* checked = pickerGroup_->checkedButton()) {
        pickerGroup_->setExclusive(false);
        checked->setChecked(false);
        pickerGroup_->setExclusive(true);
    }
}

void ContentView::updateDetail()
{
    const auto selected = projectManager_.selectedProject.get();
    if (!selected) {
        if (locs_) {
            detail_->removeWidget(locs_);
            locs_->deleteLater();
            locs_ = nullptr;
        }
        detail_->setCurrentWidget(noSelection_);
        return;
    }
    if (!locs_) {
        ProjectManager* manager = &projectManager_;
        locs_ = new Locs({[manager] { return manager->selectedProject.get(); },
                          [manager](std::shared_ptr<Project> p) { manager->selectedProject = p; }},
                         {[manager] { return manager->selectedLanguage.get(); },
                          [manager](std::shared_ptr<LanguageEntry> l) { manager->selectedLanguage = l; }},
                         {[this] { return currentTab_; }, [this](std::int64_t tab) { setCurrentTab(tab); }}, detail_);
        detail_->addWidget(locs_);
    } else {
        locs_->update();
    }
    detail_->setCurrentWidget(locs_);
}

void ContentView::setCurrentTab(std::int64_t tab)
{
    currentTab_ = tab;
    updateToolbar();
    if (locs_)
        locs_->update();
}

void ContentView::toggleSidebar()
{
    sidebar_->setVisible(sidebar_->isHidden());
}

void ContentView::add()
{
    if (const auto urls = OpenPanel::run(window()))
        addProjectsFromURLs(*urls);
}

void ContentView::remove()
{
    if (const auto selected = projectManager_.selectedProject.get())
        projectManager_.removeProject(selected);
}

void ContentView::back()
{
    projectManager_.selectedLanguage = nullptr;
}

// The main layout takes drops anywhere; the splash screen only on its blobs.
void ContentView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!showingSplash())
        acceptFileDrag(event);
}

void ContentView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!showingSplash())
        acceptFileDrag(event);
}

void ContentView::dropEvent(QDropEvent* event)
{
    if (!showingSplash())
        handleFileDrop(event);
}

} // namespace qm
