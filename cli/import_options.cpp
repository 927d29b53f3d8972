#include "cli/import_options.h"

#include <algorithm>
#include <cstdint>

#include "core/import_pipeline.h"
#include "core/signal_store.h"

namespace vorenta::cli {

bool TakeImportOption(std::string_view argument, ArgumentCursor& cursor, ImportOptions& options) {
  if (argument == "--start") {
    options.start = ParseInteger(cursor.TakeValue(argument), argument);
  } else if (argument == "--end") {
    options.end = ParseInteger(cursor.TakeValue(argument), argument);
  } else if (argument == "--columns") {
    options.columns = ParseIntegerList(cursor.TakeValue(argument), argument);
    if (options.columns.empty() || options.columns.size() > 2) throw UsageError("--columns takes one or two columns");
  } else if (argument == "--decimation") {
    options.decimation = ParseInteger(cursor.TakeValue(argument), argument);
    if (options.decimation < 1 || options.decimation > 10000) throw UsageError("--decimation must be 1 .. 10000");
  } else if (argument == "--keep-dc") {
    options.keepDc = true;
  } else if (argument == "--analytic") {
    options.analytic = true;
  } else if (!argument.starts_with("--") && options.dataFile.empty()) {
    options.dataFile = argument;
  } else {
    return false;
  }
  return true;
}

bool ImportAndSelect(const ImportOptions& options) {
  const ImportResult imported = ImportDataFile(options.dataFile, [&options](const ImportSettingsRequest& request) {
    ImportSettingsAnswer answer;
    answer.accepted = true;
    answer.column1 = request.proposedColumn1;
    answer.column2 = request.proposedColumn2;
    if (!options.columns.empty()) {
      answer.column1 = static_cast<std::int16_t>(std::clamp(options.columns[0], 0, 32767));
      answer.column2 =
          options.columns.size() > 1 ? static_cast<std::int16_t>(std::clamp(options.columns[1], 0, 32767)) : 0;
    }
    answer.decimation = static_cast<std::uint16_t>(options.decimation);
    answer.removeDcOffset = !options.keepDc;
    answer.analyticTransform = options.analytic;
    return answer;
  });
  if (!imported.loaded) return false;
  if (options.start || options.end) Select(options.start.value_or(CropStart), options.end.value_or(CropEnd));
  return true;
}

}  // namespace vorenta::cli
