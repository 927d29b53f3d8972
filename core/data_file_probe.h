#pragma once
// The structure probe of a data file: finds the header, the column layout and
// the number of data rows, and validates every data line.

#include <cstdint>
#include <string>

namespace vorenta {

// The probe's findings. Columns are 1-based, 0 meaning none.
struct CheckDatas {
  std::int16_t DateColumn = 0;     // first date token of the layout line
  std::int16_t TimeColumn = 0;     // first time token of the layout line
  std::int16_t Column1 = 0;        // proposed for Channel1 (first number token, see ProbeFile)
  std::int16_t Column2 = 0;        // always 0 after the probe
  std::int32_t RowCount = 0;       // data rows; 0 means the import is refused
  std::uint16_t ColumnCount = 0;   // tokens of the layout line
  std::int32_t FirstDataLine = 0;  // 1-based line number of the first data line
  std::string FileName;            // full path
};

// Probes the file at `path` and fills `check`; returns check.RowCount.
//
// Header: lines are skipped (blank ones included) up to the first whose first
// token begins with a digit, "+", "-" or "." (a "," has become "." already);
// it is the first data line, FirstDataLine its 1-based number. The layout line
// is the next line holding tokens: DateColumn, TimeColumn and Column1 are the
// positions of its first date, time and other (number) token, ColumnCount its
// token count; with more than five columns a date-time pair in columns 1, 2
// or 2, 3 moves Column1 to 4 or 5. Every data line (the first one included)
// must hold exactly ColumnCount tokens, each a date, a time or a number
// (IsValidDataToken); blank lines after the first data line are skipped.
//
// Refusals return 0 after one message through ShowMessage:
// "Нельзя открыть файл"; "Недостаточно памяти" (also for more rows than a
// signal can hold); the data error "Неверные данные в файле <name>,\nСтрока:
// <n>" for the first bad line, n counting the lines before it (header lines
// and the first data line included, blank lines after the first data line
// not); kTooFewDataLinesMessage when the file has no layout line (empty
// file, no data line, a single data line).
std::int32_t ProbeFile(CheckDatas& check, const std::string& path);

}  // namespace vorenta
