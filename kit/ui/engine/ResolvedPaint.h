#pragma once

#include "kit/base/Paint.h"
#include "kit/ui/Environment.h"

namespace kit::detail {

// `paint` with its colours (a flat colour, or each stop of a gradient)
// looked up in `environment`, as the display list holds them.
Paint resolvedPaint(Paint paint, const EnvironmentValues& environment);

} // namespace kit::detail
