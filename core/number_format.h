#pragma once
// Numbers as text, both ways, always with "." as the decimal separator
// whatever the C or Qt locale says: the picture formats of the views, the
// general format of up to 15 significant digits, the C-style formats of the
// written files and the clipboard, and the readers of the edit fields.

#include <string>
#include <string_view>

namespace vorenta {

// ---------------------------------------------------------------------------
// Writing

// Formats `value` with a picture of the form
//   "0"           the integer part: every integer digit the value has, at
//                 least one,
//   optionally    "." followed by "0" (forced) and then "#" (optional)
//                 decimal places, e.g. "0.###", "0.######", "0.000",
//   optionally    an exponent "E+00", "E-00", "e+00" or "e-00".
// Fixed pictures ("0", "0.###", "0.000000", ...): the value is rounded to as
// many decimals as the picture has places, half away from zero; trailing
// zeros in optional places are dropped and the point goes with the last of
// them.
// Exponent pictures ("0.###E+00"): one digit before the point, the places
// as above, then the exponent letter, its sign ("+" pictures always write
// the sign, "-" pictures only a minus), and at least as many exponent digits
// as the picture has "0"s after the sign. A zero value has exponent 0.
// Rounding works on the shortest decimal text that reads back as the same
// double (so 2.675 with "0.##" gives "2.68", as the user expects from the
// number shown elsewhere as 2.675). A value that rounds to zero is written
// without a minus sign ("0", not "-0").
// Examples: FormatFloat("0.###", 1.23456) == "1.235", FormatFloat("0.###", 2)
// == "2", FormatFloat("0.0", 0.25) == "0.3", FormatFloat("0.###E+00",
// 12345) == "1.235E+04", FormatFloat("0.###E+00", 0.001) == "1E-03".
// Not-a-number and infinities are written "NAN", "INF" and "-INF".
// A picture outside this grammar throws std::invalid_argument (a programming
// error, not a user's).
std::string FormatFloat(std::string_view picture, double value);

// The general format: at most 15 significant digits, rounded half away from
// zero, trailing zeros and a bare point dropped. Fixed notation when the
// value is 0 or 1e-5 <= |value| < 1e15 after rounding, otherwise
// scientific with one integer digit, "E", a minus only for negative
// exponents and no leading exponent zeros ("1E15", "1.5E-7").
// Examples: 1 -> "1", 0.5 -> "0.5", 1.0 / 3 -> "0.333333333333333",
// -2.5e-8 -> "-2.5E-8". Non-finite values as in FormatFloat.
std::string FormatGeneral(double value);

// C's "%.<significantDigits>lg" in the "C" locale, exactly: P =
// significantDigits (0 counts as 1, more than 350 as 350); with X the
// decimal exponent of the value rounded (correctly, half to even on the
// exact binary value) to P digits, fixed notation with P - 1 - X decimals
// when -4 <= X < P, otherwise scientific "d.ddde+XX" (sign always, at least
// two exponent digits); trailing zeros and a bare point removed.
// FormatCGeneral(0.25, 10) == "0.25", FormatCGeneral(1e10, 10) == "1e+10".
// Non-finite values give "nan", "-nan", "inf" or "-inf" as C does; callers
// that must not write them check first.
std::string FormatCGeneral(double value, int significantDigits);

// C's "%.<decimals>e" in the "C" locale: one digit, the point (left out when
// decimals is 0), `decimals` digits (0 .. 350), "e", the exponent's sign
// always and at least two exponent digits, correctly rounded:
// FormatCScientific(1.5, 6) == "1.500000e+00", FormatCScientific(-0.001234,
// 6) == "-1.234000e-03". A negative zero is written as zero without sign.
// Non-finite values as in FormatCGeneral.
std::string FormatCScientific(double value, int decimals);

// ---------------------------------------------------------------------------
// Reading. Blanks (spaces and tabs) around the number are ignored; the
// decimal separator is "." only.

// The decimal integer in `text`: an optional sign and one or more digits,
// nothing else. Any other text (empty, "1.5", "12abc", "1,0") gives
// `fallback`. A numeral beyond the int range saturates to INT_MIN or
// INT_MAX, so that a later clamp to a field's range gives its nearest end.
int ReadInteger(std::string_view text, int fallback = 0);

// The decimal floating-point number that is the whole of `text`: optional
// sign, digits with an optional "." (".5" and "5." are numbers), optional
// exponent "e"/"E" with optional sign and digits. Any other text, and
// anything that would read as infinite or not-a-number ("inf", "nan",
// "1e999"), gives `fallback`. A value below the smallest double reads as
// 0 (or -0).
double ReadDecimal(std::string_view text, double fallback = 0);

// The longest leading part of `text` (after leading blanks) that reads as a
// decimal number by the rule of ReadDecimal, or 0 when there is none:
// "0.25abc" -> 0.25, "1e" -> 1, "1,5" -> 1, "abc" -> 0, "" -> 0. A prefix
// whose value would be infinite ("1e999") reads as 0.
double ReadDecimalPrefix(std::string_view text);

// ReadInteger(text, fallback) clamped into [low, high] (low <= high):
// ReadClampedInteger("250", 0, 100) == 100, ReadClampedInteger("x", 1, 5)
// == 1 (the fallback 0, then clamped).
int ReadClampedInteger(std::string_view text, int low, int high, int fallback = 0);

// ReadDecimal(text, fallback) clamped into [low, high] (low <= high).
double ReadClampedDecimal(std::string_view text, double low, double high, double fallback = 0);

}  // namespace vorenta
