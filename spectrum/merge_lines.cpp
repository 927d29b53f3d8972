#include "spectrum/merge_lines.h"

#include <cmath>
#include <complex>
#include <cstddef>
#include <numbers>

namespace vorenta {

namespace {

constexpr double kCancelledGroupPower = 1e-15;

// Appends the line of raw[first .. last) to merged, unless the group cancels.
void MergeGroup(const std::vector<SinModel>& raw, std::size_t first, std::size_t last, double referenceTime,
                std::vector<SinModel>& merged) {
  std::complex<double> z;
  double p = 0;
  double q = 0;
  for (std::size_t k = first; k < last; ++k) {
    const SinModel& line = raw[k];
    // Signed amplitudes occur (real-amplitude fits), which std::polar does not allow.
    const double angle = 2 * std::numbers::pi * line.Frequency * referenceTime + line.Phase;
    z += line.Amplitude * std::complex<double>(std::cos(angle), std::sin(angle));
    p += line.SinTerm;
    q += line.CosTerm;
  }
  const double power = std::norm(z);
  if (power < kCancelledGroupPower) return;
  const double frequency = (z.real() * q - z.imag() * p) / power;
  merged.push_back(SinModel{frequency, std::sqrt(power),
                            std::arg(z) - 2 * std::numbers::pi * referenceTime * frequency, p, q});
}

void MergeRound(const std::vector<SinModel>& raw, double distance, double referenceTime,
                std::vector<SinModel>& merged) {
  merged.clear();
  std::size_t first = 0;
  while (first < raw.size()) {
    std::size_t last = first + 1;
    while (last < raw.size() && std::abs(raw[last].Frequency - raw[last - 1].Frequency) < distance) ++last;
    MergeGroup(raw, first, last, referenceTime, merged);
    first = last;
  }
}

}  // namespace

void MergeLines(SpectrumLineLists& lines, double distance, double referenceTime) {
  for (;;) {
    MergeRound(lines.Raw, distance, referenceTime, lines.Merged);
    if (lines.Merged.size() == lines.Raw.size()) return;
    lines.Raw = lines.Merged;
  }
}

}  // namespace vorenta
