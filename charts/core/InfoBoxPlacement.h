#pragma once

#include <variant>

namespace charts {

// Where the value of a touched point is shown: in a fixed info box, in a box
// that follows the touch, or in the chart's header box.
struct InfoBoxPlacement {
    struct InfoBox {
        bool isStatic = false;
    };
    struct Floating {};
    struct Header {};

    std::variant<InfoBox, Floating, Header> value;

    static InfoBoxPlacement infoBox(bool isStatic) { return {InfoBox{isStatic}}; }
    static InfoBoxPlacement floating() { return {Floating{}}; }
    static InfoBoxPlacement header() { return {Header{}}; }

    template <class Case>
    bool is() const
    {
        return std::holds_alternative<Case>(value);
    }
};

} // namespace charts
