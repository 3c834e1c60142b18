#pragma once

// The whole declarative view layer in one include.

#include "kit/ui/AccessibilityElements.h"
#include "kit/ui/Animation.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Grid.h"
#include "kit/ui/Image.h"
#include "kit/ui/Marks.h"
#include "kit/ui/ObservedObject.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/State.h"
#include "kit/ui/Text.h"
#include "kit/ui/Transaction.h"
#include "kit/ui/View.h"
#include "kit/ui/ViewHost.h"
#include "kit/ui/ViewThatFits.h"
