#include "app/screens/Overview.h"

#include "app/languages/LanguageChart.h"
#include "app/screens/SummaryBar.h"

#include <QVBoxLayout>

namespace qm {

Overview::Overview(Binding<std::shared_ptr<Project>> selectedProject,
                   std::shared_ptr<ReloadViewHelper> reloadViewHelper, QWidget* parent)
    : ProjectScreen(std::move(selectedProject), std::move(reloadViewHelper), parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    chartSection_ = new QVBoxLayout;
    chartSection_->setContentsMargins(50, 50, 50, 50);
    chartSection_->setSpacing(0);
    layout->addLayout(chartSection_, 1);
    footer_ = new SummaryBar(this);
    wireSummaryBar(footer_);
    layout->addWidget(footer_);
    refreshNow();
}

void Overview::refresh()
{
    const auto languages = results();
    // A new chart for every redraw: its touch state starts afresh.
    QWidget* chart = makeLanguageChart(languages, this);
    if (chartArea_) {
        delete chartSection_->replaceWidget(chartArea_, chart); // the old chart's item is ours to delete
        delete chartArea_;
    } else {
        chartSection_->addWidget(chart);
    }
    chartArea_ = chart;
    showProjectSummary(footer_, languages);
}

} // namespace qm
