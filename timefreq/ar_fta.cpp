#include "timefreq/ar_fta.h"

#include <algorithm>
#include <stdexcept>

#include "numeric/complex_system.h"
#include "spectrum/ar_model.h"

namespace vorenta {

void ArGridFTA::ReadWindow(const AnalyticSignalClass& signal, int offset) {
  window_.resize(WindowSize);
  const int first = AnalysisStart(signal) + offset - WindowSize / 2;
  bool allZero = true;
  for (int j = 0; j < WindowSize; ++j) {
    window_[j] = SampleAt(signal, first + j);
    allZero = allZero && window_[j] == 0.0;
  }
  if (allZero) throw std::domain_error("window of zeros");
}

void ArGridFTA::StoreFilterSpectrum(int offset, const std::complex<double>* filter, int order) {
  const int failure = PredictionErrorSpectrum(filter, order, 1.0, re_.data(), FftSize);
  if (failure != 0) throw std::runtime_error("transform refused");
  const int column = offset / Step;
  StoreNormalisedBins(column, re_.data(), 1.0, 0.0, false);
}

void BurgFTA::ComputeWindow(const AnalyticSignalClass& signal, int offset) {
  const int w = WindowSize;
  const int p = FitOrder();
  if (w == 0 || p >= w) return;
  PrepareBuffers(w);
  ReadWindow(signal, offset);
  forward_ = window_;
  backward_ = window_;
  filter_.assign(p + 1, 0.0);
  filter_[0] = 1.0;
  for (int m = 0; m < p; ++m) {
    std::complex<double> s = 0.0;
    double d = 0.0;
    for (int j = m + 1; j < w; ++j) {
      s += forward_[j] * std::conj(backward_[j - 1]);
      d += std::norm(forward_[j]) + std::norm(backward_[j - 1]);
    }
    if (d == 0.0) break;  // the errors vanished: the model is complete
    const std::complex<double> k = -2.0 * s / d;
    for (int j = w - 1; j > m; --j) {
      const std::complex<double> f = forward_[j];
      forward_[j] = f + k * backward_[j - 1];
      backward_[j] = backward_[j - 1] + std::conj(k) * f;
    }
    previous_.assign(filter_.begin(), filter_.begin() + m + 1);
    for (int i = 1; i <= m; ++i) filter_[i] = previous_[i] + k * std::conj(previous_[m + 1 - i]);
    filter_[m + 1] = k;
    if (1.0 - std::norm(k) < 1e-10) break;
  }
  StoreFilterSpectrum(offset, filter_.data(), p);
}

void CovarModFTA::ComputeWindow(const AnalyticSignalClass& signal, int offset) {
  const int w = WindowSize;
  const int p = FitOrder();
  if (w == 0) return;
  PrepareBuffers(w);
  ReadWindow(signal, offset);
  if (p >= w) throw std::domain_error("order outside the window");
  using Complex = std::complex<long double>;
  std::vector<Complex> x(window_.begin(), window_.end());
  std::vector<Complex> matrix(static_cast<std::size_t>(p) * p), rhs(p), solution(p);
  std::vector<Complex*> rows(p);
  for (int i = 0; i < p; ++i) rows[i] = matrix.data() + static_cast<std::size_t>(i) * p;
  for (int i = 1; i <= p; ++i) {
    Complex r = 0;
    for (int n = p; n < w; ++n) r -= x[n] * std::conj(x[n - i]) + std::conj(x[n - p]) * x[n - p + i];
    rhs[i - 1] = r;
    for (int j = 1; j <= p; ++j) {
      Complex sum = 0;
      for (int n = p; n < w; ++n) sum += std::conj(x[n - i]) * x[n - j] + x[n - p + i] * std::conj(x[n - p + j]);
      rows[i - 1][j - 1] = sum;
    }
  }
  if (p > 0) SolveComplexSystem(p, rows.data(), rhs.data(), solution.data());
  std::vector<std::complex<double>> filter(p + 1);
  filter[0] = 1.0;
  for (int i = 0; i < p; ++i) filter[i + 1] = std::complex<double>(solution[i]);
  StoreFilterSpectrum(offset, filter.data(), p);
}

}  // namespace vorenta
