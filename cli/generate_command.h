#pragma once
// "vorenta-cli generate": synthesise a signal exactly as the generator does
// and write it in the saved-selection format.

#include <span>
#include <string_view>

namespace vorenta::cli {

// The arguments after "generate". Returns the exit code; throws UsageError
// for wrong arguments.
int RunGenerateCommand(std::span<const std::string_view> arguments);

}  // namespace vorenta::cli
