#pragma once

#include "kit/base/AffineTransform.h"
#include "kit/base/Rect.h"
#include "kit/ui/AnyKey.h"
#include "kit/ui/Environment.h"
#include "kit/ui/Layout.h"
#include "kit/ui/Transaction.h"
#include "kit/ui/engine/Channel.h"

#include <any>
#include <cstdint>
#include <memory>
#include <typeindex>
#include <vector>

namespace kit {

using NodeId = std::uint64_t;

namespace detail {

class HostCore;
class Primitive;
class Node;
struct DrawRecord;

// A weak handle on a node: State boxes, subscriptions and timers hold one,
// so they never keep a node alive and notice when it is gone.
struct NodeAnchor {
    Node* node = nullptr;
};

// What kind of place a node takes in layout.
enum class NodeRole {
    leaf,        // draws itself (text, shape, image, spacer)
    container,   // lays out its children (stacks, grids, geometry readers)
    modifier,    // wraps one content view (slot 0), maybe with extra slots
    transparent, // no layout of its own: groups, ForEach, conditionals, user views
};

// One node of the host's persistent tree. Its identity is its parent, its
// slot and key among the parent's children, and its primitive's type.
class Node {
public:
    Node(HostCore& host, Node* parent, int slot, AnyKey key, std::shared_ptr<const Primitive> primitive);
    ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    HostCore& host;
    Node* parent;
    const NodeId id;
    const int slot;
    const AnyKey key;
    const std::type_index type;
    std::shared_ptr<const Primitive> primitive; // replaced with setPrimitive
    std::shared_ptr<NodeAnchor> anchor;
    std::shared_ptr<const EnvironmentValues> environment;
    std::vector<std::unique_ptr<Node>> children;
    int depth = 0;

    // Per-kind persistent data (text layout, state slots, subscriptions, ...),
    // one value of each type, made on first use.
    template <class T>
    T& data()
    {
        for (auto& [type, value] : data_)
            if (type == typeid(T))
                return *static_cast<T*>(value.get());
        data_.emplace_back(typeid(T), std::make_shared<T>());
        return *static_cast<T*>(data_.back().second.get());
    }

    NodeRole role() const { return role_; }
    // Replaces the primitive (one of the same identity).
    void setPrimitive(std::shared_ptr<const Primitive> p);
    // The nodes that take part in the layout of `slot`: transparent nodes are
    // looked through, empty modifiers and removed nodes skipped. Callers keep
    // a copy: a geometry reader changes the tree while it is placed.
    const std::vector<Node*>& items(int slot = 0);
    // Items plus the removed nodes still fading out, for drawing.
    const std::vector<Node*>& drawables(int slot = 0);
    bool isEmpty();
    int slotCount() const;

    // Layout. Sizes are memoised per proposal and kept from pass to pass
    // until invalidateLayout: the host calls it when the node's primitive
    // lays out otherwise (Primitive::sameLayout), its environment measures
    // otherwise, or its children are inserted, removed or moved.
    Size sizeThatFits(ProposedSize proposal);
    // Drops the sizes of this node and of the ancestors that measured it,
    // up to one whose size does not depend on its children.
    void invalidateLayout();
    // Its children were inserted, removed or moved: its sizes go unless
    // they do not depend on its children.
    void childrenChanged();
    // Places this node at `origin` in its layout parent's space, with the
    // proposal its parent used to measure it. A subtree placed before with
    // the same proposal, in which nothing was measured again or changed
    // since, keeps its children's frames: only its own origin moves.
    void place(Point origin, ProposedSize proposal);
    double guide(HorizontalAlignment g, Size size);
    double guide(VerticalAlignment g, Size size);
    ViewDimensions dimensions(Size size);
    double layoutPriority() const;
    double zIndex() const;

    // Target layout, relative to the nearest non-transparent ancestor.
    Rect frame;
    ProposedSize placedProposal;
    std::uint64_t placedPass = 0;
    // The axis of the stack this node sits in (through modifiers), if any,
    // and the axis of the nearest horizontal or vertical stack around it,
    // looked for through depth stacks too (a divider's direction).
    std::optional<Axis> stackAxis;
    std::optional<Axis> enclosingAxis;

    // Animation.
    Channel frameChannel{ChannelKey::frame};
    std::vector<Channel> channels;
    Channel* channel(ChannelKey key);
    // The channel of `key`, added (with no value) when the node has none.
    Channel& ensureChannel(ChannelKey key);
    // The presented value of a channel, or `fallback` when it has none.
    std::vector<double> value(ChannelKey key, const std::vector<double>& fallback);
    // The presented colour of the color channel, or `fallback` when it has none.
    Color presentedColor(const RGBA& fallback);
    Rect presentedFrame() const;

    // Pass bookkeeping.
    bool inserted = true;    // inserted in the current pass
    bool needsAppear = true; // appear actions still to run
    bool dirty = false;
    Transaction dirtyTransaction;
    std::uint64_t evaluatedRound = 0;
    Transaction incomingTransaction;  // when evaluated this round
    std::uint64_t ownChangeRound = 0; // the round it was evaluated for a change of its own
    bool removing = false;            // drawn while it fades out, then dropped
    bool listedMoving = false;        // in the host's list of nodes to advance
    // The node's local-to-host transform from the latest display list.
    AffineTransform drawTransform;
    double drawOpacity = 1;
    // What its subtree drew in the latest display list, when kept for reuse.
    std::unique_ptr<DrawRecord> drawRecord;

    Node* child(int slot, std::size_t index = 0);
    Node* layoutParent() const;

private:
    NodeRole role_; // the primitive's, kept for the layout and drawing walks
    std::vector<std::pair<std::type_index, std::shared_ptr<void>>> data_;
    struct SizeCache {
        ProposedSize proposal;
        std::uint64_t scope; // HostCore::scopeStamp when measured
        Size size;
        std::uint64_t pass; // the layout pass that last asked for it
    };
    std::vector<SizeCache> sizes_;
    std::uint64_t sizesEpoch_ = 0;  // HostCore::layoutEpoch when measured
    bool placeStale_ = true;        // something in the subtree changed since it was placed
    std::uint64_t placedScope_ = 0; // the scope stamp it was placed under
    bool fromHostBelow_ = true;     // a node in the subtree places from the host (until known)
    bool placesFromHostBelow();
    void collect(int slot, bool withRemoving, std::vector<Node*>& out);
    std::vector<std::vector<Node*>> items_, drawables_;
    std::uint64_t itemsVersion_ = 0;
};

} // namespace detail
} // namespace kit
