#include "app/screens/ProjectScreen.h"

#include "app/paths/DisplayText.h"
#include "app/screens/ProjectConfigurationSheet.h"
#include "app/screens/SummaryBar.h"
#include "core/Output.h"
#include "core/Project.h"
#include "kit/base/MainQueue.h"

namespace qm {

ProjectScreen::ProjectScreen(Binding<std::shared_ptr<Project>> selectedProject,
                             std::shared_ptr<ReloadViewHelper> reloadViewHelper, QWidget* parent)
    : QWidget(parent), selectedProject_(std::move(selectedProject)), reloadViewHelper_(std::move(reloadViewHelper)),
      deferredRefresh_([this] { refreshNow(); })
{
    helperSubscription_ = reloadViewHelper_->objectWillChange.sink([this] { deferredRefresh_.schedule(); });
}

ProjectScreen::~ProjectScreen() = default;

void ProjectScreen::refreshNow()
{
    deferredRefresh_.ranNow();
    observe(project());
    refresh();
}

void ProjectScreen::observe(const std::shared_ptr<Project>& project)
{
    if (observed_.lock() == project && (project || !projectSubscription_.isActive()))
        return;
    observed_ = project;
    projectSubscription_ = project ? project->objectWillChange.sink([this] { deferredRefresh_.schedule(); })
                                   : kit::Cancellable();
}

void ProjectScreen::setShowingSheet(bool showing)
{
    if (showingSheet_ == showing)
        return;
    if (!showing) {
        showingSheet_ = false;
        if (sheet_)
            sheet_->close();
        sheet_ = nullptr;
        return;
    }
    const auto edited = project();
    if (!edited)
        return; // nothing to edit
    showingSheet_ = true;
    Binding<bool> isPresented{[this] { return showingSheet_; }, [this](bool value) { setShowingSheet(value); }};
    auto* sheet = new ProjectConfigurationSheet(
        isPresented, edited, [this, edited] { saveReload(edited); }, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet_ = sheet;
    sheet->open();
}

void ProjectScreen::count(const std::shared_ptr<Project>& target)
{
    reloadViewHelper_->objectWillChange.send();
    if (!target)
        return;
    std::weak_ptr<Project> weakTarget = target;
    std::weak_ptr<ReloadViewHelper> weakHelper = reloadViewHelper_;
    target->process([weakTarget, weakHelper](const std::vector<std::shared_ptr<LanguageEntry>>& languages) {
        kit::MainQueue::async([weakTarget, weakHelper, languages] {
            if (auto p = weakTarget.lock())
                p->final = languages;
            if (auto helper = weakHelper.lock())
                helper->objectWillChange.send();
        });
    });
}

void ProjectScreen::reload()
{
    count(project());
    printLine("reloading...");
}

void ProjectScreen::saveReload(const std::shared_ptr<Project>& edited)
{
    count(edited);
}

std::vector<std::shared_ptr<LanguageEntry>> ProjectScreen::results() const
{
    const auto p = project();
    return p ? p->final.get() : std::vector<std::shared_ptr<LanguageEntry>>{};
}

void ProjectScreen::showProjectSummary(SummaryBar* bar,
                                       const std::vector<std::shared_ptr<LanguageEntry>>& languages) const
{
    const auto p = project();
    bar->setTrailingShown(p != nullptr);
    bar->setPath(p ? displayText(p->path) : QString());
    bar->setWorking(p && p->working.get());
    bar->setTotals(Totals::of(languages), SummaryBar::projectHelp());
    bar->setUnreadable(p ? p->unreadable.get() : UnreadableEntries{});
}

void ProjectScreen::wireSummaryBar(SummaryBar* bar)
{
    connect(bar, &SummaryBar::settingsClicked, this, [this] { setShowingSheet(true); });
    connect(bar, &SummaryBar::reloadClicked, this, &ProjectScreen::reload);
    connect(bar, &SummaryBar::stopClicked, this, [this] {
        if (const auto p = project())
            p->stopCounts();
    });
}

} // namespace qm
