#pragma once

#include "kit/ui/AnyKey.h"
#include "kit/ui/DisplayList.h"
#include "kit/ui/View.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Only callers that render to an image need the whole of it (they include <QImage>).
class QImage;

namespace kit {

namespace detail {
class HostCore;
}

// An accessibility element: a node with a label, a value or a hint, its
// presented frame in host coordinates (or the bounding box of its
// accessibility content shape), in drawing order. `.contain` nests children.
struct AccessibilityElement {
    enum class Role { staticText, graphic };
    std::string label;
    std::string value;
    std::string hint;
    Rect frame;
    // The accessibility content shape in host coordinates, when one was given.
    std::optional<Path> area;
    Role role = Role::graphic;
    NodeId node = 0;
    std::vector<AccessibilityElement> children;
};

// Shows one root view without a widget: keeps the persistent tree, runs the
// update passes, lays out, animates, builds the display list, handles
// pointer input. HostingWidget puts one in a QWidget; tests use it directly.
//
//   kit::Clock::useManual(0);
//   kit::ViewHost host(MyView{model}, {300, 200});
//   kit::runUntilIdle();                       // pending passes and due timers
//   const kit::DisplayList& list = host.displayList();
//   kit::Clock::advance(0.2);                  // animations move on
//   QImage frame = host.renderImage(2);
class ViewHost {
public:
    explicit ViewHost(View root, Size size = {});
    ~ViewHost();
    ViewHost(const ViewHost&) = delete;
    ViewHost& operator=(const ViewHost&) = delete;

    void setRoot(View root);
    // The root is proposed this size and centred in it.
    void setSize(Size size);
    Size size() const;
    // The root's ideal size (unspecified proposal).
    Size idealSize();
    void setColorScheme(ColorScheme scheme);
    void setPalette(std::optional<ColorPalette> palette);
    ColorScheme colorScheme() const;
    // Hiding gives every node its disappear actions; showing again gives
    // every node its appear actions (state is kept).
    void setVisible(bool visible);
    bool isVisible() const;

    // Runs a pending update pass now (otherwise it runs on the next turn of
    // the main queue).
    void update();
    bool hasPendingUpdate() const;
    // True while an animation runs (the host ticks every 1/60 s meanwhile).
    bool isAnimating() const;

    // The display list at the current clock time (runs a pending pass first).
    const DisplayList& displayList();
    std::vector<AccessibilityElement> accessibilityElements();
    // Renders the current display list into an ARGB32 premultiplied image of
    // size·scale pixels, transparent where nothing is drawn.
    QImage renderImage(double scale = 1);
    void paint(QPainter& painter);

    // Pointer input in host coordinates (primary button).
    void pointerPressed(Point p);
    void pointerMoved(Point p);
    void pointerReleased(Point p);
    // Ends a drag without onEnded (grab lost, window deactivated).
    void cancelPointer();
    // Hover without a button; pointerExited when the pointer leaves the host.
    void pointerHovered(Point p);
    void pointerExited();

    // Test hooks.
    // The topmost hit node and its ancestors (innermost first).
    std::vector<NodeId> hitTest(Point p);
    // The node of the nearest view marked .id(key), if any.
    std::optional<NodeId> nodeWithId(const AnyKey& key);
    bool isDescendant(NodeId node, NodeId ancestor);
    // The target layout frame of a node in host coordinates (before render
    // transforms).
    std::optional<Rect> layoutFrame(NodeId node);
    // How many repaints were requested and how many update passes ran.
    std::size_t repaintCount() const;
    std::size_t passCount() const;
    std::size_t nodeCount() const;
    // How many nodes the latest display list build walked: subtrees that
    // draw as in the build before are taken over without being walked.
    std::size_t drawnNodeCount() const;
    // How many times the latest update pass measured a view: a view whose
    // description, environment and subtree did not change keeps the sizes
    // it measured in passes before.
    std::size_t measuredCount() const;
    // How many views the latest update pass placed: a subtree offered what
    // it was offered before, in which nothing changed, keeps its frames.
    std::size_t placedCount() const;

    // Called when the host needs a repaint (HostingWidget: QWidget::update).
    std::function<void()> onNeedsRepaint;
    // Called after a pass that may have changed the ideal size.
    std::function<void()> onLayoutChanged;

private:
    std::unique_ptr<detail::HostCore> core_;
};

// Renders any view offscreen: a host of `size`, one settled update pass
// (appear actions included), painted at `scale` device pixels per point.
QImage renderImage(View view, Size size, double scale = 1);

} // namespace kit
