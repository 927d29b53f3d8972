#pragma once
// Staging of the selection into SampleBuffer for the spectrum runs.

#include <cstdint>

namespace vorenta {

// Number of samples in the inclusive range start .. end: end - start + 1, or 0
// when end < start. Computed in 64 bits, so no pair of int32 bounds overflows.
std::int64_t SelectionLength(std::int32_t start, std::int32_t end);

// Copies the first min(N, 10000) samples of the selection start .. end into
// SampleBuffer: SampleBuffer[n] := (Channel1[start + n], Channel2[start + n])
// (reads outside a channel give 0). Entries past the staged ones keep their
// content. Returns the staged count N' (0 for an empty selection).
int StageSelection(std::int32_t start, std::int32_t end);

// True when SampleBuffer[0 .. count-1] holds only zeros (real and imaginary
// parts), i.e. a staged selection with nothing to estimate from.
bool StagedSamplesAllZero(int count);

}  // namespace vorenta
