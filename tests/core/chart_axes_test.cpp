#include "core/chart_axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace vorenta {
namespace {

struct StepCase {
  const char* table;
  double span;
  int pixels;
  double grid;
  double label;
};

std::span<const TickSteps> TableNamed(const std::string& name) {
  return name == "sample" ? SampleAxisSteps() : ValueAxisSteps();
}

class ChooseTickStepsTest : public testing::TestWithParam<StepCase> {};

TEST_P(ChooseTickStepsTest, PicksTheClosestEntryEarliestOnTies) {
  const StepCase& c = GetParam();
  const TickSteps steps = ChooseTickSteps(c.span, c.pixels, TableNamed(c.table));
  EXPECT_EQ(steps.grid, c.grid);
  EXPECT_EQ(steps.label, c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseTickStepsTest,
    testing::Values(StepCase{"sample", 1000, 500, 40, 200},   // target 40
                    StepCase{"sample", 1000, 1000, 20, 100},  // target 20
                    StepCase{"sample", 3, 20, 2, 10},         // 2 and 4 tie at 3
                    StepCase{"sample", 0.01, 20, 0.1, 0.5},   // below the table
                    StepCase{"sample", 1e12, 20, 1e9, 5e9},   // above the table
                    StepCase{"sample", 25, 20, 25, 100},
                    StepCase{"value", 0.3, 20, 0.25, 1},
                    StepCase{"value", 1e-12, 20, 1e-7, 5e-7},
                    StepCase{"value", 1e15, 20, 5e9, 2.5e10},
                    StepCase{"sample", 100, 0, 2000, 10000}));  // no pixels: one

bool IsTwoPointFiveTimesPowerOfTen(double g) {
  const double mantissa = g / std::pow(10.0, std::floor(std::log10(g) + 1e-9));
  return std::fabs(mantissa - 2.5) < 1e-9;
}

void ExpectLabelRule(std::span<const TickSteps> table) {
  for (const TickSteps& entry : table) {
    const double factor = IsTwoPointFiveTimesPowerOfTen(entry.grid) ? 4 : 5;
    EXPECT_NEAR(entry.label / entry.grid, factor, 1e-12) << "grid " << entry.grid;
  }
}

TEST(StepTablesTest, SampleTableAscendsWithItsDecades) {
  const auto table = SampleAxisSteps();
  ASSERT_EQ(table.size(), 50u);
  EXPECT_EQ(table.front().grid, 0.1);
  EXPECT_EQ(table.back().grid, 1e9);
  for (std::size_t i = 1; i < table.size(); ++i) EXPECT_LT(table[i - 1].grid, table[i].grid);
  // The units decade has no 2.5; every decade from 10 up has 25 * 10^k.
  for (const TickSteps& entry : table) EXPECT_NE(entry.grid, 2.5);
  for (double g = 25; g < 1e9; g *= 10) {
    EXPECT_TRUE(std::any_of(table.begin(), table.end(), [g](const TickSteps& e) { return e.grid == g; })) << g;
  }
  ExpectLabelRule(table);
}

TEST(StepTablesTest, ValueTableDescendsFourEntriesPerDecade) {
  const auto table = ValueAxisSteps();
  ASSERT_EQ(table.size(), 68u);
  EXPECT_EQ(table.front().grid, 5e9);
  EXPECT_EQ(table.back().grid, 1e-7);
  for (std::size_t i = 1; i < table.size(); ++i) EXPECT_GT(table[i - 1].grid, table[i].grid);
  for (std::size_t i = 0; i < table.size(); i += 4) {
    const double decade = table[i + 3].grid;
    EXPECT_NEAR(table[i].grid / decade, 5, 1e-12);
    EXPECT_NEAR(table[i + 1].grid / decade, 2.5, 1e-12);
    EXPECT_NEAR(table[i + 2].grid / decade, 2, 1e-12);
  }
  ExpectLabelRule(table);
}

TEST(FitRangeTest, WidensOnlyCollapsedRanges) {
  double lo = 3, hi = 3;
  FitRange(lo, hi);
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(hi, 4);
  lo = 1;
  hi = 1 + 1e-16;
  FitRange(lo, hi);
  EXPECT_EQ(lo, 0);
  lo = -1;
  hi = 1;
  FitRange(lo, hi);
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 1);
}

class AxisValueLabelTest : public testing::TestWithParam<std::tuple<double, const char*>> {};

TEST_P(AxisValueLabelTest, UsesTheFixedOrTheExponentPicture) {
  EXPECT_EQ(FormatAxisValue(std::get<0>(GetParam())), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AxisValueLabelTest,
    testing::Values(std::make_tuple(1234.56, "1.235E+03"), std::make_tuple(12.3456, "12.346"),
                    std::make_tuple(0.005, "5E-03"), std::make_tuple(0.0, "0E+00"),
                    std::make_tuple(-0.0, "0E+00"), std::make_tuple(0.01, "1E-02"),
                    std::make_tuple(1000.0, "1E+03"), std::make_tuple(999.9994, "999.999"),
                    std::make_tuple(-2.5, "-2.5"), std::make_tuple(1.0, "1"),
                    std::make_tuple(-123456.0, "-1.235E+05"), std::make_tuple(1e-120, "1E-120"),
                    std::make_tuple(std::numeric_limits<double>::infinity(), "INF"),
                    std::make_tuple(std::numeric_limits<double>::quiet_NaN(), "NAN")));

TEST(AxisSampleLabelTest, WritesWholeNumbers) {
  EXPECT_EQ(FormatAxisSample(0), "0");
  EXPECT_EQ(FormatAxisSample(2500), "2500");
  EXPECT_EQ(FormatAxisSample(1e9), "1000000000");
  EXPECT_EQ(FormatAxisSample(-0.2), "0");
}

}  // namespace
}  // namespace vorenta
