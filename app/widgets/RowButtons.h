#pragma once

#include "app/widgets/BorderlessButton.h"

class QAbstractItemView;

namespace qm {

// A button standing in a row of a table (inside an index widget), such as a
// language's chevron. Qt's table interface tells screen readers of cells
// only, never of the widgets in them: exposeRowButtons() makes the table's
// row buttons children of the widget around the table, after its own
// children, row by row, each a button with a press action.
class RowButton : public BorderlessButton {
    Q_OBJECT

public:
    using BorderlessButton::BorderlessButton;
};

// Lists the row buttons of `view`'s index widgets among the accessible
// children of the view's parent widget.
void exposeRowButtons(QAbstractItemView* view);

} // namespace qm
