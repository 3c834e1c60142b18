#include "app/screens/EntryTable.h"

namespace qm {

SortOrder nextSortOrder(const SortOrder& current, int column)
{
    SortOrder next;
    if (!current.empty() && current.front().column == column)
        next.push_back({column, !current.front().reverse});
    else
        next.push_back({column, false});
    for (const SortDescriptor& d : current) {
        if (d.column != column)
            next.push_back(d);
    }
    return next;
}

} // namespace qm
