#pragma once
// Clock readings and time texts. Times and durations are doubles counted in
// days, so that a fraction of a day is a time of day; day numbers of dates
// count from 30.12.1899 (day 0), the convention of the day-count time stamps.

#include <string>

namespace vorenta {

// The local wall-clock time of day as a fraction of a day, in [0, 1).
double CurrentTimeOfDay();

// A reading of a monotonic clock in days. Only differences between readings
// mean anything: they are the elapsed time, never negative and unaffected
// by midnight or by changes of the wall clock. Use it for run start times
// and progress estimates.
double CurrentTime();

// The time-of-day text of the fractional part of `days`: "H:mm:ss" (24-hour,
// hours without a leading zero, seconds truncated after rounding to whole
// milliseconds): 0.5 -> "12:00:00", 1.0 / 24 + 5.0 / 86400 -> "1:00:05".
// Negative values take the fraction toward the next lower day (-0.25 is
// 18:00:00); non-finite values give "0:00:00".
std::string FormatTimeOfDay(double days);

// The date of the day `days` falls in (floor, after rounding to whole
// milliseconds) as "dd.mm.yyyy", proleptic Gregorian: 0 -> "30.12.1899",
// 38383.5 -> "31.01.2005". Non-finite values, and days outside the years
// 1 .. 9999, give "".
std::string FormatDate(double days);

// Date and time to the minute, "dd.mm.yyyy hh:mm" (hours with two digits),
// the minutes truncated after rounding to whole milliseconds:
// 38383.75 -> "31.01.2005 18:00". Out-of-range values as in FormatDate.
std::string FormatDateTime(double days);

// A duration for the progress readout: whole hours, minutes and seconds
// "H:mm:ss" (seconds truncated after rounding to whole milliseconds), so
// below one day it reads like the time-of-day text ("0:03:07"); from one day
// on the hours keep counting ("27:00:00") instead of turning into a calendar
// date, which would say nothing about a duration. Negative and non-finite
// durations give "0:00:00"; durations beyond 10^9 days are shown as 10^9
// days.
std::string FormatDuration(double days);

}  // namespace vorenta
