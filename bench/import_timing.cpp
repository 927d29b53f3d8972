// Wall time and peak memory of the import's probe and reader on generated
// two-column files of "0.123456;-1.234567e-03" lines. For each size: the best
// of a few runs, and the peak resident memory above the resident memory
// just before the run (Linux: VmHWM after resetting it through clear_refs).
// Wall and CPU time are both reported: on a shared machine they differ.

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/data_file_probe.h"
#include "core/data_file_reader.h"
#include "core/signal_store.h"

namespace {

constexpr char kLine[] = "0.123456;-1.234567e-03\n";
constexpr int kRuns = 3;

void WriteFile(const std::string& path, std::int64_t lines) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  for (std::int64_t i = 0; i < lines; ++i) std::fputs(kLine, file);
  std::fclose(file);
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
std::int64_t StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string key;
  std::int64_t kib = 0;
  std::string unit;
  while (status >> key) {
    if (key == field + ":") {
      status >> kib >> unit;
      return kib * 1024;
    }
    status.ignore(1 << 16, '\n');
  }
  return -1;
}

void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// User plus system CPU seconds of this process so far: on a loaded machine
// the wall time includes waiting for a core, the CPU time does not.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Measurement {
  double seconds;
  double cpuSeconds;
  std::int64_t peakBytes;
  std::int32_t rows;
};

Measurement ProbeAndRead(const std::string& path) {
  ResetPeakMemory();
  const std::int64_t baseline = StatusBytes("VmRSS");
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  vorenta::CheckDatas check;
  vorenta::ProbeFile(check, path);
  vorenta::ReaderDatas settings(check);
  settings.SetColumn1(1);
  settings.SetColumn2(2);
  vorenta::AnalyticSignalClass signal = vorenta::ReadDataFile(settings);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpuSeconds = CpuSeconds() - cpuStart;
  const std::int64_t peak = StatusBytes("VmHWM") - baseline;
  return {seconds, cpuSeconds, peak, signal.Channel1.Count()};
}

}  // namespace

int main() {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("vorenta-import-timing-" + std::to_string(::getpid()) + ".txt")).string();
  std::printf("%12s %12s %12s %14s %14s\n", "lines", "wall s", "cpu s", "peak bytes", "bytes per row");
  for (const std::int64_t lines : {1'000'000LL, 10'000'000LL}) {
    WriteFile(path, lines);
    Measurement best{1e30, 1e30, 0, 0};
    for (int run = 0; run < kRuns; ++run) {
      const Measurement m = ProbeAndRead(path);
      if (m.rows != lines) {
        std::fprintf(stderr, "read %d rows of %lld\n", m.rows, static_cast<long long>(lines));
        return 1;
      }
      if (m.seconds < best.seconds) best.seconds = m.seconds;
      if (m.cpuSeconds < best.cpuSeconds) best.cpuSeconds = m.cpuSeconds;
      if (m.peakBytes > best.peakBytes) best.peakBytes = m.peakBytes;
      best.rows = m.rows;
    }
    std::printf("%12lld %12.4f %12.4f %14lld %14.2f\n", static_cast<long long>(lines), best.seconds, best.cpuSeconds,
                static_cast<long long>(best.peakBytes), static_cast<double>(best.peakBytes) / lines);
  }
  std::filesystem::remove(path);
  return 0;
}
