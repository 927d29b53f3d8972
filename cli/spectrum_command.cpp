#include "cli/spectrum_command.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/import_options.h"
#include "core/error.h"
#include "core/number_format.h"
#include "core/signal_store.h"
#include "spectrum/ar_model.h"
#include "spectrum/fit_table.h"
#include "spectrum/method_parameters.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"
#include "spectrum/sinusoid_fit.h"
#include "spectrum/spectrum_methods.h"

namespace vorenta::cli {

namespace {

// The model and forecast a fitting run leaves after the selection.
constexpr int kModelForecastLength = 100;

struct SpectrumOptions {
  ImportOptions import;
  int method = 0;
  int order = 2;     // the parameter field's default
  int subspace = 1;  // the subspace field's default
  int passes = 1;
  std::optional<std::uint32_t> seed;
  std::string componentsFile;
  std::string modelFile;
};

SpectrumOptions ParseSpectrumOptions(std::span<const std::string_view> arguments) {
  SpectrumOptions options;
  std::optional<int> method;
  ArgumentCursor cursor(arguments);
  while (!cursor.AtEnd()) {
    const std::string_view argument = cursor.Take();
    if (TakeImportOption(argument, cursor, options.import)) continue;
    if (argument == "--method") {
      const std::string_view name = cursor.TakeValue(argument);
      method = FindMethodListItem(name);
      if (!method) throw UsageError("unknown method '" + std::string(name) + "'");
    } else if (argument == "--order") {
      options.order = ParseInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--subspace") {
      options.subspace = ParseInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--passes") {
      options.passes = ParseInteger(cursor.TakeValue(argument), argument);
      if (options.passes < 1) throw UsageError("--passes must be at least 1");
    } else if (argument == "--seed") {
      const int seed = ParseInteger(cursor.TakeValue(argument), argument);
      options.seed = static_cast<std::uint32_t>(seed);
    } else if (argument == "--components") {
      options.componentsFile = cursor.TakeValue(argument);
    } else if (argument == "--model") {
      options.modelFile = cursor.TakeValue(argument);
    } else {
      throw UsageError("unexpected argument '" + std::string(argument) + "'");
    }
  }
  if (options.import.dataFile.empty()) throw UsageError("no data file");
  if (!method) throw UsageError("no --method");
  options.method = *method;
  return options;
}

std::string Number(double value) { return FormatCGeneral(value, 10); }

void WriteSpectrum(std::ostream& out) {
  if (ResultKind == result_kind::kSinusoidFit) {
    std::vector<SinModel> lines = SpectrumLines.Merged;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const SinModel& a, const SinModel& b) { return a.Frequency < b.Frequency; });
    for (const SinModel& line : lines) out << Number(line.Frequency) << '\t' << Number(line.Amplitude) << '\n';
    return;
  }
  for (int i = 0; i < kSpectrumBins; ++i) {
    const int bin = (i + kSpectrumBins / 2) % kSpectrumBins;
    out << Number(SpectrumBinFrequency(bin)) << '\t' << Number(SpectrumDb[bin]) << '\n';
  }
}

// Rows: amplitude, frequency (cycles per sample), phase (radians), damping (per sample).
bool WriteComponents(std::ostream& out) {
  if (ResultKind == result_kind::kSinusoidFit) {
    for (const SinusoidTableRow& row : SinusoidTableRows()) {
      out << Number(row.Amplitude) << '\t' << Number(row.Frequency) << '\t' << Number(row.Phase) << '\t'
          << Number(0.0) << '\n';
    }
    return true;
  }
  if (ResultKind != result_kind::kProny && ResultKind != result_kind::kPronyModified) return false;
  const int count = std::clamp<int>(ComponentCount, 0, kLargestComponentCount);
  for (int i = 0; i < count; ++i) {
    out << Number(ComponentTable.Amplitude[i]) << '\t' << Number(ComponentTable.Frequency[i]) << '\t'
        << Number(ComponentTable.Phase[i]) << '\t' << Number(ComponentTable.Damping[i]) << '\n';
  }
  return true;
}

// Rows: sample index, real part, imaginary part of SampleBuffer entries the run wrote as model or forecast.
bool WriteModel(std::ostream& out) {
  const std::int64_t length = SelectionLength(SelectionStart, SelectionEnd);
  std::int64_t entries = 0;
  if (ResultKind == result_kind::kSinusoidFit || ResultKind == result_kind::kProny ||
      ResultKind == result_kind::kPronyModified) {
    entries = length + kModelForecastLength;
  } else if (ResultKind == result_kind::kArBurg || ResultKind == result_kind::kArCovariance) {
    entries = std::min<std::int64_t>(length, kSampleBufferLength) + kArForecastLength;
  } else {
    return false;
  }
  entries = std::min<std::int64_t>(entries, kSampleBufferLength);
  for (int n = 0; n < entries; ++n) {
    out << (static_cast<std::int64_t>(SelectionStart) + n) << '\t' << Number(SampleBuffer[n].re) << '\t'
        << Number(SampleBuffer[n].im) << '\n';
  }
  return true;
}

// Writes one optional output file; false (after saying why) when it cannot be written.
template <typename Writer>
bool WriteOptionalFile(const std::string& path, const char* what, Writer writer) {
  if (path.empty()) return true;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    std::cerr << "cannot create " << path << '\n';
    return false;
  }
  if (!writer(file)) std::cerr << "this method leaves no " << what << "; " << path << " is empty\n";
  file.flush();
  if (!file) {
    std::cerr << "cannot write " << path << '\n';
    return false;
  }
  return true;
}

}  // namespace

int RunSpectrumCommand(std::span<const std::string_view> arguments) {
  const SpectrumOptions options = ParseSpectrumOptions(arguments);
  SeedRandom(options.seed);
  FillFitTable();

  if (!ImportAndSelect(options.import)) return kExitRefused;

  SpectrumRunRequest request;
  request.MainParameter = options.order;
  request.SubspaceParameter = options.subspace;
  request.SelectionStart = SelectionStart;
  request.SelectionEnd = SelectionEnd;
  const int passes = options.passes;
  request.AfterPass = [passes](int passCount) { return passCount < passes; };

  const SpectrumRunReport report = SpectrumMethodRun(options.method)(request);
  std::cerr << "method\t" << kMethodListItems[options.method] << '\n'
            << "parameter used\t" << report.MainParameterUsed << '\n';
  if (options.method == method_item::kMusic || options.method == method_item::kEv) {
    std::cerr << "subspace used\t" << report.SubspaceParameterUsed << '\n';
  }
  if (!report.Computed) {
    std::cerr << "nothing computed: the selection is empty or the parameter is 0\n";
    return kExitRefused;
  }
  if (ResultKind != result_kind::kSinusoidFit) {
    std::cerr << "dB range\t" << Number(report.DbMin) << '\t' << Number(report.DbMax) << '\n';
  }
  if (report.RelativeError) std::cerr << "relative error\t" << Number(*report.RelativeError) << '\n';
  if (report.PassCount > 0) std::cerr << "passes\t" << report.PassCount << '\n';

  WriteSpectrum(std::cout);
  std::cout.flush();
  const bool written = WriteOptionalFile(options.componentsFile, "component table", WriteComponents) &&
                       WriteOptionalFile(options.modelFile, "model", WriteModel);
  return (written && std::cout) ? kExitSuccess : kExitRefused;
}

}  // namespace vorenta::cli
