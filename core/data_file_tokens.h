#pragma once
// The lexical rules of data files: tokens, date and time tokens, and the
// strict, locale-free conversion of number tokens. Lines reach these
// functions with carriage returns removed and commas already turned into
// points (DataFileLineReader).

#include <cstddef>
#include <string_view>

namespace vorenta {

// True for the field separators ";", space, tab and line feed.
constexpr bool IsTokenSeparator(char c) { return c == ';' || c == ' ' || c == '\t' || c == '\n'; }

// The next token of `line` at or after `position`, which is moved past it.
// Runs of separators count as one; empty tokens do not exist. Returns an
// empty view when no token is left. Inline: it runs for every token of both
// passes over a file.
inline std::string_view NextToken(std::string_view line, std::size_t& position) {
  const std::size_t size = line.size();
  while (position < size && IsTokenSeparator(line[position])) ++position;
  const std::size_t start = position;
  while (position < size && !IsTokenSeparator(line[position])) ++position;
  return line.substr(start, position - start);
}

// Number of tokens in `line`.
std::size_t CountTokens(std::string_view line);

// Digits and "." only, exactly 8 digits, and no "." or exactly two
// (20050131, 31.01.2005).
bool IsDateToken(std::string_view token);

// Digits and ":" only, with one ":" and 3 or 4 digits (9:30, 12:30), or no
// ":" and exactly 6 digits (123000).
bool IsTimeToken(std::string_view token);

// Converts the whole token as a decimal number with "." as decimal
// separator: optional sign ("+" or "-"), digits with an optional fraction,
// optional exponent. Locale-free. Returns false, leaving `value` untouched,
// for anything else, including "nan", "inf", hexadecimal forms, a token with
// trailing characters, and a magnitude above the largest double (1e999). A
// magnitude below the smallest subnormal (1e-999) reads as a zero of the
// token's sign.
bool ConvertNumberToken(std::string_view token, double& value);

// A token the probe accepts: a date, a time, or a number ConvertNumberToken
// accepts.
bool IsValidDataToken(std::string_view token);

}  // namespace vorenta
