#include "core/time_of_day.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace vorenta {
namespace {

constexpr long long kMillisecondsPerDay = 86400000;
// Day 0 of the day count (30.12.1899) is this many days before 1.1.1970.
constexpr long long kDayCountToUnixDays = 25569;
// Days 1.1.0001 and 31.12.9999 in the day count.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

std::string TwoDigits(long long n) {
  return std::string{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// "H:mm:ss" of a non-negative count of milliseconds; hours may exceed 23.
std::string HoursMinutesSeconds(long long milliseconds) {
  const long long seconds = milliseconds / 1000;
  return std::to_string(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
         TwoDigits(seconds % 60);
}

// The milliseconds since midnight of the day `days` falls in.
long long MillisecondsOfDay(double days) {
  const long long ms = std::llround((days - std::floor(days)) * kMillisecondsPerDay);
  return ms % kMillisecondsPerDay;  // a fraction rounding up to a whole day is midnight
}

// Day number and milliseconds since its midnight, after rounding to whole
// milliseconds; false for non-finite values or days outside years 1 .. 9999.
bool SplitDays(double days, long long& dayNumber, long long& milliseconds) {
  if (!std::isfinite(days) || days < kFirstDay || days >= kLastDay + 1) return false;
  const long long total = std::llround(days * kMillisecondsPerDay);
  dayNumber = total / kMillisecondsPerDay;
  milliseconds = total % kMillisecondsPerDay;
  if (milliseconds < 0) {
    milliseconds += kMillisecondsPerDay;
    --dayNumber;
  }
  return dayNumber >= kFirstDay && dayNumber <= kLastDay;
}

std::string DateText(long long dayNumber) {
  using namespace std::chrono;
  const year_month_day date{sys_days{days{dayNumber - kDayCountToUnixDays}}};
  const int year = static_cast<int>(date.year());
  std::string yearText = std::to_string(year);
  yearText.insert(0, 4 - std::min<std::size_t>(yearText.size(), 4), '0');
  return TwoDigits(static_cast<unsigned>(date.day())) + "." +
         TwoDigits(static_cast<unsigned>(date.month())) + "." + yearText;
}

}  // namespace

double CurrentTimeOfDay() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const std::tm local = *std::localtime(&seconds);
  const auto subsecond = now - system_clock::from_time_t(seconds);
  const double secondOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                             duration<double>(subsecond).count();
  return std::clamp(secondOfDay / 86400.0, 0.0, std::nextafter(1.0, 0.0));
}

double CurrentTime() {
  using namespace std::chrono;
  return duration<double, std::ratio<86400>>(steady_clock::now().time_since_epoch()).count();
}

std::string FormatTimeOfDay(double days) {
  if (!std::isfinite(days)) return "0:00:00";
  return HoursMinutesSeconds(MillisecondsOfDay(days));
}

std::string FormatDate(double days) {
  long long dayNumber = 0, milliseconds = 0;
  if (!SplitDays(days, dayNumber, milliseconds)) return "";
  return DateText(dayNumber);
}

std::string FormatDateTime(double days) {
  long long dayNumber = 0, milliseconds = 0;
  if (!SplitDays(days, dayNumber, milliseconds)) return "";
  const long long minutes = milliseconds / 60000;
  return DateText(dayNumber) + " " + TwoDigits(minutes / 60) + ":" + TwoDigits(minutes % 60);
}

std::string FormatDuration(double days) {
  constexpr double kLongestDuration = 1e9;
  if (!(days > 0)) return "0:00:00";  // negative, zero or not a number
  const double shown = std::min(days, kLongestDuration);
  return HoursMinutesSeconds(std::llround(shown * kMillisecondsPerDay));
}

}  // namespace vorenta
