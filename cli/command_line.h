#pragma once
// Argument handling shared by the commands of vorenta-cli.

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorenta::cli {

// Exit codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRefused = 1;  // the program refused: its own message went to stderr
inline constexpr int kExitUsage = 2;    // wrong arguments: a usage line went to stderr

// Wrong arguments; what() says what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Walks "--name value" and "--flag" arguments in order.
class ArgumentCursor {
 public:
  explicit ArgumentCursor(std::span<const std::string_view> arguments) : arguments_(arguments) {}
  bool AtEnd() const { return next_ >= arguments_.size(); }
  // The next argument, consumed.
  std::string_view Take();
  // The value after option `name`, consumed; UsageError when there is none.
  std::string_view TakeValue(std::string_view name);

 private:
  std::span<const std::string_view> arguments_;
  std::size_t next_ = 0;
};

// The whole of `text` as a decimal int (optional sign, digits); UsageError
// naming `option` otherwise or when out of range.
int ParseInteger(std::string_view text, std::string_view option);
// The whole of `text` as a finite decimal number with "."; UsageError otherwise.
double ParseDecimal(std::string_view text, std::string_view option);
// Comma-separated decimal numbers ("1,0.1,0,-0.01").
std::vector<double> ParseDecimalList(std::string_view text, std::string_view option);
// Comma-separated ints.
std::vector<int> ParseIntegerList(std::string_view text, std::string_view option);

// Seeds the random-number generator with the --seed value when one was
// given, otherwise from the clock.
void SeedRandom(const std::optional<std::uint32_t>& seed);

}  // namespace vorenta::cli
