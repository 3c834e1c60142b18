#include "app/LanguageChart.h"

#include "app/LanguageSlices.h"
#include "app/TestHooks.h"

#include <QLabel>

namespace qm {

namespace {

// Stands in for the pie chart until the chart library draws it.
class PendingChart : public QLabel {
public:
    PendingChart(std::size_t slices, QWidget* parent)
        : QLabel(QStringLiteral("Code breakdown"), parent)
        , slices_(slices)
    {
        setAlignment(Qt::AlignCenter);
        setObjectName(QStringLiteral("chartPending"));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!reported_)
            testReport("chart drawn: " + std::to_string(slices_) + " slices");
        reported_ = true;
    }

private:
    std::size_t slices_;
    bool reported_ = false;
};

} // namespace

QWidget* makeLanguageChart(const std::vector<std::shared_ptr<LanguageEntry>>& languages, QWidget* parent)
{
    return new PendingChart(languageSlices(languages).size(), parent);
}

} // namespace qm
