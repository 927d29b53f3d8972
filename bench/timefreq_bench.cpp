// Wall time and peak memory of the moving-window estimators and of the dense
// image renderer. The Fourier case allocates two 2000 x 100000 matrices
// (3.2 GB): run by hand only, e.g.
//   timefreq_bench --benchmark_filter=Fourier
// Counters: peak_MB is the resident-set high-water mark of the case (reset
// before it when the kernel allows), matrices_MB the size of the two
// matrices, s_per_1000_windows the wall time per thousand windows.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/scale.h"
#include "core/signal_store.h"
#include "timefreq/ar_fta.h"
#include "timefreq/fourier_fta.h"
#include "timefreq/image_fta.h"
#include "timefreq/music_fta.h"
#include "timefreq/sinusoid_fta.h"
#include "timefreq/tf_matrix.h"

#ifdef VORENTA_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

using namespace vorenta;

// Two complex exponentials (0.1 and a chirp from -0.3 to 0.2) in light
// noise, the analysed range the whole signal.
AnalyticSignalClass MakeTestSignal(int n) {
  AnalyticSignalClass signal;
  signal.Channel1.Resize(n);
  signal.Channel2.Resize(n);
  signal.TimeBase.Resize(n);
  std::mt19937 generator(2026);
  std::normal_distribution<double> noise(0.0, 0.05);
  for (int k = 0; k < n; ++k) {
    const double t = static_cast<double>(k) / n;
    const double chirpPhase = 2 * std::numbers::pi * (-0.3 * k + 0.25 * t * k);
    const std::complex<double> x =
        std::polar(1.0, 2 * std::numbers::pi * 0.1 * k) + std::polar(0.7, chirpPhase);
    signal.Channel1.Set(k, x.real() + noise(generator));
    signal.Channel2.Set(k, x.imag() + noise(generator));
    signal.TimeBase.Set(k, k);
  }
  signal.RangeStart = 0;
  signal.RangeEnd = n - 1;
  return signal;
}

// Resets the resident-set high-water mark (Linux: "5" into clear_refs).
void ResetPeakMemory() {
  std::ofstream clearRefs("/proc/self/clear_refs");
  clearRefs << "5";
}

// VmHWM of /proc/self/status in MB; 0 where it cannot be read.
double PeakMemoryMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0.0;
}

double MatricesMb(int rows, int columns) { return 2.0 * rows * columns * sizeof(double) / (1024.0 * 1024.0); }

