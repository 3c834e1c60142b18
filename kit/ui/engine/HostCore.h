#pragma once

#include "kit/base/Timer.h"
#include "kit/ui/DisplayList.h"
#include "kit/ui/ViewHost.h"
#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Node.h"
#include "kit/ui/engine/Primitive.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace kit::detail {

struct HostAnchor {
    class HostCore* core = nullptr;
};

struct PointerSession; // gesture recognition from press to release

// The machinery behind ViewHost: the persistent tree, the update pass,
// layout, animation, the display list and pointer input. Its state is its
// own; ViewHost, the nodes and the primitives use the operations below.
//
// Where each phase lives:
//   HostCore.cpp        the host's operations, the display list, test lookups
//   Reconciliation.cpp  matching children by identity, insertion and removal
//   UpdatePass.cpp      marking dirty, one update pass, appear/change actions
//   HostAnimation.cpp   animation targets after layout, ticking, removals
//   Input.cpp           hit-testing, gestures and hover
class HostCore {
public:
    HostCore(ViewHost& owner, View root, Size size);
    ~HostCore();
    HostCore(const HostCore&) = delete;
    HostCore& operator=(const HostCore&) = delete;

    // MARK: - what ViewHost offers

    void setRoot(View root);
    void setSize(Size size);
    Size size() const { return size_; }
    Size idealSize();
    void setColorScheme(ColorScheme scheme);
    ColorScheme colorScheme() const { return baseEnvironment_.colorScheme; }
    void setPalette(std::optional<ColorPalette> palette);
    void setVisible(bool visible);
    bool isVisible() const { return visible_; }
    // Runs a pending update pass now.
    void update();
    bool hasPendingUpdate() const { return passScheduled_; }
    bool isTicking() const { return ticker_ != nullptr; }
    // The display list at the current clock time (runs a pending pass first).
    const DisplayList& displayList();
    const std::vector<AccessibilityElement>& accessibilityElements();

    void pressed(Point p);
    void moved(Point p);
    void released(Point p);
    void cancelPointer();
    void hover(std::optional<Point> p);

    // Test lookups.
    std::vector<NodeId> hitChain(Point p);
    std::optional<NodeId> nodeWithId(const AnyKey& key);
    bool isDescendant(NodeId node, NodeId ancestor) const;
    std::optional<Rect> layoutFrame(NodeId node);
    std::size_t repaintCount() const { return repaints_; }
    std::size_t passCount() const { return passes_; }
    std::size_t nodeCount() const { return nodes_.size(); }
    std::size_t drawnNodeCount() const { return drawn_; }

    // MARK: - what nodes and primitives use

    NodeId newNodeId() { return nextId_++; }
    void registerNode(Node& node);
    void unregisterNode(Node& node);
    // Bumped when children are added or removed, and at every layout.
    std::uint64_t structureVersion() const { return structureVersion_; }
    std::uint64_t layoutGeneration() const { return layoutGeneration_; }
    // Bumped when every size measured so far may be wrong (other text
    // metrics or strings): nodes measure again.
    std::uint64_t layoutEpoch() const { return layoutEpoch_; }
    // A node measured itself (its primitive's sizeThatFits ran).
    void noteMeasured() { ++measured_; }
    // Measurements made by the latest pass (or idealSize since).
    std::size_t measuredCount() const { return measured_; }
    // A node placed its children (its subtree was not kept as it was).
    void notePlaced() { ++placed_; }
    std::size_t placedCount() const { return placed_; }
    // One per re-evaluation round of a pass.
    std::uint64_t round() const { return round_; }

    // `node` has a channel that started running, or is leaving: it is
    // advanced on every tick until it rests.
    void noteMoving(Node& node);

    // Layout anchors: the node of a layoutAnchor modifier registers itself
    // under its key when it is updated; anchorFrame gives the frame in host
    // coordinates of the latest registered node still marked with the key.
    void registerLayoutAnchor(const AnyKey& key, Node& node);
    std::optional<Rect> anchorFrame(const AnyKey& key);
    // Proposal scopes (ProposalScope.cpp). While one lives, the proposal of
    // the outermost view marked with its key is on hand to the views below
    // it; each scope in force changes the stamp sizes are kept under.
    class ProposalScope {
    public:
        ProposalScope(HostCore& host, const AnyKey& key, ProposedSize proposal);
        ~ProposalScope();
        ProposalScope(const ProposalScope&) = delete;
        ProposalScope& operator=(const ProposalScope&) = delete;
        // Whether this one holds the scope (no view around it does).
        bool holds() const { return pushed_; }

    private:
        HostCore& host_;
        bool pushed_ = false;
    };
    std::optional<ProposedSize> scopeProposal(const AnyKey& key) const;
    std::uint64_t scopeStamp() const { return scopeStamp_; }
    // The frame in host coordinates of the view that last held the scope
    // `key` when it was placed.
    void noteScopeHolder(const AnyKey& key, Node& node);
    std::optional<Rect> scopeFrame(const AnyKey& key);

    // An anchor reader's content waits until the pass has placed everything
    // else; layout() builds and places it then.
    void deferPlacement(Node& node);

    // Marks `node` for re-evaluation in the next pass with `transaction`.
    void markDirty(Node& node, const Transaction& transaction);
    // Matches `parent`'s children with `specs` by slot, key and type:
    // updates those that stay, inserts and removes the others.
    // The views are taken over from `specs`.
    void reconcileChildren(Node& parent, std::span<ChildSpec> specs);
    // An onChange action, run with this round's actions.
    void queueChangeAction(std::function<void()> action);

