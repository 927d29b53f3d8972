// Objective calls and time to converge for the simplex and bounded
// quasi-Newton minimisers on Rosenbrock's function and on a two-exponential
// frequency fit; bench/minimiser_scipy.py runs scipy's Nelder–Mead and
// L-BFGS-B on the same functions and starts.

#include <benchmark/benchmark.h>

#include <vector>

#include "numeric/quasi_newton.h"
#include "numeric/simplex_minimiser.h"
#include "tests/numeric/minimiser_test_functions.h"

namespace {

using vorenta::testing::objectiveCalls;

constexpr int kFitLength = 1000;
constexpr double kTrueOmega1 = 0.7, kTrueOmega2 = -1.3;
// Within the main lobe (2·pi/1000 rad) of both components.
constexpr double kStartOmega1 = 0.702, kStartOmega2 = -1.298;
// The simplex's fixed step sizes (0.1 .. 5) are posed in this unit.
constexpr double kSimplexUnit = 0.001;

void PrepareFit() {
  vorenta::testing::twoTone.Synthesise(kFitLength, kTrueOmega1, kTrueOmega2, {1.0, 0.5},
                                       {0.6, -0.2});
}

void RunSimplex(benchmark::State& state, vorenta::ObjectiveFunction objective,
                std::vector<double> start, int maxcal) {
  const int n = static_cast<int>(start.size());
  std::vector<double> x, trial(n), second(n), centroid(n), steps(n), values(n + 1),
      simplex((n + 1) * n);
  double fmin = 0.0;
  int failure = 0;
  for (auto _ : state) {
    x = start;
    objectiveCalls = 0;
    failure = 0;
    vorenta::SimplexMinimise(n, x.data(), fmin, 1e-12, n + 1, trial.data(), second.data(),
                             centroid.data(), steps.data(), values.data(), simplex.data(),
                             objective, maxcal, failure);
    benchmark::DoNotOptimize(fmin);
  }
  state.counters["calls"] = objectiveCalls;
  state.counters["f"] = fmin;
  state.counters["failure"] = failure;
}

void RunQuasiNewton(benchmark::State& state, vorenta::ObjectiveFunction objective,
                    std::vector<double> start, double bound) {
  const int n = static_cast<int>(start.size());
  const std::vector<double> bl(n, -bound), bu(n, bound);
  std::vector<double> x;
  double f = 0.0;
  for (auto _ : state) {
    x = start;
    objectiveCalls = 0;
    f = vorenta::BoundedQuasiNewton(n, x.data(), bl.data(), bu.data(), objective);
    benchmark::DoNotOptimize(f);
  }
  state.counters["calls"] = objectiveCalls;
  state.counters["f"] = f;
}

void BM_SimplexRosenbrock2(benchmark::State& state) {
  RunSimplex(state, vorenta::testing::Rosenbrock, {-1.2, 1.0}, 2000);
}
void BM_QuasiNewtonRosenbrock2(benchmark::State& state) {
  RunQuasiNewton(state, vorenta::testing::Rosenbrock, {-1.2, 1.0}, 10.0);
}
void BM_SimplexTwoToneFit(benchmark::State& state) {
  PrepareFit();
  vorenta::testing::twoTone.unit = kSimplexUnit;
  RunSimplex(state, vorenta::testing::TwoToneObjective,
             {kStartOmega1 / kSimplexUnit, kStartOmega2 / kSimplexUnit}, 400);
  vorenta::testing::twoTone.unit = 1.0;
}
void BM_QuasiNewtonTwoToneFit(benchmark::State& state) {
  PrepareFit();
  RunQuasiNewton(state, vorenta::testing::TwoToneObjective, {kStartOmega1, kStartOmega2},
                 2.0 * 3.141592653589793);
}

BENCHMARK(BM_SimplexRosenbrock2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuasiNewtonRosenbrock2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SimplexTwoToneFit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuasiNewtonTwoToneFit)->Unit(benchmark::kMicrosecond);

}  // namespace
