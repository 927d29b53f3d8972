#include "core/import_pipeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/signal_store.h"
#include "tests/core/import_test_support.h"

namespace vorenta {
namespace {

std::vector<double> ValuesOf(const SignalClass& channel) { return {channel.Values().begin(), channel.Values().end()}; }
std::vector<double> ValuesOf(const TimeClass& base) { return {base.Values().begin(), base.Values().end()}; }

ImportSettingsAnswer Answer(bool accepted, std::int16_t column1, std::int16_t column2, std::uint16_t decimation = 1,
                            bool removeDc = false, bool analytic = false) {
  return {accepted, column1, column2, decimation, removeDc, analytic};
}

// Imports `content` answering the settings step with `answer`; the request
// seen is kept.
class ImportPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSignalStore(); }
  void TearDown() override { ResetSignalStore(); }

  ImportResult Import(const std::string& content, const ImportSettingsAnswer& answer) {
    file_ = std::make_unique<testing::TemporaryDataFile>(content);
    return ImportDataFile(file_->Path(), [this, answer](const ImportSettingsRequest& request) {
      request_ = request;
      ++settingsCalls_;
      return answer;
    });
  }

  // A known previous signal, ranges and settings, to check refusals against.
  void LoadPrevious() {
    ASSERT_TRUE(Import("1\n2\n3\n4\n5\n", Answer(true, 1, 0, 1, false)).loaded);
    Select(1, 3);
    ASSERT_TRUE(Crop());
    Decimation = 2;
    RemoveDcOffset = false;
    AnalyticTransform = true;
    settingsCalls_ = 0;
  }

  void ExpectPreviousUntouched() {
    EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(ValuesOf(TimeBase), (std::vector<double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(SignalLength, 5u);
    EXPECT_EQ(CropStart, 1);
    EXPECT_EQ(CropEnd, 3);
    EXPECT_EQ(SelectionStart, 1);
    EXPECT_EQ(SelectionEnd, 3);
    EXPECT_EQ(Decimation, 2);
    EXPECT_FALSE(RemoveDcOffset);
    EXPECT_TRUE(AnalyticTransform);
    EXPECT_TRUE(Channel1Present);
    EXPECT_FALSE(Channel2Present);
  }

  std::unique_ptr<testing::TemporaryDataFile> file_;
  ImportSettingsRequest request_;
  int settingsCalls_ = 0;
};

TEST_F(ImportPipelineTest, HeaderFileWithChosenSecondColumn) {
  Decimation = 4;  // shown in the dialog, replaced by its answer
  const ImportResult result = Import("t;x\n0;1,5\n1;2,5\n2;3", Answer(true, 2, 0));
  EXPECT_EQ(request_.caption, "Структура файла data.txt и доп. параметры");
  EXPECT_EQ(request_.filePath, file_->Path());
  EXPECT_EQ(request_.columnCount, 2);
  EXPECT_EQ(request_.proposedColumn1, 1);
  EXPECT_EQ(request_.proposedColumn2, 0);
  EXPECT_TRUE(request_.selectorsEnabled);
  EXPECT_EQ(request_.decimation, 4);
  EXPECT_TRUE(request_.removeDcOffset);
  EXPECT_FALSE(request_.analyticTransform);

  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(result.windowCaption, file_->Path());
  EXPECT_TRUE(result.channel1Present);
  EXPECT_FALSE(result.channel2Present);
  EXPECT_EQ(result.samplingFrequency, 1.0);
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{1.5, 2.5, 3}));
  EXPECT_EQ(ValuesOf(Channel2), (std::vector<double>{0, 0, 0}));
  EXPECT_EQ(ValuesOf(TimeBase), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(TimeBase.TimeStep(), 1.0);
  EXPECT_EQ(SignalLength, 3u);
  EXPECT_EQ(SelectionStart, 0);
  EXPECT_EQ(SelectionEnd, 2);
  EXPECT_EQ(CropStart, 0);
  EXPECT_EQ(CropEnd, 2);
  EXPECT_EQ(SignalStore.RangeStart, 0);
  EXPECT_EQ(SignalStore.RangeEnd, -1);
  EXPECT_EQ(Decimation, 1);
  EXPECT_FALSE(RemoveDcOffset);
  EXPECT_TRUE(Channel1Present);
  EXPECT_FALSE(Channel2Present);
}

TEST_F(ImportPipelineTest, CrLfFileLoadsLikeLfFile) {
  ASSERT_TRUE(Import("t;x\r\n0;1,5\r\n1;2,5\r\n2;3\r\n", Answer(true, 2, 0)).loaded);
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{1.5, 2.5, 3}));
}

