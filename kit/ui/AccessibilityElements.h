#pragma once

#include "kit/base/Color.h"
#include "kit/base/Path.h"
#include "kit/base/Rect.h"
#include "kit/ui/View.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace kit {

// One element of an AccessibilityElements view, as the labels, values and
// hints of the accessibility modifiers would give it: a label (a localized
// key unless `localizeLabel` is false), a value (verbatim unless
// `localizeValue`), its frame in the view's own coordinates (the whole view
// when absent), and a hint (a localized key unless `localizeHint` is false).
struct AccessibilityElementContent {
    std::string label;
    bool localizeLabel = true;
    std::string value;
    bool localizeValue = false;
    std::optional<Rect> frame;
    std::string hint;
    bool localizeHint = true;
};

// What an AccessibilityElements view draws for each element, in element
// order: `path(i, rect)` (rect being the view's frame at origin (0, 0))
// filled in `color`, as a hittable item of the view (an invisible colour
// makes touch areas that show nothing). Areas in a colour too faint to
// change a pixel in 8-bit colour (alpha above 0, below half of 1/255) are
// one hit area of the view holding every path (DisplayItem::areas): a hit
// in any of them is a hit, and the display list holds one item for them
// however many there are.
// Areas given a `key` are the same paths as those of an equal key and count
// in an equal frame: the view's node keeps them from one draw to the next.
struct AccessibilityElementAreas {
    std::function<Path(int index, const Rect& rect)> path;
    Color color;
    std::optional<std::size_t> key;
};

// `count` accessibility elements standing in one view: a single node that
// takes the whole proposal like a shape and, without areas, draws nothing.
// Element i is `element(i)`, called only when the accessibility tree is
// asked for (ViewHost::accessibilityElements, the widget's accessible
// children), so `element` must stay callable as long as the view is shown.
// The elements are listed in index order where separate labelled views
// would be, nested in the container in force; under a combining element
// only their labels count, joined into it; under a hidden or ignoring one
// they are left out.
//
//   kit::AccessibilityElements(int(values.size()), [values](int i) {
//       return kit::AccessibilityElementContent{"Value", true, values[std::size_t(i)]};
//   });
View AccessibilityElements(int count, std::function<AccessibilityElementContent(int index)> element,
                           std::optional<AccessibilityElementAreas> areas = std::nullopt);

} // namespace kit
