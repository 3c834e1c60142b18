#pragma once

#include "kit/ui/Shape.h"

#include <functional>
#include <memory>

namespace charts {

// Any shape behind one type: the background of a point-of-interest label,
// the label's clip and border. The shape is kept in a box its closure owns,
// so copies share it.
//
//   CustomLabelShape(BottomLabelShape())
struct CustomLabelShape {
    std::function<kit::Path(const kit::Rect&)> _path;

    template <kit::ShapeType S>
    requires(!std::same_as<S, CustomLabelShape>) explicit CustomLabelShape(S shape)
        : _path([box = std::make_shared<const S>(std::move(shape))](const kit::Rect& rect) {
              return kit::Path(box->path(rect));
          })
    {
    }

    kit::Path path(const kit::Rect& rect) const { return _path(rect); }
};

} // namespace charts
