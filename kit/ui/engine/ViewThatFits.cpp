// A view that takes the first of its candidates that fits (ViewThatFits):
// each candidate stands in a slot of its own, so its state stays while
// another is shown; the chosen slot is worked out from the proposal each
// time the view is measured or placed, and only it is placed and drawn.

#include "kit/ui/ViewThatFits.h"

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/GroupLayout.h"
#include "kit/ui/engine/Primitive.h"
#include "kit/ui/engine/StackLayout.h"

namespace kit {

namespace detail {
namespace {

// The slot a node draws: the one chosen when it was last placed.
struct ChosenCandidate {
    int slot = -1;
};

class ViewThatFitsPrimitive final : public Primitive {
public:
    ViewThatFitsPrimitive(FitAxes axes, std::vector<View> candidates) : axes_(axes), candidates_(std::move(candidates))
    {
    }
    NodeRole role() const override { return NodeRole::container; }
    bool sameLayout(const Primitive& other) const override
    {
        const auto& o = sameClass(*this, other);
        return o.axes_ == axes_ && o.candidates_.size() == candidates_.size();
    }
    void update(Node& node) const override
    {
        std::vector<ChildSpec> specs;
        for (std::size_t i = 0; i < candidates_.size(); ++i)
            specs.push_back({int(i), {}, candidates_[i]});
        reconcileChildren(node, specs);
    }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        const int slot = choose(node, p);
        return slot < 0 ? Size{0, 0} : measure(node, slot, p);
    }
    void placeChildren(Node& node, ProposedSize p, Size size) const override
    {
        const int slot = choose(node, p);
        node.data<ChosenCandidate>().slot = slot;
        if (slot < 0)
            return;
        const std::vector<Node*> items = node.items(slot);
        assignAxis(items, node.stackAxis, node.enclosingAxis);
        placeItems(items, {0, 0}, p, size, Arrangement::depth, Alignment::center());
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const int slot = node.data<ChosenCandidate>().slot;
        if (slot >= 0)
            builder.drawSlot(node, slot, state);
    }

private:
    Size measure(Node& node, int slot, ProposedSize p) const
    {
        const std::vector<Node*> items = node.items(slot);
        assignAxis(items, node.stackAxis, node.enclosingAxis);
        return measureItems(items, p, Arrangement::depth, Alignment::center());
    }
    // The first slot whose ideal size along the axes fits `p`, else the last.
    int choose(Node& node, ProposedSize p) const
    {
        const int last = int(candidates_.size()) - 1;
        const bool across = axes_ != FitAxes::vertical, down = axes_ != FitAxes::horizontal;
        for (int slot = 0; slot < last; ++slot) {
            const ProposedSize ideal{across ? std::nullopt : p.width, down ? std::nullopt : p.height};
            const Size s = measure(node, slot, ideal);
            const bool fitsAcross = !across || !p.width || s.width <= *p.width + 1e-9;
            const bool fitsDown = !down || !p.height || s.height <= *p.height + 1e-9;
            if (fitsAcross && fitsDown)
                return slot;
        }
        return last;
    }

    FitAxes axes_;
    std::vector<View> candidates_;
};

} // namespace
} // namespace detail

View ViewThatFits(FitAxes axes, std::vector<View> candidates)
{
    return View(std::make_shared<detail::ViewThatFitsPrimitive>(axes, std::move(candidates)));
}

} // namespace kit
