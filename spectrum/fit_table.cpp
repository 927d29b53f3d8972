#include "spectrum/fit_table.h"

#include "core/random.h"

namespace vorenta {

std::array<double, kFitTableLength> FitTable{};

void FillFitTable() {
  for (double& omega : FitTable) omega = RandomRange(0, 1000000) * 1e-8;
}

}  // namespace vorenta
