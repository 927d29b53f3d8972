#include "spectrum/fit_buffers.h"

#include <algorithm>

#include "core/signal_store.h"
#include "spectrum/selection_staging.h"

namespace vorenta {

std::array<double, kFitBufferLength> FitBufferRe{};
std::array<double, kFitBufferLength> FitBufferIm{};
int FitLength = 0;

int FitSampleCount() { return std::clamp(FitLength, 0, kFitBufferLength); }

int LoadFitBuffersFromSelection(std::int32_t start, std::int32_t end) {
  const int count = static_cast<int>(std::min<std::int64_t>(SelectionLength(start, end), kFitBufferLength));
  for (int n = 0; n < count; ++n) {
    // start + n <= end, so the index stays within int32.
    FitBufferRe[n] = Channel1[start + n];
    FitBufferIm[n] = Channel2[start + n];
  }
  FitLength = count;
  return count;
}

int LoadFitBuffers(const double* re, const double* im, int count) {
  const int kept = std::clamp(count, 0, kFitBufferLength);
  std::copy(re, re + kept, FitBufferRe.begin());
  std::copy(im, im + kept, FitBufferIm.begin());
  FitLength = kept;
  return kept;
}

}  // namespace vorenta
