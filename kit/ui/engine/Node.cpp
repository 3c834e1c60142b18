#include "kit/ui/engine/Node.h"

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/Primitive.h"

#include <algorithm>
#include <cmath>

namespace kit::detail {

Node::Node(HostCore& h, Node* p, int s, AnyKey k, std::shared_ptr<const Primitive> prim)
    : host(h), parent(p), id(h.newNodeId()), slot(s), key(std::move(k)), type(prim->type()), primitive(std::move(prim)),
      anchor(std::make_shared<NodeAnchor>(NodeAnchor{this})), role_(primitive->role())
{
    depth = parent ? parent->depth + 1 : 0;
    host.registerNode(*this);
}

Node::~Node()
{
    anchor->node = nullptr;
    children.clear();
    host.unregisterNode(*this);
}

void Node::setPrimitive(std::shared_ptr<const Primitive> p)
{
    primitive = std::move(p);
    role_ = primitive->role();
}

int Node::slotCount() const
{
    int count = 0;
    for (const auto& c : children)
        count = std::max(count, c->slot + 1);
    return count;
}

void Node::collect(int s, bool withRemoving, std::vector<Node*>& out)
{
    for (const auto& c : children) {
        if (c->slot != s)
            continue;
        if (c->removing && !withRemoving)
            continue;
        switch (c->role()) {
        case NodeRole::transparent:
            c->collect(0, withRemoving || c->removing, out);
            break;
        case NodeRole::modifier:
            if (!c->isEmpty())
                out.push_back(c.get());
            break;
        default:
            out.push_back(c.get());
        }
    }
}

const std::vector<Node*>& Node::items(int s)
{
    if (itemsVersion_ != host.structureVersion()) {
        items_.clear();
        drawables_.clear();
        itemsVersion_ = host.structureVersion();
    }
    if (items_.size() <= std::size_t(s))
        items_.resize(s + 1);
    if (drawables_.size() <= std::size_t(s))
        drawables_.resize(s + 1);
    auto& cached = items_[s];
    if (cached.empty() || cached.front() == nullptr) {
        cached.clear();
        collect(s, false, cached);
        if (cached.empty())
            cached.push_back(nullptr); // cached "nothing"
    }
    static const std::vector<Node*> none;
    return cached.front() == nullptr ? none : cached;
}

const std::vector<Node*>& Node::drawables(int s)
{
    items(s); // refreshes the caches
    auto& cached = drawables_[s];
    if (cached.empty()) {
        collect(s, true, cached);
        if (cached.empty())
            cached.push_back(nullptr);
    }
    static const std::vector<Node*> none;
    return cached.front() == nullptr ? none : cached;
}

bool Node::isEmpty()
{
    switch (role()) {
    case NodeRole::transparent:
        return items(0).empty();
    case NodeRole::modifier:
        return items(0).empty();
    default:
        return false;
    }
}

Node* Node::child(int s, std::size_t index)
{
    for (const auto& c : children)
        if (c->slot == s && !c->removing) {
            if (index == 0)
                return c.get();
            --index;
        }
    return nullptr;
}

Channel& Node::ensureChannel(ChannelKey k)
{
    if (Channel* c = channel(k))
        return *c;
    return channels.emplace_back(k);
}

Node* Node::layoutParent() const
{
    Node* p = parent;
    while (p && p->role() == NodeRole::transparent)
        p = p->parent;
    return p;
}

Size Node::sizeThatFits(ProposedSize proposal)
{
    auto clampDim = [](std::optional<double>& d) {
        if (d && *d < 0)
            d = 0;
    };
    clampDim(proposal.width);
    clampDim(proposal.height);
    if (sizesEpoch_ != host.layoutEpoch()) {
        sizes_.clear();
        sizesEpoch_ = host.layoutEpoch();
        placeStale_ = true;
    }
    const std::uint64_t pass = host.layoutGeneration();
    const std::uint64_t scope = host.scopeStamp();
    for (auto& entry : sizes_)
        if (entry.proposal == proposal && entry.scope == scope) {
            entry.pass = pass;
            return entry.size;
        }
    host.noteMeasured();
    const Size size = primitive->sizeThatFits(*this, proposal);
    // The proposals of passes before that this one has not asked for again
    // make room; those of this pass all stay, as many as it asks for.
    constexpr std::size_t kept = 12;
    if (sizes_.size() >= kept)
        std::erase_if(sizes_, [pass](const SizeCache& e) { return e.pass != pass; });
    sizes_.push_back({proposal, scope, size, pass});
    return size;
}

void Node::invalidateLayout()
{
    // Sizes go up to a node whose size ignores its children; every
    // ancestor places again.
    bool sizes = true;
    for (Node* n = this; n; n = n->parent) {
        if (sizes)
            n->sizes_.clear();
        n->placeStale_ = true;
        if (n->parent && n->parent->primitive->sizeIgnoresChildren())
            sizes = false;
    }
}

void Node::childrenChanged()
{
    if (!primitive->sizeIgnoresChildren()) {
        invalidateLayout();
        return;
    }
    for (Node* n = this; n; n = n->parent)
        n->placeStale_ = true;
}

bool Node::placesFromHostBelow()
{
    for (const auto& c : children) {
        if (c->role() == NodeRole::transparent ? c->placesFromHostBelow() : c->fromHostBelow_)
            return true;
    }
    return false;
}

void Node::place(Point origin, ProposedSize proposal)
{
    const Size size = sizeThatFits(proposal);
    const bool unchanged = !placeStale_ && !fromHostBelow_ && placedPass != 0 && placedProposal == proposal &&
                           placedScope_ == host.scopeStamp() && frame.size == size;
    placedScope_ = host.scopeStamp();
    frame = Rect(origin, size);
    placedProposal = proposal;
    placedPass = host.layoutGeneration();
    if (unchanged)
        return;
    // Cleared first: a change made while it is placed (a geometry reader
    // below building its content) places it again next pass.
    placeStale_ = false;
    host.notePlaced();
    primitive->placeChildren(*this, proposal, size);
    fromHostBelow_ = primitive->placesFromHost() || placesFromHostBelow();
}

double Node::guide(HorizontalAlignment g, Size size)
{
    if (auto v = primitive->explicitGuide(*this, g, size))
        return *v;
    return ViewDimensions::box(size)[g];
}

double Node::guide(VerticalAlignment g, Size size)
{
    if (auto v = primitive->explicitGuide(*this, g, size))
        return *v;
    return ViewDimensions::box(size)[g];
}

ViewDimensions Node::dimensions(Size size)
{
    return {size.width, size.height, guide(VerticalAlignment::firstTextBaseline, size),
            guide(VerticalAlignment::lastTextBaseline, size)};
}

double Node::layoutPriority() const
{
    return primitive->layoutPriority().value_or(0);
}

double Node::zIndex() const
{
    return primitive->zIndex().value_or(0);
}

Channel* Node::channel(ChannelKey k)
{
    if (k == ChannelKey::frame)
        return &frameChannel;
    for (Channel& c : channels)
        if (c.key == k)
            return &c;
    return nullptr;
}

std::vector<double> Node::value(ChannelKey k, const std::vector<double>& fallback)
{
    Channel* c = channel(k);
    return c && !c->presented.empty() ? c->presented : fallback;
}

Color Node::presentedColor(const RGBA& fallback)
{
    return unpremultiplied(value(ChannelKey::color, premultiplied(fallback)));
}

Rect Node::presentedFrame() const
{
    const auto& v = frameChannel.presented;
    if (v.size() != 4)
        return frame;
    return Rect(v[0], v[1], v[2], v[3]);
}

} // namespace kit::detail