    // While it lives, writes made (a geometry reader building its content)
    // mark nodes for the next pass instead of this one.
    class EvaluationScope {
    public:
        explicit EvaluationScope(HostCore& host) : host_(host) { ++host_.evaluatingDepth_; }
        ~EvaluationScope() { --host_.evaluatingDepth_; }
        EvaluationScope(const EvaluationScope&) = delete;
        EvaluationScope& operator=(const EvaluationScope&) = delete;

    private:
        HostCore& host_;
    };

private:
    // Reconciliation.cpp
    std::unique_ptr<Node> createNode(Node* parent, int slot, AnyKey key, const View& view);
    void updateNode(Node& node, const View& view, const Transaction& incoming);
    void evaluate(Node& node);
    std::shared_ptr<const EnvironmentValues> environmentFor(Node& node) const;
    // Transaction in force for the content of a node evaluated this round.
    Transaction outgoing(Node& node) const;
    void removeChild(std::unique_ptr<Node> child, const Transaction& transaction,
                     std::vector<std::unique_ptr<Node>>& keep);
    void collectDisappear(Node& node);

    // UpdatePass.cpp
    void schedulePass();
    // One turn: re-evaluation, layout, animation bookkeeping and actions,
    // repeated while actions dirty nodes (at most 8 rounds).
    void runPass();
    bool reevaluateDirty();
    void layout();
    void runActions();
    void collectAppear(Node& node, std::vector<std::function<void()>>& chain, std::vector<std::function<void()>>& out);
    void requestRepaint();

    // HostAnimation.cpp
    void bookkeeping(Node& node, Transaction transaction, bool insertedAbove);
    // Moves every animation to `now`; returns whether any still runs.
    bool advanceAnimations(double now);
    // Ticks while visible and animating.
    void updateTicking();
    void setTicking(bool running);
    void tick();
    // Drops the leaving nodes whose fade has ended.
    void dropFinishedRemovals();
    void dropFinishedRemovals(Node& node);

    // HostCore.cpp
    void buildDisplayList();

    // Input.cpp
    Node* hitNode(Point p);

    ViewHost& owner_;
    std::shared_ptr<HostAnchor> anchor_;
    std::unique_ptr<Node> root_;
    View rootView_;
    Size size_;
    bool visible_ = true;
    EnvironmentValues baseEnvironment_;

    // Tree.
    NodeId nextId_ = 1;
    std::unordered_map<NodeId, Node*> nodes_;
    std::vector<std::pair<AnyKey, NodeId>> layoutAnchors_;
    std::vector<std::pair<AnyKey, ProposedSize>> scopes_;
    std::vector<std::pair<AnyKey, NodeId>> scopeHolders_;
    std::uint64_t scopeStamp_ = 0;
    void updateScopeStamp();
    std::vector<std::weak_ptr<NodeAnchor>> deferredPlacements_;
    std::uint64_t structureVersion_ = 1;
    std::uint64_t layoutGeneration_ = 1;
    std::uint64_t layoutEpoch_ = 1;
    std::pair<std::uint64_t, std::uint64_t> measuredWith_; // metrics and string table generations
    std::size_t measured_ = 0;
    std::size_t placed_ = 0;
    // Starts a new layout epoch when the text metrics or strings changed.
    void checkLayoutEpoch();
    std::uint64_t round_ = 1;

    // Update pass.
    bool passScheduled_ = false;
    bool needsLayout_ = true;
    int evaluatingDepth_ = 0;
    bool inPass_ = false;
    std::vector<std::weak_ptr<NodeAnchor>> dirty_;
    std::vector<std::weak_ptr<NodeAnchor>> deferred_;
    Transaction latestTransaction_;
    std::size_t passes_ = 0;
    std::size_t repaints_ = 0;
    std::optional<Size> idealSize_; // measured since the latest pass
    // Actions collected during a round.
    std::vector<std::function<void()>> disappearActions_;
    std::vector<std::function<void()>> changeActions_;
    std::vector<std::function<void()>> subscriptionActions_;

    // Animation.
    std::shared_ptr<Timer> ticker_;
    bool animating_ = false; // whether the latest advance found a running animation
    // The nodes that may have a running channel or be leaving; a node is
    // listed once (Node::listedMoving) and dropped from the list at rest.
    std::vector<std::shared_ptr<NodeAnchor>> moving_;

    // Display list.
    DisplayList list_;
    std::vector<AccessibilityEntry> entries_;
    // Nested from entries_ when first asked for after a build.
    std::vector<AccessibilityElement> accessibility_;
    bool accessibilityValid_ = false;
    std::uint64_t builds_ = 0;
    std::size_t drawn_ = 0;                              // nodes walked by the latest build
    std::pair<std::uint64_t, std::uint64_t> builtEpoch_; // the pass and tree of the latest build
    bool listValid_ = false;
    double listTime_ = -1;

    // Input.
    std::unique_ptr<PointerSession> pointer_;
    std::vector<std::weak_ptr<NodeAnchor>> hovered_;
};

// The root primitive: proposes the host's size to `view` and centres it.
std::shared_ptr<const Primitive> makeRoot(View view);

} // namespace kit::detail
