#pragma once

#include <string>

namespace qm {

// The four channels of a colour written as hexadecimal text, each in 0...1.
struct HexComponents {
    double red = 0;
    double green = 0;
    double blue = 0;
    double opacity = 0;
    bool operator==(const HexComponents&) const = default;
};

// Reads "#RGB", "#RRGGBB" or "#AARRGGBB" (the hash sign and any other
// non-alphanumeric characters around the digits are ignored). Never fails:
// a text of another length gives the nearly invisible (1, 1, 0, 1) / 255.
HexComponents hexComponents(const std::string& text);

} // namespace qm

#include "kit/base/Color.h"

#include <QColor>

namespace qm {

// The colour of hexadecimal text in sRGB (see hexComponents).
kit::Color hexColor(std::string text);
// The same as a Qt colour.
QColor hexQColor(const std::string& text);

} // namespace qm
