#include "spectrum/ar_burg.h"

#include <complex>
#include <limits>
#include <vector>

#include "spectrum/ar_model.h"
#include "spectrum/ar_run.h"
#include "spectrum/method_parameters.h"
#include "spectrum/result_model.h"
#include "spectrum/spectrum_messages.h"

namespace vorenta {

namespace {

using Complex = std::complex<double>;

// One lattice stage m: the reflection coefficient from the current errors,
// or 0 when they have all vanished. Sets zeroDenominator when they had.
Complex ReflectionCoefficient(const std::vector<Complex>& f, const std::vector<Complex>& b, int m, int length,
                              bool& zeroDenominator) {
  Complex numerator = 0.0;
  double denominator = 0.0;
  for (int n = m + 1; n < length; ++n) {
    numerator += f[n] * std::conj(b[n - 1]);
    denominator += std::norm(f[n]) + std::norm(b[n - 1]);
  }
  zeroDenominator = denominator == 0.0;
  return zeroDenominator ? Complex(0.0) : -2.0 * numerator / denominator;
}

}  // namespace

int BurgSpectrum(ComplexSample* segment, int capacity, int length, int order, double* output, int spectrumLength) {
  if (length < 2 || order < 1 || order >= length || capacity < length || spectrumLength <= order) {
    return burg_failure::kInvalidArguments;
  }
  std::vector<Complex> forward(length);
  for (int n = 0; n < length; ++n) forward[n] = Complex(segment[n].re, segment[n].im);
  std::vector<Complex> backward = forward;
  std::vector<Complex> filter(order + 1, 0.0);
  std::vector<Complex> previous(order + 1, 0.0);
  filter[0] = 1.0;
  double errorPower = 0.0;

  for (int m = 0; m < order; ++m) {
    bool zeroDenominator = false;
    const Complex k = ReflectionCoefficient(forward, backward, m, length, zeroDenominator);
    if (zeroDenominator && m == 0) return burg_failure::kZeroSegment;
    for (int n = length - 1; n > m; --n) {
      const Complex oldForward = forward[n];
      forward[n] += k * backward[n - 1];
      backward[n] = backward[n - 1] + std::conj(k) * oldForward;
    }
    previous = filter;
    for (int j = 1; j <= m; ++j) filter[j] = previous[j] + k * std::conj(previous[m + 1 - j]);
    filter[m + 1] = k;
    double sum = 0.0;
    for (int n = m + 1; n < length; ++n) sum += std::norm(forward[n]) + std::norm(backward[n]);
    errorPower = sum / length * 0.5;
  }

  const double gain = errorPower >= std::numeric_limits<double>::min() ? errorPower : 1.0;
  std::vector<double> spectrum(spectrumLength);
  const int failure = PredictionErrorSpectrum(filter.data(), order, gain, spectrum.data(), spectrumLength);
  if (failure != 0) return burg_failure::kTransform;
  ForecastArModel(segment, capacity, length, filter.data(), order);
  std::copy(spectrum.begin(), spectrum.end(), output);
  return burg_failure::kNone;
}

SpectrumRunReport RunArBurg(const SpectrumRunRequest& request) {
  return RunArMethod(request, result_kind::kArBurg, ClampBurgOrder, BurgSpectrum, kBurgFailureMessage);
}

}  // namespace vorenta
