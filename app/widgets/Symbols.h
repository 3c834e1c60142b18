#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qm {

// A named symbol of the kit's registry ("folder", "plus.circle",
// "chevron.left", ...) drawn in `color` (the palette's text colour when
// invalid); `secondary` colours the second layer of two-colour symbols.
QPixmap symbolPixmap(const QString& name, int size, const QColor& color = QColor(), const QColor& secondary = QColor());
QIcon symbolIcon(const QString& name, const QColor& color = QColor());

} // namespace qm
