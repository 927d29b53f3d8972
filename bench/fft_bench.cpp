// ComplexFft beside FFTW's in-place split-array plan, both scaled by 1/sqrt(n).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "numeric/fft.h"

#ifdef VORENTA_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

// Powers of two, the callers' usual lengths, square factors only, and lengths
// whose square-free part has three or more distinct primes (the reordering of
// that part follows long cycles scattered over the whole array).
constexpr int kLengths[] = {1024, 2000, 10000, 361, 9261, 2310, 30030, 90090, 255255};

struct SplitSignal {
  explicit SplitSignal(int n) : re(n), im(n) {
    std::mt19937 generator(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    for (int j = 0; j < n; ++j) {
      re[j] = uniform(generator);
      im[j] = uniform(generator);
    }
  }
  std::vector<double> re;
  std::vector<double> im;
};

void SetLengths(benchmark::internal::Benchmark* benchmark) {
  for (int n : kLengths) benchmark->Arg(n);
  benchmark->Unit(benchmark::kMicrosecond);
}

void BM_ComplexFft(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  SplitSignal x(n);
  for (auto _ : state) {
    int failure = 0;
    vorenta::ComplexFft(x.re.data(), x.im.data(), n, failure);
    benchmark::DoNotOptimize(x.re.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ComplexFft)->Apply(SetLengths);

#ifdef VORENTA_HAVE_FFTW
// Split real/imaginary arrays through the guru interface (forward sign is
// implied by the pointer order), transformed in place, then scaled by 1/sqrt(n).
class FftwSplitInPlace {
 public:
  explicit FftwSplitInPlace(int n) : n_(n), re_(fftw_alloc_real(n)), im_(fftw_alloc_real(n)) {
    fftw_iodim dimension{n, 1, 1};
    plan_ = fftw_plan_guru_split_dft(1, &dimension, 0, nullptr, re_, im_, re_, im_, FFTW_MEASURE);
    const SplitSignal x(n);
    std::copy(x.re.begin(), x.re.end(), re_);
    std::copy(x.im.begin(), x.im.end(), im_);
  }
  FftwSplitInPlace(const FftwSplitInPlace&) = delete;
  FftwSplitInPlace& operator=(const FftwSplitInPlace&) = delete;
  ~FftwSplitInPlace() {
    fftw_destroy_plan(plan_);
    fftw_free(re_);
    fftw_free(im_);
  }
  void Run() {
    fftw_execute_split_dft(plan_, re_, im_, re_, im_);
    const double scale = 1.0 / std::sqrt(static_cast<double>(n_));
    for (int k = 0; k < n_; ++k) {
      re_[k] *= scale;
      im_[k] *= scale;
    }
    benchmark::DoNotOptimize(re_);
    benchmark::ClobberMemory();
  }

 private:
  int n_;
  double* re_;
  double* im_;
  fftw_plan plan_;
};

void BM_FftwSplitInPlace(benchmark::State& state) {
  FftwSplitInPlace fftw(static_cast<int>(state.range(0)));
  for (auto _ : state) fftw.Run();
}
BENCHMARK(BM_FftwSplitInPlace)->Apply(SetLengths);

// Alternating blocks of both transforms, so that the load of the machine
// weighs on both alike; the counter "ours/FFTW" is the ratio of their times.
void BM_RatioToFftw(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  SplitSignal x(n);
  FftwSplitInPlace fftw(n);
  constexpr int kBlock = 20;
  std::chrono::duration<double> ours{0}, theirs{0};
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlock; ++i) {
      int failure = 0;
      vorenta::ComplexFft(x.re.data(), x.im.data(), n, failure);
      benchmark::DoNotOptimize(x.re.data());
      benchmark::ClobberMemory();
    }
    auto middle = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlock; ++i) fftw.Run();
    ours += middle - start;
    theirs += std::chrono::steady_clock::now() - middle;
  }
  state.counters["ours/FFTW"] = ours.count() / theirs.count();
}
BENCHMARK(BM_RatioToFftw)->Apply(SetLengths);
#endif

}  // namespace
