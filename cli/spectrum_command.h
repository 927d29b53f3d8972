#pragma once
// "vorenta-cli spectrum": import a data file as the UI does, run one spectrum
// method on the selection, write the results as tab-separated text.

#include <span>
#include <string_view>

namespace vorenta::cli {

// The arguments after "spectrum". Returns the exit code; throws UsageError
// for wrong arguments.
int RunSpectrumCommand(std::span<const std::string_view> arguments);

}  // namespace vorenta::cli
