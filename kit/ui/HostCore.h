#pragma once

#include "kit/base/Cancellable.h"
#include "kit/base/Timer.h"
#include "kit/ui/DisplayList.h"
#include "kit/ui/Node.h"
#include "kit/ui/Primitive.h"
#include "kit/ui/ViewHost.h"

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kit::detail {

struct HostAnchor {
    class HostCore* core = nullptr;
};

struct PointerSession; // gesture recognition from press to release

// The machinery behind ViewHost: the persistent tree, the update cycle,
// layout, animation bookkeeping, the display list and input.
class HostCore {
public:
    explicit HostCore(ViewHost& owner);
    ~HostCore();

    ViewHost& owner;
    std::shared_ptr<HostAnchor> anchor;
    std::unique_ptr<Node> root;
    View rootView;
    Size size;
    bool visible = true;
    EnvironmentValues baseEnvironment;

    // Tree.
    NodeId nextId = 1;
    std::unordered_map<NodeId, Node*> nodes;
    std::uint64_t structureVersion = 1;
    std::uint64_t layoutGeneration = 1;
    std::uint64_t round = 1; // one per re-evaluation round

    std::unique_ptr<Node> createNode(Node* parent, int slot, AnyKey key, const View& view);
    void reconcileChildren(Node& parent, std::vector<ChildSpec> specs);
    void updateNode(Node& node, const View& view, const Transaction& incoming);
    void evaluate(Node& node);
    std::shared_ptr<const EnvironmentValues> environmentFor(Node& node) const;
    // Transaction in force for the content of a node evaluated this round.
    Transaction outgoing(Node& node) const;
    void removeChild(Node& parent, std::unique_ptr<Node> child, const Transaction& transaction,
                     std::vector<std::unique_ptr<Node>>& keep);
    void collectDisappear(Node& node);
    void registerNode(Node& node);
    void unregisterNode(Node& node);

    // Update cycle.
    bool passScheduled = false;
    bool needsLayout = true;
    int evaluatingDepth = 0;
    bool inPass = false;
    std::vector<std::weak_ptr<NodeAnchor>> dirty;
    std::vector<std::weak_ptr<NodeAnchor>> deferred;
    Transaction latestTransaction;
    std::size_t passes = 0;
    std::size_t repaints = 0;
    std::optional<Size> idealSize; // measured since the latest pass

    void markDirty(Node& node, const Transaction& transaction);
    void schedulePass();
    // One turn: re-evaluation, layout, animation bookkeeping and actions,
    // repeated while actions dirty nodes (at most 8 rounds).
    void runPass();
    bool reevaluateDirty();
    void layout();
    void bookkeeping(Node& node, Transaction transaction, bool insertedAbove);
    void runActions();
    void collectAppear(Node& node, std::vector<std::function<void()>>& chain, std::vector<std::function<void()>>& out);
    void requestRepaint();
    void setVisible(bool visible);

    // Actions collected during a round.
    std::vector<std::function<void()>> disappearActions;
    std::vector<std::function<void()>> changeActions;
    std::vector<std::function<void()>> subscriptionActions;

    // Animation.
    std::shared_ptr<Timer> ticker;
    bool animating = false; // whether the latest advance found a running animation
    // Moves every animation to `now`; returns whether any still runs.
    bool advanceAnimations(double now);
    // Ticks while visible and animating.
    void updateTicking();
    void setTicking(bool running);
    void tick();
    void dropFinishedRemovals(Node& node);

    // Display list.
    DisplayList list;
    std::vector<AccessibilityElement> accessibility;
    bool listValid = false;
    double listTime = -1;
    void buildDisplayList();
    const DisplayList& displayList();

    // Input.
    std::unique_ptr<PointerSession> pointer;
    std::vector<std::weak_ptr<NodeAnchor>> hovered;
    Node* hitNode(Point p);
    void pressed(Point p);
    void moved(Point p);
    void released(Point p);
    void cancelPointer();
    void hover(std::optional<Point> p);
};

// The root primitive: proposes the host's size to `view` and centres it.
std::shared_ptr<const Primitive> makeRoot(View view);

} // namespace kit::detail
