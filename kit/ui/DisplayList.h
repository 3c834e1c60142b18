#pragma once

#include "kit/base/AffineTransform.h"
#include "kit/base/Color.h"
#include "kit/base/Font.h"
#include "kit/base/Paint.h"
#include "kit/base/Path.h"
#include "kit/base/StrokeStyle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace kit {

using NodeId = std::uint64_t;

// A clip in force for an item: the path in its own local space.
struct DisplayClip {
    Path path;
    AffineTransform transform; // clip space to host
    bool evenOdd = false;
    bool antialiased = true;

    friend bool operator==(const DisplayClip&, const DisplayClip&) = default;
};

// A shadow drawn under an item: the item's coverage blurred (σ = radius/2),
// tinted and offset; radius and offset already in host units.
struct DisplayShadow {
    RGBA color;
    double radius = 0;
    Point offset;

    friend bool operator==(const DisplayShadow&, const DisplayShadow&) = default;
};

// One line of laid-out text, with its baseline origin in local coordinates.
struct DisplayTextLine {
    std::string text;
    Point baseline;
};

// One drawing command with everything in force for it. Colours are resolved
// (semantic colours already looked up); geometry is in the item's local
// space and `transform` maps it to host coordinates.
struct DisplayItem {
    enum class Kind { fill, stroke, text, image, hitArea };

    Kind kind = Kind::fill;
    NodeId node = 0; // the node that drew it
    AffineTransform transform;
    double opacity = 1;
    std::vector<DisplayClip> clips;
    std::vector<DisplayShadow> shadows;
    Rect frame; // the drawing view's frame, origin (0, 0)
    bool hittable = true;

    // fill, stroke, hitArea
    Path path;
    // hitArea: where set, the hit area is these paths, a hit in any of them
    // (the many areas of one view that show nothing), in place of `path`.
    std::shared_ptr<const std::vector<Path>> areas;
    Paint paint;
    FillStyle fillStyle;
    StrokeStyle strokeStyle;
    // text
    std::vector<DisplayTextLine> lines;
    Font font;
    RGBA color;
    // image (a symbol)
    std::string symbol;
    Rect imageRect;
    std::vector<RGBA> layerColors;

    // The item's bounds in host coordinates (transform applied; for strokes
    // the box of the stroke's outline; for a hit area of many `areas` the
    // box of them all).
    Rect hostBounds() const;
    // Whether `hostPoint` falls in the item's hit area (kit's hit rules:
    // fill rule for fills, the stroke outline for strokes, the frame for text
    // and images, any of its `areas` for a hit area of many), clips
    // included, ignoring opacity.
    bool hitTest(Point hostPoint) const;
    // View opacity times the paint's alpha, as doubles.
    double effectiveOpacity() const;
};

// The output of layout: items in drawing order, back to front.
class DisplayList {
public:
    std::vector<DisplayItem> items;

    // Paints every item with QPainter in host coordinates (the painter's
    // transform maps host points to the device).
    void paint(QPainter& painter) const;
    // Items drawn by `node`.
    std::vector<const DisplayItem*> itemsOf(NodeId node) const;
    std::vector<const DisplayItem*> itemsOfKind(DisplayItem::Kind kind) const;
    // The first text item whose line text is `text`.
    const DisplayItem* textItem(const std::string& text) const;
};

} // namespace kit
