#include "app/languages/LanguagePieData.h"

#include "app/languages/HexColor.h"
#include "app/languages/LanguageSlices.h"
#include "kit/base/Localization.h"
#include "kit/ui/Text.h"

namespace qm {

std::shared_ptr<charts::PieChartData> makeLanguagePieData(const std::vector<std::shared_ptr<LanguageEntry>>& languages)
{
    std::vector<charts::PieChartDataPoint> points;
    for (const LanguageSlice& slice : languageSlices(languages)) {
        const kit::Color colour = slice.colorText ? hexColor(*slice.colorText) : kit::Color::white();
        points.emplace_back(slice.value, slice.description, std::nullopt, colour, charts::OverlayType::none());
    }
    charts::PieDataSet dataSet(std::move(points), "The Legend");
    charts::ChartMetadata metadata("Code breakdown", "By language", kit::Font::title3(), kit::Color::primary(),
                                   kit::Font::subheadline(), kit::Color::primary());
    charts::PieChartStyle style(charts::InfoBoxPlacement::floating(), charts::InfoBoxAlignment::vertical,
                                kit::Font::title3(), kit::Color::primary(), kit::Font::caption(), kit::Color::primary(),
                                kit::Color::windowBackground(), kit::Color::clear(),
                                kit::StrokeStyle{.lineWidth = 0,
                                                 .lineCap = kit::LineCap::butt,
                                                 .lineJoin = kit::LineJoin::miter,
                                                 .miterLimit = 10,
                                                 .dash = {},
                                                 .dashPhase = 0},
                                kit::Animation::spring(0.5, 1.0, 0));
    return std::make_shared<charts::PieChartData>(std::move(dataSet), std::move(metadata), std::move(style),
                                                  kit::Text("No Data"));
}

} // namespace qm
