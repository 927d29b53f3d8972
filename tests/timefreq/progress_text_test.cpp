#include "timefreq/progress_text.h"

#include <gtest/gtest.h>

namespace vorenta {
namespace {

TEST(ProgressText, ShowsThePercentWithOneDecimalAndBothDurations) {
  const double second = 1.0 / 86400;
  EXPECT_EQ(ProgressText(125, 3 * second, 21 * second), "12.5%    Time = 0:00:03    Remaining Time = 0:00:21");
  EXPECT_EQ(ProgressText(1000, 3723 * second, 0), "100.0%    Time = 1:02:03    Remaining Time = 0:00:00");
}

}  // namespace
}  // namespace vorenta
