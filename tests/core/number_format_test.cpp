#include "core/number_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace vorenta {
namespace {

// ---------------------------------------------------------------------------
// Picture formats

struct PictureCase {
  const char* picture;
  double value;
  const char* expected;
};

void PrintTo(const PictureCase& c, std::ostream* os) {
  *os << '"' << c.picture << "\" " << c.value << " -> \"" << c.expected << '"';
}

class PictureFormats : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureFormats, WriteTheExpectedText) {
  const PictureCase& c = GetParam();
  EXPECT_EQ(FormatFloat(c.picture, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fixed, PictureFormats,
    ::testing::Values(
        PictureCase{"0", 0, "0"}, PictureCase{"0", 3.4, "3"}, PictureCase{"0", 3.5, "4"},
        PictureCase{"0", -3.5, "-4"}, PictureCase{"0", -0.4, "0"}, PictureCase{"0", -0.0, "0"},
        PictureCase{"0", 12345678.9, "12345679"}, PictureCase{"0", 1e20, "100000000000000000000"},
        PictureCase{"0.###", 1.23456, "1.235"}, PictureCase{"0.###", 2, "2"},
        PictureCase{"0.###", 2.5, "2.5"}, PictureCase{"0.###", 0.0004, "0"},
        PictureCase{"0.###", -0.0004, "0"}, PictureCase{"0.###", 0.0005, "0.001"},
        PictureCase{"0.###", -0.0005, "-0.001"}, PictureCase{"0.###", 0.9995, "1"},
        PictureCase{"0.###", 999.9999, "1000"}, PictureCase{"0.##", 2.675, "2.68"},
        PictureCase{"0.######", 0.1 + 0.2, "0.3"}, PictureCase{"0.######", -0.25, "-0.25"},
        PictureCase{"0.######", 1e-7, "0"}, PictureCase{"0.######", 5e-7, "0.000001"},
        PictureCase{"0.####", 0.01, "0.01"}, PictureCase{"0.#######", 0.123456789, "0.1234568"},
        PictureCase{"0.0", 0.25, "0.3"}, PictureCase{"0.0", 99.96, "100.0"},
        PictureCase{"0.0", 0, "0.0"}, PictureCase{"0.00", -0.001, "0.00"},
        PictureCase{"0.000", 1.5, "1.500"}, PictureCase{"0.000000", 1.0 / 3, "0.333333"},
        PictureCase{"0.0#", 1.5, "1.5"}, PictureCase{"0.0#", 1, "1.0"},
        PictureCase{"0.0#", 1.234, "1.23"}));

INSTANTIATE_TEST_SUITE_P(
    Exponent, PictureFormats,
    ::testing::Values(
        PictureCase{"0.###E+00", 12345, "1.235E+04"}, PictureCase{"0.###E+00", 0.001, "1E-03"},
        PictureCase{"0.###E+00", 0, "0E+00"}, PictureCase{"0.###E+00", -0.0, "0E+00"},
        PictureCase{"0.###E+00", -0.0012345, "-1.235E-03"},
        PictureCase{"0.###E+00", 9.9996e5, "1E+06"}, PictureCase{"0.###E+00", 1e-300, "1E-300"},
        PictureCase{"0.###E+00", 1.5e100, "1.5E+100"}, PictureCase{"0.###E+00", 0.009, "9E-03"},
        PictureCase{"0.####E+00", 0.00123456, "1.2346E-03"},
        PictureCase{"0.###E-00", 12345, "1.235E04"}, PictureCase{"0.000e+000", 2, "2.000e+000"},
        PictureCase{"0.###E+00", std::numeric_limits<double>::denorm_min(), "5E-324"}));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, PictureFormats,
    ::testing::Values(PictureCase{"0.###", std::numeric_limits<double>::quiet_NaN(), "NAN"},
                      PictureCase{"0.###E+00", std::numeric_limits<double>::infinity(), "INF"},
                      PictureCase{"0", -std::numeric_limits<double>::infinity(), "-INF"}));

TEST(PictureFormats, RefuseAPictureOutsideTheGrammar) {
  for (const char* picture : {"", "#", "0.#0", "0,00", "0E00", "0.0E+", "0.0X", "00"}) {
    EXPECT_THROW(FormatFloat(picture, 1), std::invalid_argument) << picture;
  }
  EXPECT_EQ(FormatFloat("0.", 1.4), "1");  // a point without places: no decimals
}

// Over many magnitudes: the text reads back within half a unit of the last
// place, shows no more decimals than the picture allows and no fewer than it
// forces, and never ends in an optional zero.
TEST(PictureFormats, RoundToThePlacesGivenOverManyMagnitudes) {
  const unsigned seed = 20261210;
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> power(-8, 12);
  for (int trial = 0; trial < 20000; ++trial) {
    const double value = mantissa(random) * std::pow(10.0, power(random));
    for (const auto& [picture, forced, places] :
         {std::tuple{"0.###", 0, 3}, std::tuple{"0.######", 0, 6}, std::tuple{"0.00", 2, 2},
          std::tuple{"0", 0, 0}}) {
      const std::string text = FormatFloat(picture, value);
      const std::size_t point = text.find('.');
      const int decimals =
          point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
      ASSERT_LE(decimals, places) << picture << ' ' << value << " seed " << seed;
      ASSERT_GE(decimals, forced) << picture << ' ' << value << " seed " << seed;
      if (decimals > forced) {
        ASSERT_NE(text.back(), '0') << text << " seed " << seed;
      }
      const double unit = std::pow(10.0, -places);
      const double back = std::stod(text);
      ASSERT_LE(std::fabs(back - value), 0.5 * unit * (1 + 1e-9) + std::fabs(value) * 4e-16)
          << picture << ' ' << value << " -> " << text << " seed " << seed;
    }
  }
}

// ---------------------------------------------------------------------------
// General format

struct GeneralCase {
  double value;
  const char* expected;
};

class GeneralFormat : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormat, WritesUpToFifteenSignificantDigits) {
  EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeneralFormat,
    ::testing::Values(GeneralCase{1, "1"}, GeneralCase{0.5, "0.5"},
                      GeneralCase{1.0 / 3, "0.333333333333333"},
                      GeneralCase{2.0 / 3, "0.666666666666667"}, GeneralCase{0, "0"},
                      GeneralCase{-0.0, "0"}, GeneralCase{-2.5, "-2.5"},
                      GeneralCase{0.1 + 0.2, "0.3"}, GeneralCase{100, "100"},
                      GeneralCase{123456789012345, "123456789012345"}, GeneralCase{1e15, "1E15"},
                      GeneralCase{999999999999999.9, "1E15"}, GeneralCase{0.00001, "0.00001"},
                      GeneralCase{0.000001, "1E-6"}, GeneralCase{-2.5e-8, "-2.5E-8"},
                      GeneralCase{1.5e300, "1.5E300"}, GeneralCase{0.1, "0.1"},
                      GeneralCase{std::numeric_limits<double>::quiet_NaN(), "NAN"}));

