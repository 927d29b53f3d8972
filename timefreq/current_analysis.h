#pragma once
// The estimator object of the time-frequency tab: it lives from one fresh
// run to the next, so a paused run can be continued and the image redrawn.

#include <memory>

#include "timefreq/fta.h"

namespace vorenta {

extern std::unique_ptr<FTA> CurrentAnalysis;

// The start-up state: a plain "Fourier" estimator with FFT size 1024 and no
// matrices.
void ResetCurrentAnalysis();

// Copies the selection into the analysed range of SignalStore: RangeStart is
// SelectionStart limited to 0 .. count - 1 of Channel1; RangeEnd is
// SelectionEnd, or 0 (with RangeStart 0) when SelectionEnd is negative. The
// run itself limits the end to the last sample.
void CopySelectionToAnalysisRange();

}  // namespace vorenta