struct ColumnCase {
  const char* name;
  ImportSettingsAnswer answer;
  std::vector<double> channel1, channel2;
  bool present1, present2;
};

void PrintTo(const ColumnCase& c, std::ostream* out) { *out << c.name; }

class ImportColumnTest : public ImportPipelineTest, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(ImportColumnTest, ChannelsFollowTheChosenColumns) {
  const ColumnCase& c = GetParam();
  const ImportResult result = Import("1 10 100\n2 20 200\n3 30 300\n", c.answer);
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(ValuesOf(Channel1), c.channel1);
  EXPECT_EQ(ValuesOf(Channel2), c.channel2);
  EXPECT_EQ(result.channel1Present, c.present1);
  EXPECT_EQ(result.channel2Present, c.present2);
  EXPECT_EQ(Channel1Present, c.present1);
  EXPECT_EQ(Channel2Present, c.present2);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ImportColumnTest,
    ::testing::Values(
        ColumnCase{"Both", Answer(true, 3, 2), {100, 200, 300}, {10, 20, 30}, true, true},
        ColumnCase{"SecondOnly", Answer(true, 0, 2), {0, 0, 0}, {10, 20, 30}, false, true},
        ColumnCase{"FirstOnly", Answer(true, 2, 0), {10, 20, 30}, {0, 0, 0}, true, false},
        // Cancel keeps the proposal: the first number column, no second channel.
        ColumnCase{"CancelKeepsProposal", Answer(false, 3, 2), {1, 2, 3}, {0, 0, 0}, true, false},
        // The second channel may not take the first channel's column.
        ColumnCase{"SameColumnTwice", Answer(true, 2, 2), {10, 20, 30}, {0, 0, 0}, true, false},
        ColumnCase{"ColumnBeyondFile", Answer(true, 9, 3), {0, 0, 0}, {100, 200, 300}, false, true}));

TEST_F(ImportPipelineTest, CancelForOneColumnFileStillLoadsColumnOne) {
  const ImportResult result = Import("5\n7\n9\n", Answer(false, 0, 1, 1, true, false));
  EXPECT_FALSE(request_.selectorsEnabled);
  EXPECT_EQ(request_.proposedColumn1, 1);
  ASSERT_TRUE(result.loaded);
  // The dialog's "Remove DC offset" applies with Cancel too.
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{-2, 0, 2}));
  EXPECT_TRUE(RemoveDcOffset);
}

TEST_F(ImportPipelineTest, DecimationAveragesBlocksAndDropsRemainder) {
  std::string content;
  for (int i = 0; i < 10; ++i) content += std::to_string(i * i) + ";" + std::to_string(-i) + "\n";
  const ImportResult result = Import(content, Answer(true, 1, 2, 3));
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{5.0 / 3, 50.0 / 3, 149.0 / 3}));
  EXPECT_EQ(ValuesOf(Channel2), (std::vector<double>{-1, -4, -7}));
  EXPECT_EQ(ValuesOf(TimeBase), (std::vector<double>{1, 4, 7}));
  EXPECT_EQ(TimeBase.TimeStep(), 3.0);
  EXPECT_EQ(SignalLength, 3u);
  EXPECT_EQ(CropEnd, 2);
  EXPECT_EQ(Decimation, 3);
  EXPECT_EQ(result.samplingFrequency, 1.0 / 3);
}

TEST_F(ImportPipelineTest, DecimationIsClampedIntoItsRange) {
  ASSERT_TRUE(Import("1\n2\n3\n", Answer(true, 1, 0, 0)).loaded);
  EXPECT_EQ(Decimation, 1);
  EXPECT_EQ(SignalLength, 3u);
}

TEST_F(ImportPipelineTest, DcOffsetRemovedPerChannel) {
  ASSERT_TRUE(Import("1;10\n2;30\n6;20\n", Answer(true, 1, 2, 1, true)).loaded);
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{-2, -1, 3}));
  EXPECT_EQ(ValuesOf(Channel2), (std::vector<double>{-10, 10, 0}));
}

TEST_F(ImportPipelineTest, TwoColumnFileIsNeverTransformed) {
  ASSERT_TRUE(Import("1;0\n0;0\n-1;0\n0;0\n", Answer(true, 1, 2, 1, false, true)).loaded);
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{1, 0, -1, 0}));
  EXPECT_EQ(ValuesOf(Channel2), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_TRUE(AnalyticTransform);
}

