#include "timefreq/fta.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "core/error.h"
#include "core/messages.h"
#include "core/time_of_day.h"
#include "numeric/fp_guard.h"

namespace vorenta {

void FTA::ShowProgress(int /*permille*/, double /*elapsed*/, double /*remaining*/) {}

void FTA::StartFreshRun(const AnalyticSignalClass& signal, int windowSize, int step) {
  const auto count = static_cast<std::uint32_t>(signal.Channel1.Count());
  const int first = std::min(signal.RangeStart, signal.RangeEnd);
  // Compared as unsigned, so a negative end is "beyond the signal" as well.
  const int last = static_cast<std::uint32_t>(signal.RangeEnd) < count ? signal.RangeEnd
                                                                        : static_cast<int>(count) - 1;
  Step = step;
  FirstSample = first;
  LastSample = last;
  Columns = last >= first ? (last - first) / step + 1 : 0;
  WindowSize = windowSize;
  Rows = RowsNeeded();
  ValueMax = -1e300;
  ValueMin = 1e300;
  StartTime = LastProgressTime = Now();
  try {
    PowerMatrix.Release();
    FrequencyMatrix.Release();
    PowerMatrix.Allocate(Rows, Columns);
    FrequencyMatrix.Allocate(Rows, Columns);
  } catch (const std::bad_alloc&) {
    PowerMatrix.Release();
    FrequencyMatrix.Release();
    Columns = 0;
    throw VorentaError(kOutOfMemoryMessage);
  }
}

void FTA::ComputeColumn(const AnalyticSignalClass& signal, int offset) {
  const int column = offset / Step;
  double* power = PowerMatrix.Column(column);
  bool failed = false;
  // Invalid operations, divisions by zero and overflows are errors of the
  // window, exactly like an exception from the estimator.
  FloatingPointGuard guard;
  try {
    ComputeWindow(signal, offset);
    failed = guard.Faulted() || !std::all_of(power, power + Rows, [](double v) { return std::isfinite(v); });
  } catch (const std::exception&) {
    failed = true;
  }
  if (failed) {
    std::fill(power, power + Rows, 0.0);
    return;
  }
  // Locals, so the compiler need not assume the column overlaps the members.
  double lowest = ValueMin;
  double highest = ValueMax;
  for (int r = 0; r < Rows; ++r) {
    if (power[r] < lowest) lowest = power[r];
    if (power[r] > highest) highest = power[r];
  }
  ValueMin = lowest;
  ValueMax = highest;
}

void FTA::RunWindows(const AnalyticSignalClass& signal, int windowSize, int step) {
  if (!Now) Now = CurrentTime;
  if (step < 1) step = 1;
  int q = 0;
  // A continuation needs the paused run's columns; without them start afresh.
  if (!Resuming || Columns < 1) {
    StartFreshRun(signal, windowSize, step);
  } else {
    q = Step * (Columns - 1);
    Columns = (LastSample - FirstSample) / Step + 1;
    StartTime += Now() - LastProgressTime;
  }
  const long long length = static_cast<long long>(LastSample) - FirstSample + 1;
  StopRequested = false;
  Resuming = false;
  int lastPermille = 0;
  for (; q < length; q += Step) {
    const int permille = static_cast<int>(static_cast<long long>(q) * 1000 / length);
    if (permille != lastPermille) {
      LastProgressTime = Now();
      const double elapsed = LastProgressTime - StartTime;
      ShowProgress(permille, elapsed, elapsed * static_cast<double>(length - q) / q);
    }
    lastPermille = permille;
    if (StopRequested) break;
    ComputeColumn(signal, q);
  }
  if (q / Step + 1 < Columns) Columns = q / Step + 1;
}

}  // namespace vorenta
