#pragma once

#include <string>

namespace kit {

// Where a geometry or gesture value is measured: the view's own layout
// frame (origin at its top-left corner), the host widget, or the nearest
// ancestor marked coordinateSpace(name).
struct CoordinateSpace {
    enum class Kind { local, global, named };
    Kind kind = Kind::local;
    std::string name;

    static CoordinateSpace local() { return {Kind::local, {}}; }
    static CoordinateSpace global() { return {Kind::global, {}}; }
    static CoordinateSpace named(std::string n) { return {Kind::named, std::move(n)}; }

    friend bool operator==(const CoordinateSpace&, const CoordinateSpace&) = default;
};

} // namespace kit
