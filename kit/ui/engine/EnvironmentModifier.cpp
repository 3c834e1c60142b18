// environment(change): changes the environment of its content's subtree.

#include "kit/ui/engine/Primitive.h"

namespace kit::detail {

namespace {

class EnvironmentModifier final : public LayoutNeutralModifier {
public:
    EnvironmentModifier(View content, std::function<void(EnvironmentValues&)> change)
        : LayoutNeutralModifier(std::move(content)), change_(std::move(change))
    {
    }
    bool adjustsEnvironment() const override { return true; }
    void adjustEnvironment(EnvironmentValues& e) const override { change_(e); }

private:
    std::function<void(EnvironmentValues&)> change_;
};

} // namespace

View environment(const View& v, std::function<void(EnvironmentValues&)> change)
{
    return modify(v, [=](View c) { return std::make_shared<EnvironmentModifier>(std::move(c), change); });
}

} // namespace kit::detail
