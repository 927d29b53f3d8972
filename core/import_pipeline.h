#pragma once
// The whole import of a delimited text file as one engine call: structure
// probe, settings step (a callback: the UI shows the import settings dialog
// there, tests and the command-line tool answer directly), reader,
// post-processing (decimation, DC offset removal, analytic transform) and the
// replacement of the signal store.
//
// Everything is built in a temporary first; the store, the ranges and the
// settings (Decimation, RemoveDcOffset, AnalyticTransform) change only when
// the import succeeds. A refusal leaves all of them untouched.

#include <cstdint>
#include <functional>
#include <string>

namespace vorenta {

// What the settings dialog needs to show.
struct ImportSettingsRequest {
  std::string filePath;         // the full path as chosen
  std::string caption;          // "Структура файла " + name without folder + " и доп. параметры"
  std::uint16_t columnCount = 0;
  std::int16_t proposedColumn1 = 0;  // 1-based column proposed for Channel1, 0 = none
  std::int16_t proposedColumn2 = 0;  // likewise for Channel2 (the probe proposes none)
  bool selectorsEnabled = false;     // false when the file has fewer than 2 columns
  std::uint16_t decimation = 1;      // the current Decimation
  bool removeDcOffset = true;        // the check boxes start from their defaults
  bool analyticTransform = false;
};

// The dialog's answer.
struct ImportSettingsAnswer {
  bool accepted = false;         // OK (true) or Cancel (false)
  std::int16_t column1 = 0;      // chosen columns, used only when accepted; 0 = "не использ."
  std::int16_t column2 = 0;
  std::uint16_t decimation = 1;  // used in every case, clamped to 1 .. 10000
  bool removeDcOffset = true;    // used in every case
  bool analyticTransform = false;
};

using ImportSettingsStep = std::function<ImportSettingsAnswer(const ImportSettingsRequest&)>;

// What the caller needs to reset its views after a successful import.
struct ImportResult {
  bool loaded = false;          // false: refused, the reason has been shown, nothing changed
  std::string windowCaption;    // the full path (main-window caption), set when loaded
  bool channel1Present = false; // as stored in Channel1Present / Channel2Present
  bool channel2Present = false;
  std::uint16_t decimation = 1;    // the factor D applied
  double samplingFrequency = 1.0;  // 1 / D, for the "Fs=" field
  std::uint32_t signalLength = 0;  // SignalLength after the import
};

// Imports the file at `filePath` into the signal store.
//
// Order: probe (messages "Нельзя открыть файл", "Недостаточно памяти", the
// data-error message "Неверные данные в файле <name>,\nСтрока: <n>", or the
// refusal of files without two data lines) -> `settingsStep` (called once,
// only after a successful probe) -> reader -> decimation, DC offset,
// analytic transform -> store replacement.
//
// Column choice: with OK the chosen columns are applied through the guarded
// setters (a column outside 1 .. ColumnCount counts as "not used"). With
// Cancel the proposed columns are kept; for a one-column file column 1 is
// read whatever the answer. Decimation and the two options of the answer
// apply in every case.
//
// Refusals (shown through ShowMessage, result.loaded false, nothing changed):
// every probe failure; no channel column chosen; fewer rows than the
// decimation factor; the reader failing to open the file or to allocate.
// Throws VorentaError (nothing changed) when a chosen channel column holds a
// date or time token; its message names the file and the line. Throws
// VorentaError when post-processing would overflow.
ImportResult ImportDataFile(const std::string& filePath, const ImportSettingsStep& settingsStep);

}  // namespace vorenta
