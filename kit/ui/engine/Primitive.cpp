#include "kit/ui/engine/Primitive.h"

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/GroupLayout.h"
#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/StackLayout.h"

namespace kit::detail {

// MARK: - Primitive defaults

void Primitive::update(Node&) const {}

Size Primitive::sizeThatFits(Node&, ProposedSize proposal) const
{
    return proposal.replacingUnspecified();
}

void Primitive::placeChildren(Node&, ProposedSize, Size) const {}

std::optional<double> Primitive::explicitGuide(Node&, HorizontalAlignment, Size) const
{
    return std::nullopt;
}

std::optional<double> Primitive::explicitGuide(Node&, VerticalAlignment, Size) const
{
    return std::nullopt;
}

void Primitive::draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const
{
    const int count = node.slotCount();
    for (int slot = 0; slot < count; ++slot)
        builder.drawSlot(node, slot, state);
}

// MARK: - ModifierPrimitive

void ModifierPrimitive::update(Node& node) const
{
    reconcileChild(node, {0, {}, content});
}

Size ModifierPrimitive::sizeThatFits(Node& node, ProposedSize proposal) const
{
    // Measuring changes no node's children (only placing a geometry reader
    // does), so the cached items are used as they stand.
    const std::vector<Node*>& items = node.items(0);
    passAxis(items, node);
    return measureItems(items, proposal, Arrangement::vertical, Alignment::center());
}

void ModifierPrimitive::placeChildren(Node& node, ProposedSize proposal, Size size) const
{
    placeItems(node.items(0), {0, 0}, proposal, size, Arrangement::vertical, Alignment::center());
}

std::optional<double> ModifierPrimitive::explicitGuide(Node& node, HorizontalAlignment g, Size size) const
{
    const std::vector<Node*>& items = node.items(0);
    if (items.size() != 1)
        return std::nullopt;
    Node& content = *items[0];
    return content.primitive->explicitGuide(content, g, size);
}

std::optional<double> ModifierPrimitive::explicitGuide(Node& node, VerticalAlignment g, Size size) const
{
    const std::vector<Node*>& items = node.items(0);
    if (items.size() != 1)
        return std::nullopt;
    Node& content = *items[0];
    return content.primitive->explicitGuide(content, g, size);
}

std::optional<double> ModifierPrimitive::layoutPriority() const
{
    return content.primitive()->layoutPriority();
}

std::optional<double> ModifierPrimitive::zIndex() const
{
    return content.primitive()->zIndex();
}

std::vector<ChildSpec> positional(const std::vector<View>& children)
{
    std::vector<ChildSpec> specs;
    for (std::size_t i = 0; i < children.size(); ++i)
        specs.push_back({0, AnyKey(i), children[i]});
    return specs;
}

void reconcileChildren(Node& node, std::vector<ChildSpec> specs)
{
    node.host.reconcileChildren(node, std::span<ChildSpec>(specs));
}

void reconcileChildren(Node& node, std::span<ChildSpec> specs)
{
    node.host.reconcileChildren(node, specs);
}

void reconcileChild(Node& node, ChildSpec spec)
{
    node.host.reconcileChildren(node, std::span<ChildSpec>(&spec, 1));
}

} // namespace kit::detail
