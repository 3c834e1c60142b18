#include "app/lifecycle/ApplicationStrings.h"

namespace qm {

kit::StringTable::Entries applicationStrings()
{
    return {
        // The accessibility labels of legend entries, axis labels and markers.
        {"Pie-Chart-Legend", "Pie chart legend"},   {"Bar-Chart-Legend", "Bar chart legend"},
        {"Line-Chart-Legend", "Line chart legend"}, {"P-O-I-Marker-Legend", "Point of interest legend"},
        {"P-O-I-Marker", "Point of interest"},      {"X-Axis-Label", "X-axis label"},
        {"Y-Axis-Label", "Y-axis label"},
    };
}

void installApplicationStrings()
{
    kit::StringTable::setActive(applicationStrings());
}

} // namespace qm
