#pragma once
// The guarded computation of a spectrum run: floating-point faults, exhausted
// memory and a step's own failure all end the run with the method's message.

#include <new>
#include <optional>
#include <string>
#include <utility>

#include "core/error.h"
#include "numeric/fp_guard.h"
#include "spectrum/finish_spectrum.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

// Calls step() (which returns true on success). Throws VorentaError(message)
// when it returns false, when it raised an invalid operation, a division by
// zero or an overflow (the flags are cleared first, as the platform masks
// the traps), or when it ran out of memory. A VorentaError thrown by the step
// itself passes through unchanged.
template <typename Step>
void RunGuarded(const std::string& message, Step&& step) {
  bool succeeded = false;
  FloatingPointGuard guard;
  try {
    succeeded = std::forward<Step>(step)();
  } catch (const std::bad_alloc&) {
    succeeded = false;
  }
  if (!succeeded || guard.Faulted()) throw VorentaError(message);
}

// The common end of the spectrum methods: under RunGuarded(message), calls
// fill() (writes magnitudes >= 0 into the result model's SpectrumDb and
// returns true on success), then turns SpectrumDb into decibels with
// FinishSpectrumDb. On success marks `report` computed with the decibel
// range. Throws VorentaError(message) when fill() fails or faults, or when
// the spectrum has no peak to normalise by; `report` is then unchanged.
template <typename Fill>
void RunGuardedSpectrumDb(const std::string& message, SpectrumRunReport& report, Fill&& fill) {
  std::optional<DecibelRange> range;
  RunGuarded(message, [&] {
    if (!std::forward<Fill>(fill)()) return false;
    range = FinishSpectrumDb();
    return range.has_value();
  });
  report.Computed = true;
  report.DbMin = range->Smallest;
  report.DbMax = range->Largest;
}

}  // namespace vorenta
