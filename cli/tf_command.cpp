#include "cli/tf_command.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "cli/import_options.h"
#include "core/error.h"
#include "core/number_format.h"
#include "core/signal_store.h"
#include "core/time_of_day.h"
#include "timefreq/analysis_factory.h"
#include "timefreq/current_analysis.h"
#include "timefreq/image_fta.h"
#include "timefreq/progress_text.h"

namespace vorenta::cli {
namespace {

struct TfOptions {
  ImportOptions import;
  int method = kTfFourier;
  AnalysisFields fields;
  std::optional<std::uint32_t> seed;
  std::string matrixFile;
  std::string frequencyFile;
  std::string imageFile;
  int width = 800;
  int height = 600;
  std::optional<double> amax;
  std::optional<double> amin;
};

bool SameName(std::string_view a, std::string_view b) {
  // The list's "Prony Modified " ends in a blank that nobody types.
  while (!b.empty() && b.back() == ' ') b.remove_suffix(1);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

int FindTfMethod(std::string_view name) {
  for (std::size_t i = 0; i < kTfMethodNames.size(); ++i)
    if (SameName(name, kTfMethodNames[i])) return static_cast<int>(i);
  throw UsageError("unknown method '" + std::string(name) + "'");
}

int PositiveInteger(std::string_view text, std::string_view option) {
  const int value = ParseInteger(text, option);
  if (value < 1) throw UsageError(std::string(option) + " must be at least 1");
  return value;
}

TfOptions ParseTfOptions(std::span<const std::string_view> arguments) {
  TfOptions options;
  bool haveMethod = false;
  bool haveWindow = false;
  ArgumentCursor cursor(arguments);
  while (!cursor.AtEnd()) {
    const std::string_view argument = cursor.Take();
    if (TakeImportOption(argument, cursor, options.import)) continue;
    if (argument == "--method") {
      options.method = FindTfMethod(cursor.TakeValue(argument));
      haveMethod = true;
    } else if (argument == "--window") {
      options.fields.windowSize = PositiveInteger(cursor.TakeValue(argument), argument);
      haveWindow = true;
    } else if (argument == "--fft") {
      options.fields.fftSize = ParseInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--order") {
      options.fields.exponents = ParseInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--subspace") {
      options.fields.signalSpace = ParseInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--iterations") {
      options.fields.iterations = ParseInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--seed") {
      options.seed = static_cast<std::uint32_t>(ParseInteger(cursor.TakeValue(argument), argument));
    } else if (argument == "--matrix") {
      options.matrixFile = cursor.TakeValue(argument);
    } else if (argument == "--frequencies") {
      options.frequencyFile = cursor.TakeValue(argument);
    } else if (argument == "--image") {
      options.imageFile = cursor.TakeValue(argument);
    } else if (argument == "--width") {
      options.width = PositiveInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--height") {
      options.height = PositiveInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--amax") {
      options.amax = ParseDecimal(cursor.TakeValue(argument), argument);
    } else if (argument == "--amin") {
      options.amin = ParseDecimal(cursor.TakeValue(argument), argument);
    } else {
      throw UsageError("unexpected argument '" + std::string(argument) + "'");
    }
  }
  if (options.import.dataFile.empty()) throw UsageError("no data file");
  if (!haveMethod) throw UsageError("no --method");
  if (!haveWindow) throw UsageError("no --window");
  return options;
}

// Progress on standard error, rewritten in place like the tab's readout.
template <class Estimator>
class ProgressOnStandardError : public Estimator {
 public:
  using Estimator::Estimator;
  // Every whole percent: finer steps only flood a log.
  void ShowProgress(int permille, double elapsed, double remaining) override {
    if (permille % 10 == 0) std::cerr << '\r' << ProgressText(permille, elapsed, remaining) << "   " << std::flush;
  }
};

// Rows of `matrix` (lowest frequency first), one line each, columns tab-separated.
bool WriteMatrix(const std::string& path, const FTA& analysis, const TfMatrix& matrix) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  for (int r = 0; r < analysis.Rows && file; ++r) {
    for (int c = 0; c < analysis.Columns; ++c) {
      if (c > 0) file << '\t';
      file << FormatCGeneral(matrix(r, c), 10);
    }
    file << '\n';
  }
  file.flush();
  if (!file) std::cerr << "cannot write " << path << '\n';
  return static_cast<bool>(file);
}

bool WriteImage(const TfOptions& options, const FTA& analysis) {
  Scale cells;
  cells.SetWidth(options.width);
  cells.SetHeight(options.height);
  cells.SetRanges(0, 0, analysis.Columns - 1, analysis.Rows - 1);
  Scale frequencies = cells;
  frequencies.SetYRange(analysis.FreqMin, analysis.FreqMax);
  GreyMapping grey;  // the clip levels of "AutoColor": the run's own range
  grey.Amax = options.amax.value_or(analysis.ValueMax);
  grey.Amin = options.amin.value_or(analysis.ValueMin);
  ImageFTA image;
  if (options.method == kTfSymplex || options.method == kTfWvs) {
    RenderPoints(analysis, cells, frequencies, grey, image);
  } else {
    RenderDense(analysis, cells, grey, image);
  }
  std::ofstream file(options.imageFile, std::ios::binary | std::ios::trunc);
  file << "P5\n" << image.Width() << ' ' << image.Height() << "\n255\n";
  for (int row = 0; row < image.Height(); ++row)
    file.write(reinterpret_cast<const char*>(image[row]), image.Width());
  file.flush();
  if (!file) std::cerr << "cannot write " << options.imageFile << '\n';
  return static_cast<bool>(file);
}

}  // namespace

int RunTfCommand(std::span<const std::string_view> arguments) {
  const TfOptions options = ParseTfOptions(arguments);
  SeedRandom(options.seed);
  if (!ImportAndSelect(options.import)) return kExitRefused;

  const AnalysisParameters parameters = ReadAnalysisParameters(options.method, options.fields);
  std::cerr << "method\t" << kTfMethodNames[options.method] << '\n'
            << "window\t" << parameters.windowSize << '\n'
            << "fft size\t" << parameters.shown.fftSize << '\n'
            << "upper field used\t" << parameters.shown.exponents << '\n';
  CopySelectionToAnalysisRange();
  CurrentAnalysis = CreateAnalysis<ProgressOnStandardError>(parameters);
  FTA& analysis = *CurrentAnalysis;
  analysis.RunWindows(SignalStore, parameters.windowSize, 1);
  std::cerr << '\r' << ProgressText(1000, CurrentTime() - analysis.StartTime, 0.0) << "   \n"
            << "matrix\t" << analysis.Rows << " rows\t" << analysis.Columns << " columns\n"
            << "value range\t" << FormatCGeneral(analysis.ValueMin, 10) << '\t'
            << FormatCGeneral(analysis.ValueMax, 10) << '\n';
  if (analysis.Columns == 0) {
    std::cerr << "nothing computed: the selection is empty\n";
    return kExitRefused;
  }
  bool written = true;
  if (!options.matrixFile.empty()) written = WriteMatrix(options.matrixFile, analysis, analysis.PowerMatrix) && written;
  if (!options.frequencyFile.empty())
    written = WriteMatrix(options.frequencyFile, analysis, analysis.FrequencyMatrix) && written;
  if (!options.imageFile.empty()) written = WriteImage(options, analysis) && written;
  return written ? kExitSuccess : kExitRefused;
}

}  // namespace vorenta::cli
