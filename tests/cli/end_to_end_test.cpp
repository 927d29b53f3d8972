// Runs vorenta-cli as a user would and checks its files, streams and exit codes.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "vorenta_cli_" + name; }

Outcome RunCli(const std::string& arguments) {
  // CTest runs the cases of this file in parallel processes: each call gets
  // its own file for standard error.
  static int calls = 0;
  const std::string errPath = TempPath("stderr_" + std::to_string(getpid()) + "_" + std::to_string(++calls) + ".txt");
  const std::string command = std::string("'") + VORENTA_CLI_PATH + "' " + arguments + " 2>'" + errPath + "'";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) outcome.out.append(buffer, got);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  outcome.err = ReadWholeFile(errPath);
  std::remove(errPath.c_str());
  return outcome;
}

std::vector<std::vector<double>> ParseRows(const std::string& text) {
  std::vector<std::vector<double>> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<double> row;
    double value = 0;
    while (fields >> value) row.push_back(value);
    rows.push_back(row);
  }
  return rows;
}

TEST(CliGenerateTest, WritesTheSavedSelectionFormat) {
  const std::string path = TempPath("tone.txt");
  const Outcome outcome = RunCli("generate '" + path + "' --samples 64 --component 2,0.125,0.5");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const std::string text = ReadWholeFile(path);
  std::istringstream lines(text);
  std::string line;
  int n = 0;
  while (std::getline(lines, line)) {
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r') << "line " << n;
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos);
    // "%.6e": d.dddddde+XX
    EXPECT_EQ(line.find('e'), tab - 4) << line;
    const double re = std::stod(line.substr(0, tab));
    const double im = std::stod(line.substr(tab + 1));
    const double angle = 2 * std::numbers::pi * 0.125 * n + 0.5;
    EXPECT_NEAR(re, 2 * std::cos(angle), 1e-6);
    EXPECT_NEAR(im, 2 * std::sin(angle), 1e-6);
    ++n;
  }
  EXPECT_EQ(n, 64);
}

TEST(CliGenerateTest, RealSignalsHaveOneColumn) {
  const std::string path = TempPath("real.txt");
  ASSERT_EQ(RunCli("generate '" + path + "' --samples 10 --real").exitCode, 0);
  const std::string text = ReadWholeFile(path);
  EXPECT_EQ(text.find('\t'), std::string::npos);
  EXPECT_EQ(ParseRows(text).size(), 10u);
}

TEST(CliSpectrumTest, PeriodogramOfAGeneratedToneAscendsFromMinusHalfAndPeaksAtItsFrequency) {
  const std::string path = TempPath("two_tones.txt");
  ASSERT_EQ(RunCli("generate '" + path + "' --samples 500 --component 1,0.1 --component 0.5,-0.2").exitCode, 0);
  const Outcome outcome = RunCli("spectrum '" + path + "' --method periodogram --columns 1,2");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const auto rows = ParseRows(outcome.out);
  ASSERT_EQ(rows.size(), 10000u);
  EXPECT_DOUBLE_EQ(rows.front()[0], -0.5);
  EXPECT_DOUBLE_EQ(rows.back()[0], 0.4999);
  std::size_t peak = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 2u);
    if (i > 0) {
      ASSERT_GT(rows[i][0], rows[i - 1][0]);
    }
    ASSERT_LE(rows[i][1], 0.0);
    ASSERT_GE(rows[i][1], -100.0);
    if (rows[i][1] > rows[peak][1]) peak = i;
  }
  EXPECT_NEAR(rows[peak][0], 0.1, 1e-12);
  EXPECT_NE(outcome.err.find("dB range"), std::string::npos);
}

TEST(CliSpectrumTest, BurgWritesItsForecastAndReportsTheOrderUsed) {
  const std::string path = TempPath("burg.txt");
  ASSERT_EQ(RunCli("generate '" + path + "' --samples 200 --noise 0.01 --seed 3").exitCode, 0);
  const std::string model = TempPath("burg_model.txt");
  const Outcome outcome =
      RunCli("spectrum '" + path + "' --method 'AR Burg' --order 500 --columns 1,2 --model '" + model + "'");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_NE(outcome.err.find("parameter used\t199"), std::string::npos) << outcome.err;
  const auto rows = ParseRows(ReadWholeFile(model));
  ASSERT_EQ(rows.size(), 301u);
  EXPECT_EQ(rows.front()[0], 0.0);
  EXPECT_EQ(rows.back()[0], 300.0);
}

