#include "spectrum/ar_model.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/fft.h"

namespace vorenta {

namespace {
constexpr double kFilterMagnitudeFloor = 1e-15;
}

void ForecastArModel(ComplexSample* segment, int capacity, int length, const std::complex<double>* filter, int order) {
  const int end = std::min(length + kArForecastLength, capacity);
  for (int n = length; n < end; ++n) {
    std::complex<double> prediction = 0.0;
    for (int m = 1; m <= order; ++m) {
      const ComplexSample& past = segment[n - m];
      prediction -= filter[m] * std::complex<double>(past.re, past.im);
    }
    segment[n] = ComplexSample{prediction.real(), prediction.imag()};
  }
}

int PredictionErrorSpectrum(const std::complex<double>* filter, int order, double gain, double* output,
                            int spectrumLength) {
  std::vector<double> re(spectrumLength, 0.0);
  std::vector<double> im(spectrumLength, 0.0);
  for (int m = 0; m <= order; ++m) {
    re[m] = filter[m].real();
    im[m] = filter[m].imag();
  }
  int failure = 0;
  ComplexFft(re.data(), im.data(), spectrumLength, failure);
  if (failure != 0) return failure;
  for (int k = 0; k < spectrumLength; ++k) {
    output[k] = gain / std::max(std::hypot(re[k], im[k]), kFilterMagnitudeFloor);
  }
  return 0;
}

}  // namespace vorenta
