#include "app/languages/LanguageChart.h"

#include "app/languages/LanguagePieData.h"
#include "app/testing/TestHooks.h"
#include "charts/core/HeaderBox.h"
#include "charts/core/Legends.h"
#include "charts/core/TouchOverlay.h"
#include "charts/pie/PieChart.h"
#include "kit/ui/HostingWidget.h"

namespace qm {

namespace {

// The chart's host; reports its first drawing to whole-application tests.
class LanguageChartHost : public kit::HostingWidget {
public:
    LanguageChartHost(kit::View root, std::shared_ptr<charts::PieChartData> data, QWidget* parent)
        : kit::HostingWidget(std::move(root), parent), data_(std::move(data))
    {
        setObjectName(QStringLiteral("languageChart"));
    }

    const std::shared_ptr<charts::PieChartData>& data() const { return data_; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        kit::HostingWidget::paintEvent(event);
        if (!reported_)
            testReport("chart drawn: " + std::to_string(data_->dataSets->dataPoints.size()) + " slices");
        reported_ = true;
    }

private:
    std::shared_ptr<charts::PieChartData> data_;
    bool reported_ = false;
};

} // namespace

QWidget* makeLanguageChart(const std::vector<std::shared_ptr<LanguageEntry>>& languages, QWidget* parent)
{
    auto data = makeLanguagePieData(languages);
    kit::View chart = charts::PieChart(data);
    chart = charts::applyTouchOverlay(chart, data, 0, "%.0f", nullptr, charts::TouchUnit::none());
    chart = charts::applyHeaderBox(chart, data);
    chart =
        charts::applyLegends(chart, data,
                             {kit::GridItem::flexible(10, kit::infinity), kit::GridItem::flexible(10, kit::infinity)},
                             40, kit::Font::caption(), kit::Color::primary(), 18);
    return new LanguageChartHost(chart, data, parent);
}

std::shared_ptr<charts::PieChartData> languageChartData(const QWidget* chart)
{
    const auto* host = dynamic_cast<const LanguageChartHost*>(chart);
    return host ? host->data() : nullptr;
}

} // namespace qm
