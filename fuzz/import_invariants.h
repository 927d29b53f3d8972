#pragma once
// What every import must leave behind, checked by the import fuzzer and by
// the regression test over its corpus.

#include <cmath>
#include <string>

#include "core/import_pipeline.h"
#include "core/signal_store.h"

namespace vorenta {

// Empty when the store agrees with `result`, otherwise what is wrong.
inline std::string ImportInvariantViolation(const ImportResult& result) {
  if (!result.loaded) return {};
  const auto length = static_cast<std::int32_t>(SignalLength);
  if (length <= 0 || result.signalLength != SignalLength) return "signal length";
  if (Channel1.Count() != length || Channel2.Count() != length || TimeBase.Count() != length) return "member counts";
  if (CropStart != 0 || SelectionStart != 0 || CropEnd != length - 1 || SelectionEnd != length - 1) return "ranges";
  if (Decimation < 1 || Decimation > 10000 || result.decimation != Decimation) return "decimation";
  if (!Channel1Present && !Channel2Present) return "no channel present";
  for (std::int32_t i = 0; i < length; ++i) {
    if (!std::isfinite(Channel1[i]) || !std::isfinite(Channel2[i]) || !std::isfinite(TimeBase[i])) return "non-finite sample";
    if (i > 0 && TimeBase[i] < TimeBase[i - 1]) return "decreasing stamps";
  }
  if (!std::isfinite(TimeBase.TimeStep())) return "non-finite time step";
  return {};
}

}  // namespace vorenta
