#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace vorenta {
namespace {

// A finite double as decimal digits: value = ±d0.d1d2... × 10^exponent, with
// no leading zero unless the value is zero (digits "0", exponent 0).
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return digits.find_first_not_of('0') == std::string::npos; }
  void SetZero() {
    digits.assign(1, '0');
    exponent = 0;
  }
};

// The shortest digits that read back as `value` (std::to_chars round-trip).
DecimalDigits ShortestDigits(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  DecimalDigits d;
  d.negative = std::signbit(value);
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits.push_back(c);
  }
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  d.exponent);
  if (d.IsZero()) d.SetZero();
  return d;
}

// Keeps the first `keep` significant digits (keep may be 0 or negative: then
// the value falls below the last kept place), rounding half away from zero.
// A carry out of the first digit raises the exponent.
void RoundSignificant(DecimalDigits& d, int keep) {
  if (d.IsZero() || keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.SetZero();
    return;
  }
  const bool roundUp = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (roundUp) {
    int i = keep - 1;
    for (; i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9'; --i) {
      d.digits[static_cast<std::size_t>(i)] = '0';
    }
    if (i >= 0) {
      ++d.digits[static_cast<std::size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    }
  }
  if (d.digits.empty() || d.IsZero()) d.SetZero();
}

// The digit of d at decimal place 10^power ('0' beyond the stored digits).
char DigitAt(const DecimalDigits& d, int power) {
  const int index = d.exponent - power;
  if (index < 0 || index >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

// Appends "." and the digits of d at the places 10^(firstPower - 1) ..
// 10^(firstPower - places), dropping trailing zeros beyond the forced ones
// (and the point when no digit is left).
void AppendFraction(std::string& out, const DecimalDigits& d, int forcedPlaces, int places,
                    int firstPower) {
  std::string fraction;
  for (int p = 1; p <= places; ++p) fraction.push_back(DigitAt(d, firstPower - p));
  while (static_cast<int>(fraction.size()) > forcedPlaces && fraction.back() == '0') {
    fraction.pop_back();
  }
  if (!fraction.empty()) {
    out.push_back('.');
    out += fraction;
  }
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// The parsed form of a picture "0[.0…#…][E±0…]".
struct Picture {
  int forcedPlaces = 0;
  int places = 0;
  bool hasExponent = false;
  char exponentLetter = 'E';
  bool alwaysSign = false;
  int exponentDigits = 0;
};

Picture ParsePicture(std::string_view text) {
  Picture picture;
  const auto fail = [text] {
    throw std::invalid_argument("unsupported number picture \"" + std::string(text) + "\"");
  };
  std::size_t i = 0;
  if (text.empty() || text[i++] != '0') fail();
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] == '0') ++picture.forcedPlaces, ++i;
    picture.places = picture.forcedPlaces;
    while (i < text.size() && text[i] == '#') ++picture.places, ++i;
  }
  if (i < text.size()) {
    if (text[i] != 'E' && text[i] != 'e') fail();
    picture.hasExponent = true;
    picture.exponentLetter = text[i++];
    if (i >= text.size() || (text[i] != '+' && text[i] != '-')) fail();
    picture.alwaysSign = text[i++] == '+';
    while (i < text.size() && text[i] == '0') ++picture.exponentDigits, ++i;
    if (i != text.size() || picture.exponentDigits == 0) fail();
  }
  return picture;
}

std::string FormatFixed(const Picture& picture, double value) {
  DecimalDigits d = ShortestDigits(value);
  RoundSignificant(d, d.exponent + 1 + picture.places);
  std::string out;
  if (d.negative && !d.IsZero()) out.push_back('-');
  for (int p = std::max(d.exponent, 0); p >= 0; --p) out.push_back(DigitAt(d, p));
  AppendFraction(out, d, picture.forcedPlaces, picture.places, 0);
  return out;
}

std::string FormatExponent(const Picture& picture, double value) {
  DecimalDigits d = ShortestDigits(value);
  RoundSignificant(d, 1 + picture.places);
  std::string out;
  if (d.negative && !d.IsZero()) out.push_back('-');
  out.push_back(d.digits[0]);
  AppendFraction(out, d, picture.forcedPlaces, picture.places, d.exponent);
  out.push_back(picture.exponentLetter);
  if (d.exponent < 0) {
    out.push_back('-');
  } else if (picture.alwaysSign) {
    out.push_back('+');
  }
  std::string exponent = std::to_string(std::abs(d.exponent));
  if (static_cast<int>(exponent.size()) < picture.exponentDigits) {
    exponent.insert(0, static_cast<std::size_t>(picture.exponentDigits) - exponent.size(), '0');
  }
  return out + exponent;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix of `text` that is a decimal number
//   [sign] (digits [. digits] | . digits) [(e|E) [sign] digits]
// as its length (0 when there is none), with the power of ten of its first
// non-zero digit (LONG_MIN for a zero), which tells an overflow from an
// underflow when the conversion is out of range.
struct NumberPrefix {
  std::size_t length = 0;
  long magnitude = LONG_MIN;
};

NumberPrefix ScanNumber(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t mantissaStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::size_t integerDigits = i - mantissaStart;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (integerDigits > 0 || j > i + 1) i = j;
  }
  if (i == mantissaStart) return {};
  NumberPrefix prefix;
  prefix.length = i;
  const std::string_view mantissa = text.substr(mantissaStart, i - mantissaStart);
  const std::size_t firstNonZero = mantissa.find_first_of("123456789");
  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const bool negativeExponent = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exponentStart = j;
    long digits = 0;
    for (; j < text.size() && IsDigit(text[j]); ++j) {
      digits = std::min(digits * 10 + (text[j] - '0'), 100000L);  // far beyond any double
    }
    if (j > exponentStart) {
      prefix.length = j;
      exponent = negativeExponent ? -digits : digits;
    }
  }
  if (firstNonZero != std::string_view::npos) {
    // Digit k of the mantissa stands for 10^(integerDigits - 1 - k) before the
    // point and 10^(integerDigits - k) after it (the point takes one place).
    const long k = static_cast<long>(firstNonZero);
    const long point = static_cast<long>(integerDigits);
    prefix.magnitude = exponent + (k < point ? point - 1 - k : point - k);
  }
  return prefix;
}

