#include "spectrum/result_model.h"

namespace vorenta {

namespace {
constexpr std::int32_t kInitialComponentCount = 10;
}

ComponentTableArrays ComponentTable;
std::int32_t ComponentCount = kInitialComponentCount;
std::array<double, kSpectrumBins> SpectrumDb{};
std::int32_t ResultKind = result_kind::kNone;
std::int32_t ExtrapolationLength = 0;
SpectrumLineLists SpectrumLines;

double SpectrumBinFrequency(int bin) {
  const int signedBin = bin < kSpectrumBins / 2 ? bin : bin - kSpectrumBins;
  return static_cast<double>(signedBin) / kSpectrumBins;
}

void ResetResultModel() {
  ComponentTable = ComponentTableArrays{};
  ComponentCount = kInitialComponentCount;
  SpectrumDb.fill(0.0);
  ResultKind = result_kind::kNone;
  ExtrapolationLength = 0;
  SpectrumLines = SpectrumLineLists{};
}

}  // namespace vorenta
