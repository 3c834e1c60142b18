#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace qm {

// The icon of a named symbol ("folder", "plus.circle", "chevron.left", ...)
// drawn in `color` (the text colour of the palette when invalid).
QIcon symbolIcon(const QString& name, const QColor& color = QColor());

} // namespace qm
