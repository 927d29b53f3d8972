#include "numeric/failure.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorenta {
namespace {

TEST(ReportFailure, ReturnsTheErrorNumberWhateverTheCallersCode) {
  for (int entry : {0, 1, -1}) {
    EXPECT_EQ(ReportFailure(entry, 0, " C06ECF "), 0);
    EXPECT_EQ(ReportFailure(entry, 3, ""), 3);
  }
}

TEST(MachineConstants, AreThePowersOfTwoTheyStandFor) {
  EXPECT_EQ(MachineEpsilon(), std::ldexp(1.0, -52));
  EXPECT_EQ(SafeMinimum(), std::ldexp(1.0, -126));
  EXPECT_EQ(SafeMaximum(), std::ldexp(1.0, 126));
  EXPECT_EQ(LargestReal(), std::numeric_limits<double>::max());
}

struct DivideCase {
  double a, b, quotient;
  bool failed;
};

class SafeDivideCases : public ::testing::TestWithParam<DivideCase> {};

TEST_P(SafeDivideCases, GivesTheGuardedQuotientAndFlag) {
  const DivideCase& c = GetParam();
  bool failed = !c.failed;
  EXPECT_EQ(SafeDivide(c.a, c.b, failed), c.quotient);
  EXPECT_EQ(failed, c.failed);
}

const double kBig = std::ldexp(1.0, 126);
INSTANTIATE_TEST_SUITE_P(Table, SafeDivideCases,
                         ::testing::Values(DivideCase{0, 0, 0, true}, DivideCase{0, 5, 0, false},
                                           DivideCase{-1, 0, -kBig, true}, DivideCase{1e-300, 2, 0, false},
                                           DivideCase{1e30, 1e-10, kBig, true}, DivideCase{-1e30, 1e-10, -kBig, true},
                                           DivideCase{1e30, -1e-10, -kBig, true}, DivideCase{6, 3, 2, false},
                                           DivideCase{3, 0.5, 6, false}));

TEST(TransferSign, ReturnsZeroForZeroAndOtherwiseTheSignOfX) {
  EXPECT_EQ(TransferSign(5, 0), 0.0);
  EXPECT_EQ(TransferSign(-5, 2), 5.0);
  EXPECT_EQ(TransferSign(5, -2), -5.0);
}

}  // namespace
}  // namespace vorenta