TEST(GeneralFormat, ReadsBackToFifteenDigits) {
  const unsigned seed = 7;
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> power(-40, 40);
  for (int trial = 0; trial < 20000; ++trial) {
    const double value = mantissa(random) * std::pow(10.0, power(random));
    const std::string text = FormatGeneral(value);
    int significant = 0;
    bool leading = true;
    for (char c : text.substr(0, text.find('E'))) {
      if (c < '0' || c > '9') continue;
      if (c != '0') leading = false;
      if (!leading) ++significant;
    }
    ASSERT_LE(significant, 15) << text << " seed " << seed;
    ASSERT_NEAR(std::stod(text), value, std::fabs(value) * 5.1e-15) << text << " seed " << seed;
  }
}

// ---------------------------------------------------------------------------
// C formats, checked against the C library itself in the "C" locale.

TEST(CFormats, MatchPrintfInTheCLocale) {
  const unsigned seed = 11;
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> power(-320, 300);
  char expected[512];
  for (int trial = 0; trial < 20000; ++trial) {
    double value = mantissa(random) * std::pow(10.0, power(random));
    if (trial % 7 == 0) value = std::round(value * 1e3) / 1e3;  // exact ties and short values
    std::snprintf(expected, sizeof expected, "%.10lg", value);
    ASSERT_EQ(FormatCGeneral(value, 10), expected) << " seed " << seed;
    if (value == 0) continue;  // zero is written without sign, unlike printf's "-0.000000e+00"
    std::snprintf(expected, sizeof expected, "%e", value);
    ASSERT_EQ(FormatCScientific(value, 6), expected) << " seed " << seed;
  }
}

