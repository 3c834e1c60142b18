#pragma once

#include "kit/ui/View.h"

#include <string>
#include <vector>

namespace kit {

// A vector symbol by name, drawn in the foreground colour (palette
// rendering: layer 1 in the primary colour, layer 2 in the secondary one).
// Not resizable, it is a square of the environment font's size; resizable()
// takes the proposal. An unknown name draws nothing and takes no space.
class Image : public ViewMethods<Image> {
public:
    explicit Image(std::string systemName) : name_(std::move(systemName)) {}
    static Image systemName(std::string name) { return Image(std::move(name)); }

    Image resizable() const
    {
        Image i = *this;
        i.resizable_ = true;
        return i;
    }
    operator View() const;

    const std::string& name() const { return name_; }
    static bool hasSymbol(const std::string& name);
    static std::vector<std::string> symbolNames();

private:
    std::string name_;
    bool resizable_ = false;
};

} // namespace kit
