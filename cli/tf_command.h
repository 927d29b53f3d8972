#pragma once
// "vorenta-cli tf": import a data file as the UI does, run one
// time-frequency distribution over the selection, write its matrices and
// optionally its grey image.

#include <span>
#include <string_view>

namespace vorenta::cli {

// The arguments after "tf". Returns the exit code; throws UsageError for
// wrong arguments.
int RunTfCommand(std::span<const std::string_view> arguments);

}  // namespace vorenta::cli
