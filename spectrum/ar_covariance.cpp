#include "spectrum/ar_covariance.h"

#include <algorithm>
#include <complex>
#include <vector>

#include "numeric/gauss_solve.h"
#include "spectrum/ar_model.h"
#include "spectrum/ar_run.h"
#include "spectrum/method_parameters.h"
#include "spectrum/result_model.h"
#include "spectrum/spectrum_messages.h"

namespace vorenta {

namespace {

using Complex = std::complex<double>;

}  // namespace

int CovarianceSpectrum(ComplexSample* segment, int capacity, int length, int order, double* output,
                       int spectrumLength) {
  if (order < 1 || order >= length || capacity < length || spectrumLength <= order) {
    return covariance_failure::kInvalidArguments;
  }
  const int p = order;
  std::vector<Complex> x(length);
  for (int n = 0; n < length; ++n) x[n] = Complex(segment[n].re, segment[n].im);

  std::vector<Complex> matrix(static_cast<std::size_t>(p) * p, 0.0);
  std::vector<Complex*> rows(p);
  for (int i = 0; i < p; ++i) rows[i] = matrix.data() + static_cast<std::size_t>(i) * p;
  std::vector<Complex> rhs(p, 0.0);
  std::vector<Complex> solution(p, 0.0);
  for (int n = p; n < length; ++n) {
    const Complex* backwardBase = x.data() + (n - p);  // x_{n-p+i} = backwardBase[i]
    for (int i = 1; i <= p; ++i) {
      rhs[i - 1] -= x[n] * std::conj(x[n - i]) + std::conj(backwardBase[0]) * backwardBase[i];
      const Complex forwardLag = std::conj(x[n - i]);
      const Complex backwardLead = backwardBase[i];
      Complex* row = rows[i - 1];
      for (int j = 1; j <= p; ++j) row[j - 1] += forwardLag * x[n - j] + backwardLead * std::conj(backwardBase[j]);
    }
  }
  ComplexGaussSolve(p, rows.data(), rhs.data(), solution.data());

  std::vector<Complex> filter(p + 1);
  filter[0] = 1.0;
  std::copy(solution.begin(), solution.end(), filter.begin() + 1);
  std::vector<double> spectrum(spectrumLength);
  if (PredictionErrorSpectrum(filter.data(), p, 1.0, spectrum.data(), spectrumLength) != 0) {
    return covariance_failure::kTransform;
  }
  ForecastArModel(segment, capacity, length, filter.data(), p);
  std::copy(spectrum.begin(), spectrum.end(), output);
  return covariance_failure::kNone;
}

SpectrumRunReport RunArCovariance(const SpectrumRunRequest& request) {
  return RunArMethod(request, result_kind::kArCovariance, ClampCovarianceOrder, CovarianceSpectrum,
                     kCovarianceFailureMessage);
}

}  // namespace vorenta
