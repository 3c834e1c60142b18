#pragma once

#include <QWidget>

#include <memory>
#include <vector>

namespace charts {
class PieChartData;
}

namespace qm {

class LanguageEntry;

// The overview's chart of code lines by language, decorated with its touch
// read-out, header and legend, in a host widget. A new chart-data object is
// made for every call.
QWidget* makeLanguageChart(const std::vector<std::shared_ptr<LanguageEntry>>& languages, QWidget* parent);

// The chart data shown by a widget made by makeLanguageChart.
std::shared_ptr<charts::PieChartData> languageChartData(const QWidget* chart);

} // namespace qm
