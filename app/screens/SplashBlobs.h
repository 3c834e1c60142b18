#pragma once

#include <QWidget>

namespace qm {

// The splash screen's four stacked blobs in the application's colour, sized
// to the splash screen's layers and centred on one another.
QWidget* makeSplashBlobs(QWidget* parent);

} // namespace qm