// Converts a scanned number; false when its value is not a finite double.
bool ConvertNumber(std::string_view number, long magnitude, double& value) {
  const bool negative = number.front() == '-';
  if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
  double magnitudeValue = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitudeValue,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    if (magnitude >= 0) return false;  // too large for a double
    magnitudeValue = 0;                // below the smallest double
  } else if (result.ec != std::errc() || !std::isfinite(magnitudeValue)) {
    return false;
  }
  value = negative ? -magnitudeValue : magnitudeValue;
  return true;
}

}  // namespace

std::string FormatFloat(std::string_view picture, double value) {
  const Picture parsed = ParsePicture(picture);
  if (!std::isfinite(value)) return NonFiniteText(value);
  return parsed.hasExponent ? FormatExponent(parsed, value) : FormatFixed(parsed, value);
}

std::string FormatGeneral(double value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  constexpr int kSignificant = 15;
  DecimalDigits d = ShortestDigits(value);
  RoundSignificant(d, kSignificant);
  if (d.IsZero()) return "0";
  std::string out = d.negative ? "-" : "";
  if (d.exponent < -5 || d.exponent >= kSignificant) {
    out.push_back(d.digits[0]);
    AppendFraction(out, d, 0, static_cast<int>(d.digits.size()) - 1, d.exponent);
    return out + "E" + std::to_string(d.exponent);
  }
  for (int p = std::max(d.exponent, 0); p >= 0; --p) out.push_back(DigitAt(d, p));
  AppendFraction(out, d, 0, static_cast<int>(d.digits.size()) - 1 - d.exponent, 0);
  return out;
}

// Room for sign, digit, point, kLargestPrecision digits and "e+308", or for
// the general format's "-0.0000" and kLargestPrecision digits.
constexpr int kLargestPrecision = 350;
constexpr int kPrecisionBuffer = kLargestPrecision + 16;

std::string FormatCGeneral(double value, int significantDigits) {
  char buffer[kPrecisionBuffer];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                    std::clamp(significantDigits, 1, kLargestPrecision));
  return std::string(buffer, result.ptr);
}

std::string FormatCScientific(double value, int decimals) {
  char buffer[kPrecisionBuffer];
  if (value == 0) value = 0;  // no "-0.000000e+00"
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                    std::clamp(decimals, 0, kLargestPrecision));
  return std::string(buffer, result.ptr);
}

int ReadInteger(std::string_view text, int fallback) {
  text = TrimBlanks(text);
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++i;
  if (i == text.size()) return fallback;
  // Accumulate toward the sign so INT_MIN itself reads; saturate beyond.
  constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return fallback;
    magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<int>(-magnitude);
  return static_cast<int>(std::min<long long>(magnitude, INT_MAX));
}

double ReadDecimal(std::string_view text, double fallback) {
  text = TrimBlanks(text);
  const NumberPrefix prefix = ScanNumber(text);
  double value = 0;
  if (prefix.length == 0 || prefix.length != text.size() ||
      !ConvertNumber(text, prefix.magnitude, value)) {
    return fallback;
  }
  return value;
}

double ReadDecimalPrefix(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return 0;
  text.remove_prefix(first);
  const NumberPrefix prefix = ScanNumber(text);
  double value = 0;
  if (prefix.length == 0 ||
      !ConvertNumber(text.substr(0, prefix.length), prefix.magnitude, value)) {
    return 0;
  }
  return value;
}

int ReadClampedInteger(std::string_view text, int low, int high, int fallback) {
  return std::clamp(ReadInteger(text, fallback), low, high);
}

double ReadClampedDecimal(std::string_view text, double low, double high, double fallback) {
  return std::clamp(ReadDecimal(text, fallback), low, high);
}

}  // namespace vorenta
