#include "core/save_formats.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/error.h"

namespace vorenta {
namespace {

namespace fs = std::filesystem;

SignalClass ChannelOf(const std::vector<double>& values) {
  SignalClass channel(static_cast<std::int32_t>(values.size()));
  for (std::size_t i = 0; i < values.size(); ++i)
    channel.Set(static_cast<std::int32_t>(i), values[i]);
  return channel;
}

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh directory per test, removed afterwards.
class SaveSelectionFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("vorenta_save_" + std::to_string(std::random_device{}()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(directory_);
    file_ = (directory_ / "selection.csv").string();
  }
  void TearDown() override {
    ResetSignalStore();
    fs::remove_all(directory_);
  }

  fs::path directory_;
  std::string file_;
};

TEST_F(SaveSelectionFiles, WritesBothChannelsWithTabsAndCarriageReturns) {
  const SignalClass re = ChannelOf({1, 2.5, 0.001});
  const SignalClass im = ChannelOf({0, -1, 3});
  WriteSelection(file_, re, true, im, true, 0, 2);
  EXPECT_EQ(ReadWholeFile(file_),
            "1.000000e+00\t0.000000e+00\r\n"
            "2.500000e+00\t-1.000000e+00\r\n"
            "1.000000e-03\t3.000000e+00\r\n");
}

TEST_F(SaveSelectionFiles, WritesOnlyThePresentChannel) {
  const SignalClass re = ChannelOf({1, -2, 3, 4});
  const SignalClass im = ChannelOf({5, 6, 7, 8});
  WriteSelection(file_, re, true, im, false, 1, 2);
  EXPECT_EQ(ReadWholeFile(file_), "-2.000000e+00\r\n3.000000e+00\r\n");
  WriteSelection(file_, re, false, im, true, 1, 2);
  EXPECT_EQ(ReadWholeFile(file_), "6.000000e+00\r\n7.000000e+00\r\n");
}

TEST_F(SaveSelectionFiles, ReadsZeroOutsideTheSamplesAndTruncatesAnOldFile) {
  { std::ofstream(file_) << "old content that is longer than the new one\n"; }
  const SignalClass re = ChannelOf({1.5});
  const SignalClass im = ChannelOf({});
  WriteSelection(file_, re, true, im, true, -1, 1);
  EXPECT_EQ(ReadWholeFile(file_),
            "0.000000e+00\t0.000000e+00\r\n"
            "1.500000e+00\t0.000000e+00\r\n"
            "0.000000e+00\t0.000000e+00\r\n");
}

TEST_F(SaveSelectionFiles, AnEmptySelectionWritesAnEmptyFile) {
  const SignalClass re = ChannelOf({1, 2});
  WriteSelection(file_, re, true, re, true, 1, 0);
  ASSERT_TRUE(fs::exists(file_));
  EXPECT_EQ(fs::file_size(file_), 0u);
}

TEST_F(SaveSelectionFiles, AnEmptyNameWritesNothing) {
  const SignalClass re = ChannelOf({1});
  EXPECT_NO_THROW(WriteSelection("", re, true, re, true, 0, 0));
  EXPECT_TRUE(fs::is_empty(directory_));
}

TEST_F(SaveSelectionFiles, ValuesReadBackToSevenSignificantDigits) {
  const unsigned seed = 42;
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> power(-200, 200);
  std::vector<double> values(500);
  for (double& v : values) v = mantissa(random) * std::pow(10.0, power(random));
  const SignalClass re = ChannelOf(values);
  WriteSelection(file_, re, true, re, false, 0, static_cast<std::int32_t>(values.size()) - 1);
  std::ifstream in(file_, std::ios::binary);
  for (double expected : values) {
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    ASSERT_EQ(line.back(), '\r');
    ASSERT_NEAR(std::stod(line), expected, std::fabs(expected) * 5e-7) << line << " seed " << seed;
  }
}

TEST_F(SaveSelectionFiles, ACommaLocaleStillWritesPoints) {
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      found = name;
      break;
    }
  }
  if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
  const SignalClass re = ChannelOf({2.5});
  WriteSelection(file_, re, true, re, false, 0, 0);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(ReadWholeFile(file_), "2.500000e+00\r\n");
}

TEST_F(SaveSelectionFiles, AFileThatCannotBeCreatedGivesTheOpenError) {
  const std::string missing = (directory_ / "no such folder" / "x.csv").string();
  const SignalClass re = ChannelOf({1});
  try {
    WriteSelection(missing, re, true, re, true, 0, 0);
    FAIL() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_EQ(std::string(error.what()), "FileOpenClick: file \"" + missing + "\" can't be open");
  }
}

TEST_F(SaveSelectionFiles, AFullDiskIsReportedNotHidden) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // Enough lines to overflow any stdio buffer as well as the tail at close.
  for (std::int32_t last : {0, 99999}) {
    const SignalClass re(last + 1);
    try {
      WriteSelection("/dev/full", re, true, re, true, 0, last);
      FAIL() << "no error for " << last + 1 << " lines";
    } catch (const VorentaError& error) {
      EXPECT_EQ(std::string(error.what()), "FileOpenClick: file \"/dev/full\" can't be written");
    }
  }
}

