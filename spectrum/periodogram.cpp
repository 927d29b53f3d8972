#include "spectrum/periodogram.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/fft.h"
#include "spectrum/guarded_run.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"
#include "spectrum/spectrum_messages.h"

namespace vorenta {

int PeriodogramMagnitudes(const ComplexSample* samples, int count, double* re, double* im, double* magnitudes) {
  const int used = std::clamp(count, 0, kPeriodogramLength);
  for (int n = 0; n < used; ++n) {
    re[n] = samples[n].re;
    im[n] = samples[n].im;
  }
  std::fill(re + used, re + kPeriodogramLength, 0.0);
  std::fill(im + used, im + kPeriodogramLength, 0.0);
  int failure = 0;
  ComplexFft(re, im, kPeriodogramLength, failure);
  for (int k = 0; k < kPeriodogramLength; ++k) {
    // hypot: no overflow of the squares for large samples.
    magnitudes[k] = std::hypot(re[k], im[k]);
  }
  return failure;
}

SpectrumRunReport RunPeriodogram(const SpectrumRunRequest& request) {
  ResultKind = result_kind::kPeriodogram;
  SpectrumRunReport report;
  report.MainParameterUsed = request.MainParameter;
  report.SubspaceParameterUsed = request.SubspaceParameter;
  const int staged = StageSelection(request.SelectionStart, request.SelectionEnd);
  if (staged == 0) return report;

  RunGuardedSpectrumDb(kPeriodogramFailureMessage, report, [&] {
    std::vector<double> re(kPeriodogramLength);
    std::vector<double> im(kPeriodogramLength);
    return PeriodogramMagnitudes(SampleBuffer.data(), staged, re.data(), im.data(), SpectrumDb.data()) == 0;
  });
  return report;
}

}  // namespace vorenta
