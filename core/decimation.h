#pragma once
// Decimation of an imported signal by block means.

#include <cstdint>

#include "core/signal_store.h"

namespace vorenta {

// Replaces sample i of both channels and of the time base, for
// i = 0 .. N/factor - 1 (N the count of Channel1, integer division), by the
// mean of the `factor` input samples i·factor .. i·factor + factor - 1, then
// resizes all three members to N/factor (a remainder of fewer than `factor`
// rows is dropped) and re-estimates TimeStep. RangeStart and RangeEnd are each
// lowered to N/factor - 1 when at or above it. Means are summed in long
// double, so finite samples give finite means. factor 1 leaves the values as
// they are; factor 0 counts as 1.
//
// Returns the new count; false from a Resize (message shown, the member
// concerned left empty) gives -1.
std::int32_t DecimateSignal(AnalyticSignalClass& signal, std::uint16_t factor);

}  // namespace vorenta
