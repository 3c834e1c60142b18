#pragma once

#include "app/screens/Binding.h"
#include "app/screens/DeferredUpdate.h"
#include "app/screens/ProjectConfigurationSheet.h"
#include "app/screens/ReloadViewHelper.h"
#include "kit/base/Cancellable.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace qm {

class LanguageEntry;
class Project;
class SummaryBar;

// What the three project screens share: the selected project, the reload
// helper whose change signal redraws the screen, the settings sheet and the
// reload. A screen also follows its project's own changes (a count starting
// or ending), so the spinner goes and the results refresh after every count,
// successful or not.
class ProjectScreen : public QWidget {
    Q_OBJECT

public:
    ProjectScreen(Binding<std::shared_ptr<Project>> selectedProject, std::shared_ptr<ReloadViewHelper> reloadViewHelper,
                  QWidget* parent = nullptr);
    ~ProjectScreen() override;

    bool showingSheet() const { return showingSheet_; }
    void setShowingSheet(bool showing);
    ProjectConfigurationSheet* sheet() const { return sheet_; }

    // The reload button: counts the selected project again, then prints
    // "reloading...".
    void reload();
    // What "Save settings" runs: counts the edited project again.
    void saveReload(const std::shared_ptr<Project>& project);

    // Redraws now (normally this happens on the next turn after a change).
    void refreshNow();

protected:
    virtual void refresh() = 0;
    // Connects a summary bar's buttons to the sheet, the reload and stopping the count.
    void wireSummaryBar(SummaryBar* bar);
    std::shared_ptr<Project> project() const { return selectedProject_.get ? selectedProject_.get() : nullptr; }
    // The selected project's latest results (none without a project).
    std::vector<std::shared_ptr<LanguageEntry>> results() const;
    // Shows the selected project's folder, run state and totals in a summary bar.
    void showProjectSummary(SummaryBar* bar, const std::vector<std::shared_ptr<LanguageEntry>>& languages) const;
    Binding<std::shared_ptr<Project>> selectedProject_;

private:
    void count(const std::shared_ptr<Project>& project);
    void observe(const std::shared_ptr<Project>& project);

    std::shared_ptr<ReloadViewHelper> reloadViewHelper_;
    kit::Cancellable helperSubscription_;
    kit::Cancellable projectSubscription_;
    std::weak_ptr<Project> observed_;
    DeferredUpdate deferredRefresh_;
    bool showingSheet_ = false;
    QPointer<ProjectConfigurationSheet> sheet_;
};

} // namespace qm
