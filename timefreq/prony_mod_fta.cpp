#include "timefreq/prony_mod_fta.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "numeric/fft.h"
#include "spectrum/prony_modified.h"

namespace vorenta {
namespace {

// y[index(n)] += h * z^n for n = 0 .. count-1, z^n by repeated products.
void AddPowers(std::vector<ExtendedComplex>& y, ExtendedComplex h, ExtendedComplex z, int count, int start,
               int direction) {
  ExtendedComplex term = h;
  for (int n = 0; n < count; ++n) {
    y[start + direction * n] += term;
    term *= z;
  }
}

}  // namespace

void PronyModFTA::ComputeWindow(const AnalyticSignalClass& signal, int offset) {
  const int w = WindowSize;
  if (w == 0) return;
  PrepareBuffers(w);
  const int q = PairCount;
  if (q < 1 || 3 * q > w) throw std::domain_error("no exponent pairs fit the window");

  std::vector<ExtendedComplex> x(w);
  const int first = AnalysisStart(signal) + offset - w / 2;
  for (int j = 0; j < w; ++j) {
    const std::complex<double> v = SampleAt(signal, first + j);
    x[j] = {v.real(), v.imag()};
  }
  ExtendedSystem system(2 * q);
  BuildModifiedPronySystem(x.data(), w, q, system);
  const std::vector<ExtendedComplex> roots = PredictionPolynomialRoots(ModifiedPronyPolynomial(system.Solve()));
  const std::vector<ExtendedComplex> amplitudes = FitExponentialAmplitudes(roots, x);

  // Two-sided sequence: each component at constant modulus on one side of
  // the window start and decaying away from it on the other, so none grows.
  const int n = FftSize;
  const int positive = (n + 1) / 2;  // n = 0 .. positive-1 at indices 0 ..
  const int negative = n - positive; // n = -1 .. -negative at indices n-1 ..
  std::vector<ExtendedComplex> y(n, 0.0L);
  for (std::size_t k = 0; k < roots.size(); ++k) {
    const ExtendedComplex z = roots[k];
    const long double modulus2 = std::norm(z);
    if (modulus2 <= 1e-20L) {
      y[0] += amplitudes[k];  // an impulse at the window start
      continue;
    }
    const long double modulus = std::sqrt(modulus2);
    const ExtendedComplex forward = modulus2 > 1.0L ? z / modulus : z;
    const ExtendedComplex inverse = 1.0L / (modulus2 < 1.0L ? z / modulus : z);
    AddPowers(y, amplitudes[k], forward, positive, 0, 1);
    AddPowers(y, amplitudes[k] * inverse, inverse, negative, n - 1, -1);
  }
  for (int i = 0; i < n; ++i) {
    re_[i] = static_cast<double>(y[i].real());
    im_[i] = static_cast<double>(y[i].imag());
  }
  int failure = 0;
  ComplexFft(re_.data(), im_.data(), n, failure);
  for (int j = 0; j < n; ++j) re_[j] = std::hypot(re_[j], im_[j]);
  const int column = offset / Step;
  StoreNormalisedBins(column, re_.data(), 1.0, 0.0, false);
}

}  // namespace vorenta
