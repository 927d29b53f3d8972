#pragma once
// The two text outputs of the program: the saved selection (a file) and the
// copied component table (clipboard text). Asking for the file name and
// putting text on the clipboard are the user interface's part.

#include <cstdint>
#include <span>
#include <string>

#include "core/signal_store.h"

namespace vorenta {

// Writes samples start .. end (increasing, 0-based) to the file `fileName`
// (UTF-8 path), created or truncated: one line per sample, no header, no
// time column. A line holds channel1[a] when channel1Present, then a tab (only
// after a first value) and channel2[a] when channel2Present, then "\r\n".
// Each value is written with FormatCScientific(value, 6), e.g.
// "1.500000e+00", "-1.234000e-03", "0.000000e+00". Samples outside a
// channel read 0. An empty range (end < start) gives an empty file.
// An empty fileName (dialog cancelled) writes nothing and returns.
//
// Throws VorentaError, all with the full file name between double quotes:
//  - before creating anything, when a sample to be written is NaN or
//    infinite: "FileSaveClick: sample <a> is not a number, file "<name>" is
//    not written";
//  - when the file cannot be created: "FileOpenClick: file "<name>" can't be
//    open" (nothing is written);
//  - when writing, flushing or closing fails (a full disk): "FileOpenClick:
//    file "<name>" can't be written"; the file is then incomplete and is
//    left as it is.
void WriteSelection(const std::string& fileName, const SignalClass& channel1, bool channel1Present,
                    const SignalClass& channel2, bool channel2Present, std::int32_t start,
                    std::int32_t end);

// WriteSelection of the process-wide store: Channel1, Channel1Present,
// Channel2, Channel2Present, SelectionStart .. SelectionEnd.
void SaveSelection(const std::string& fileName);

// The clipboard text of the component table.
//
// amplitude, frequency and phase hold entries 0 .. componentCount, the last
// being the constant term; frequencies in cycles per sample. rowLabels[r] is
// the text of column 0 of table row r (row 0 the header, row 1 the constant
// term, row i + 2 component i); a row whose label begins with "_" is
// excluded and left out. Rows without a label are included.
//
// Lines end with "\r\n"; three columns separated by tabs, each written with
// FormatCGeneral(value, 10) (C's "%.10lg"):
//   constant term (first, unless row 1 is excluded):
//     amplitude[count], timeStep / 1e-10, phase[count]
//   component i = 0 .. count - 1 (unless row i + 2 is excluded):
//     amplitude[i], period, phase[i]
// where the period is timeStep / frequency[i] in the units of the time base,
// or timeStep / 1e-10 (standing for an infinite period) when
// |frequency[i]| <= 1e-10. Damping is not copied. Example, timeStep 1:
// frequency 0.25 gives the period "4", frequency 0 gives "1e+10".
//
// Throws std::out_of_range when a column holds fewer than componentCount + 1
// entries or componentCount < 0, and VorentaError "CopyClick: the component
// table holds a value that is not a number" when a value to be copied (or a
// period) is NaN or infinite; nothing is produced then.
std::string CopyComponentTableText(std::span<const double> amplitude,
                                   std::span<const double> frequency, std::span<const double> phase,
                                   std::int32_t componentCount,
                                   std::span<const std::string> rowLabels, double timeStep);

}  // namespace vorenta
