#include "core/data_file_probe.h"

#include <limits>
#include <string_view>

#include "core/data_file_line_reader.h"
#include "core/data_file_messages.h"
#include "core/data_file_tokens.h"
#include "core/message_sink.h"
#include "core/messages.h"

namespace vorenta {
namespace {

constexpr bool BeginsDataLine(char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'; }

// Token count of a data line, or -1 when one of its tokens is not valid.
std::int64_t ValidTokenCount(std::string_view line) {
  std::int64_t count = 0;
  std::size_t position = 0;
  for (std::string_view token = NextToken(line, position); !token.empty(); token = NextToken(line, position)) {
    if (!IsValidDataToken(token)) return -1;
    ++count;
  }
  return count;
}

// Reads lines up to the next one holding a token; false at the end of the file.
bool ReadNonBlankLine(DataFileLineReader& reader, std::string_view& line) {
  while (reader.ReadLine(line)) {
    std::size_t position = 0;
    if (!NextToken(line, position).empty()) return true;
  }
  return false;
}

// The layout columns of `line`; false when a token is neither date, time nor
// number.
bool ReadLayout(std::string_view line, CheckDatas& check) {
  std::int16_t column = 0;
  std::size_t position = 0;
  for (std::string_view token = NextToken(line, position); !token.empty(); token = NextToken(line, position)) {
    ++column;
    double ignored = 0.0;
    if (IsDateToken(token)) {
      if (check.DateColumn == 0) check.DateColumn = column;
    } else if (IsTimeToken(token)) {
      if (check.TimeColumn == 0) check.TimeColumn = column;
    } else if (!ConvertNumberToken(token, ignored)) {
      return false;
    } else if (check.Column1 == 0) {
      check.Column1 = column;
    }
  }
  check.ColumnCount = static_cast<std::uint16_t>(column);
  // With more than five columns a leading date-time pair is followed by one
  // column that is not signal.
  if (check.ColumnCount > 5) {
    if (check.DateColumn == 1 && check.TimeColumn == 2) check.Column1 = 4;
    if (check.DateColumn == 2 && check.TimeColumn == 3) check.Column1 = 5;
  }
  check.Column2 = 0;
  return true;
}

std::int32_t Refuse(CheckDatas& check, const std::string& message) {
  check.RowCount = 0;
  ShowMessage(message);
  return 0;
}

}  // namespace

std::int32_t ProbeFile(CheckDatas& check, const std::string& path) {
  check = CheckDatas{};
  check.FileName = path;
  DataFileLineReader reader;
  switch (reader.Open(path)) {
    case DataFileLineReader::OpenResult::CannotOpen: return Refuse(check, kCannotOpenFileMessage);
    case DataFileLineReader::OpenResult::OutOfMemory: return Refuse(check, kOutOfMemoryMessage);
    case DataFileLineReader::OpenResult::Opened: break;
  }
  constexpr std::int64_t kMostLines = std::numeric_limits<std::int32_t>::max();

  std::string_view line;
  std::int64_t linesRead = 0;
  bool foundDataLine = false;
  while (!foundDataLine && reader.ReadLine(line)) {
    ++linesRead;
    std::size_t position = 0;
    const std::string_view first = NextToken(line, position);
    foundDataLine = !first.empty() && BeginsDataLine(first.front());
  }
  if (!foundDataLine) return Refuse(check, kTooFewDataLinesMessage);
  if (linesRead > kMostLines) return Refuse(check, kOutOfMemoryMessage);
  check.FirstDataLine = static_cast<std::int32_t>(linesRead);

  // The first data line is validated like every other: nothing that cannot be
  // analysed gets through.
  const std::int64_t firstLineTokens = ValidTokenCount(line);
  if (firstLineTokens < 0) return Refuse(check, DataErrorMessage(path, check.FirstDataLine - 1));

  if (!ReadNonBlankLine(reader, line)) return Refuse(check, kTooFewDataLinesMessage);
  if (!ReadLayout(line, check)) return Refuse(check, DataErrorMessage(path, check.FirstDataLine));
  if (firstLineTokens != check.ColumnCount) return Refuse(check, DataErrorMessage(path, check.FirstDataLine - 1));

  std::int64_t rows = 1;  // the layout line
  while (reader.ReadLine(line)) {
    const std::int64_t tokens = ValidTokenCount(line);
    if (tokens == 0) continue;
    if (tokens != check.ColumnCount) return Refuse(check, DataErrorMessage(path, check.FirstDataLine + rows));
    ++rows;
  }
  ++rows;  // the first data line
  if (rows > kMostLines) return Refuse(check, kOutOfMemoryMessage);
  check.RowCount = static_cast<std::int32_t>(rows);
  return check.RowCount;
}

}  // namespace vorenta
