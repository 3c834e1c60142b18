#pragma once

#include <QWidget>

#include <memory>
#include <vector>

namespace qm {

class LanguageEntry;

// The overview's chart of code lines by language, decorated with its
// header, legend and touch read-out.
QWidget* makeLanguageChart(const std::vector<std::shared_ptr<LanguageEntry>>& languages, QWidget* parent);

} // namespace qm
