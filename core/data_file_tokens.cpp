#include "core/data_file_tokens.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace vorenta {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Counts the digits of `token`; false when a character other than a digit or
// `mark` occurs. `marks` receives the number of `mark` characters.
bool CountDigitsAndMarks(std::string_view token, char mark, int& digits, int& marks) {
  digits = 0;
  marks = 0;
  for (const char c : token) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == mark) {
      ++marks;
    } else {
      return false;
    }
  }
  return true;
}

// For a token that std::from_chars found out of range: true when its
// magnitude is below 1 (an underflow), false when above (an overflow). The
// token has already been parsed in full, so its syntax is known to be good.
bool MagnitudeBelowOne(std::string_view token) {
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  // Decimal exponent of the first significant digit, before the explicit
  // exponent: count integer digits after leading zeros, or the zeros after
  // the point.
  long long leading = 0;
  bool significant = false;
  for (; i < token.size() && IsDigit(token[i]); ++i) {
    if (token[i] != '0') significant = true;
    if (significant) ++leading;
  }
  long long position = significant ? leading - 1 : 0;
  if (i < token.size() && token[i] == '.') {
    ++i;
    long long zeros = 0;
    for (; i < token.size() && IsDigit(token[i]); ++i) {
      if (!significant && token[i] != '0') {
        significant = true;
        position = -(zeros + 1);
      }
      if (!significant) ++zeros;
    }
  }
  long long exponent = 0;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    for (; i < token.size() && IsDigit(token[i]); ++i) {
      // Beyond this the verdict cannot change; stop before exponent overflows.
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (token[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return position + exponent < 0;
}

// Exact conversion of the common short tokens (Clinger's fast path): at most
// 15 significant digits m and a decimal exponent e with |e| <= 22, so that m
// and 10^|e| are exact doubles and the one multiplication or division
// m·10^e rounds correctly. False (value untouched) for anything else, which
// then takes the general conversion.
static_assert(FLT_EVAL_METHOD == 0, "the exact fast path needs double arithmetic without extended intermediates");

bool ConvertShortDecimal(std::string_view digits, double& value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr int kLargestExactPower = 22;
  constexpr int kMostDigits = 15;
  std::uint64_t mantissa = 0;
  int significant = 0;
  int exponent = 0;
  bool anyDigit = false;
  std::size_t i = 0;
  const std::size_t size = digits.size();
  for (; i < size && IsDigit(digits[i]); ++i) {
    anyDigit = true;
    if (mantissa == 0 && digits[i] == '0') continue;
    if (++significant > kMostDigits) return false;
    mantissa = mantissa * 10 + static_cast<unsigned>(digits[i] - '0');
  }
  if (i < size && digits[i] == '.') {
    for (++i; i < size && IsDigit(digits[i]); ++i) {
      anyDigit = true;
      --exponent;
      if (mantissa == 0 && digits[i] == '0') continue;
      if (++significant > kMostDigits) return false;
      mantissa = mantissa * 10 + static_cast<unsigned>(digits[i] - '0');
    }
  }
  if (!anyDigit) return false;
  if (i < size && (digits[i] == 'e' || digits[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < size && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
    if (i == size) return false;
    int written = 0;
    for (; i < size && IsDigit(digits[i]); ++i) {
      written = written * 10 + (digits[i] - '0');
      if (written > 1000) return false;
    }
    exponent += negative ? -written : written;
  }
  if (i != size) return false;
  const auto m = static_cast<double>(mantissa);
  if (mantissa == 0) {
    value = 0.0;
  } else if (exponent >= 0 && exponent <= kLargestExactPower) {
    value = m * kPowersOfTen[exponent];
  } else if (exponent < 0 && exponent >= -kLargestExactPower) {
    value = m / kPowersOfTen[-exponent];
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::size_t CountTokens(std::string_view line) {
  std::size_t count = 0;
  std::size_t position = 0;
  while (!NextToken(line, position).empty()) ++count;
  return count;
}

bool IsDateToken(std::string_view token) {
  int digits = 0;
  int points = 0;
  return CountDigitsAndMarks(token, '.', digits, points) && digits == 8 && (points == 0 || points == 2);
}

bool IsTimeToken(std::string_view token) {
  int digits = 0;
  int colons = 0;
  if (!CountDigitsAndMarks(token, ':', digits, colons)) return false;
  return (colons == 1 && (digits == 3 || digits == 4)) || (colons == 0 && digits == 6);
}

bool ConvertNumberToken(std::string_view token, double& value) {
  std::string_view digits = token;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  // from_chars takes no "+" and no second sign; it also takes "inf" and
  // "nan", which the first-character test turns away.
  if (digits.empty() || !(IsDigit(digits.front()) || digits.front() == '.')) return false;
  double magnitude = 0.0;
  if (ConvertShortDecimal(digits, magnitude)) {
    value = negative ? -magnitude : magnitude;
    return true;
  }
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, magnitude, std::chars_format::general);
  if (stop != end) return false;
  if (error == std::errc::result_out_of_range) {
    if (!MagnitudeBelowOne(digits)) return false;
    magnitude = 0.0;
  } else if (error != std::errc{} || !std::isfinite(magnitude)) {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

bool IsValidDataToken(std::string_view token) {
  if (token.empty()) return false;
  // One pass over the token decides the common cases without converting:
  // digits-and-marks tokens (dates, times, plain integers) and decimal numbers
  // whose magnitude is far from overflow. Anything else goes to the full
  // conversion.
  std::size_t i = 0;
  const std::size_t size = token.size();
  if (token[0] == '+' || token[0] == '-') ++i;
  const std::size_t mantissaStart = i;
  long long significantIntegerDigits = 0;
  while (i < size && IsDigit(token[i])) {
    if (significantIntegerDigits > 0 || token[i] != '0') ++significantIntegerDigits;
    ++i;
  }
  const std::size_t integerEnd = i;
  if (i < size && token[i] == '.') {
    ++i;
    while (i < size && IsDigit(token[i])) ++i;
  }
  const bool hasMantissaDigit = integerEnd > mantissaStart || i > integerEnd + 1;
  if (hasMantissaDigit && i == size) {
    // A plain decimal (whether it is also a date or a time does not matter
    // here) far from overflow unless it has hundreds of integer digits.
    if (significantIntegerDigits < 300) return true;
  } else if (hasMantissaDigit && (token[i] == 'e' || token[i] == 'E')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < size && (token[j] == '+' || token[j] == '-')) negative = token[j++] == '-';
    const std::size_t exponentStart = j;
    long long exponent = 0;
    while (j < size && IsDigit(token[j]) && exponent < 1000) exponent = exponent * 10 + (token[j++] - '0');
    const bool wellFormed = j == size && j > exponentStart;
    if (wellFormed && significantIntegerDigits + (negative ? -exponent : exponent) < 300) return true;
    if (!wellFormed && j == size) return false;
  }
  double ignored = 0.0;
  return IsDateToken(token) || IsTimeToken(token) || ConvertNumberToken(token, ignored);
}

}  // namespace vorenta
