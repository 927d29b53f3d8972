#include "spectrum/ar_run.h"

#include <algorithm>

#include "core/error.h"
#include "spectrum/guarded_run.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"

namespace vorenta {

SpectrumRunReport RunArMethod(const SpectrumRunRequest& request, std::int32_t kind, ArOrderClamp clamp,
                              ArKernel kernel, const char* message) {
  ResultKind = kind;
  SpectrumRunReport report;
  report.SubspaceParameterUsed = request.SubspaceParameter;
  const std::int64_t length = SelectionLength(request.SelectionStart, request.SelectionEnd);
  const int stagedLength = static_cast<int>(std::min<std::int64_t>(length, kSampleBufferLength));
  const int order = clamp(request.MainParameter, stagedLength);
  ComponentCount = order;
  report.MainParameterUsed = order;
  if (order == 0 || length == 0) return report;

  StageSelection(request.SelectionStart, request.SelectionEnd);
  // An all-zero selection has no model; some kernels would quietly return a
  // flat spectrum for it instead of failing.
  if (StagedSamplesAllZero(stagedLength)) throw VorentaError(message);

  RunGuardedSpectrumDb(message, report, [&] {
    return kernel(SampleBuffer.data(), kSampleBufferLength, stagedLength, order, SpectrumDb.data(), kSpectrumBins) ==
           0;
  });
  return report;
}

}  // namespace vorenta
