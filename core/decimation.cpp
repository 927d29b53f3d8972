#include "core/decimation.h"

#include <algorithm>

namespace vorenta {
namespace {

// Block i of `factor` samples read through the channel's (or time base's)
// own accessor, averaged.
template <typename Series>
double BlockMean(const Series& series, std::int32_t first, std::int32_t factor) {
  long double sum = 0.0L;
  for (std::int32_t j = 0; j < factor; ++j) sum += series[first + j];
  return static_cast<double>(sum / factor);
}

// Block means written in place: block i starts at i·factor >= i, so every
// input is read before it is overwritten.
template <typename Series>
void AverageBlocks(Series& series, std::int32_t blocks, std::int32_t factor) {
  for (std::int32_t i = 0; i < blocks; ++i) series.Set(i, BlockMean(series, i * factor, factor));
}

}  // namespace

std::int32_t DecimateSignal(AnalyticSignalClass& signal, std::uint16_t factor) {
  const std::int32_t step = std::max<std::int32_t>(factor, 1);
  const std::int32_t blocks = signal.Channel1.Count() / step;
  if (step > 1) {
    AverageBlocks(signal.Channel1, blocks, step);
    AverageBlocks(signal.Channel2, blocks, step);
    AverageBlocks(signal.TimeBase, blocks, step);
  }
  signal.RangeEnd = std::min(signal.RangeEnd, blocks - 1);
  signal.RangeStart = std::min(signal.RangeStart, blocks - 1);
  if (!signal.Channel1.Resize(blocks) || !signal.Channel2.Resize(blocks) || !signal.TimeBase.Resize(blocks)) {
    return -1;
  }
  signal.TimeBase.UpdateStep();
  return blocks;
}

}  // namespace vorenta
