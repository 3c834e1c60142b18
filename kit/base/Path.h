#pragma once

#include "kit/base/AffineTransform.h"
#include "kit/base/Angle.h"
#include "kit/base/Point.h"
#include "kit/base/Rect.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainterPath;

namespace kit {

enum class RoundedCornerStyle { circular, continuous };

// A path is a value: a list of elements compared exactly. Angles are radians,
// y points down and positive angles turn clockwise on screen. Arcs are stored
// as cubic curves of at most a quarter turn each.
//
// Copies share their elements until one of them changes (so a path is cheap
// to hand around), and the arc lengths of the shared elements are measured
// once, on the first length, trim or point query, for every copy: trimming
// one path to many fractions (a line drawing in) measures it once.
class Path {
public:
    struct Element {
        enum class Type { move, line, quadCurve, curve, closeSubpath };
        Type type = Type::move;
        Point point;    // end point (unused by closeSubpath)
        Point control1; // quadCurve: its control point; curve: first control point
        Point control2; // curve: second control point
        friend bool operator==(const Element&, const Element&) = default;
    };

    Path() = default;
    // Builds a path by calling `build` on an empty one.
    explicit Path(const std::function<void(Path&)>& build) { build(*this); }
    static Path rect(const Rect& r);
    static Path ellipse(const Rect& r);
    static Path roundedRect(const Rect& r, double cornerRadius,
                            RoundedCornerStyle style = RoundedCornerStyle::circular);

    // Building. Drawing commands on a path with no current point become a
    // move to their end point.
    void move(Point p);
    // Room for `count` elements in all, so that a path of thousands of them
    // is built without growing its storage again and again.
    void reserve(std::size_t count);
    void addLine(Point p);
    void addQuadCurve(Point to, Point control);
    void addCurve(Point to, Point control1, Point control2);
    void closeSubpath();

    void addRect(const Rect& r, const AffineTransform& t = {});
    void addEllipse(const Rect& r, const AffineTransform& t = {});
    void addRoundedRect(const Rect& r, Size cornerSize, RoundedCornerStyle style = RoundedCornerStyle::circular,
                        const AffineTransform& t = {});
    // `clockwise` is meant in y-up space: false sweeps through increasing
    // angles, which is clockwise on screen.
    void addArc(Point center, double radius, Angle start, Angle end, bool clockwise, const AffineTransform& t = {});
    void addArc(Point center, double radius, double startRadians, double endRadians, bool clockwise,
                const AffineTransform& t = {});
    // Sweeps exactly `delta` from `start`; a positive delta is clockwise on screen.
    void addRelativeArc(Point center, double radius, Angle start, Angle delta, const AffineTransform& t = {});
    void addRelativeArc(Point center, double radius, double startRadians, double deltaRadians,
                        const AffineTransform& t = {});
    void addLines(const std::vector<Point>& points);
    // Appends the other path's elements, transformed, with their own moves.
    void addPath(const Path& other, const AffineTransform& t = {});

    // Reading.
    const std::vector<Element>& elements() const;
    void forEach(const std::function<void(const Element&)>& visit) const;
    bool isEmpty() const { return elements().empty(); }
    std::optional<Point> currentPoint() const { return current_; }
    // Tight box of every segment, curve extrema included, control points not.
    Rect boundingRect() const;
    bool contains(Point p, bool evenOdd = false) const;
    // Total length; close elements count as the line back to the subpath start.
    double length() const;
    // The part between arc lengths from·L and to·L, curves split exactly.
    Path trimmedPath(double from, double to) const;
    // The point at arc length f·L (f clamped to 0...1); the first point when L is 0.
    Point point(double fraction) const;
    Path applying(const AffineTransform& t) const;

    // The one conversion to Qt; the fill rule is always set explicitly.
    QPainterPath toQPainterPath(bool evenOdd = false) const;

    friend bool operator==(const Path& a, const Path& b)
    {
        return a.storage_ == b.storage_ || a.elements() == b.elements();
    }

private:
    struct Measurement; // the segments with their arc lengths
    // Elements shared by copies, with their measurement once it is made
    // (made at most once per storage; a race only measures twice).
    struct Storage {
        std::vector<Element> elements;
        mutable std::atomic<std::shared_ptr<const Measurement>> measurement;
        // Whether `measurement` may be set: a change looks at this cheap
        // flag rather than at the measurement itself.
        mutable std::atomic<bool> measured{false};
    };

    void add(const Element& e);
    void push(const Element& e);
    void addArcSweep(Point center, double radius, double start, double sweep, const AffineTransform& t);
    const Measurement& measured() const;

    std::shared_ptr<Storage> storage_;
    std::optional<Point> current_;
    Point subpathStart_;
};

} // namespace kit
