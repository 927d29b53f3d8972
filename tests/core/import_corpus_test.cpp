// The import fuzzer's seed corpus of malformed and unusual files, replayed as
// regression cases: every file loads consistently or is refused in a defined
// way, whatever the dialog answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/import_pipeline.h"
#include "core/signal_store.h"
#include "fuzz/import_invariants.h"
#include "tests/core/import_test_support.h"

namespace vorenta {
namespace {

// Resolved textually: the test data folder itself need not exist.
const std::filesystem::path kCorpus =
    (std::filesystem::path(VORENTA_TEST_DATA_DIR) / ".." / ".." / "fuzz" / "corpus" / "import").lexically_normal();

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

struct Dialog {
  const char* name;
  ImportSettingsAnswer answer;
};

const Dialog kDialogs[] = {
    {"OkProposed", {true, 1, 2, 1, true, false}},
    {"CancelAnalytic", {false, 0, 0, 2, true, true}},
    {"SecondOnlyDecimated", {true, 0, 1, 3, false, true}},
};

class ImportCorpusTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { ResetSignalStore(); }
  void TearDown() override { ResetSignalStore(); }
};

TEST_P(ImportCorpusTest, LoadsConsistentlyOrRefusesOnce) {
  const std::string path = (kCorpus / GetParam()).string();
  for (const Dialog& dialog : kDialogs) {
    SCOPED_TRACE(dialog.name);
    ResetSignalStore();
    testing::RecordedMessages messages;
    try {
      const ImportResult result = ImportDataFile(path, [&dialog](const ImportSettingsRequest&) { return dialog.answer; });
      EXPECT_EQ(ImportInvariantViolation(result), "");
      EXPECT_EQ(messages.All().size(), result.loaded ? 0u : 1u);
      if (!result.loaded) {
        EXPECT_EQ(SignalLength, 0u);
      }
    } catch (const VorentaError& error) {
      EXPECT_FALSE(std::string(error.what()).empty());
      EXPECT_TRUE(messages.All().empty());
      EXPECT_EQ(SignalLength, 0u);
      EXPECT_EQ(Channel1.Count(), 0);
    }
  }
}

std::string TestNameOf(const ::testing::TestParamInfo<std::string>& file) {
  std::string name;
  for (const char c : file.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, ImportCorpusTest, ::testing::ValuesIn(CorpusFiles()), TestNameOf);

// A few corpus files whose outcome is known exactly.
TEST(ImportCorpusOutcomeTest, KnownFiles) {
  ResetSignalStore();
  const auto import = [](const char* name) {
    return ImportDataFile((kCorpus / name).string(), [](const ImportSettingsRequest& request) {
      return ImportSettingsAnswer{true, request.proposedColumn1, 0, 1, false, false};
    });
  };
  testing::RecordedMessages messages;
  EXPECT_TRUE(import("good_crlf.txt").loaded);
  EXPECT_EQ(Channel1[2], 3.0);
  EXPECT_TRUE(import("underflow_token.txt").loaded);
  EXPECT_FALSE(import("overflow_token.txt").loaded);
  EXPECT_FALSE(import("nul_bytes.txt").loaded);
  EXPECT_FALSE(import("long_line.txt").loaded);
  EXPECT_THROW(import("date_only_column.txt"), VorentaError);
  EXPECT_EQ(messages.All().size(), 3u);
  ResetSignalStore();
}

}  // namespace
}  // namespace vorenta
