#include "timefreq/fourier_fta.h"

#include <algorithm>
#include <cmath>

#include "numeric/fft.h"

namespace vorenta {

void FourierFTA::ComputeWindow(const AnalyticSignalClass& signal, int offset) {
  if (WindowSize == 0) return;
  PrepareBuffers(WindowSize);
  const int first = AnalysisStart(signal) + offset - WindowSize / 2;
  for (int j = 0; j < WindowSize; ++j) {
    const std::complex<double> x = SampleAt(signal, first + j);
    re_[j] = x.real();
    im_[j] = x.imag();
  }
  std::fill(re_.begin() + WindowSize, re_.end(), 0.0);
  std::fill(im_.begin() + WindowSize, im_.end(), 0.0);
  int failure = 0;
  ComplexFft(re_.data(), im_.data(), FftSize, failure);
  // The squares may overflow only for magnitudes near 1e154; the run's
  // floating-point guard then turns the window into a zero column.
  for (int j = 0; j < FftSize; ++j) re_[j] = std::sqrt(re_[j] * re_[j] + im_[j] * im_[j]);
  const int column = offset / Step;
  NormaliseColumn(column, StoreBins(column, re_.data(), 1.0, 0.0), true);
}

}  // namespace vorenta
