#include "spectrum/fit_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "core/random.h"

namespace vorenta {
namespace {

TEST(FitTable, StartUpFillIsSmallAndReproducibleForASeed) {
  SetRandomSeed(99);
  FillFitTable();
  const std::array<double, kFitTableLength> first = FitTable;
  for (double omega : first) {
    EXPECT_GE(omega, 0.0);
    EXPECT_LT(omega, 0.01);
    EXPECT_NEAR(omega * 1e8, std::round(omega * 1e8), 1e-6);  // a multiple of 1e-8
  }
  SetRandomSeed(99);
  FillFitTable();
  EXPECT_EQ(FitTable, first);
  EXPECT_NE(first[0], first[1]);
}

}  // namespace
}  // namespace vorenta
