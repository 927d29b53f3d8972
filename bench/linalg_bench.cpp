// Speed of the dense kernels on the sizes the estimators use: the complex SVD
// of the MUSIC data matrix (2 * 9980 x 20, beside LAPACK's zgesvd when
// available) and the polynomial root finder at the orders of Prony's method.

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "numeric/complex_svd.h"
#include "numeric/polynomial_roots.h"

#ifdef VORENTA_HAVE_LAPACK
extern "C" void zgesvd_(const char* jobu, const char* jobvt, const int* m, const int* n, std::complex<double>* a,
                        const int* lda, double* s, std::complex<double>* u, const int* ldu, std::complex<double>* vt,
                        const int* ldvt, std::complex<double>* work, const int* lwork, double* rwork, int* info,
                        std::size_t jobuLength, std::size_t jobvtLength);
#endif

namespace {

using Complex = std::complex<double>;

constexpr int kSegment = 10000;
constexpr int kColumns = 20;
constexpr int kForwardRows = kSegment - kColumns;
constexpr int kRows = 2 * kForwardRows;

// Three exponentials in light noise, arranged as the forward-backward data
// matrix of the subspace estimators, row by row.
std::vector<Complex> MusicDataMatrix() {
  std::mt19937_64 random(11);
  std::normal_distribution<double> noise(0.0, 0.05);
  std::vector<Complex> x(kSegment);
  for (int n = 0; n < kSegment; ++n) {
    const double t = 2 * std::numbers::pi * n;
    x[n] = std::polar(1.0, 0.1 * t) + std::polar(0.5, -0.23 * t) + std::polar(0.2, 0.31 * t) +
           Complex(noise(random), noise(random));
  }
  std::vector<Complex> a(static_cast<std::size_t>(kRows) * kColumns);
  for (int r = 0; r < kForwardRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      a[static_cast<std::size_t>(r) * kColumns + c] = x[r + kColumns - 1 - c];
      a[static_cast<std::size_t>(kForwardRows + r) * kColumns + c] = std::conj(x[r + 1 + c]);
    }
  }
  return a;
}

std::vector<Complex*> RowPointers(std::vector<Complex>& storage, int rows, int columns) {
  std::vector<Complex*> pointers(rows);
  for (int i = 0; i < rows; ++i) pointers[i] = storage.data() + static_cast<std::size_t>(i) * columns;
  return pointers;
}

// Range(0): number of left vectors (0 or all 20); right vectors always.
void BM_ComplexSvdMusicMatrix(benchmark::State& state) {
  const int nu = static_cast<int>(state.range(0));
  const std::vector<Complex> original = MusicDataMatrix();
  std::vector<Complex> a = original;
  std::vector<Complex> u(static_cast<std::size_t>(kRows) * kColumns);
  std::vector<Complex> v(static_cast<std::size_t>(kColumns) * kColumns);
  std::vector<double> sigma(kColumns);
  const std::vector<Complex*> aRows = RowPointers(a, kRows, kColumns);
  const std::vector<Complex*> uRows = RowPointers(u, kRows, kColumns);
  const std::vector<Complex*> vRows = RowPointers(v, kColumns, kColumns);
  for (auto _ : state) {
    state.PauseTiming();
    a = original;
    state.ResumeTiming();
    int failure = 0;
    vorenta::ComplexSvd(aRows.data(), kRows, kColumns, nu, kColumns, sigma.data(), uRows.data(), vRows.data(), failure);
    benchmark::DoNotOptimize(sigma.data());
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_ComplexSvdMusicMatrix)->Arg(0)->Arg(kColumns)->Unit(benchmark::kMillisecond);

#ifdef VORENTA_HAVE_LAPACK
// The same matrix through zgesvd (column-major copy): singular values and all
// right vectors, and with range(0) = 20 also the 20 left vectors.
void BM_LapackZgesvdMusicMatrix(benchmark::State& state) {
  const bool withLeft = state.range(0) > 0;
  const char* jobu = withLeft ? "S" : "N";
  const std::vector<Complex> rowMajor = MusicDataMatrix();
  std::vector<Complex> original(rowMajor.size());
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) {
      original[static_cast<std::size_t>(c) * kRows + r] = rowMajor[static_cast<std::size_t>(r) * kColumns + c];
    }
  }
  std::vector<Complex> a = original;
  std::vector<Complex> u(withLeft ? original.size() : 1);
  std::vector<Complex> vt(static_cast<std::size_t>(kColumns) * kColumns);
  std::vector<double> sigma(kColumns);
  std::vector<double> rwork(5 * kColumns);
  const int m = kRows;
  const int n = kColumns;
  const int ldu = withLeft ? kRows : 1;
  int info = 0;
  int lwork = -1;
  Complex size;
  zgesvd_(jobu, "A", &m, &n, a.data(), &m, sigma.data(), u.data(), &ldu, vt.data(), &n, &size, &lwork, rwork.data(),
          &info, 1, 1);
  lwork = static_cast<int>(size.real());
  std::vector<Complex> work(lwork);
  for (auto _ : state) {
    state.PauseTiming();
    a = original;
    state.ResumeTiming();
    zgesvd_(jobu, "A", &m, &n, a.data(), &m, sigma.data(), u.data(), &ldu, vt.data(), &n, work.data(), &lwork,
            rwork.data(), &info, 1, 1);
    benchmark::DoNotOptimize(sigma.data());
    benchmark::DoNotOptimize(vt.data());
  }
  if (info != 0) state.SkipWithError("zgesvd failed");
}
BENCHMARK(BM_LapackZgesvdMusicMatrix)->Arg(0)->Arg(kColumns)->Unit(benchmark::kMillisecond);
#endif

// A prediction polynomial as Prony's method produces it: roots just inside
// the unit circle at random frequencies, expanded in long double.
std::vector<std::complex<long double>> PronyLikePolynomial(int degree) {
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> angle(-std::numbers::pi, std::numbers::pi);
  std::uniform_real_distribution<double> radius(0.9, 1.0);
  std::vector<std::complex<long double>> c{1};
  for (int k = 0; k < degree; ++k) {
    const std::complex<long double> root = std::polar<long double>(radius(random), angle(random));
    c.push_back(0);
    for (std::size_t j = c.size() - 1; j >= 1; --j) c[j] -= root * c[j - 1];
  }
  return c;
}

void BM_PolynomialRoots(benchmark::State& state) {
  const int degree = static_cast<int>(state.range(0));
  const std::vector<std::complex<long double>> c = PronyLikePolynomial(degree);
  const int m = degree + 1;
  std::vector<long double> re(m), im(m), rootRe(degree), rootIm(degree);
  for (auto _ : state) {
    for (int k = 0; k < m; ++k) {
      re[k] = c[k].real();
      im[k] = c[k].imag();
    }
    int failure = 0;
    vorenta::PolynomialRoots(re.data(), im.data(), m, rootRe.data(), rootIm.data(), 0, failure);
    benchmark::DoNotOptimize(rootRe.data());
    if (failure != 0) state.SkipWithError("root finder failed");
  }
}
BENCHMARK(BM_PolynomialRoots)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
