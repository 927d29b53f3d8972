#include "core/data_file_line_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vorenta {
namespace {

// Bytes fetched from the file at a time; like a stdio buffer, it does not
// grow with the file.
constexpr std::size_t kChunkSize = 1 << 16;

}  // namespace

DataFileLineReader::~DataFileLineReader() {
  if (file_) std::fclose(file_);
}

DataFileLineReader::OpenResult DataFileLineReader::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return OpenResult::CannotOpen;
  try {
    line_ = std::make_unique_for_overwrite<char[]>(kLineCapacity + 1);
    chunk_ = std::make_unique_for_overwrite<char[]>(kChunkSize);
  } catch (const std::bad_alloc&) {
    std::fclose(file_);
    file_ = nullptr;
    return OpenResult::OutOfMemory;
  }
  return OpenResult::Opened;
}

bool DataFileLineReader::Refill() {
  chunkPos_ = 0;
  chunkEnd_ = std::fread(chunk_.get(), 1, kChunkSize, file_);
  return chunkEnd_ > 0;
}

std::size_t DataFileLineReader::AppendToLine(const char* source, std::size_t available, std::size_t& length) {
  const std::size_t room = kLineCapacity - length;
  char* line = line_.get();
  std::size_t taken = std::min(available, room);
  if (std::memchr(source, '\r', taken) == nullptr) {
    // The usual case, no carriage return: copy, then turn commas into points
    // in a loop the compiler vectorises.
    std::memcpy(line + length, source, taken);
    for (std::size_t i = length; i < length + taken; ++i) line[i] = line[i] == ',' ? '.' : line[i];
    length += taken;
    return taken;
  }
  taken = 0;
  while (taken < available && length < kLineCapacity) {
    const char c = source[taken++];
    if (c == '\r') continue;
    line[length++] = c == ',' ? '.' : c;
  }
  return taken;
}

void DataFileLineReader::SkipRestOfFullLine() {
  // Carriage returns before the line feed still belong to the full line, so a
  // CR LF file splits where an LF file does.
  for (;;) {
    if (chunkPos_ == chunkEnd_ && !Refill()) return;
    const char c = chunk_[chunkPos_];
    if (c != '\r') {
      if (c == '\n') ++chunkPos_;
      return;
    }
    ++chunkPos_;
  }
}

bool DataFileLineReader::ReadLine(std::string_view& line) {
  if (!file_) return false;
  std::size_t length = 0;
  bool readAnything = false;
  for (;;) {
    if (chunkPos_ == chunkEnd_ && !Refill()) break;
    readAnything = true;
    const char* begin = chunk_.get() + chunkPos_;
    const std::size_t available = chunkEnd_ - chunkPos_;
    const void* feed = std::memchr(begin, '\n', available);
    const std::size_t segment = feed ? static_cast<const char*>(feed) - begin : available;
    const std::size_t taken = AppendToLine(begin, segment, length);
    chunkPos_ += taken;
    if (taken < segment) {
      SkipRestOfFullLine();
      break;
    }
    if (feed) {
      ++chunkPos_;  // the line feed ends the line
      break;
    }
  }
  line = std::string_view(line_.get(), length);
  return readAnything;
}

}  // namespace vorenta
