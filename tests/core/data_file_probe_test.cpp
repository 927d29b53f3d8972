#include "core/data_file_probe.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/data_file_messages.h"
#include "tests/core/import_test_support.h"

namespace vorenta {
namespace {

std::string DataError(int line) { return "Неверные данные в файле data.txt,\nСтрока: " + std::to_string(line); }
const std::string kTooFewLines = "В файле меньше двух строк данных";

struct LayoutCase {
  const char* name;
  std::string content;
  std::int32_t rows;
  std::uint16_t columns;
  std::int16_t dateColumn, timeColumn, column1;
  std::int32_t firstDataLine;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.name; }

class ProbeLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ProbeLayoutTest, FindsHeaderLayoutAndRows) {
  const LayoutCase& c = GetParam();
  testing::TemporaryDataFile file(c.content);
  testing::RecordedMessages messages;
  CheckDatas check;
  EXPECT_EQ(ProbeFile(check, file.Path()), c.rows);
  EXPECT_TRUE(messages.All().empty());
  EXPECT_EQ(check.RowCount, c.rows);
  EXPECT_EQ(check.ColumnCount, c.columns);
  EXPECT_EQ(check.DateColumn, c.dateColumn);
  EXPECT_EQ(check.TimeColumn, c.timeColumn);
  EXPECT_EQ(check.Column1, c.column1);
  EXPECT_EQ(check.Column2, 0);
  EXPECT_EQ(check.FirstDataLine, c.firstDataLine);
  EXPECT_EQ(check.FileName, file.Path());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProbeLayoutTest,
    ::testing::Values(
        LayoutCase{"HeaderAndCommas", "t;x\n0;1,5\n1;2,5\n2;3", 3, 2, 0, 0, 1, 2},
        LayoutCase{"LastLineWithoutBreak", "1 2\n3 4\n5 6", 3, 2, 0, 0, 1, 1},
        LayoutCase{"CrLf", "t;x\r\n0;1,5\r\n1;2,5\r\n2;3\r\n", 3, 2, 0, 0, 1, 2},
        LayoutCase{"BlankHeaderLinesCount", "\n\ntitle\n\n-1\n2\n", 2, 1, 0, 0, 1, 5},
        LayoutCase{"BlankDataLinesSkipped", "1;2\n\n\n3;4\n\n5;6\n\n", 3, 2, 0, 0, 1, 1},
        LayoutCase{"EightDigitIntegersAreDates", "20050131;1.5;2\n20050201;2.5;3\n", 2, 3, 1, 0, 2, 1},
        LayoutCase{"DateTimeThenSkippedColumn", "31.01.2005 12:30 1 2 3 4 5\n31.01.2005 12:31 1 2 3 4 5\n", 2, 7, 1, 2,
                   4, 1},
        LayoutCase{"ColumnThenDateTime", "7 31.01.2005 123000 1 2 3\n8 31.01.2005 123100 1 2 3\n", 2, 6, 2, 3, 5, 1},
        LayoutCase{"FiveColumnsNoOverride", "31.01.2005 12:30 1 2 3\n31.01.2005 12:31 1 2 3\n", 2, 5, 1, 2, 3, 1},
        LayoutCase{"DatesAndTimesInOtherLines", "1;2\n3;4\n20050101;12:30\n", 3, 2, 0, 0, 1, 1},
        LayoutCase{"HeaderStartingWithComma", "x\n,5\n.25\n", 2, 1, 0, 0, 1, 2},
        LayoutCase{"SignedFirstTokens", "+1 -2\n-3 +4\n", 2, 2, 0, 0, 1, 1}));

struct RefusalCase {
  const char* name;
  std::string content;
  std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class ProbeRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ProbeRefusalTest, ShowsOneMessageAndReturnsZero) {
  const RefusalCase& c = GetParam();
  testing::TemporaryDataFile file(c.content);
  testing::RecordedMessages messages;
  CheckDatas check;
  EXPECT_EQ(ProbeFile(check, file.Path()), 0);
  EXPECT_EQ(check.RowCount, 0);
  ASSERT_EQ(messages.All().size(), 1u);
  EXPECT_EQ(messages.All()[0], c.message);
}

std::string LongDataLine() {
  std::string line;
  while (line.size() < 2500) line += "1;";
  return line + "1\n";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProbeRefusalTest,
    ::testing::Values(
        RefusalCase{"CommaIsNotASeparator", "x\n1;2\n1,2,3;4\n", DataError(2)},
        RefusalCase{"DifferentTokenCounts", "1;2\n3;4\n5\n", DataError(2)},
        RefusalCase{"WordInData", "1;2\n3;4\n5;6\n7;x\n", DataError(3)},
        RefusalCase{"NanInFirstDataLine", "1;nan\n2;3\n4;5\n", DataError(0)},
        RefusalCase{"InfInLayoutLine", "1;2\n3;inf\n4;5\n", DataError(1)},
        RefusalCase{"OverflowInLaterLine", "1;2\n3;4\n5;1e999\n", DataError(2)},
        RefusalCase{"FirstDataLineCountDiffers", "1\n2;3\n4;5\n", DataError(0)},
        RefusalCase{"WordInFirstDataLine", "h\n1 x\n2 3\n", DataError(1)},
        RefusalCase{"BlankLinesAfterFirstDataLineNotCounted", "h\n\n1;2\n\n3;4\n\n\n5;x\n", DataError(4)},
        RefusalCase{"NulByte", std::string("1;2\n3\0;4\n", 9), DataError(1)},
        RefusalCase{"LineLongerThanBuffer", "1;1\n1;1\n" + LongDataLine(), DataError(2)},
        RefusalCase{"EmptyFile", "", kTooFewLines},
        RefusalCase{"OnlyHeaderLines", "time;value\n\nnone\n", kTooFewLines},
        RefusalCase{"OneDataLine", "t;x\n1;2\n", kTooFewLines},
        RefusalCase{"OneDataLineAndBlanks", "1;2\n\n \t\n", kTooFewLines},
        RefusalCase{"BinaryWithoutDataLine", std::string("\x7f" "ELF\0\0\0\x01\x02\n\xff\xfe", 13), kTooFewLines}));

TEST(ProbeFileTest, MissingFileCannotBeOpened) {
  testing::RecordedMessages messages;
  CheckDatas check;
  EXPECT_EQ(ProbeFile(check, "/nonexistent-folder/data.txt"), 0);
  EXPECT_EQ(messages.All(), std::vector<std::string>{"Нельзя открыть файл"});
}

TEST(ProbeFileTest, CrLfFileProbesLikeLfFile) {
  const std::string lf = "h\n1 2\n\n3 4\n5 x\n";
  std::string crlf;
  for (const char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::vector<std::string> shown;
  for (const std::string& content : {lf, crlf}) {
    testing::TemporaryDataFile file(content);
    testing::RecordedMessages messages;
    CheckDatas check;
    ProbeFile(check, file.Path());
    shown.push_back(messages.All().at(0));
  }
  EXPECT_EQ(shown[0], DataError(3));
  EXPECT_EQ(shown[1], shown[0]);
}

TEST(FileNameWithoutFolderTest, CutsAtLastFolderSeparator) {
  EXPECT_EQ(FileNameWithoutFolder("C:\\signals\\run 1.txt"), "run 1.txt");
  EXPECT_EQ(FileNameWithoutFolder("C:run.txt"), "run.txt");
  EXPECT_EQ(FileNameWithoutFolder("/home/user/run.csv"), "run.csv");
  EXPECT_EQ(FileNameWithoutFolder("run.dat"), "run.dat");
  EXPECT_EQ(DataErrorMessage("/x/y.txt", 12), "Неверные данные в файле y.txt,\nСтрока: 12");
}

}  // namespace
}  // namespace vorenta
