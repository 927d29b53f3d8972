// Cost of the parametric fits of the spectrum tab: "Prony" and "PronyModif"
// on a long selection, one "Quasi-Newton" and one "Simplex" pass, and one
// call of the sinusoid-fit objective.

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

#include "core/random.h"
#include "core/signal_store.h"
#include "spectrum/fit_buffers.h"
#include "spectrum/fit_table.h"
#include "spectrum/prony.h"
#include "spectrum/prony_modified.h"
#include "spectrum/result_model.h"
#include "spectrum/sinusoid_fit.h"
#include "spectrum/sinusoid_objective.h"

namespace vorenta {
namespace {

// Two strong complex exponentials over `weak` weak ones plus light complex
// Gaussian noise (seeded), as the whole selected signal.
void LoadMixture(int length, int weak) {
  std::mt19937 generator(4242);
  std::uniform_real_distribution<double> uniform(-0.5, 0.5);
  std::normal_distribution<double> gauss;
  struct Component {
    double amplitude, frequency, phase;
  };
  std::vector<Component> parts{{1.0, 0.1234, 0.3}, {0.8, -0.2345, -1.2}};
  for (int k = 0; k < weak; ++k) parts.push_back({0.01, uniform(generator), 6 * uniform(generator)});

  ResetSignalStore();
  Channel1.Resize(length);
  Channel2.Resize(length);
  TimeBase.Resize(length);
  for (int n = 0; n < length; ++n) {
    std::complex<double> value(0.001 * gauss(generator), 0.001 * gauss(generator));
    for (const Component& p : parts) value += std::polar(p.amplitude, 2 * std::numbers::pi * p.frequency * n + p.phase);
    Channel1.Set(n, value.real());
    Channel2.Set(n, value.imag());
    TimeBase.Set(n, n);
  }
  SignalLength = static_cast<std::uint32_t>(length);
  CropStart = SelectionStart = 0;
  CropEnd = SelectionEnd = length - 1;
}

SpectrumRunRequest WholeSelection(int parameter) {
  SpectrumRunRequest request;
  request.MainParameter = parameter;
  request.SelectionStart = SelectionStart;
  request.SelectionEnd = SelectionEnd;
  return request;
}

void BM_Prony(benchmark::State& state) {
  LoadMixture(10000, 18);
  for (auto _ : state) benchmark::DoNotOptimize(RunProny(WholeSelection(20)));
}
BENCHMARK(BM_Prony)->Unit(benchmark::kMillisecond);

void BM_PronyModified(benchmark::State& state) {
  LoadMixture(10000, 18);
  for (auto _ : state) benchmark::DoNotOptimize(RunPronyModified(WholeSelection(20)));
}
BENCHMARK(BM_PronyModified)->Unit(benchmark::kMillisecond);

void BM_QuasiNewtonPass(benchmark::State& state) {
  LoadMixture(1000, 2);
  for (auto _ : state) {
    SetRandomSeed(7);
    FillFitTable();
    benchmark::DoNotOptimize(RunQuasiNewtonFit(WholeSelection(4)));
  }
}
BENCHMARK(BM_QuasiNewtonPass)->Unit(benchmark::kMillisecond);

// Without a hook "Simplex" makes exactly one pass; every pass starts from
// the same start-up table.
void BM_SimplexPass(benchmark::State& state) {
  LoadMixture(1000, 2);
  for (auto _ : state) {
    SetRandomSeed(7);
    FillFitTable();
    benchmark::DoNotOptimize(RunSimplexFit(WholeSelection(4)));
  }
}
BENCHMARK(BM_SimplexPass)->Unit(benchmark::kMillisecond);

void BM_SinusoidObjective(benchmark::State& state) {
  LoadMixture(1000, 2);
  LoadFitBuffersFromSelection(SelectionStart, SelectionEnd);
  const double omega[] = {0.77, -1.47, 0.3, 2.0};
  double f = 0;
  for (auto _ : state) {
    SinusoidObjective(4, omega, &f);
    benchmark::DoNotOptimize(f);
  }
}
BENCHMARK(BM_SinusoidObjective)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorenta
