#include "core/data_file_line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/import_test_support.h"

namespace vorenta {
namespace {

constexpr std::size_t kCapacity = DataFileLineReader::kLineCapacity;

std::vector<std::string> LinesOf(std::string_view content) {
  testing::TemporaryDataFile file(content);
  DataFileLineReader reader;
  EXPECT_EQ(reader.Open(file.Path()), DataFileLineReader::OpenResult::Opened);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.ReadLine(line)) lines.emplace_back(line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(DataFileLineReaderTest, LineEndsAndLastLine) {
  EXPECT_EQ(LinesOf(""), Lines{});
  EXPECT_EQ(LinesOf("a"), Lines{"a"});
  EXPECT_EQ(LinesOf("a\n"), Lines{"a"});
  EXPECT_EQ(LinesOf("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(LinesOf("\n"), Lines{""});
}

TEST(DataFileLineReaderTest, CarriageReturnsAreRemoved) {
  EXPECT_EQ(LinesOf("1;2\r\n3;4\r\n"), LinesOf("1;2\n3;4\n"));
  EXPECT_EQ(LinesOf("1\r2\r\n"), Lines{"12"});
}

TEST(DataFileLineReaderTest, CommaBecomesPoint) { EXPECT_EQ(LinesOf("1,5;2,5\n"), Lines{"1.5;2.5"}); }

TEST(DataFileLineReaderTest, NulBytesPassThrough) {
  const std::string content("1\0002\n", 4);
  EXPECT_EQ(LinesOf(content), Lines{std::string("1\0002", 3)});
}

struct LongLineCase {
  std::size_t length;
  const char* ending;
};

class LongLineTest : public ::testing::TestWithParam<LongLineCase> {};

// Lines longer than the buffer are split into full pieces and a remainder;
// a line of exactly the capacity ends at its own line feed; CR LF behaves
// like LF wherever the split falls.
TEST_P(LongLineTest, SplitsIntoPiecesOfCapacity) {
  const LongLineCase& c = GetParam();
  std::string physical;
  for (std::size_t i = 0; i < c.length; ++i) physical += static_cast<char>('a' + i % 26);
  const Lines lines = LinesOf(physical + c.ending + "z" + c.ending);
  Lines expected;
  for (std::size_t start = 0; start < c.length; start += kCapacity) expected.push_back(physical.substr(start, kCapacity));
  expected.push_back("z");
  EXPECT_EQ(lines, expected);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongLineTest,
                         ::testing::Values(LongLineCase{kCapacity - 1, "\n"}, LongLineCase{kCapacity, "\n"},
                                           LongLineCase{kCapacity, "\r\n"}, LongLineCase{kCapacity + 1, "\n"},
                                           LongLineCase{kCapacity + 1, "\r\n"}, LongLineCase{3 * kCapacity, "\r\n"},
                                           // crosses read chunks of the reader
                                           LongLineCase{70000, "\n"}, LongLineCase{70000, "\r\n"}));

TEST(DataFileLineReaderTest, CarriageReturnsAcrossChunkBoundary) {
  // Line feeds and carriage returns land on every offset of a chunk edge.
  std::string lf;
  std::string crlf;
  for (int i = 0; i < 30000; ++i) {
    lf += std::to_string(i) + "\n";
    crlf += std::to_string(i) + "\r\n";
  }
  EXPECT_EQ(LinesOf(crlf), LinesOf(lf));
}

TEST(DataFileLineReaderTest, MissingFileCannotBeOpened) {
  DataFileLineReader reader;
  EXPECT_EQ(reader.Open("/nonexistent-folder/none.txt"), DataFileLineReader::OpenResult::CannotOpen);
  std::string_view line;
  EXPECT_FALSE(reader.ReadLine(line));
}

}  // namespace
}  // namespace vorenta
