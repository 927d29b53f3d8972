#include "core/time_of_day.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>

namespace vorenta {
namespace {

constexpr double kSecond = 1.0 / 86400;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct TextCase {
  double days;
  const char* expected;
};

class TimeOfDayText : public ::testing::TestWithParam<TextCase> {};

TEST_P(TimeOfDayText, ShowsHoursMinutesSecondsOfTheFraction) {
  EXPECT_EQ(FormatTimeOfDay(GetParam().days), GetParam().expected) << GetParam().days;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeOfDayText,
    ::testing::Values(TextCase{0, "0:00:00"}, TextCase{0.5, "12:00:00"},
                      TextCase{1.0 / 24 + 5 * kSecond, "1:00:05"},
                      TextCase{3 * kSecond, "0:00:03"},  // not 0:00:02 from a rounding loss
                      TextCase{59 * kSecond + 0.9996 * kSecond, "0:01:00"},
                      TextCase{1 - 0.0004 * kSecond, "0:00:00"},  // rounds to midnight
                      TextCase{1 - kSecond, "23:59:59"}, TextCase{38383.75, "18:00:00"},
                      TextCase{-0.25, "18:00:00"}, TextCase{kNaN, "0:00:00"},
                      TextCase{kInfinity, "0:00:00"}));

class DateText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DateText, CountsDaysFromTheEndOf1899) {
  EXPECT_EQ(FormatDate(GetParam().days), GetParam().expected) << GetParam().days;
}

// Known day numbers of the day count (the same as spreadsheet serial dates
// from March 1900 on).
INSTANTIATE_TEST_SUITE_P(
    Table, DateText,
    ::testing::Values(TextCase{0, "30.12.1899"}, TextCase{1, "31.12.1899"},
                      TextCase{2, "01.01.1900"}, TextCase{60, "28.02.1900"},
                      TextCase{61, "01.03.1900"}, TextCase{25569, "01.01.1970"},
                      TextCase{36526, "01.01.2000"}, TextCase{36585, "29.02.2000"},
                      TextCase{38383, "31.01.2005"}, TextCase{38383.999, "31.01.2005"},
                      TextCase{38383.9999999999, "01.02.2005"},  // rounds to the next midnight
                      TextCase{-1, "29.12.1899"}, TextCase{-0.5, "29.12.1899"},
                      TextCase{-693593, "01.01.0001"}, TextCase{2958465.5, "31.12.9999"},
                      TextCase{-693594, ""}, TextCase{2958466, ""}, TextCase{kNaN, ""},
                      TextCase{kInfinity, ""}));

TEST(DateTimeText, ShowsDateHoursAndMinutes) {
  EXPECT_EQ(FormatDateTime(38383.75), "31.01.2005 18:00");
  EXPECT_EQ(FormatDateTime(38383 + (9 * 60 + 5) / 1440.0 + 59 * kSecond), "31.01.2005 09:05");
  EXPECT_EQ(FormatDateTime(0), "30.12.1899 00:00");
  EXPECT_EQ(FormatDateTime(-0.25), "29.12.1899 18:00");
  EXPECT_EQ(FormatDateTime(kNaN), "");
}

class DurationText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DurationText, CountsHoursBeyondOneDay) {
  EXPECT_EQ(FormatDuration(GetParam().days), GetParam().expected) << GetParam().days;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DurationText,
    ::testing::Values(TextCase{0, "0:00:00"}, TextCase{187 * kSecond, "0:03:07"},
                      TextCase{0.5, "12:00:00"}, TextCase{1 - 0.0004 * kSecond, "24:00:00"},
                      TextCase{1, "24:00:00"}, TextCase{2, "48:00:00"},
                      TextCase{1 + 3.0 / 24 + 5 * kSecond, "27:00:05"},
                      TextCase{-kSecond, "0:00:00"}, TextCase{kNaN, "0:00:00"},
                      TextCase{-kInfinity, "0:00:00"}, TextCase{kInfinity, "24000000000:00:00"}));

TEST(Clocks, TimeOfDayAgreesWithTheLocalClock) {
  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);
  const double expected = (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
  const double fraction = CurrentTimeOfDay();
  ASSERT_GE(fraction, 0);
  ASSERT_LT(fraction, 1);
  // A few seconds apart at most, also across midnight.
  const double difference = std::fabs(fraction - expected);
  EXPECT_LT(std::fmin(difference, 1 - difference), 5 * kSecond);
}

TEST(Clocks, MonotonicReadingsNeverGoBack) {
  double previous = CurrentTime();
  for (int i = 0; i < 1000; ++i) {
    const double now = CurrentTime();
    ASSERT_GE(now, previous);
    previous = now;
  }
}

}  // namespace
}  // namespace vorenta
