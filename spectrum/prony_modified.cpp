#include "spectrum/prony_modified.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "core/error.h"
#include "numeric/fp_guard.h"
#include "spectrum/method_parameters.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"

namespace vorenta {

namespace {

constexpr long double kSmallestRootPower = 1e-20L;
constexpr int kHalfSpectrum = kSpectrumBins / 2;

int Lag(int unknown, int q) { return unknown < q ? unknown : unknown + 1; }

// Adds h * w^n for n = 0 .. count-1 into the bins first, first + step, ...
void AddGeometricRun(const ExtendedComplex& h, const ExtendedComplex& w, int first, int step, int count,
                     std::vector<long double>& re, std::vector<long double>& im) {
  ExtendedComplex term = h;
  for (int n = 0, bin = first; n < count; ++n, bin += step) {
    re[bin] += term.real();
    im[bin] += term.imag();
    term = ExtendedComplex(term.real() * w.real() - term.imag() * w.imag(),
                           term.real() * w.imag() + term.imag() * w.real());
  }
}

std::vector<double> TwoSidedSpectrum(const std::vector<ExtendedComplex>& roots,
                                     const std::vector<ExtendedComplex>& amplitudes) {
  std::vector<long double> sumRe(kSpectrumBins, 0.0L);
  std::vector<long double> sumIm(kSpectrumBins, 0.0L);
  for (std::size_t k = 0; k < roots.size(); ++k) {
    const ExtendedComplex& z = roots[k];
    const ExtendedComplex& h = amplitudes[k];
    const long double power = std::norm(z);
    if (power <= kSmallestRootPower) {
      sumRe[0] += h.real();
      sumIm[0] += h.imag();
      continue;
    }
    const ExtendedComplex unit = z / std::sqrt(power);
    const ExtendedComplex forward = power > 1 ? unit : z;
    const ExtendedComplex backward = power < 1 ? unit : z;
    AddGeometricRun(h, forward, 0, 1, kHalfSpectrum, sumRe, sumIm);
    // n = -1, -2, ..., -5000 land in bins 9999, 9998, ..., 5000.
    const ExtendedComplex inverse = 1.0L / backward;
    AddGeometricRun(h * inverse, inverse, kSpectrumBins - 1, -1, kHalfSpectrum, sumRe, sumIm);
  }
  std::vector<double> re(sumRe.begin(), sumRe.end());
  std::vector<double> im(sumIm.begin(), sumIm.end());
  MagnitudeSpectrum(re, im);
  return re;
}

}  // namespace

int PronyModifiedOrder(int requested, std::int64_t selectionLength) {
  return std::min(ClampPronyModifiedOrder(requested, selectionLength), kLargestPronyOrder);
}

void BuildModifiedPronySystem(const ExtendedComplex* x, std::int64_t count, int q, ExtendedSystem& system) {
  const int unknowns = 2 * q;
  const std::int64_t last = count - 1;
  const auto weight = static_cast<long double>(count - unknowns);
  for (int r = 0; r < unknowns; ++r) {
    const int lagR = Lag(r, q);
    const ExtendedComplex& fixedR = x[q - 1 + lagR];
    for (int c = r; c < unknowns; ++c) {
      const int lagC = Lag(c, q);
      const ExtendedComplex entry =
          LagProduct(x, unknowns, last, lagR, lagC) + weight * std::conj(x[q - 1 + lagC]) * fixedR;
      system.At(r, c) = entry;
      system.At(c, r) = std::conj(entry);
    }
    system.Rhs()[r] = -(LagProduct(x, unknowns, last, lagR, q) + weight * std::conj(x[2 * q - 1]) * fixedR);
  }
}

std::vector<ExtendedComplex> ModifiedPronyPolynomial(const std::vector<ExtendedComplex>& solution) {
  std::vector<ExtendedComplex> coefficients(solution.begin(), solution.end());
  coefficients.insert(coefficients.begin() + static_cast<std::ptrdiff_t>(solution.size() / 2),
                      ExtendedComplex(1.0L, 0.0L));
  return coefficients;
}

SpectrumRunReport RunPronyModified(const SpectrumRunRequest& request) {
  ResultKind = result_kind::kPronyModified;
  const std::int64_t length = SelectionLength(request.SelectionStart, request.SelectionEnd);
  const int parameter = PronyModifiedOrder(request.MainParameter, length);
  const int q = parameter / 2;
  ComponentCount = 2 * q;
  SpectrumRunReport report;
  report.MainParameterUsed = parameter;
  if (q <= 0) return report;

  try {
    const std::vector<ExtendedComplex> x = ReadSelectionExtended(request.SelectionStart, request.SelectionEnd);
    if (AllZero(x)) throw VorentaError(kPronyFailureMessage);
    const FloatingPointGuard guard;
    ExtendedSystem system(2 * q);
    BuildModifiedPronySystem(x.data(), static_cast<std::int64_t>(x.size()), q, system);
    const std::vector<ExtendedComplex> roots = PredictionPolynomialRoots(ModifiedPronyPolynomial(system.Solve()));
    const std::vector<ExtendedComplex> amplitudes = FitExponentialAmplitudes(roots, x);
    const PronyComponents components = ComponentsFromRoots(roots, amplitudes);
    std::vector<ComplexSample> model;
    const double error = SynthesiseExponentials(components, x, model);
    std::vector<double> spectrum = TwoSidedSpectrum(roots, amplitudes);
    CommitPronyResult(components, model, spectrum, error, guard.Faulted(), report);
  } catch (const std::bad_alloc&) {
    throw VorentaError(kPronyFailureMessage);
  }
  return report;
}

}  // namespace vorenta
