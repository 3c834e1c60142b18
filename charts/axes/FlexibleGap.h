#pragma once

#include "kit/ui/Stacks.h"
#include "kit/ui/View.h"

namespace charts {

// The flexible gaps between axis labels and between grid lines: spacers
// that grow from 0 up to 500 points and no further, so that labels and
// lines spread over the room they have without drifting apart on a very
// long axis.

// Between neighbours in a row.
inline kit::View flexibleLabelGap()
{
    return kit::Spacer().frame(kit::FlexFrame{.minWidth = 0, .maxWidth = 500});
}

// Between neighbours in a column.
inline kit::View flexibleColumnGap()
{
    return kit::Spacer().frame(kit::FlexFrame{.minHeight = 0, .maxHeight = 500});
}

} // namespace charts
