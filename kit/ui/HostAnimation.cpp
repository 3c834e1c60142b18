// Animation: after layout each node hands its animatable targets over and
// each channel starts, retargets or snaps; while anything runs the host
// ticks every 1/60 s; removed nodes are dropped when their fade ends.

#include "kit/ui/HostCore.h"

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
        Channel* c = node_.channel(key);
        if (!c) {
            node_.channels.emplace_back(key);
            c = &node_.channels.back();
        }
        if (snap_)
            c->snap(value, shape);
        else
            c->retarget(value, shape, transaction_.animation, now_);
    }

private:
    Node& node_;
    const Transaction& transaction_;
    double now_;
    bool snap_;
};

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
    running |= node.removing;
    for (auto& child : node.children)
        running |= advance(*child, now);
    return running;
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
    if (node.role() != NodeRole::transparent && node.placedPass == layoutGeneration_)
        sink.set(ChannelKey::frame, {node.frame.origin.x, node.frame.origin.y, node.frame.size.width,
                                     node.frame.size.height}, 0);
    node.primitive->targets(node, sink);
    if (inserted && !insertedAbove && in.animation && visible_ && node.parent && node.parent->parent) {
        // Inserted in an animated pass: fade in.
        Channel* c = node.channel(ChannelKey::transition);
        if (!c) {
            node.channels.emplace_back(ChannelKey::transition);
            c = &node.channels.back();
        }
        c->snap({1.0});
        c->animateFrom({0.0}, *in.animation, now);
    }
    node.inserted = false;
    Transaction out = in;
    node.primitive->adjustTransaction(node, out);
    for (auto& child : node.children)
        bookkeeping(*child, out, insertedAbove || inserted);
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

bool HostCore::advanceAnimations(double now)
{
    animating_ = root_ && advance(*root_, now);
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
    if (root_)
        dropFinishedRemovals(*root_);
    listValid_ = false;
    requestRepaint();
    setTicking(visible_ && running);
}

} // namespace kit::detail
