#include "timefreq/wvp_fta.h"

#include <algorithm>
#include <complex>

#include "numeric/fft.h"

namespace vorenta {

WVP_FTA::WVP_FTA(int fftSize) : GridFTA(fftSize) {
  FreqMax = 0.25;
  FreqMin = -0.25;
}

void WVP_FTA::TransformLagProduct(const AnalyticSignalClass& signal, int centre) {
  const int n = FftSize;
  const int half = (WindowSize + 1) / 2;
  std::fill(re_.begin(), re_.end(), 0.0);
  std::fill(im_.begin(), im_.end(), 0.0);
  for (int i = 1; i < half; ++i) {
    const std::complex<double> p = SampleAt(signal, centre + i) * std::conj(SampleAt(signal, centre - i));
    re_[i] = p.real();
    im_[i] = p.imag();
    re_[n - i] = p.real();
    im_[n - i] = -p.imag();
  }
  re_[0] = std::norm(SampleAt(signal, centre));
  int failure = 0;
  ComplexFft(re_.data(), im_.data(), n, failure);
}

void WVP_FTA::ComputeWindow(const AnalyticSignalClass& signal, int offset) {
  if (WindowSize == 0) return;
  PrepareBuffers(WindowSize);
  TransformLagProduct(signal, AnalysisStart(signal) + offset);
  const int column = offset / Step;
  StoreNormalisedBins(column, re_.data(), 0.5, -1e300, false);
}

}  // namespace vorenta
