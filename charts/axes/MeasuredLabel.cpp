#include "charts/axes/MeasuredLabel.h"

#include "kit/ui/GeometryReader.h"
#include "kit/ui/Text.h"

namespace charts {

kit::View sizeReader(std::function<void(const kit::Rect&)> measured)
{
    return kit::GeometryReader([measured = std::move(measured)](const kit::GeometryProxy& proxy) {
        const kit::Rect frame = proxy.frame(kit::CoordinateSpace::local());
        return kit::View(kit::Color::clear()).onAppear([measured, frame] { measured(frame); });
    });
}

kit::View measuredLabelText(const std::string& label, const kit::Font& font, const kit::Color& colour,
                            std::function<void(const kit::Rect&)> measured)
{
    return kit::Text(label).font(font).foregroundColor(colour).lineLimit(1).overlay(sizeReader(std::move(measured)),
                                                                                    kit::Alignment::center());
}

} // namespace charts
