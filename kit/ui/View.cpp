#include "kit/ui/View.h"

#include "kit/ui/StructureViews.h"

namespace kit {

View::View() : primitive_(std::make_shared<detail::EmptyPrimitive>()) {}

View::View(std::shared_ptr<const detail::Primitive> primitive) : primitive_(std::move(primitive)) {}

bool View::isEmptyView() const
{
    return dynamic_cast<const detail::EmptyPrimitive*>(primitive_.get()) != nullptr;
}

} // namespace kit
