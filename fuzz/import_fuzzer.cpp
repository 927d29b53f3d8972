// Feeds arbitrary bytes as a data file through the whole import. An import
// may load or refuse (one message, or a VorentaError); it must never crash,
// read out of bounds, or leave the store inconsistent.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/error.h"
#include "core/import_pipeline.h"
#include "core/message_sink.h"
#include "core/signal_store.h"
#include "fuzz/import_invariants.h"

namespace {

const std::string& ScratchPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("vorenta-import-fuzz-" + std::to_string(::getpid()) + ".txt")).string();
  return path;
}

// The dialog's answer, drawn from the first byte so that the fuzzer explores
// the column choices, decimation and both options as well.
vorenta::ImportSettingsAnswer AnswerFor(std::uint8_t choice, const vorenta::ImportSettingsRequest& request) {
  vorenta::ImportSettingsAnswer answer;
  answer.accepted = (choice & 0x01) != 0;
  answer.column1 = (choice & 0x02) ? request.proposedColumn1 : static_cast<std::int16_t>((choice >> 4) & 0x3);
  answer.column2 = (choice & 0x04) ? std::int16_t{0} : static_cast<std::int16_t>((choice >> 6) & 0x3);
  answer.decimation = static_cast<std::uint16_t>(1 + ((choice >> 3) & 0x3));
  answer.removeDcOffset = (choice & 0x08) != 0;
  answer.analyticTransform = (choice & 0x20) != 0;
  return answer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool silenced = (vorenta::SetMessageSink([](const std::string&) {}), true);
  (void)silenced;
  std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  const std::uint8_t choice = size > 0 ? data[0] : 0;
  vorenta::ResetSignalStore();
  try {
    const vorenta::ImportResult result = vorenta::ImportDataFile(
        ScratchPath(), [choice](const vorenta::ImportSettingsRequest& request) { return AnswerFor(choice, request); });
    if (!vorenta::ImportInvariantViolation(result).empty()) __builtin_trap();
  } catch (const vorenta::VorentaError&) {
    if (vorenta::SignalLength != 0 || vorenta::Channel1.Count() != 0) __builtin_trap();
  }
  return 0;
}
