#pragma once

#include "kit/ui/engine/Primitive.h"

#include <memory>
#include <type_traits>
#include <typeinfo>

namespace kit::detail {

// `p` as the primitive of final type T, or null. The passes ask this of
// every node they visit (is it a group, an id, a named coordinate space?),
// and a type's identity answers it at once where dynamic_cast would walk
// the class hierarchy by name.
template <class T>
const T* primitiveAs(const Primitive* p)
{
    static_assert(std::is_final_v<T>);
    return p && typeid(*p) == typeid(T) ? static_cast<const T*>(p) : nullptr;
}

template <class T>
std::shared_ptr<const T> primitiveAs(const std::shared_ptr<const Primitive>& p)
{
    return primitiveAs<T>(p.get()) ? std::static_pointer_cast<const T>(p) : nullptr;
}

} // namespace kit::detail
