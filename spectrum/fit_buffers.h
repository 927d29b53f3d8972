#pragma once
// The data a sinusoid fit works on: process-wide, because the minimisers call
// their objective without context. The spectrum-tab fits load the selection
// here; the moving-window estimators load their own windows.

#include <array>
#include <cstdint>

namespace vorenta {

inline constexpr int kFitBufferLength = 10000;

// Real parts (channel 1) and imaginary parts (channel 2) of the samples being
// fitted; entries 0 .. FitLength-1 are valid.
extern std::array<double, kFitBufferLength> FitBufferRe;
extern std::array<double, kFitBufferLength> FitBufferIm;
// Number of valid samples, 0 .. kFitBufferLength. Readers clamp it into that
// range, so a stray value can never index outside the buffers.
extern int FitLength;

// The number of fit-buffer entries a reader may use: FitLength clamped into
// 0 .. kFitBufferLength.
int FitSampleCount();

// Copies the first min(N, kFitBufferLength) samples of the selection
// start .. end (inclusive; N = end - start + 1, empty when end < start) from
// Channel1 and Channel2 (reads outside a channel give 0), sets FitLength to
// that count and returns it. Entries past it keep their content.
int LoadFitBuffersFromSelection(std::int32_t start, std::int32_t end);

// Copies count samples from re and im (count clamped into
// 0 .. kFitBufferLength; the arrays must hold that many), sets FitLength to
// the clamped count and returns it.
int LoadFitBuffers(const double* re, const double* im, int count);

}  // namespace vorenta
