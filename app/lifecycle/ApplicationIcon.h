#pragma once

#include "kit/base/Bundle.h"

#include <QIcon>
#include <QString>

namespace qm {

// The application's icon from its bundle's own hicolor theme folder
// (<root>/share/icons/hicolor/<n>x<n>/apps/<id>.png, every size there), so
// windows show it wherever the bundle lies, installed, unpacked or a build
// folder; null when the bundle has none.
QIcon applicationIcon(const kit::Bundle& bundle, const QString& appId);

} // namespace qm
