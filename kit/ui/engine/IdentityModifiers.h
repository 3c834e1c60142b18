#pragma once

#include "kit/ui/AnyKey.h"
#include "kit/ui/engine/Node.h"

#include <optional>
#include <string>

namespace kit::detail {

// The key of an id(_:) modifier node, if the node is one.
const AnyKey* explicitId(Node& node);
// The name a coordinateSpace(name:) modifier node gives, if the node is one.
std::optional<std::string> coordinateSpaceName(Node& node);
// The key a layoutAnchor modifier node marks its frame under, if the node is one.
const AnyKey* layoutAnchorKey(Node& node);

} // namespace kit::detail
