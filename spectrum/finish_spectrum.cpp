#include "spectrum/finish_spectrum.h"

#include <algorithm>
#include <cmath>

#include "spectrum/result_model.h"

namespace vorenta {

namespace {
constexpr double kRelativeFloor = 1e-5;
}

std::optional<DecibelRange> FinishSpectrum(double* spectrum, int length) {
  if (length <= 0) return std::nullopt;
  double peak = 0.0;
  for (int k = 0; k < length; ++k) {
    if (spectrum[k] > peak) peak = spectrum[k];
  }
  // A zero or infinite peak would make every ratio 0/0 or inf/inf.
  if (!(peak > 0.0) || !std::isfinite(peak)) return std::nullopt;

  // The peak bin maps to exactly 0 dB, so the largest value is 0.
  DecibelRange range{0.0, 0.0};
  for (int k = 0; k < length; ++k) {
    double ratio = spectrum[k] / peak;
    if (!(ratio >= kRelativeFloor)) ratio = kRelativeFloor;
    spectrum[k] = 20.0 * std::log10(ratio);
    range.Smallest = std::min(range.Smallest, spectrum[k]);
  }
  return range;
}

std::optional<DecibelRange> FinishSpectrumDb() {
  return FinishSpectrum(SpectrumDb.data(), kSpectrumBins);
}

}  // namespace vorenta