TEST(CFormats, WriteTheDocumentedExamples) {
  EXPECT_EQ(FormatCScientific(1.5, 6), "1.500000e+00");
  EXPECT_EQ(FormatCScientific(-0.001234, 6), "-1.234000e-03");
  EXPECT_EQ(FormatCScientific(0, 6), "0.000000e+00");
  EXPECT_EQ(FormatCScientific(-0.0, 6), "0.000000e+00");
  EXPECT_EQ(FormatCScientific(1e100, 6), "1.000000e+100");
  EXPECT_EQ(FormatCScientific(2.5, 0), "2e+00");
  EXPECT_EQ(FormatCGeneral(0.25, 10), "0.25");
  EXPECT_EQ(FormatCGeneral(4, 10), "4");
  EXPECT_EQ(FormatCGeneral(1e10, 10), "1e+10");
  EXPECT_EQ(FormatCGeneral(9999999999.0, 10), "9999999999");
  EXPECT_EQ(FormatCGeneral(0.0001, 10), "0.0001");
  EXPECT_EQ(FormatCGeneral(0.00001, 10), "1e-05");
  EXPECT_EQ(FormatCGeneral(1.0 / 3, 10), "0.3333333333");
}

// With a locale whose decimal separator is a comma, every writer and reader
// still uses the point. Skipped where no such locale is installed.
TEST(Locale, DoesNotChangeTheDecimalSeparator) {
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8", "de_DE", "ru_RU"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      found = name;
      break;
    }
  }
  if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_EQ(FormatFloat("0.###", 1.5), "1.5");
  EXPECT_EQ(FormatGeneral(0.5), "0.5");
  EXPECT_EQ(FormatCGeneral(0.5, 10), "0.5");
  EXPECT_EQ(FormatCScientific(1.5, 6), "1.500000e+00");
  EXPECT_EQ(ReadDecimal("1.5"), 1.5);
  EXPECT_EQ(ReadDecimal("1,5"), 0);
  std::setlocale(LC_ALL, "C");
}

// ---------------------------------------------------------------------------
// Readers

struct IntegerCase {
  const char* text;
  int expected;
};

