#include "core/data_file_reader.h"

#include <algorithm>
#include <string_view>

#include "core/data_file_line_reader.h"
#include "core/data_file_messages.h"
#include "core/data_file_tokens.h"
#include "core/error.h"
#include "core/message_sink.h"
#include "core/messages.h"

namespace vorenta {

ReaderDatas::ReaderDatas(const CheckDatas& check)
    : RowCount(check.RowCount),
      ColumnCount(check.ColumnCount),
      FirstDataLine(check.FirstDataLine),
      FileName(check.FileName) {}

void ReaderDatas::SetColumn1(std::int16_t c) {
  if (c != TimeColumn && c != Column2 && c != DateColumn) Column1 = c;
}

void ReaderDatas::SetColumn2(std::int16_t c) {
  if (c != TimeColumn && c != Column1 && c != DateColumn) Column2 = c;
}

AnalyticSignalClass ReadDataFile(ReaderDatas& settings) {
  DataFileLineReader reader;
  switch (reader.Open(settings.FileName)) {
    case DataFileLineReader::OpenResult::CannotOpen:
      ShowMessage(kCannotOpenFileMessage);
      settings.RowCount = 0;
      return {};
    case DataFileLineReader::OpenResult::OutOfMemory:
      ShowMessage(kOutOfMemoryMessage);
      return {};
    case DataFileLineReader::OpenResult::Opened: break;
  }
  const std::int32_t rows = settings.RowCount;
  AnalyticSignalClass signal;
  if (!signal.Channel1.Resize(rows) || !signal.Channel2.Resize(rows) || !signal.TimeBase.Resize(rows)) return {};

  std::string_view line;
  for (std::int32_t skipped = 1; skipped < settings.FirstDataLine; ++skipped) {
    if (!reader.ReadLine(line)) throw VorentaError(DataErrorMessage(settings.FileName, skipped - 1));
  }
  // Line number of row i in the messages, counted as the probe counts it.
  const auto lineOfRow = [&settings](std::int32_t row) { return std::int64_t{settings.FirstDataLine} - 1 + row; };
  const std::int16_t column1 = settings.Column1;
  const std::int16_t column2 = settings.Column2;
  const std::int32_t lastWanted = std::max(column1, column2);
  std::int32_t row = 0;
  while (row < rows && reader.ReadLine(line)) {
    std::size_t position = 0;
    std::string_view token = NextToken(line, position);
    if (token.empty()) continue;
    for (std::int32_t column = 1; column <= lastWanted && column <= settings.ColumnCount && !token.empty();
         ++column, token = NextToken(line, position)) {
      if (column != column1 && column != column2) continue;
      double value = 0.0;
      if (!ConvertNumberToken(token, value)) throw VorentaError(NotANumberMessage(settings.FileName, lineOfRow(row)));
      (column == column1 ? signal.Channel1 : signal.Channel2).Set(row, value);
    }
    signal.TimeBase.Set(row, row);
    ++row;
  }
  if (row < rows) throw VorentaError(DataErrorMessage(settings.FileName, lineOfRow(row)));
  signal.TimeBase.UpdateStep();
  return signal;
}

}  // namespace vorenta
