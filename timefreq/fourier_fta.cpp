#include "timefreq/fourier_fta.h"

#include <algorithm>
#include <cmath>

#include "numeric/fft.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorenta {
namespace {

// re[j] := sqrt(re[j]^2 + im[j]^2). The library sqrt tests each argument for
// errno, which keeps the loop scalar; the SSE2 square root gives the same
// correctly rounded values two at a time. The squares overflow only for
// magnitudes near 1e154, and the run's floating-point guard then turns the
// window into a zero column.
void ReplaceByMagnitudes(double* re, const double* im, int n) {
  int j = 0;
#if defined(__SSE2__)
  for (; j + 2 <= n; j += 2) {
    const __m128d r = _mm_loadu_pd(re + j);
    const __m128d i = _mm_loadu_pd(im + j);
    _mm_storeu_pd(re + j, _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(r, r), _mm_mul_pd(i, i))));
  }
#endif
  for (; j < n; ++j) re[j] = std::sqrt(re[j] * re[j] + im[j] * im[j]);
}

}  // namespace

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
  ReplaceByMagnitudes(re_.data(), im_.data(), FftSize);
  const int column = offset / Step;
  StoreNormalisedBins(column, re_.data(), 1.0, 0.0, true);
}

}  // namespace vorenta
