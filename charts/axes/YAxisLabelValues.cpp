#include "charts/axes/YAxisLabelValues.h"

namespace charts {

std::string axisValueText(double value, std::string_view specifier, const NumberFormatterPtr& formatter)
{
    if (formatter)
        if (std::optional<std::string> text = formatter->string(value))
            return *text;
    return specifierText(specifier, value);
}

} // namespace charts
