// The modifiers that change the transaction of their subtree: animation(_:value:)
// and transaction(_:).

#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/Primitive.h"

namespace kit::detail {

namespace {

class AnimationModifier final : public LayoutNeutralModifier {
    struct Seen {
        std::optional<std::uint64_t> token;
        std::uint64_t changedRound = 0;
    };

public:
    AnimationModifier(View content, std::optional<Animation> animation, std::uint64_t token)
        : LayoutNeutralModifier(std::move(content)), animation_(std::move(animation)), token_(token)
    {
    }
    void update(Node& node) const override
    {
        Seen& seen = node.data<Seen>();
        if (seen.token && *seen.token != token_)
            seen.changedRound = node.host.round();
        seen.token = token_;
        ModifierPrimitive::update(node);
    }
    void adjustTransaction(Node& node, Transaction& t) const override
    {
        const Seen& seen = node.data<Seen>();
        if (seen.changedRound == node.host.round() && !t.disablesAnimations)
            t.animation = animation_;
    }

private:
    std::optional<Animation> animation_;
    std::uint64_t token_;
};

class TransactionModifier final : public LayoutNeutralModifier {
public:
    TransactionModifier(View content, std::function<void(Transaction&)> change)
        : LayoutNeutralModifier(std::move(content)), change_(std::move(change))
    {
    }
    void adjustTransaction(Node&, Transaction& t) const override { change_(t); }

private:
    std::function<void(Transaction&)> change_;
};

} // namespace

View animation(const View& v, std::optional<Animation> animation, std::uint64_t token)
{
    return modify(v, [=](View c) { return std::make_shared<AnimationModifier>(std::move(c), animation, token); });
}

View transaction(const View& v, std::function<void(Transaction&)> change)
{
    return modify(v, [=](View c) { return std::make_shared<TransactionModifier>(std::move(c), change); });
}

} // namespace kit::detail
