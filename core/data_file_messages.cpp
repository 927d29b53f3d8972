#include "core/data_file_messages.h"

#include "core/messages.h"

namespace vorenta {
namespace {

std::string FileLineMessage(std::string_view prefix, std::string_view path, std::int64_t lineNumber) {
  std::string message(prefix);
  message += FileNameWithoutFolder(path);
  message += kDataErrorLineSeparator;
  message += std::to_string(lineNumber);
  return message;
}

}  // namespace

std::string_view FileNameWithoutFolder(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\:/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string DataErrorMessage(std::string_view path, std::int64_t lineNumber) {
  return FileLineMessage(kDataErrorPrefix, path, lineNumber);
}

std::string NotANumberMessage(std::string_view path, std::int64_t lineNumber) {
  return FileLineMessage(kNotANumberPrefix, path, lineNumber);
}

}  // namespace vorenta
