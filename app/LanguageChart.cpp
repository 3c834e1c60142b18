#include "app/LanguageChart.h"

#include <QLabel>

namespace qm {

// Drawn by the chart library once it is available.
QWidget* makeLanguageChart(const std::vector<std::shared_ptr<LanguageEntry>>&, QWidget* parent)
{
    auto* pending = new QLabel(QStringLiteral("Code breakdown"), parent);
    pending->setAlignment(Qt::AlignCenter);
    pending->setObjectName(QStringLiteral("chartPending"));
    return pending;
}

} // namespace qm
