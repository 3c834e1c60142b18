#pragma once

#include "app/screens/ProjectScreen.h"

class QVBoxLayout;

namespace qm {

// The first tab of a project: the pie chart of code lines by language above
// a footer with the folder path, the totals and the settings and reload
// buttons.
class Overview : public ProjectScreen {
    Q_OBJECT

public:
    Overview(Binding<std::shared_ptr<Project>> selectedProject, std::shared_ptr<ReloadViewHelper> reloadViewHelper,
             QWidget* parent = nullptr);

    SummaryBar* footer() const { return footer_; }
    QWidget* chartArea() const { return chartArea_; }

protected:
    void refresh() override;

private:
    QVBoxLayout* chartSection_;
    QWidget* chartArea_ = nullptr;
    SummaryBar* footer_;
};

} // namespace qm
