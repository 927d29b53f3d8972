#include "cli/command_line.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/number_format.h"
#include "core/random.h"

namespace vorenta::cli {

namespace {

UsageError BadValue(std::string_view text, std::string_view option) {
  return UsageError("invalid value '" + std::string(text) + "' for " + std::string(option));
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

}  // namespace

std::string_view ArgumentCursor::Take() { return arguments_[next_++]; }

std::string_view ArgumentCursor::TakeValue(std::string_view name) {
  if (AtEnd()) throw UsageError(std::string(name) + " needs a value");
  return Take();
}

int ParseInteger(std::string_view text, std::string_view option) {
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (!text.empty() && text.front() == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) throw BadValue(text, option);
  return value;
}

double ParseDecimal(std::string_view text, std::string_view option) {
  const double value = ReadDecimal(text, std::numeric_limits<double>::quiet_NaN());
  if (std::isnan(value)) throw BadValue(text, option);
  return value;
}

std::vector<double> ParseDecimalList(std::string_view text, std::string_view option) {
  std::vector<double> values;
  for (std::string_view part : SplitAtCommas(text)) values.push_back(ParseDecimal(part, option));
  return values;
}

std::vector<int> ParseIntegerList(std::string_view text, std::string_view option) {
  std::vector<int> values;
  for (std::string_view part : SplitAtCommas(text)) values.push_back(ParseInteger(part, option));
  return values;
}

void SeedRandom(const std::optional<std::uint32_t>& seed) {
  if (seed) {
    SetRandomSeed(*seed);
  } else {
    SeedRandomFromClock();
  }
}

}  // namespace vorenta::cli
