#include "spectrum/selection_staging.h"

#include <algorithm>

#include "core/signal_store.h"

namespace vorenta {

std::int64_t SelectionLength(std::int32_t start, std::int32_t end) {
  const std::int64_t length = static_cast<std::int64_t>(end) - start + 1;
  return length > 0 ? length : 0;
}

int StageSelection(std::int32_t start, std::int32_t end) {
  const int staged = static_cast<int>(std::min<std::int64_t>(SelectionLength(start, end), kSampleBufferLength));
  for (int n = 0; n < staged; ++n) {
    // start + n stays within int32: n < N means start + n <= end.
    const std::int32_t index = start + n;
    SampleBuffer[n] = ComplexSample{Channel1[index], Channel2[index]};
  }
  return staged;
}

bool StagedSamplesAllZero(int count) {
  return std::all_of(SampleBuffer.begin(), SampleBuffer.begin() + std::clamp(count, 0, kSampleBufferLength),
                     [](const ComplexSample& sample) { return sample.re == 0.0 && sample.im == 0.0; });
}

}  // namespace vorenta
