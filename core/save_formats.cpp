#include "core/save_formats.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "core/error.h"
#include "core/number_format.h"

namespace vorenta {
namespace {

std::string Quoted(const std::string& fileName) { return "\"" + fileName + "\""; }

// The first index in start .. end at which a written channel holds a value
// that is not finite, or end + 1 when there is none.
std::int64_t FirstNonFiniteSample(const SignalClass& channel1, bool channel1Present,
                                  const SignalClass& channel2, bool channel2Present,
                                  std::int32_t start, std::int32_t end) {
  for (std::int64_t a = start; a <= end; ++a) {
    const auto i = static_cast<std::int32_t>(a);
    if ((channel1Present && !std::isfinite(channel1[i])) ||
        (channel2Present && !std::isfinite(channel2[i]))) {
      return a;
    }
  }
  return static_cast<std::int64_t>(end) + 1;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void WriteSelection(const std::string& fileName, const SignalClass& channel1, bool channel1Present,
                    const SignalClass& channel2, bool channel2Present, std::int32_t start,
                    std::int32_t end) {
  if (fileName.empty()) return;
  const std::int64_t bad =
      FirstNonFiniteSample(channel1, channel1Present, channel2, channel2Present, start, end);
  if (bad <= end) {
    throw VorentaError("FileSaveClick: sample " + std::to_string(bad) + " is not a number, file " +
                       Quoted(fileName) + " is not written");
  }
  // Binary mode: the line ends are written as "\r\n" on every platform.
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "wb"));
  if (!file) throw VorentaError("FileOpenClick: file " + Quoted(fileName) + " can't be open");

  std::string line;
  bool failed = false;
  for (std::int64_t a = start; a <= end && !failed; ++a) {
    const auto i = static_cast<std::int32_t>(a);
    line.clear();
    if (channel1Present) line += FormatCScientific(channel1[i], 6);
    if (channel2Present) {
      if (channel1Present) line.push_back('\t');
      line += FormatCScientific(channel2[i], 6);
    }
    line += "\r\n";
    failed = std::fwrite(line.data(), 1, line.size(), file.get()) != line.size();
  }
  // The buffered tail fails only at flush or close (a full disk shows here).
  failed = std::fflush(file.get()) != 0 || failed;
  failed = std::fclose(file.release()) != 0 || failed;
  if (failed) throw VorentaError("FileOpenClick: file " + Quoted(fileName) + " can't be written");
}

void SaveSelection(const std::string& fileName) {
  WriteSelection(fileName, Channel1, Channel1Present, Channel2, Channel2Present, SelectionStart,
                 SelectionEnd);
}

std::string CopyComponentTableText(std::span<const double> amplitude,
                                   std::span<const double> frequency, std::span<const double> phase,
                                   std::int32_t componentCount,
                                   std::span<const std::string> rowLabels, double timeStep) {
  if (componentCount < 0) throw std::out_of_range("negative component count");
  const auto entries = static_cast<std::size_t>(componentCount) + 1;
  if (amplitude.size() < entries || frequency.size() < entries || phase.size() < entries) {
    throw std::out_of_range("component table columns shorter than the component count");
  }
  constexpr double kSmallestFrequency = 1e-10;
  const auto excluded = [rowLabels](std::size_t row) {
    return row < rowLabels.size() && !rowLabels[row].empty() && rowLabels[row][0] == '_';
  };
  std::string text;
  const auto appendLine = [&text](double a, double period, double phi) {
    if (!std::isfinite(a) || !std::isfinite(period) || !std::isfinite(phi)) {
      throw VorentaError("CopyClick: the component table holds a value that is not a number");
    }
    text += FormatCGeneral(a, 10) + "\t" + FormatCGeneral(period, 10) + "\t" +
            FormatCGeneral(phi, 10) + "\r\n";
  };
  const auto constant = static_cast<std::size_t>(componentCount);
  if (!excluded(1)) appendLine(amplitude[constant], timeStep / kSmallestFrequency, phase[constant]);
  for (std::size_t i = 0; i < constant; ++i) {
    if (excluded(i + 2)) continue;
    const double f =
        std::fabs(frequency[i]) <= kSmallestFrequency ? kSmallestFrequency : frequency[i];
    appendLine(amplitude[i], timeStep / f, phase[i]);
  }
  return text;
}

}  // namespace vorenta
