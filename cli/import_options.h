#pragma once
// The import options every command that reads a data file shares: the
// answers to the import settings dialog and the selection.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"

namespace vorenta::cli {

struct ImportOptions {
  std::string dataFile;
  std::vector<int> columns;  // empty: the columns the settings dialog proposes
  int decimation = 1;
  bool keepDc = false;
  bool analytic = false;
  std::optional<int> start;
  std::optional<int> end;
};

// Consumes `argument` (and its value from `cursor`) when it is one of
// --columns, --decimation, --keep-dc, --analytic, --start, --end, or the
// data file (the first argument that is not an option). Returns false for
// any other argument. Throws UsageError for a bad value or a second file.
bool TakeImportOption(std::string_view argument, ArgumentCursor& cursor, ImportOptions& options);

// Imports options.dataFile through the program's import pipeline, answering
// the settings step from the options, then selects --start .. --end when
// given. False when the import was refused (its message has been shown).
bool ImportAndSelect(const ImportOptions& options);

}  // namespace vorenta::cli
