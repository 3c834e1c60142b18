#pragma once

#include "kit/base/Color.h"
#include "kit/ui/View.h"

#include <QWidget>

namespace qm {

// The splash screen's four stacked blobs in `colour`, sized to the splash
// screen's layers and centred on one another: always moving while shown.
kit::View splashBlobs(kit::Color colour);

// The blobs in the application's colour, in a widget of their own.
QWidget* makeSplashBlobs(QWidget* parent);

} // namespace qm
