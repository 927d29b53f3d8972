#pragma once
// Line-by-line reading of a data file, the way every import stage sees it:
// at most kLineCapacity characters per line (a longer physical line is split
// and its remainder read as a further line), carriage returns removed (a
// CR LF file reads exactly like an LF file), every "," turned into "." (a
// comma is always a decimal separator). The line feed is not part of a line.
// NUL bytes and any other characters pass through unchanged.
//
// Memory is fixed: one line buffer of kLineCapacity + 1 bytes and one read
// chunk, whatever the size of the file.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vorenta {

class DataFileLineReader {
 public:
  // Characters a line can hold (a 2000-byte line buffer).
  static constexpr std::size_t kLineCapacity = 1999;

  enum class OpenResult { Opened, CannotOpen, OutOfMemory };

  DataFileLineReader() = default;
  DataFileLineReader(const DataFileLineReader&) = delete;
  DataFileLineReader& operator=(const DataFileLineReader&) = delete;
  ~DataFileLineReader();

  // Opens `path` for reading (binary, the carriage returns are removed here)
  // and allocates the buffers. Shows nothing; the caller words the failure.
  OpenResult Open(const std::string& path);

  // The next line, valid until the next call; false at the end of the file
  // (or on a read error). A file's last line counts whether or not it ends
  // with a line feed; nothing follows a final line feed. A physical line of
  // exactly kLineCapacity characters ends at its line feed (no empty
  // remainder line).
  bool ReadLine(std::string_view& line);

 private:
  // Refills the chunk; false when the file has nothing more.
  bool Refill();
  // Appends up to `available` characters of `source` (no line feed among
  // them) to the line of `length` characters, removing carriage returns and
  // turning commas into points, until the line is full; returns how many
  // characters of `source` were used.
  std::size_t AppendToLine(const char* source, std::size_t available, std::size_t& length);
  // After a line has filled up: consumes its line feed if that comes next.
  void SkipRestOfFullLine();

  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> line_;
  std::unique_ptr<char[]> chunk_;
  std::size_t chunkPos_ = 0;
  std::size_t chunkEnd_ = 0;
};

}  // namespace vorenta
