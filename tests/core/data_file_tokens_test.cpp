#include "core/data_file_tokens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace vorenta {
namespace {

std::vector<std::string> Tokens(std::string_view line) {
  std::vector<std::string> tokens;
  std::size_t position = 0;
  for (std::string_view t = NextToken(line, position); !t.empty(); t = NextToken(line, position)) tokens.emplace_back(t);
  return tokens;
}

TEST(TokeniserTest, RunsOfSeparatorsCountAsOne) {
  EXPECT_EQ(Tokens(";; 1.5\t\t-2;;3 \n"), (std::vector<std::string>{"1.5", "-2", "3"}));
  EXPECT_EQ(CountTokens(" ;\t\n"), 0u);
  EXPECT_EQ(CountTokens(""), 0u);
  EXPECT_EQ(CountTokens("a"), 1u);
  // A NUL byte is an ordinary character, not a separator.
  EXPECT_EQ(Tokens(std::string_view("1\0002 3", 5)), (std::vector<std::string>{std::string("1\0002", 3), "3"}));
}

enum class Kind { Date, Time, Number, Invalid };

struct TokenCase {
  const char* token;
  Kind kind;
  double value;  // for numbers
};

void PrintTo(const TokenCase& c, std::ostream* out) { *out << '"' << c.token << '"'; }

Kind Classify(std::string_view token) {
  double ignored = 0.0;
  if (IsDateToken(token)) return Kind::Date;
  if (IsTimeToken(token)) return Kind::Time;
  return ConvertNumberToken(token, ignored) ? Kind::Number : Kind::Invalid;
}

class TokenKindTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenKindTest, ClassifiesAndConverts) {
  const TokenCase& c = GetParam();
  EXPECT_EQ(Classify(c.token), c.kind) << c.token;
  EXPECT_EQ(IsValidDataToken(c.token), c.kind != Kind::Invalid) << c.token;
  if (c.kind != Kind::Number) return;
  double value = 12345.0;
  ASSERT_TRUE(ConvertNumberToken(c.token, value));
  EXPECT_EQ(value, c.value) << c.token;
  EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.token;
}

INSTANTIATE_TEST_SUITE_P(
    Dates, TokenKindTest,
    ::testing::Values(TokenCase{"20050131", Kind::Date, 0}, TokenCase{"31.01.2005", Kind::Date, 0},
                      TokenCase{"2005.01.31", Kind::Date, 0}, TokenCase{"3101.2005", Kind::Number, 3101.2005},
                      TokenCase{"1.1.1.1.", Kind::Invalid, 0}, TokenCase{"2005013", Kind::Number, 2005013}));

INSTANTIATE_TEST_SUITE_P(Times, TokenKindTest,
                         ::testing::Values(TokenCase{"123456", Kind::Time, 0}, TokenCase{"9:30", Kind::Time, 0},
                                           TokenCase{"12:30", Kind::Time, 0}, TokenCase{"12:30:15", Kind::Invalid, 0},
                                           TokenCase{"1:2", Kind::Invalid, 0}, TokenCase{"12345", Kind::Number, 12345},
                                           TokenCase{"1234567", Kind::Number, 1234567}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, TokenKindTest,
    ::testing::Values(TokenCase{"0.123456", Kind::Number, 0.123456}, TokenCase{"-1.234567e-03", Kind::Number, -1.234567e-03},
                      TokenCase{"+2.5", Kind::Number, 2.5}, TokenCase{"-.5", Kind::Number, -0.5},
                      TokenCase{"5.", Kind::Number, 5.0}, TokenCase{"1E5", Kind::Number, 1e5},
                      TokenCase{"1e+5", Kind::Number, 1e5}, TokenCase{"-0", Kind::Number, -0.0},
                      TokenCase{"4.9e-324", Kind::Number, 4.9e-324},
                      // below the smallest subnormal: a zero of the token's sign
                      TokenCase{"1e-999", Kind::Number, 0.0}, TokenCase{"-0.0001e-400", Kind::Number, -0.0},
                      TokenCase{"1.7976931348623157e308", Kind::Number, 1.7976931348623157e308}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, TokenKindTest,
    ::testing::Values(TokenCase{"nan", Kind::Invalid, 0}, TokenCase{"inf", Kind::Invalid, 0},
                      TokenCase{"-inf", Kind::Invalid, 0}, TokenCase{"+infinity", Kind::Invalid, 0},
                      TokenCase{"NaN", Kind::Invalid, 0}, TokenCase{"1e999", Kind::Invalid, 0},
                      TokenCase{"-1e309", Kind::Invalid, 0}, TokenCase{"1.8e308", Kind::Invalid, 0},
                      TokenCase{"0.0001e313", Kind::Invalid, 0}, TokenCase{"1.2.3", Kind::Invalid, 0},
                      TokenCase{"+-1", Kind::Invalid, 0}, TokenCase{"--1", Kind::Invalid, 0},
                      TokenCase{"0x10", Kind::Invalid, 0}, TokenCase{"1e", Kind::Invalid, 0},
                      TokenCase{"e5", Kind::Invalid, 0}, TokenCase{".", Kind::Invalid, 0},
                      TokenCase{"+", Kind::Invalid, 0}, TokenCase{"t", Kind::Invalid, 0},
                      TokenCase{"12a", Kind::Invalid, 0}, TokenCase{" 1", Kind::Invalid, 0}));

// IsValidDataToken decides most tokens without converting; it must agree with
// the definition (date, time, or convertible) on every token.
TEST(IsValidDataTokenTest, AgreesWithDefinitionOnRandomTokens) {
  constexpr unsigned kSeed = 20240611;
  std::mt19937 random(kSeed);
  const std::string alphabet = "0123456789000.+-eE:x";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(1, 12);
  for (int trial = 0; trial < 200000; ++trial) {
    std::string token;
    for (int n = length(random); n > 0; --n) token += alphabet[pick(random)];
    if (trial % 1000 == 0) {
      token += 'e';
      token += std::to_string(trial % 700);
    }
    EXPECT_EQ(IsValidDataToken(token), Classify(token) != Kind::Invalid) << token << " seed " << kSeed;
  }
  for (const char* token : {"1e307", "9e299", "1e308", "2e308", "0.00001e310", "123e-310", "1e0300"}) {
    EXPECT_EQ(IsValidDataToken(token), Classify(token) != Kind::Invalid) << token;
  }
  EXPECT_TRUE(IsValidDataToken(std::string(350, '9') + "e-100"));
  EXPECT_FALSE(IsValidDataToken(std::string(350, '9')));
}

TEST(ConvertNumberTokenTest, RejectionLeavesValueUntouched) {
  double value = 7.0;
  EXPECT_FALSE(ConvertNumberToken("1e999", value));
  EXPECT_FALSE(ConvertNumberToken("", value));
  EXPECT_EQ(value, 7.0);
}

}  // namespace
}  // namespace vorenta
