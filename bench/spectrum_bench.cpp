// Wall time of the spectrum methods on a 10000-sample complex selection: two
// strong complex exponentials over eighteen weak ones and light noise.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include "core/signal_store.h"
#include "spectrum/ar_burg.h"
#include "spectrum/ar_covariance.h"
#include "spectrum/periodogram.h"
#include "spectrum/subspace.h"

namespace {

using namespace vorenta;

void LoadBenchmarkSignal() {
  constexpr std::int32_t kLength = 10000;
  ResetSignalStore();
  Channel1.Resize(kLength);
  Channel2.Resize(kLength);
  std::mt19937 generator(2026);
  std::normal_distribution<double> noise(0.0, 0.01);
  std::uniform_real_distribution<double> uniform(-0.5, 0.5);
  struct Tone {
    double amplitude, frequency, phase;
  };
  std::vector<Tone> tones = {{1.0, 0.1, 0.0}, {0.8, 0.23, 1.0}};
  for (int i = 0; i < 18; ++i) tones.push_back({0.01, uniform(generator), 6 * uniform(generator)});
  for (std::int32_t n = 0; n < kLength; ++n) {
    double re = noise(generator);
    double im = noise(generator);
    for (const Tone& t : tones) {
      const double angle = 2 * std::numbers::pi * t.frequency * n + t.phase;
      re += t.amplitude * std::cos(angle);
      im += t.amplitude * std::sin(angle);
    }
    Channel1.Set(n, re);
    Channel2.Set(n, im);
  }
  SignalLength = kLength;
  CropEnd = kLength - 1;
  SelectionStart = 0;
  SelectionEnd = kLength - 1;
}

void RunMethod(benchmark::State& state, SpectrumRunFunction run, int mainParameter, int subspaceParameter) {
  LoadBenchmarkSignal();
  SpectrumRunRequest request;
  request.MainParameter = mainParameter;
  request.SubspaceParameter = subspaceParameter;
  request.SelectionStart = SelectionStart;
  request.SelectionEnd = SelectionEnd;
  for (auto _ : state) {
    const SpectrumRunReport report = run(request);
    benchmark::DoNotOptimize(report.DbMin);
  }
}

void BM_Periodogram(benchmark::State& state) { RunMethod(state, RunPeriodogram, 0, 0); }
void BM_ArBurgOrder20(benchmark::State& state) { RunMethod(state, RunArBurg, 20, 0); }
void BM_ArCovarianceOrder20(benchmark::State& state) { RunMethod(state, RunArCovariance, 20, 0); }
void BM_MusicM20Q2(benchmark::State& state) { RunMethod(state, RunMusic, 20, 2); }
void BM_EvM20Q2(benchmark::State& state) { RunMethod(state, RunEv, 20, 2); }

BENCHMARK(BM_Periodogram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArBurgOrder20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArCovarianceOrder20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MusicM20Q2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvM20Q2)->Unit(benchmark::kMillisecond);

}  // namespace
