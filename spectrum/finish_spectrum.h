#pragma once
// Conversion of a magnitude spectrum into decibels relative to its peak.

#include <optional>

namespace vorenta {

struct DecibelRange {
  double Smallest = 0;
  double Largest = 0;
};

// Turns the `length` magnitudes of `spectrum` (>= 0) into decibels:
//   v := 20 * log10(max(v / M, 1e-5)),  M = the largest magnitude,
// so the peak becomes 0 dB and nothing lies below -100 dB (a NaN bin counts
// as the floor). Returns the smallest and largest decibel values.
// Returns nothing and leaves `spectrum` untouched when there is no peak to
// normalise by: M is 0 (an all-zero spectrum), M is not finite, or
// length <= 0. Callers turn that into their method's failure.
std::optional<DecibelRange> FinishSpectrum(double* spectrum, int length);

// FinishSpectrum over the result model's SpectrumDb (10000 bins).
std::optional<DecibelRange> FinishSpectrumDb();

}  // namespace vorenta
