#pragma once
// The import's messages that name a file and a line.

#include <cstdint>
#include <string>
#include <string_view>

namespace vorenta {

// The text after the last "\", ":" or "/" of `path` (all of it when none).
std::string_view FileNameWithoutFolder(std::string_view path);

// "Неверные данные в файле " + name without folder + ",\nСтрока: " + n.
std::string DataErrorMessage(std::string_view path, std::int64_t lineNumber);

// The reader's error for a chosen channel column holding a token that is not
// a number: kNotANumberPrefix + name without folder + ",\nСтрока: " + n.
std::string NotANumberMessage(std::string_view path, std::int64_t lineNumber);

}  // namespace vorenta
