#pragma once

#include "kit/ui/Layout.h"
#include "kit/ui/View.h"

#include <vector>

namespace kit {

// Which dimensions a ViewThatFits compares with its proposal.
enum class FitAxes { horizontal, vertical, both };

// The first of `candidates` whose ideal size along `axes` (its size when
// that dimension is left unspecified) fits the proposal, or the last one
// when none does; only that one is laid out, drawn, hit and announced. A
// candidate that does not fit may be the smaller form of the one before
// (fewer rows, a shorter text) or nothing at all (EmptyView), which makes
// the view give way entirely where room is short.
//
//   ViewThatFits(FitAxes::vertical, {VStack({title, subtitle}), title, EmptyView()})
View ViewThatFits(FitAxes axes, std::vector<View> candidates);

} // namespace kit
