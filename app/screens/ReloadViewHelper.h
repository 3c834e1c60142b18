#pragma once

#include "kit/base/ObservableObject.h"

namespace qm {

// An empty observable object: sending its change signal redraws the project
// screen that holds it.
class ReloadViewHelper : public kit::ObservableObject {};

} // namespace qm
