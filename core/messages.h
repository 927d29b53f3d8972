#pragma once
// The program's own texts for the failures of the signal store and the import.
// Plain character arrays: they convert to std::string wherever a message goes.

namespace vorenta {

inline constexpr char kCannotOpenFileMessage[] = "Нельзя открыть файл";
inline constexpr char kOutOfMemoryMessage[] = "Недостаточно памяти";
// The data-error message is kDataErrorPrefix + file name + kDataErrorLineSeparator + n.
inline constexpr char kDataErrorPrefix[] = "Неверные данные в файле ";
inline constexpr char kDataErrorLineSeparator[] = ",\nСтрока: ";
// A file needs a first data line and a layout line after it.
inline constexpr char kTooFewDataLinesMessage[] = "В файле меньше двух строк данных";
// A chosen channel column holds a date or time token: prefix + name + ",\nСтрока: " + n.
inline constexpr char kNotANumberPrefix[] = "Колонка канала содержит не число в файле ";
inline constexpr char kNoChannelColumnMessage[] = "Не выбрана ни одна колонка сигнала";
inline constexpr char kTooFewRowsForDecimationMessage[] = "Строк в файле меньше, чем коэффициент прореживания";
inline constexpr char kOverflowMessage[] = "Переполнение при обработке сигнала";

}  // namespace vorenta