TEST(CliSpectrumTest, RefusalsPrintTheProgramsMessageAndExitOne) {
  const Outcome missing = RunCli("spectrum '" + TempPath("does_not_exist.txt") + "' --method EV");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Нельзя открыть файл"), std::string::npos) << missing.err;

  const std::string zeros = TempPath("zeros.txt");
  ASSERT_EQ(RunCli("generate '" + zeros + "' --samples 32 --component 0").exitCode, 0);
  const Outcome allZero = RunCli("spectrum '" + zeros + "' --method Periodogram --columns 1,2");
  EXPECT_EQ(allZero.exitCode, 1);
  EXPECT_NE(allZero.err.find("Periodogram method problem solving"), std::string::npos) << allZero.err;
}

TEST(CliTfTest, FourierWritesMatricesAndAnImageWhoseDarkestRowIsTheTone) {
  const std::string path = TempPath("tf_tone.txt");
  ASSERT_EQ(RunCli("generate '" + path + "' --samples 300 --component 1,0.25").exitCode, 0);
  const std::string power = TempPath("tf_power.txt");
  const std::string frequencies = TempPath("tf_frequencies.txt");
  const std::string image = TempPath("tf_image.pgm");
  const Outcome outcome = RunCli("tf '" + path + "' --columns 1,2 --method fourier --window 32 --fft 20 --matrix '" +
                                 power + "' --frequencies '" + frequencies + "' --image '" + image +
                                 "' --width 30 --height 32");
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_NE(outcome.err.find("fft size\t32"), std::string::npos) << outcome.err;  // raised to the window
  EXPECT_NE(outcome.err.find("100.0%"), std::string::npos);
  const auto powerRows = ParseRows(ReadWholeFile(power));
  const auto frequencyRows = ParseRows(ReadWholeFile(frequencies));
  ASSERT_EQ(powerRows.size(), 32u);
  ASSERT_EQ(powerRows[0].size(), 300u);
  // Row 24 is bin 8 of 32: frequency 0.25, the tone, normalised to 1.
  EXPECT_DOUBLE_EQ(frequencyRows[24][150], 0.25);
  EXPECT_DOUBLE_EQ(powerRows[24][150], 1.0);
  EXPECT_DOUBLE_EQ(frequencyRows[0][0], -0.5);
  const std::string pgm = ReadWholeFile(image);
  ASSERT_EQ(pgm.rfind("P5\n30 32\n255\n", 0), 0u);
  ASSERT_EQ(pgm.size(), std::string("P5\n30 32\n255\n").size() + 30 * 32);
}

TEST(CliTfTest, AWindowBeyondTheFitBuffersIsRefusedWithAMessage) {
  const std::string path = TempPath("tf_short.txt");
  ASSERT_EQ(RunCli("generate '" + path + "' --samples 50").exitCode, 0);
  const Outcome outcome = RunCli("tf '" + path + "' --method Symplex --window 10001");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("may not exceed 10000 samples"), std::string::npos) << outcome.err;
}

TEST(CliUsageTest, WrongArgumentsExitTwoWithAUsageLine) {
  for (const char* arguments : {"", "frobnicate", "spectrum", "spectrum x.txt", "spectrum x.txt --method Nope",
                                "spectrum x.txt --method EV --order two", "generate", "generate out.txt --samples",
                                "tf x.txt --method Fourier", "tf x.txt --window 10", "tf x.txt --method Nope --window 5",
                                "tf x.txt --method MUSIC --window 0"}) {
    const Outcome outcome = RunCli(arguments);
    EXPECT_EQ(outcome.exitCode, 2) << arguments;
    EXPECT_NE(outcome.err.find("usage: vorenta-cli"), std::string::npos) << arguments;
  }
}

TEST(CliUsageTest, HelpDocumentsTheOutputs) {
  const Outcome outcome = RunCli("--help");
  EXPECT_EQ(outcome.exitCode, 0);
  for (const char* word : {"cycles per sample", "dB", "radians", "damping", "--components", "--model", "CR LF"}) {
    EXPECT_NE(outcome.out.find(word), std::string::npos) << word;
  }
}

}  // namespace
