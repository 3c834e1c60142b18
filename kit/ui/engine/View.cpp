#include "kit/ui/View.h"

#include "kit/ui/engine/PrimitiveAs.h"
#include "kit/ui/engine/StructureViews.h"

namespace kit {

namespace {

// Every empty view shares one primitive: it holds nothing to tell them apart.
const std::shared_ptr<const detail::Primitive>& emptyPrimitive()
{
    static const std::shared_ptr<const detail::Primitive> empty = std::make_shared<detail::EmptyPrimitive>();
    return empty;
}

} // namespace

View::View() : primitive_(emptyPrimitive()) {}

View::View(std::shared_ptr<const detail::Primitive> primitive) : primitive_(std::move(primitive)) {}

bool View::isEmptyView() const
{
    return detail::primitiveAs<detail::EmptyPrimitive>(primitive_.get()) != nullptr;
}

} // namespace kit
