// Each butterfly pass against its definition, for the dispatched kernels
// (the widest instruction set of this machine) and for the baseline
// two-lane kernels, which the dispatch skips on machines with AVX2.
#include "numeric/fft_passes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <random>
#include <tuple>
#include <vector>

#include "numeric/fft_pass_kernels.h"

namespace vorenta {
namespace {

using LongComplex = std::complex<long double>;

int BitReversed(int q, int bits) {
  int reversed = 0;
  for (int b = 0; b < bits; ++b) reversed |= ((q >> b) & 1) << (bits - 1 - b);
  return reversed;
}

// Offset (in spans) at which a pass of this radix stores output q.
int OutputSlot(int radix, int q) {
  if (radix == 4) return BitReversed(q, 2);
  if (radix == 8) return BitReversed(q, 3);
  return q;
}

// The pass by its definition: length-radix DFT of every group, output q
// rotated by exp(-2 pi i q m / (radix span)), in long double.
std::vector<LongComplex> DirectPass(const std::vector<double>& re, const std::vector<double>& im, int radix,
                                    int span) {
  const int n = static_cast<int>(re.size());
  const long double pi = std::numbers::pi_v<long double>;
  std::vector<LongComplex> out(n);
  for (int m = 0; m < span; ++m) {
    for (int t = m; t < n; t += radix * span) {
      for (int q = 0; q < radix; ++q) {
        LongComplex sum = 0.0L;
        for (int j = 0; j < radix; ++j) {
          sum += LongComplex(re[t + j * span], im[t + j * span]) * std::polar(1.0L, -2.0L * pi * j * q / radix);
        }
        out[t + OutputSlot(radix, q) * span] = sum * std::polar(1.0L, -2.0L * pi * q * m / (radix * span));
      }
    }
  }
  return out;
}

using PassFunction = void (*)(int radix, double* re, double* im, int n, int span);

void BaselinePass(int radix, double* re, double* im, int n, int span) { PassWithLanes<Pair>(radix, re, im, n, span); }

void BaselineLastPass(int radix, double* re, double* im, int n, int) { LastPassWithLanes<Pair>(radix, re, im, n, 1.0); }

void DispatchedLastPass(int radix, double* re, double* im, int n, int) { FftLastPass(radix, re, im, n, 1.0); }

// radix, span, and whether the baseline kernels are used.
class FftPassDefinition : public ::testing::TestWithParam<std::tuple<int, int, bool>> {};

TEST_P(FftPassDefinition, MatchesTheGroupDftWithTwiddles) {
  const auto [radix, span, baseline] = GetParam();
  const int groups = 3;  // odd, so that vectors of groups leave a remainder
  const int n = radix * span * groups;
  const unsigned seed = static_cast<unsigned>(100 * radix + span);
  SCOPED_TRACE(::testing::Message() << "radix " << radix << ", span " << span << ", seed " << seed);
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::vector<double> re(n), im(n);
  for (int j = 0; j < n; ++j) {
    re[j] = uniform(generator);
    im[j] = uniform(generator);
  }
  const auto expected = DirectPass(re, im, radix, span);
  PassFunction pass = span == 1 ? (baseline ? BaselineLastPass : DispatchedLastPass)
                                : (baseline ? BaselinePass : FftPass);
  pass(radix, re.data(), im.data(), n, span);
  const double tolerance = 8.0 * radix * std::numeric_limits<double>::epsilon();
  for (int k = 0; k < n; ++k) {
    EXPECT_NEAR(re[k], static_cast<double>(expected[k].real()), tolerance) << "k = " << k;
    EXPECT_NEAR(im[k], static_cast<double>(expected[k].imag()), tolerance) << "k = " << k;
  }
}

// Spans on both sides of the switch between the narrow and the wide pass,
// with and without full blocks of rotation indices and odd middles.
INSTANTIATE_TEST_SUITE_P(RadicesAndSpans, FftPassDefinition,
                         ::testing::Combine(::testing::Values(2, 3, 4, 5, 7, 8, 11, 13, 17, 19),
                                            ::testing::Values(1, 2, 3, 5, 7, 8, 9, 12, 17, 25, 40),
                                            ::testing::Bool()));

TEST(FftLastPass, ScalesEveryOutput) {
  std::vector<double> re = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0}, im = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  FftLastPass(2, re.data(), im.data(), 6, 0.5);
  EXPECT_EQ(re, (std::vector<double>{1.5, -0.5, 3.5, -0.5, 5.5, -0.5}));
  EXPECT_EQ(im, (std::vector<double>(6, 0.0)));
}

}  // namespace
}  // namespace vorenta
