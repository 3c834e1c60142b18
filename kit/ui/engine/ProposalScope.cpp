// Proposal scopes: a view's descendants can be sized against what the
// outermost view marked with a scope's key was offered (its share of the
// frame a composed view was given), whatever the views between them took.
// Sizes measured under a scope are kept per scope as well as per proposal
// (HostCore::scopeStamp), so a new offer to the scope measures them again.

#include "kit/ui/GeometryReader.h"
#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/LayoutModifier.h"

#include <algorithm>
#include <cmath>

namespace kit::detail {

HostCore::ProposalScope::ProposalScope(HostCore& host, const AnyKey& key, ProposedSize proposal) : host_(host)
{
    for (const auto& [k, p] : host.scopes_)
        if (k == key)
            return;
    host.scopes_.emplace_back(key, proposal);
    host.updateScopeStamp();
    pushed_ = true;
}

HostCore::ProposalScope::~ProposalScope()
{
    if (!pushed_)
        return;
    host_.scopes_.pop_back();
    host_.updateScopeStamp();
}

std::optional<ProposedSize> HostCore::scopeProposal(const AnyKey& key) const
{
    for (const auto& [k, p] : scopes_)
        if (k == key)
            return p;
    return std::nullopt;
}

void HostCore::noteScopeHolder(const AnyKey& key, Node& node)
{
    for (auto& [k, id] : scopeHolders_)
        if (k == key) {
            id = node.id;
            return;
        }
    scopeHolders_.emplace_back(key, node.id);
}

std::optional<Rect> HostCore::scopeFrame(const AnyKey& key)
{
    for (const auto& [k, id] : scopeHolders_) {
        if (!(k == key))
            continue;
        const auto it = nodes_.find(id);
        if (it == nodes_.end() || it->second->removing)
            return std::nullopt;
        const Node& n = *it->second;
        return Rect(0, 0, n.frame.size.width, n.frame.size.height).applying(targetTransformToHost(*it->second));
    }
    return std::nullopt;
}

void HostCore::updateScopeStamp()
{
    std::uint64_t stamp = 0;
    const auto mix = [&stamp](std::uint64_t v) { stamp = (stamp ^ v) * 0x100000001b3ull + 0x9e3779b97f4a7c15ull; };
    for (const auto& [k, p] : scopes_) {
        mix(k.hash());
        mix(std::hash<double>{}(p.width.value_or(-1)));
        mix(std::hash<double>{}(p.height.value_or(-1)));
    }
    scopeStamp_ = stamp;
}

namespace {

// Marks its content as a scope under `key`: while it is measured or placed,
// the proposal it was offered is the scope's, unless a view around it holds
// the scope already.
class ProposalScopeModifier final : public ModifierPrimitive {
public:
    ProposalScopeModifier(View content, AnyKey key) : ModifierPrimitive(std::move(content)), key_(std::move(key)) {}
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).key_ == key_; }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        const HostCore::ProposalScope scope(node.host, key_, p);
        return ModifierPrimitive::sizeThatFits(node, p);
    }
    void placeChildren(Node& node, ProposedSize p, Size size) const override
    {
        const HostCore::ProposalScope scope(node.host, key_, p);
        if (scope.holds())
            node.host.noteScopeHolder(key_, node);
        ModifierPrimitive::placeChildren(node, p, size);
    }

private:
    AnyKey key_;
};

// At least `fraction` of the scope's offer in each dimension the scope was
// offered a length in: its content is offered that much at least, and it
// takes that much at least, the content centred in it.
class ScopeShare final : public LayoutModifier {
public:
    ScopeShare(View content, AnyKey key, Size fraction)
        : LayoutModifier(std::move(content)), key_(std::move(key)), fraction_(fraction)
    {
    }
    bool sameLayout(const Primitive& other) const override
    {
        const ScopeShare& o = sameClass(*this, other);
        return o.key_ == key_ && o.fraction_ == fraction_;
    }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        const Size least = minimum(node);
        const Size child = contentSize(node, childProposal(node, p));
        return {std::max(child.width, least.width), std::max(child.height, least.height)};
    }

protected:
    ProposedSize childProposal(Node& node, ProposedSize p) const override
    {
        const Size least = minimum(node);
        const auto raised = [](std::optional<double> d, double least) -> std::optional<double> {
            return d ? std::optional<double>(std::max(*d, least)) : d;
        };
        return {raised(p.width, least.width), raised(p.height, least.height)};
    }
    Point childOrigin(Node&, Size size, const Content& content) const override
    {
        return aligned(size, content, Alignment::center());
    }

private:
    Size minimum(Node& node) const
    {
        const std::optional<ProposedSize> scope = node.host.scopeProposal(key_);
        if (!scope)
            return {0, 0};
        const auto share = [](std::optional<double> d, double f) {
            return d && std::isfinite(*d) ? std::max(0.0, *d * f) : 0.0;
        };
        return {share(scope->width, fraction_.width), share(scope->height, fraction_.height)};
    }

    AnyKey key_;
    Size fraction_;
};

} // namespace

View proposalScope(const View& v, AnyKey key)
{
    return View(std::make_shared<ProposalScopeModifier>(v, std::move(key)));
}

View minimumShare(const View& v, AnyKey key, Size fraction)
{
    return View(std::make_shared<ScopeShare>(v, std::move(key), fraction));
}

} // namespace kit::detail
