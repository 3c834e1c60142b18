// Animation: after layout each node hands its animatable targets over and
// each channel starts, retargets or snaps; while anything runs the host
// ticks every 1/60 s; removed nodes are dropped when their fade ends.

#include "kit/ui/engine/HostCore.h"

#include "kit/base/Clock.h"

#include <algorithm>

namespace kit::detail {

namespace {

class TargetCollector final : public TargetSink {
public:
    TargetCollector(Node& node, const Transaction& t, double now, bool snap)
        : node_(node), transaction_(t), now_(now), snap_(snap)
    {
    }
    void set(ChannelKey key, const std::vector<double>& value, std::size_t shape) override
    {
        Channel& c = node_.ensureChannel(key);
        if (snap_)
            c.snap(value, shape);
        else
            c.retarget(value, shape, transaction_.animation, now_);
        if (c.isRunning())
            node_.host.noteMoving(node_);
    }

private:
    Node& node_;
    const Transaction& transaction_;
    double now_;
    bool snap_;
};

// Moves the node's own channels to `now`; whether one still runs or the
// node is leaving.
bool advance(Node& node, double now)
{
    bool running = false;
    if (node.frameChannel.isRunning()) {
        node.frameChannel.update(now);
        running |= node.frameChannel.isRunning();
    }
    for (Channel& c : node.channels)
        if (c.isRunning()) {
            c.update(now);
            running |= c.isRunning();
        }
    running |= node.primitive->advanceOwnValues(node, now);
    return running || node.removing;
}

} // namespace

void HostCore::bookkeeping(Node& node, Transaction transaction, bool insertedAbove)
{
    if (node.removing)
        return;
    const Transaction in = node.evaluatedRound == round_ ? node.incomingTransaction : transaction;
    const bool inserted = node.inserted;
    const double now = Clock::now();
    TargetCollector sink(node, in, now, inserted);
    if (node.role() != NodeRole::transparent && node.placedPass == layoutGeneration_) {
        // One buffer for every node's frame: an unchanged frame costs no allocation.
        static thread_local std::vector<double> frame(4);
        frame[0] = node.frame.origin.x;
        frame[1] = node.frame.origin.y;
        frame[2] = node.frame.size.width;
        frame[3] = node.frame.size.height;
        sink.set(ChannelKey::frame, frame, 0);
    }
    node.primitive->targets(node, sink);
    node.primitive->retargetOwnValues(node, in, now, inserted, in.animation.has_value() && visible_);
    if (inserted && !insertedAbove && in.animation && visible_ && node.parent && node.parent->parent) {
        // Inserted in an animated pass: fade in.
        Channel& c = node.ensureChannel(ChannelKey::transition);
        c.snap({1.0});
        c.animateFrom({0.0}, *in.animation, now);
        noteMoving(node);
    }
    node.inserted = false;
    Transaction out = in;
    node.primitive->adjustTransaction(node, out);
    for (auto& child : node.children)
        bookkeeping(*child, out, insertedAbove || inserted);
}

void HostCore::dropFinishedRemovals()
{
    // Only a listed node can be leaving.
    for (const auto& anchor : moving_)
        if (anchor->node && anchor->node->removing) {
            if (root_)
                dropFinishedRemovals(*root_);
            return;
        }
}

void HostCore::dropFinishedRemovals(Node& node)
{
    auto& kids = node.children;
    const auto before = kids.size();
    kids.erase(std::remove_if(kids.begin(), kids.end(),
                              [](const std::unique_ptr<Node>& c) {
                                  if (!c->removing)
                                      return false;
                                  const Channel* t = c->channel(ChannelKey::transition);
                                  return !t || !t->isRunning();
                              }),
               kids.end());
    if (kids.size() != before)
        ++structureVersion_;
    for (auto& child : kids)
        dropFinishedRemovals(*child);
}

void HostCore::noteMoving(Node& node)
{
    if (!node.listedMoving) {
        node.listedMoving = true;
        moving_.push_back(node.anchor);
    }
}

bool HostCore::advanceAnimations(double now)
{
    // Only listed nodes can be moving: channels start running, and nodes
    // start leaving, where they are listed.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < moving_.size(); ++i) {
        Node* node = moving_[i]->node;
        if (!node)
            continue; // gone
        if (advance(*node, now))
            moving_[kept++] = std::move(moving_[i]);
        else
            node->listedMoving = false;
    }
    moving_.resize(kept);
    animating_ = root_ && !moving_.empty();
    return animating_;
}

void HostCore::updateTicking()
{
    const bool running = advanceAnimations(Clock::now());
    setTicking(visible_ && running);
}

void HostCore::setTicking(bool running)
{
    if (running && !ticker_) {
        ticker_ = Timer::scheduled(1.0 / 60, true, [a = std::weak_ptr<HostAnchor>(anchor_)] {
            if (auto strong = a.lock(); strong && strong->core)
                strong->core->tick();
        });
    } else if (!running && ticker_) {
        ticker_->invalidate();
        ticker_.reset();
    }
}

void HostCore::tick()
{
    const bool running = advanceAnimations(Clock::now());
    dropFinishedRemovals();
    listValid_ = false;
    requestRepaint();
    setTicking(visible_ && running);
}

} // namespace kit::detail
