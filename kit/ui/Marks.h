#pragma once

#include "kit/base/Paint.h"
#include "kit/base/Rect.h"
#include "kit/ui/AccessibilityElements.h"
#include "kit/ui/Animation.h"
#include "kit/ui/Shape.h"
#include "kit/ui/View.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kit {

// One mark of a Marks view: a shape filled in `frame`, standing in `area`,
// its place in the view (filled beneath it in the view's area colour, and
// the frame of its accessibility element). Both are in the view's own
// coordinates. A mark is known by its `id` from one update to the next.
struct Mark {
    std::size_t id = 0;
    Rect area;
    Rect frame;
    // Where the shape stands when the mark is seen for the first time: it
    // moves from there into `frame` with the view's entrance animation.
    // Absent: it stands in `frame` at once.
    std::optional<Rect> entrance;
    Shape shape = Rectangle();
    Paint paint = Color::clear();
};

// The animation a change of the marks moves with, as .animation(_:value:)
// gives one to a subtree: when `token` (a hash, or a published property's
// version) differs from the one of the view's update before, the shapes
// and colours move with `animation` instead of the transaction's.
struct MarksChange {
    std::optional<Animation> animation;
    std::uint64_t token = 0;
};

// How a Marks view shows its marks.
struct MarksStyle {
    // Each mark's area is filled in this colour beneath its shape (an
    // invisible colour makes touch areas that show nothing); none: no area.
    std::optional<Color> areaColor;
    // How a mark seen for the first time moves from its entrance; none: at once.
    std::optional<Animation> entranceAnimation;
    std::optional<MarksChange> change;
    // Element i of the accessibility tree is `accessibility(i)` for the
    // mark at index i of the latest list, framed by its area unless it
    // gives a frame; called only when the tree is asked for. None: the
    // marks are no elements.
    std::function<AccessibilityElementContent(int index)> accessibility;
};

// Many marks standing in one view: a single node that takes the whole
// proposal like a shape, lays its marks out, animates and draws them, as
// many shape views would but without a node for each. `marks(size)` gives
// the marks for the view's size; it is called when the view is laid out
// after an update (or a new size), so it must stay callable as long as the
// view is shown.
//
// From one update to the next a mark that stays (the same id) moves: its
// area with the transaction in force, its shape's frame and flat colour
// with the change's animation when its token changed, else with the
// transaction in force (gradients change at once). A mark seen for the
// first time stands in its area at once, its shape at its entrance; in an
// animated update of a view already shown it also fades in. A mark no
// longer listed is gone at once, or, in an animated update, fades out where
// it stood, taking no presses.
//
// The marks are drawn in list order, each as its area then its shape; a
// press on any of them lands on the view.
//
//   kit::Marks([values](kit::Size size) {
//       std::vector<kit::Mark> marks;
//       const double w = size.width / double(values.size());
//       for (std::size_t i = 0; i < values.size(); ++i) {
//           const double h = size.height * values[i];
//           marks.push_back({i, {w * double(i), 0, w, size.height}, {w * double(i), size.height - h, w, h},
//                            std::nullopt, kit::Rectangle(), kit::Color::blue()});
//       }
//       return marks;
//   });
View Marks(std::function<std::vector<Mark>(Size size)> marks, MarksStyle style = {});

} // namespace kit
