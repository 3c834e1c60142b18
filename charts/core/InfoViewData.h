#pragma once

#include "charts/core/ValueText.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <string>
#include <variant>
#include <vector>

namespace charts {

// A unit text shown before or after a touched value, or no unit.
struct TouchUnit {
    struct Prefix {
        std::string of;
    };
    struct Suffix {
        std::string of;
    };
    struct None {};

    std::variant<Prefix, Suffix, None> value{None{}};

    static TouchUnit prefix(std::string of) { return {Prefix{std::move(of)}}; }
    static TouchUnit suffix(std::string of) { return {Suffix{std::move(of)}}; }
    static TouchUnit none() { return {None{}}; }

    template <class Case>
    bool is() const
    {
        return std::holds_alternative<Case>(value);
    }
};

// The live touch state of one chart: whether a touch is under way, the data
// points found under it, where it is, the frame that received it, and how
// touched values are formatted.
template <class DataPoint>
struct InfoViewData {
    bool isTouchCurrent = false;
    std::vector<DataPoint> touchOverlayInfo;
    std::string touchSpecifier = "%.0f";
    NumberFormatterPtr touchFormatter;
    kit::Point touchLocation;
    kit::Rect chartSize;
    TouchUnit touchUnit = TouchUnit::none();
};

} // namespace charts