void RunEstimator(benchmark::State& state, FTA& analysis, const AnalyticSignalClass& signal, int window) {
  for (auto _ : state) {
    analysis.Resuming = false;
    analysis.RunWindows(signal, window, 1);
    benchmark::DoNotOptimize(analysis.PowerMatrix.Column(0));
  }
  // Thousands of windows per iteration, as an inverted rate: seconds each.
  state.counters["s_per_1000_windows"] = benchmark::Counter(
      analysis.Columns / 1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// "Fourier": range(0) samples (100000: the 3.2 GB case), window 100, FFT
// 2000, step 1.
void BM_FourierDistribution(benchmark::State& state) {
  const AnalyticSignalClass signal = MakeTestSignal(static_cast<int>(state.range(0)));
  ResetPeakMemory();
  const double before = PeakMemoryMb();
  {
    FourierFTA analysis(2000);
    for (auto _ : state) {
      analysis.Resuming = false;
      analysis.RunWindows(signal, 100, 1);
      benchmark::DoNotOptimize(analysis.PowerMatrix.Column(0));
    }
    state.counters["matrices_MB"] = MatricesMb(analysis.Rows, analysis.Columns);
  }
  state.counters["peak_MB"] = PeakMemoryMb();
  state.counters["baseline_MB"] = before;
}
BENCHMARK(BM_FourierDistribution)->Arg(100000)->Arg(10000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The same windows recomputed into matrices that a first run has already
// touched (a continued run from column 0): the transforms and the stores
// without the cost of fresh memory, which on this machine varies with what
// the host has to fault in.
void BM_FourierWindowsWarm(benchmark::State& state) {
  const AnalyticSignalClass signal = MakeTestSignal(static_cast<int>(state.range(0)));
  FourierFTA analysis(2000);
  analysis.RunWindows(signal, 100, 1);
  for (auto _ : state) {
    analysis.Resuming = true;
    analysis.Columns = 1;  // continue from column 0
    analysis.RunWindows(signal, 100, 1);
    benchmark::DoNotOptimize(analysis.PowerMatrix.Column(0));
  }
  state.counters["s_per_100000_windows"] = benchmark::Counter(
      analysis.Columns / 100000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FourierWindowsWarm)->Arg(20000)->Unit(benchmark::kSecond)->UseRealTime();

#ifdef VORENTA_HAVE_FFTW
// The same distribution as a plain FFTW loop into two column-major matrices
// (power and frequency), each column (|X| / max |X|)^2: the reference cost
// of the transforms and of storing the matrices. The matrices are TfMatrix,
// so both cases pay the same for fresh memory.
class FftwDistribution {
 public:
  static constexpr int kWindow = 100, kFft = 2000;
  FftwDistribution() : re_(fftw_alloc_real(kFft)), im_(fftw_alloc_real(kFft)) {
    fftw_iodim dimension{kFft, 1, 1};
    plan_ = fftw_plan_guru_split_dft(1, &dimension, 0, nullptr, re_, im_, re_, im_, FFTW_MEASURE);
  }
  ~FftwDistribution() {
    fftw_destroy_plan(plan_);
    fftw_free(re_);
    fftw_free(im_);
  }
  FftwDistribution(const FftwDistribution&) = delete;
  FftwDistribution& operator=(const FftwDistribution&) = delete;

  void Run(const AnalyticSignalClass& signal, TfMatrix& power, TfMatrix& frequency) {
    const int samples = signal.Channel1.Count();
    for (int q = 0; q < samples; ++q) {
      std::fill(re_, re_ + kFft, 0.0);
      std::fill(im_, im_ + kFft, 0.0);
      for (int j = 0; j < kWindow; ++j) {
        const int k = q + j - kWindow / 2;
        re_[j] = signal.Channel1[k];
        im_[j] = signal.Channel2[k];
      }
      fftw_execute_split_dft(plan_, re_, im_, re_, im_);
      double* column = power.Column(q);
      double* frequencyColumn = frequency.Column(q);
      double maximum = 0.0;
      for (int b = 0; b < kFft; ++b) {
        const int row = b < kFft / 2 ? b + kFft / 2 : b - kFft / 2;
        column[row] = re_[b] * re_[b] + im_[b] * im_[b];
        frequencyColumn[row] = (b < kFft / 2 ? b : b - kFft) / static_cast<double>(kFft);
        maximum = std::max(maximum, column[row]);
      }
      for (int r = 0; r < kFft; ++r) column[r] /= maximum;
    }
  }

 private:
  double* re_;
  double* im_;
  fftw_plan plan_;
};

void BM_FourierDistributionFftwLoop(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const AnalyticSignalClass signal = MakeTestSignal(samples);
  ResetPeakMemory();
  {
    FftwDistribution fftw;
    for (auto _ : state) {
      TfMatrix power;
      TfMatrix frequency;
      power.Allocate(FftwDistribution::kFft, samples);
      frequency.Allocate(FftwDistribution::kFft, samples);
      fftw.Run(signal, power, frequency);
      benchmark::DoNotOptimize(power.Column(0));
      benchmark::DoNotOptimize(frequency.Column(0));
    }
  }
  state.counters["matrices_MB"] = MatricesMb(FftwDistribution::kFft, samples);
  state.counters["peak_MB"] = PeakMemoryMb();
}
BENCHMARK(BM_FourierDistributionFftwLoop)
    ->Arg(100000)
    ->Arg(10000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

void BM_FftwWindowsWarm(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const AnalyticSignalClass signal = MakeTestSignal(samples);
  FftwDistribution fftw;
  TfMatrix power;
  TfMatrix frequency;
  power.Allocate(FftwDistribution::kFft, samples);
  frequency.Allocate(FftwDistribution::kFft, samples);
  fftw.Run(signal, power, frequency);
  for (auto _ : state) {
    fftw.Run(signal, power, frequency);
    benchmark::DoNotOptimize(power.Column(0));
  }
  state.counters["s_per_100000_windows"] = benchmark::Counter(
      samples / 100000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FftwWindowsWarm)->Arg(20000)->Unit(benchmark::kSecond)->UseRealTime();
#endif

// "MUSIC", M = 10, s = 2, window 100 over 2000 samples.
void BM_Music(benchmark::State& state) {
  const AnalyticSignalClass signal = MakeTestSignal(2000);
  MUSIC_FTA analysis(10, 2);
  RunEstimator(state, analysis, signal, 100);
}
BENCHMARK(BM_Music)->Unit(benchmark::kSecond)->UseRealTime();

// "AR Burg", p = 10, FFT 2000, window 100 over 10000 samples.
void BM_Burg(benchmark::State& state) {
  const AnalyticSignalClass signal = MakeTestSignal(10000);
  BurgFTA analysis(2000, 10);
  RunEstimator(state, analysis, signal, 100);
}
BENCHMARK(BM_Burg)->Unit(benchmark::kSecond)->UseRealTime();

// "Symplex", n = 2, 2 iterations, window 100 over 1000 samples.
void BM_Symplex(benchmark::State& state) {
  const AnalyticSignalClass signal = MakeTestSignal(1000);
  SetRandomSeed(7);
  SimplexFTA analysis(2, 2);
  RunEstimator(state, analysis, signal, 100);
}
BENCHMARK(BM_Symplex)->Unit(benchmark::kSecond)->UseRealTime();

// RenderDense of a rows x columns matrix of uniform values into a
// width x height raster over the whole matrix.
void BM_RenderDense(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const int columns = static_cast<int>(state.range(1));
  const int width = static_cast<int>(state.range(2));
  const int height = static_cast<int>(state.range(3));
  FourierFTA analysis(rows);
  analysis.Rows = rows;
  analysis.Columns = columns;
  analysis.PowerMatrix.Allocate(rows, columns);
  std::mt19937 generator(5);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  for (int c = 0; c < columns; ++c) {
    double* column = analysis.PowerMatrix.Column(c);
    for (int r = 0; r < rows; ++r) column[r] = uniform(generator);
  }
  Scale cellMap;
  cellMap.SetWidth(width);
  cellMap.SetHeight(height);
  cellMap.SetRanges(0, 0, columns - 1, rows - 1);
  const GreyMapping grey;
  ImageFTA image;
  for (auto _ : state) {
    RenderDense(analysis, cellMap, grey, image);
    benchmark::DoNotOptimize(image[0]);
  }
}
BENCHMARK(BM_RenderDense)
    ->Args({2000, 100000, 1600, 900})
    ->Args({200, 400, 1600, 900})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
