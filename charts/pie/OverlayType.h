#pragma once

#include "charts/core/Hasher.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"

#include <string>
#include <tuple>
#include <variant>

namespace charts {

// What is drawn over a pie or doughnut slice: a text, a system symbol, or
// nothing; placed on the line from the centre through the middle of the
// slice at rFactor times the radius.
struct OverlayType {
    struct Label {
        std::string text;
        kit::Color colour;
        kit::Font font;
        double rFactor = 0;
        auto members() const { return std::tie(text, colour, font, rFactor); }
        friend bool operator==(const Label&, const Label&) = default;
    };
    struct Icon {
        std::string systemName;
        kit::Color colour;
        double size = 0;
        double rFactor = 0;
        auto members() const { return std::tie(systemName, colour, size, rFactor); }
        friend bool operator==(const Icon&, const Icon&) = default;
    };
    struct None {
        friend bool operator==(None, None) = default;
    };

    std::variant<Label, Icon, None> value{None{}};

    static OverlayType label(std::string text, kit::Color colour, kit::Font font, double rFactor)
    {
        return {Label{std::move(text), colour, std::move(font), rFactor}};
    }
    static OverlayType icon(std::string systemName, kit::Color colour, double size, double rFactor)
    {
        return {Icon{std::move(systemName), colour, size, rFactor}};
    }
    static OverlayType none() { return {None{}}; }

    friend bool operator==(const OverlayType&, const OverlayType&) = default;
};

} // namespace charts

template <>
struct std::hash<charts::OverlayType> {
    std::size_t operator()(const charts::OverlayType& overlay) const { return charts::hashValues(overlay.value); }
};
