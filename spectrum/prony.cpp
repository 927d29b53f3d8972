#include "spectrum/prony.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <new>
#include <numbers>
#include <vector>

#include "core/error.h"
#include "numeric/fp_guard.h"
#include "spectrum/method_parameters.h"
#include "spectrum/prony_stages.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"

namespace vorenta {

namespace {

// Prediction coefficients (1, a_1 .. a_p) of the forward prediction system.
std::vector<ExtendedComplex> ForwardPredictionPolynomial(const std::vector<ExtendedComplex>& x, int order) {
  const auto last = static_cast<std::int64_t>(x.size()) - 1;
  ExtendedSystem system(order);
  for (int i = 1; i <= order; ++i) {
    for (int m = i; m <= order; ++m) {
      const ExtendedComplex product = LagProduct(x.data(), order, last, i, m);
      system.At(i - 1, m - 1) = product;
      system.At(m - 1, i - 1) = std::conj(product);
    }
    system.Rhs()[i - 1] = -LagProduct(x.data(), order, last, i, 0);
  }
  std::vector<ExtendedComplex> coefficients{ExtendedComplex(1.0L, 0.0L)};
  const std::vector<ExtendedComplex> a = system.Solve();
  coefficients.insert(coefficients.end(), a.begin(), a.end());
  return coefficients;
}

// The stored components over n = 0 .. 9999 with growing components undamped.
std::vector<double> UndampedModelSpectrum(const PronyComponents& components) {
  std::vector<double> re(kSpectrumBins, 0.0);
  std::vector<double> im(kSpectrumBins, 0.0);
  for (std::size_t i = 0; i < components.Frequency.size(); ++i) {
    const double damping = std::min(components.Damping[i], 0.0);
    for (int n = 0; n < kSpectrumBins; ++n) {
      const std::complex<double> value =
          ExponentialValue(components.Amplitude[i], components.Frequency[i], components.Phase[i], damping, n);
      re[n] += value.real();
      im[n] += value.imag();
    }
  }
  MagnitudeSpectrum(re, im);
  return re;
}

}  // namespace

int PronyOrder(int requested, std::int64_t selectionLength) {
  return std::min(ClampPronyOrder(requested, selectionLength), kLargestPronyOrder);
}

SpectrumRunReport RunProny(const SpectrumRunRequest& request) {
  ResultKind = result_kind::kProny;
  const std::int64_t length = SelectionLength(request.SelectionStart, request.SelectionEnd);
  const int order = PronyOrder(request.MainParameter, length);
  ComponentCount = order;
  SpectrumRunReport report;
  report.MainParameterUsed = order;
  if (order <= 0) return report;

  try {
    const std::vector<ExtendedComplex> x = ReadSelectionExtended(request.SelectionStart, request.SelectionEnd);
    if (AllZero(x)) throw VorentaError(kPronyFailureMessage);
    const FloatingPointGuard guard;
    const std::vector<ExtendedComplex> roots = PredictionPolynomialRoots(ForwardPredictionPolynomial(x, order));
    const PronyComponents components = ComponentsFromRoots(roots, FitExponentialAmplitudes(roots, x));
    std::vector<ComplexSample> model;
    const double error = SynthesiseExponentials(components, x, model);
    std::vector<double> spectrum = UndampedModelSpectrum(components);
    CommitPronyResult(components, model, spectrum, error, guard.Faulted(), report);
  } catch (const std::bad_alloc&) {
    throw VorentaError(kPronyFailureMessage);
  }
  return report;
}

}  // namespace vorenta
