#pragma once
// Helpers of the import tests: data files written to a private temporary
// folder, and a message sink that records instead of showing.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

#include "core/message_sink.h"

namespace vorenta::testing {

// A file with the given bytes, removed again when the object goes.
class TemporaryDataFile {
 public:
  explicit TemporaryDataFile(std::string_view content, std::string_view name = "data.txt") {
    static std::atomic<int> serial{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("vorenta-import-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / name).string();
    std::ofstream(path_, std::ios::binary) << content;
  }
  TemporaryDataFile(const TemporaryDataFile&) = delete;
  TemporaryDataFile& operator=(const TemporaryDataFile&) = delete;
  ~TemporaryDataFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

// Records every message shown while it lives; restores the previous sink.
class RecordedMessages {
 public:
  RecordedMessages() : previous_(SetMessageSink([this](const std::string& m) { messages_.push_back(m); })) {}
  RecordedMessages(const RecordedMessages&) = delete;
  RecordedMessages& operator=(const RecordedMessages&) = delete;
  ~RecordedMessages() { SetMessageSink(std::move(previous_)); }
  const std::vector<std::string>& All() const { return messages_; }

 private:
  std::vector<std::string> messages_;
  MessageSink previous_;
};

}  // namespace vorenta::testing