TEST_F(SaveSelectionFiles, ASampleThatIsNotANumberStopsBeforeTheFileIsCreated) {
  for (double bad :
       {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
    const SignalClass re = ChannelOf({1, 2, 3});
    const SignalClass im = ChannelOf({0, 0, bad});
    try {
      WriteSelection(file_, re, true, im, true, 0, 2);
      FAIL() << "no error for " << bad;
    } catch (const VorentaError& error) {
      EXPECT_EQ(std::string(error.what()),
                "FileSaveClick: sample 2 is not a number, file \"" + file_ + "\" is not written");
    }
    EXPECT_FALSE(fs::exists(file_));
    // A channel that is not saved may hold anything.
    EXPECT_NO_THROW(WriteSelection(file_, re, true, im, false, 0, 2));
    fs::remove(file_);
  }
}

TEST_F(SaveSelectionFiles, SaveSelectionWritesTheStoresSelection) {
  Channel1 = ChannelOf({1, 2, 3, 4});
  Channel2 = ChannelOf({-1, -2, -3, -4});
  Channel1Present = false;
  Channel2Present = true;
  SelectionStart = 2;
  SelectionEnd = 3;
  SaveSelection(file_);
  EXPECT_EQ(ReadWholeFile(file_), "-3.000000e+00\r\n-4.000000e+00\r\n");
}

// ---------------------------------------------------------------------------
// Component table text

struct TableFixture : ::testing::Test {
  // Two components and the constant term at index 2.
  std::array<double, 3> amplitude{1.5, 0.25, 3};
  std::array<double, 3> frequency{0.25, 0, 0.4};
  std::array<double, 3> phase{-0.5, 1.25, 0.125};
  std::vector<std::string> labels{"", "", "1", "2"};

  std::string Text(double timeStep = 1) {
    return CopyComponentTableText(amplitude, frequency, phase, 2, labels, timeStep);
  }
};

TEST_F(TableFixture, ListsTheConstantTermThenTheComponentsWithPeriods) {
  EXPECT_EQ(Text(),
            "3\t1e+10\t0.125\r\n"
            "1.5\t4\t-0.5\r\n"
            "0.25\t1e+10\t1.25\r\n");
}

TEST_F(TableFixture, PeriodsAreInUnitsOfTheTimeBase) {
  frequency = {-0.2, 1e-10, 0};
  EXPECT_EQ(Text(0.5),
            "3\t5000000000\t0.125\r\n"
            "1.5\t-2.5\t-0.5\r\n"
            "0.25\t5000000000\t1.25\r\n");
}

TEST_F(TableFixture, RowsMarkedWithAnUnderscoreAreLeftOut) {
  labels = {"", "", "_1", "2"};
  EXPECT_EQ(Text(), "3\t1e+10\t0.125\r\n0.25\t1e+10\t1.25\r\n");
  labels = {"", "_", "1", "_2"};
  EXPECT_EQ(Text(), "1.5\t4\t-0.5\r\n");
  labels = {"", "_", "_1", "_2"};
  EXPECT_EQ(Text(), "");
  labels = {"", "1_", "x_"};  // only a leading mark counts; a missing label includes the row
  EXPECT_EQ(Text(), "3\t1e+10\t0.125\r\n1.5\t4\t-0.5\r\n0.25\t1e+10\t1.25\r\n");
}

TEST_F(TableFixture, WritesTenSignificantDigitsLikeTheCLibrary) {
  const unsigned seed = 9;
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> value(-1e3, 1e3);
  char expected[256];
  for (int trial = 0; trial < 1000; ++trial) {
    amplitude = {value(random), value(random), value(random)};
    frequency = {value(random) * 1e-3, value(random) * 1e-3, 0};
    phase = {value(random), value(random), value(random)};
    const double timeStep = std::fabs(value(random)) + 1e-3;
    std::string oracle;
    const auto line = [&](double a, double period, double phi) {
      std::snprintf(expected, sizeof expected, "%.10lg\t%.10lg\t%.10lg\r\n", a, period, phi);
      oracle += expected;
    };
    line(amplitude[2], timeStep / 1e-10, phase[2]);
    for (int i = 0; i < 2; ++i) {
      const double f = std::fabs(frequency[i]) <= 1e-10 ? 1e-10 : frequency[i];
      line(amplitude[i], timeStep / f, phase[i]);
    }
    ASSERT_EQ(Text(timeStep), oracle) << " seed " << seed;
  }
}

TEST_F(TableFixture, NoComponentsLeavesTheConstantTerm) {
  EXPECT_EQ(CopyComponentTableText(amplitude, frequency, phase, 0, labels, 1),
            "1.5\t1e+10\t-0.5\r\n");
}

TEST_F(TableFixture, RefusesColumnsShorterThanTheCount) {
  EXPECT_THROW(CopyComponentTableText(amplitude, frequency, phase, 3, labels, 1),
               std::out_of_range);
  EXPECT_THROW(CopyComponentTableText(amplitude, frequency, phase, -1, labels, 1),
               std::out_of_range);
}

TEST_F(TableFixture, AValueThatIsNotANumberIsAnError) {
  amplitude[1] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_THROW(Text(), VorentaError);
  labels = {"", "", "1", "_2"};  // excluded rows are not copied, so not checked
  EXPECT_NO_THROW(Text());
  amplitude[1] = 1;
  EXPECT_THROW(Text(1e300), VorentaError);  // the infinite-period stand-in overflows
}

}  // namespace
}  // namespace vorenta
