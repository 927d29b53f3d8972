#include "spectrum/method_parameters.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace vorenta {
namespace {

struct OrderCase {
  const char* name;
  int (*clamp)(int, int);
  int requested;
  int stagedLength;
  int expected;
};

class OrderClampTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderClampTest, GivesTheOrderUsed) {
  const OrderCase& c = GetParam();
  EXPECT_EQ(c.clamp(c.requested, c.stagedLength), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ArOrders, OrderClampTest,
    ::testing::Values(OrderCase{"BurgAboveLength", ClampBurgOrder, 50, 20, 19},
                      OrderCase{"BurgWithin", ClampBurgOrder, 7, 20, 7},
                      OrderCase{"BurgOneSample", ClampBurgOrder, 5, 1, 0},
                      OrderCase{"BurgEmpty", ClampBurgOrder, 5, 0, 0},
                      OrderCase{"BurgNegative", ClampBurgOrder, -3, 100, 0},
                      OrderCase{"BurgTableCapacity", ClampBurgOrder, INT_MAX, 10000, 2000},
                      OrderCase{"CovarianceFiveOnSix", ClampCovarianceOrder, 5, 6, 4},
                      OrderCase{"CovarianceTwoThirds", ClampCovarianceOrder, 100, 100, 66},
                      OrderCase{"CovarianceOneSample", ClampCovarianceOrder, 3, 1, 0},
                      OrderCase{"CovarianceNegative", ClampCovarianceOrder, INT_MIN, 100, 0},
                      OrderCase{"CovarianceTableCapacity", ClampCovarianceOrder, 5000, 10000, 2000}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ModelOrderClampTest, PronyOrdersFollowTheWholeSelectionAndTheTable) {
  EXPECT_EQ(ClampPronyOrder(30, 41), 20);
  EXPECT_EQ(ClampPronyOrder(-1, 41), 0);
  EXPECT_EQ(ClampPronyOrder(3000, 1'000'000), 2000);
  EXPECT_EQ(ClampPronyModifiedOrder(30, 30), 20);
  EXPECT_EQ(ClampPronyModifiedOrder(5000, 1'000'000), 2000);
  EXPECT_EQ(ClampSinusoidCount(250), 200);
  EXPECT_EQ(ClampSinusoidCount(-4), 0);
  EXPECT_EQ(ClampSinusoidCount(3), 3);
}

struct SubspaceCase {
  const char* name;
  int vectorDimension;
  int signalDimension;
  int stagedLength;
  SubspaceDimensions expected;
  bool usable;
};

class SubspaceClampTest : public ::testing::TestWithParam<SubspaceCase> {};

TEST_P(SubspaceClampTest, GivesTheDimensionsUsed) {
  const SubspaceCase& c = GetParam();
  const SubspaceDimensions used = ClampSubspaceDimensions(c.vectorDimension, c.signalDimension, c.stagedLength);
  EXPECT_EQ(used.VectorDimension, c.expected.VectorDimension);
  EXPECT_EQ(used.SignalDimension, c.expected.SignalDimension);
  EXPECT_EQ(SubspaceDimensionsUsable(used), c.usable);
}

INSTANTIATE_TEST_SUITE_P(
    Dimensions, SubspaceClampTest,
    ::testing::Values(SubspaceCase{"VectorOneRaisedToTwo", 1, 1, 100, {2, 1}, true},
                      SubspaceCase{"SixHundredOnThousand", 600, 2, 1000, {500, 2}, true},
                      SubspaceCase{"SubspaceFiveWithFour", 4, 5, 100, {4, 3}, true},
                      SubspaceCase{"SubspaceZeroRaisedToOne", 10, 0, 100, {10, 1}, true},
                      SubspaceCase{"SubspaceNegative", 10, -7, 100, {10, 1}, true},
                      SubspaceCase{"VectorNegative", -50, 1, 100, {2, 1}, true},
                      SubspaceCase{"AboveTheFieldLimit", 4000, 2, 10000, {1000, 2}, true},
                      SubspaceCase{"FourSamples", 20, 2, 4, {2, 1}, true},
                      SubspaceCase{"ThreeSamples", 20, 2, 3, {1, 1}, false},
                      SubspaceCase{"OneSample", 2, 1, 1, {0, 1}, false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(MethodListTest, FindsItemsIgnoringCase) {
  EXPECT_EQ(FindMethodListItem("Periodogram"), method_item::kPeriodogram);
  EXPECT_EQ(FindMethodListItem("ar burg"), method_item::kArBurg);
  EXPECT_EQ(FindMethodListItem("AR COVARIENCE"), method_item::kArCovariance);
  EXPECT_EQ(FindMethodListItem("quasi-newton"), method_item::kQuasiNewton);
  EXPECT_EQ(FindMethodListItem("ev"), method_item::kEv);
  EXPECT_FALSE(FindMethodListItem("AR Covariance").has_value());
  EXPECT_FALSE(FindMethodListItem("").has_value());
}

TEST(MethodListTest, LaysOutTheParameterFieldsPerItem) {
  const MethodFieldLayout periodogram = MethodListLayout(method_item::kPeriodogram);
  EXPECT_TRUE(periodogram.MainLabel.empty());
  EXPECT_FALSE(periodogram.MainFieldShown);
  EXPECT_FALSE(periodogram.ExtrapolationEnabled);
  const MethodFieldLayout pronyModified = MethodListLayout(method_item::kPronyModified);
  EXPECT_EQ(pronyModified.MainLabel, "Number of complex exponents:");
  EXPECT_TRUE(pronyModified.ExtrapolationEnabled);
  const MethodFieldLayout music = MethodListLayout(method_item::kMusic);
  EXPECT_EQ(music.MainLabel, "Dimension of the eigenvectors:");
  EXPECT_TRUE(music.SubspaceFieldShown);
  EXPECT_FALSE(music.ExtrapolationEnabled);
  EXPECT_EQ(MethodListLayout(method_item::kArCovariance).MainLabel, "AR parameter:");
  EXPECT_EQ(MethodListLayout(42).MainLabel, MethodListLayout(method_item::kSimplex).MainLabel);
  EXPECT_EQ(MethodListLayout(method_item::kQuasiNewton).MainLabel, "Number of exponents:");
}

TEST(ExtrapolationLengthTest, LimitedToAHundredAndZeroWhileDisabled) {
  EXPECT_EQ(ClampExtrapolationLength(250, true), 100);
  EXPECT_EQ(ClampExtrapolationLength(42, true), 42);
  EXPECT_EQ(ClampExtrapolationLength(-3, true), 0);
  EXPECT_EQ(ClampExtrapolationLength(42, false), 0);
}

}  // namespace
}  // namespace vorenta