class IntegerReader : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerReader, ReadsDecimalIntegersAndZeroForAnythingElse) {
  EXPECT_EQ(ReadInteger(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerReader,
    ::testing::Values(IntegerCase{"0", 0}, IntegerCase{"42", 42}, IntegerCase{"-17", -17},
                      IntegerCase{"+5", 5}, IntegerCase{"  12\t", 12}, IntegerCase{"007", 7},
                      IntegerCase{"", 0}, IntegerCase{"   ", 0}, IntegerCase{"-", 0},
                      IntegerCase{"1.5", 0}, IntegerCase{"12abc", 0}, IntegerCase{"1 2", 0},
                      IntegerCase{"1e3", 0}, IntegerCase{"--1", 0}, IntegerCase{"abc", 0},
                      IntegerCase{"2147483647", INT_MAX}, IntegerCase{"-2147483648", INT_MIN},
                      IntegerCase{"99999999999999999999", INT_MAX},
                      IntegerCase{"-99999999999999999999", INT_MIN}));

TEST(IntegerReader, GivesTheFallbackForText) {
  EXPECT_EQ(ReadInteger("x", 7), 7);
  EXPECT_EQ(ReadInteger("3", 7), 3);
}

struct DecimalCase {
  const char* text;
  double whole;   // ReadDecimal
  double prefix;  // ReadDecimalPrefix
};

class DecimalReaders : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalReaders, ReadWithThePointOnly) {
  const DecimalCase& c = GetParam();
  EXPECT_EQ(ReadDecimal(c.text), c.whole) << '"' << c.text << '"';
  EXPECT_EQ(ReadDecimalPrefix(c.text), c.prefix) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimalReaders,
    ::testing::Values(
        DecimalCase{"1.5", 1.5, 1.5}, DecimalCase{"-0.25", -0.25, -0.25}, DecimalCase{"+2", 2, 2},
        DecimalCase{" 3.5 ", 3.5, 3.5}, DecimalCase{".5", 0.5, 0.5}, DecimalCase{"5.", 5, 5},
        DecimalCase{"1e3", 1000, 1000}, DecimalCase{"1.5E-2", 0.015, 0.015},
        DecimalCase{"2e+2", 200, 200}, DecimalCase{"0.1", 0.1, 0.1}, DecimalCase{"", 0, 0},
        DecimalCase{"abc", 0, 0}, DecimalCase{".", 0, 0}, DecimalCase{"-", 0, 0},
        DecimalCase{"1,5", 0, 1}, DecimalCase{"0.25abc", 0, 0.25}, DecimalCase{"1e", 0, 1},
        DecimalCase{"1e+", 0, 1}, DecimalCase{"2.5.1", 0, 2.5}, DecimalCase{"inf", 0, 0},
        DecimalCase{"nan", 0, 0}, DecimalCase{"infinity", 0, 0}, DecimalCase{"0x10", 0, 0},
        DecimalCase{"1e999", 0, 0}, DecimalCase{"-1e999", 0, 0}, DecimalCase{"1e-999", 0, 0},
        DecimalCase{"0.0000001e-400", 0, 0}, DecimalCase{"1000e-310", 1e-307, 1e-307},
        DecimalCase{"1.7976931348623157e308", 1.7976931348623157e308, 1.7976931348623157e308}));

TEST(DecimalReaders, ReadBackWhatTheGeneralFormatWrites) {
  const unsigned seed = 3;
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> power(-300, 300);
  for (int trial = 0; trial < 5000; ++trial) {
    const double value = mantissa(random) * std::pow(10.0, power(random));
    const std::string text = FormatGeneral(value);
    ASSERT_EQ(ReadDecimal(text), std::stod(text)) << text << " seed " << seed;
  }
}

TEST(DecimalReaders, GiveTheFallbackForText) {
  EXPECT_EQ(ReadDecimal("x", -1), -1);
  EXPECT_EQ(ReadDecimal("1e999", -1), -1);
  EXPECT_EQ(ReadDecimal("1e-999", -1), 0);  // too small is zero, not text
}

TEST(ClampedReaders, ClampTheReadValueIntoTheRange) {
  EXPECT_EQ(ReadClampedInteger("250", 0, 100), 100);
  EXPECT_EQ(ReadClampedInteger("-3", 0, 100), 0);
  EXPECT_EQ(ReadClampedInteger("42", 0, 100), 42);
  EXPECT_EQ(ReadClampedInteger("x", 1, 5), 1);
  EXPECT_EQ(ReadClampedInteger("99999999999", 0, 1000), 1000);
  EXPECT_EQ(ReadClampedDecimal("150.5", 0, 100), 100);
  EXPECT_EQ(ReadClampedDecimal("-1", 0, 100), 0);
  EXPECT_EQ(ReadClampedDecimal("12.5", 0, 100), 12.5);
  EXPECT_EQ(ReadClampedDecimal("x", 2, 100), 2);
}

}  // namespace
}  // namespace vorenta
