#include "timefreq/current_analysis.h"

#include <algorithm>

#include "timefreq/fourier_fta.h"

namespace vorenta {

std::unique_ptr<FTA> CurrentAnalysis = std::make_unique<FourierFTA>(1024);

void ResetCurrentAnalysis() { CurrentAnalysis = std::make_unique<FourierFTA>(1024); }

void CopySelectionToAnalysisRange() {
  const int count = SignalStore.Channel1.Count();
  SignalStore.RangeStart = std::max(0, std::min(SelectionStart, count - 1));
  SignalStore.RangeEnd = SelectionEnd;
  if (SelectionEnd < 0) SignalStore.RangeStart = SignalStore.RangeEnd = 0;
}

}  // namespace vorenta
