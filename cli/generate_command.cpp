#include "cli/generate_command.h"

#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/save_formats.h"
#include "core/signal_synthesis.h"

namespace vorenta::cli {

namespace {

struct GenerateOptions {
  std::string outputFile;
  GeneratorSettings settings;
  std::vector<std::vector<double>> componentValues;
  std::optional<std::uint32_t> seed;
};

// Values of one --component in the mode's column order; missing trailing
// values are 0, like empty cells.
GeneratorComponent ToComponent(GeneratorMode mode, const std::vector<double>& values) {
  const std::size_t columns = mode == GeneratorMode::kLineFrequencyModulation ? 5 : 4;
  if (values.size() > columns) {
    throw UsageError("--component takes at most " + std::to_string(columns) + " values in this mode");
  }
  std::vector<double> cells(values);
  cells.resize(columns, 0.0);
  GeneratorComponent c;
  c.Amplitude = cells[0];
  c.Frequency = cells[1];
  if (mode == GeneratorMode::kLineFrequencyModulation) {
    c.Frequency2 = cells[2];
    c.Phase = cells[3];
    c.Damping = cells[4];
  } else {
    c.Phase = cells[2];
    c.Damping = cells[3];
  }
  return c;
}

// The row the generator dialog adds by default.
GeneratorComponent DefaultComponent(GeneratorMode mode) {
  GeneratorComponent c;
  c.Amplitude = 1.0;
  c.Frequency = 0.1;
  if (mode == GeneratorMode::kLineFrequencyModulation) c.Frequency2 = 0.2;
  return c;
}

GenerateOptions ParseGenerateOptions(std::span<const std::string_view> arguments) {
  GenerateOptions options;
  ArgumentCursor cursor(arguments);
  while (!cursor.AtEnd()) {
    const std::string_view argument = cursor.Take();
    if (argument == "--samples") {
      options.settings.Samples = ParseInteger(cursor.TakeValue(argument), argument);
    } else if (argument == "--noise") {
      options.settings.Noise = ParseDecimal(cursor.TakeValue(argument), argument);
    } else if (argument == "--seed") {
      options.seed = static_cast<std::uint32_t>(ParseInteger(cursor.TakeValue(argument), argument));
    } else if (argument == "--real") {
      options.settings.ComplexSignal = false;
    } else if (argument == "--chirp") {
      options.settings.Mode = GeneratorMode::kLineFrequencyModulation;
    } else if (argument == "--component") {
      options.componentValues.push_back(ParseDecimalList(cursor.TakeValue(argument), argument));
    } else if (argument.starts_with("--") || !options.outputFile.empty()) {
      throw UsageError("unexpected argument '" + std::string(argument) + "'");
    } else {
      options.outputFile = argument;
    }
  }
  if (options.outputFile.empty()) throw UsageError("no output file");
  for (const std::vector<double>& values : options.componentValues) {
    options.settings.Components.push_back(ToComponent(options.settings.Mode, values));
  }
  if (options.componentValues.empty()) options.settings.Components.push_back(DefaultComponent(options.settings.Mode));
  return options;
}

}  // namespace

int RunGenerateCommand(std::span<const std::string_view> arguments) {
  const GenerateOptions options = ParseGenerateOptions(arguments);
  SeedRandom(options.seed);
  if (!SynthesiseSignal(options.settings)) return kExitRefused;
  SaveSelection(options.outputFile);
  return kExitSuccess;
}

}  // namespace vorenta::cli