TEST_F(ImportPipelineTest, OneColumnFileTransformedMakesBothChannelsPresent) {
  // cos(pi/2 j): its analytic signal is exp(i pi/2 j).
  const ImportResult result = Import("1\n0\n-1\n0\n", Answer(true, 1, 0, 1, false, true));
  ASSERT_TRUE(result.loaded);
  EXPECT_TRUE(result.channel1Present);
  EXPECT_TRUE(result.channel2Present);
  const std::vector<double> sine{0, 1, 0, -1};
  for (int j = 0; j < 4; ++j) {
    EXPECT_NEAR(Channel1[j], std::cos(M_PI / 2 * j), 1e-15);
    EXPECT_NEAR(Channel2[j], sine[j], 1e-15);
  }
}

// Refusals: one message, the settings step called only after a good probe,
// and the previous signal, ranges and settings untouched.
struct RefusalCase {
  const char* name;
  std::string content;
  ImportSettingsAnswer answer;
  std::string message;
  int settingsCalls;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class ImportRefusalTest : public ImportPipelineTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ImportRefusalTest, LeavesPreviousSignalUntouched) {
  LoadPrevious();
  const RefusalCase& c = GetParam();
  testing::RecordedMessages messages;
  EXPECT_FALSE(Import(c.content, c.answer).loaded);
  EXPECT_EQ(settingsCalls_, c.settingsCalls);
  EXPECT_EQ(messages.All(), std::vector<std::string>{c.message});
  ExpectPreviousUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportRefusalTest,
    ::testing::Values(
        RefusalCase{"DataError", "1;2\n3;4\n5\n", Answer(true, 1, 0), "Неверные данные в файле data.txt,\nСтрока: 2", 0},
        RefusalCase{"NoDataLine", "header only\n", Answer(true, 1, 0), "В файле меньше двух строк данных", 0},
        RefusalCase{"Empty", "", Answer(true, 1, 0), "В файле меньше двух строк данных", 0},
        RefusalCase{"NoChannelChosen", "1;2\n3;4\n", Answer(true, 0, 0), "Не выбрана ни одна колонка сигнала", 1},
        RefusalCase{"FewerRowsThanDecimation", "1\n2\n3\n", Answer(true, 1, 0, 4),
                    "Строк в файле меньше, чем коэффициент прореживания", 1}));

TEST_F(ImportPipelineTest, DateColumnChosenAsChannelThrowsAndChangesNothing) {
  LoadPrevious();
  try {
    Import("x\n1.5 31.01.2005\n2.5 12:30\n3.5 01.02.2005\n", Answer(true, 2, 0, 1, true));
    FAIL() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_EQ(std::string(error.what()), "Колонка канала содержит не число в файле data.txt,\nСтрока: 1");
  }
  ExpectPreviousUntouched();
}

TEST_F(ImportPipelineTest, FileVanishingBeforeReaderChangesNothing) {
  LoadPrevious();
  testing::TemporaryDataFile data("1;2\n3;4\n");
  testing::RecordedMessages messages;
  const ImportResult result = ImportDataFile(data.Path(), [&data](const ImportSettingsRequest&) {
    std::filesystem::remove(data.Path());
    return Answer(true, 1, 2);
  });
  EXPECT_FALSE(result.loaded);
  EXPECT_EQ(messages.All(), std::vector<std::string>{"Нельзя открыть файл"});
  ExpectPreviousUntouched();
}

TEST_F(ImportPipelineTest, FileShrinkingBeforeReaderThrowsAndChangesNothing) {
  LoadPrevious();
  testing::TemporaryDataFile data("h\n1;2\n3;4\n5;6\n");
  const auto shrink = [&data](const ImportSettingsRequest&) {
    std::ofstream(data.Path(), std::ios::trunc) << "h\n1;2\n";
    return Answer(true, 1, 2);
  };
  EXPECT_THROW(ImportDataFile(data.Path(), shrink), VorentaError);
  ExpectPreviousUntouched();
}

TEST_F(ImportPipelineTest, OverflowingDcRemovalThrowsAndChangesNothing) {
  LoadPrevious();
  EXPECT_THROW(Import("1.5e308\n1.5e308\n-1.5e308\n", Answer(true, 1, 0, 1, true)), VorentaError);
  ExpectPreviousUntouched();
}

}  // namespace
}  // namespace vorenta
