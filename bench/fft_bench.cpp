// ComplexFft beside FFTW's in-place split-array plan, both scaled by 1/sqrt(n).
#include <benchmark/benchmark.h>

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
void BM_FftwSplitInPlace(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  double* re = fftw_alloc_real(n);
  double* im = fftw_alloc_real(n);
  fftw_iodim dimension{n, 1, 1};
  fftw_plan plan = fftw_plan_guru_split_dft(1, &dimension, 0, nullptr, re, im, re, im, FFTW_MEASURE);
  const SplitSignal x(n);
  for (int j = 0; j < n; ++j) {
    re[j] = x.re[j];
    im[j] = x.im[j];
  }
  const double scale = 1.0 / std::sqrt(static_cast<double>(n));
  for (auto _ : state) {
    fftw_execute_split_dft(plan, re, im, re, im);
    for (int k = 0; k < n; ++k) {
      re[k] *= scale;
      im[k] *= scale;
    }
    benchmark::DoNotOptimize(re);
    benchmark::ClobberMemory();
  }
  fftw_destroy_plan(plan);
  fftw_free(re);
  fftw_free(im);
}
BENCHMARK(BM_FftwSplitInPlace)->Apply(SetLengths);
#endif

}  // namespace
