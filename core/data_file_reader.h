#pragma once
// The reader of a data file: parses the chosen channel columns of every data
// row into a fresh signal, with the row numbers as time stamps.

#include <cstdint>
#include <string>

#include "core/data_file_probe.h"
#include "core/signal_store.h"

namespace vorenta {

// The reader's settings: the probe's structure and the two channel columns
// (1-based, 0 = not read). Date and time columns stay 0, so they are never
// read into the store.
struct ReaderDatas {
  std::int16_t DateColumn = 0;
  std::int16_t TimeColumn = 0;
  std::int16_t Column1 = 0;
  std::int16_t Column2 = 0;
  std::int32_t RowCount = 0;
  std::uint16_t ColumnCount = 0;
  std::int32_t FirstDataLine = 0;
  std::string FileName;

  ReaderDatas() = default;
  // RowCount, ColumnCount, FirstDataLine and the file name from the probe;
  // all four columns 0.
  explicit ReaderDatas(const CheckDatas& check);

  // Column1 := c unless c equals TimeColumn, Column2 or DateColumn (so 0, the
  // other channel's column and the date/time columns are refused).
  void SetColumn1(std::int16_t c);
  // Column2 := c unless c equals TimeColumn, Column1 or DateColumn.
  void SetColumn2(std::int16_t c);
};

// Reads RowCount data rows of `settings.FileName`: FirstDataLine - 1 header
// lines are skipped, blank lines are skipped and not counted, row i (0-based)
// gets Channel1[i] / Channel2[i] from tokens Column1 / Column2 (0 when a
// column is 0 or missing; tokens beyond ColumnCount ignored) and the stamp i.
// TimeStep is then 1 (UpdateStep); RangeStart 0, RangeEnd -1.
//
// Returns an empty signal after one message through ShowMessage when the file
// cannot be opened ("Нельзя открыть файл", RowCount := 0) or an array cannot
// be allocated ("Недостаточно памяти"). Throws VorentaError when a chosen
// column's token is not a number (a date or time token): NotANumberMessage
// with the line number as the data error counts it; and when the file holds
// fewer rows than RowCount (changed since the probe): the data error at the
// line where it ends.
AnalyticSignalClass ReadDataFile(ReaderDatas& settings);

}  // namespace vorenta
