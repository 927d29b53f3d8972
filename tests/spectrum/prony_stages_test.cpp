#include "spectrum/prony_stages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "core/error.h"
#include "core/signal_store.h"
#include "numeric/fp_guard.h"
#include "damped_test_signals.h"

namespace vorenta {
namespace {

using Roots = std::vector<ExtendedComplex>;

void ExpectPronyFailure(const Roots& coefficients) {
  try {
    PredictionPolynomialRoots(coefficients);
    ADD_FAILURE() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_STREQ(error.what(), kPronyFailureMessage);
  }
}

TEST(PredictionPolynomialRoots, FindsTheRootsOfAWellPosedPolynomial) {
  Roots roots = PredictionPolynomialRoots({{1, 0}, {0, 0}, {1, 0}});
  ASSERT_EQ(roots.size(), 2u);
  std::sort(roots.begin(), roots.end(), [](const auto& a, const auto& b) { return a.imag() < b.imag(); });
  EXPECT_LT(std::abs(roots[0] - ExtendedComplex(0, -1)), 1e-15L);
  EXPECT_LT(std::abs(roots[1] - ExtendedComplex(0, 1)), 1e-15L);
}

TEST(PredictionPolynomialRoots, FailsWithTheMessageInsteadOfReturningUnfilledSlots) {
  ExpectPronyFailure({{0, 0}, {1, 0}, {2, 0}});
  ExpectPronyFailure(Roots(1001, ExtendedComplex(1, 0)));
}

TEST(FitExponentialAmplitudes, RecoversTheAmplitudesOfKnownRoots) {
  const std::vector<test::DampedExponential> parts{{1.2, 0.1, 0.5, -0.02}, {0.4, -0.3, -2.0, 0.01}};
  const std::vector<std::complex<double>> samples = test::DampedExponentials(40, parts);
  const std::vector<ExtendedComplex> x(samples.begin(), samples.end());
  Roots roots;
  for (const auto& p : parts) {
    roots.push_back(std::exp(ExtendedComplex(p.damping, 2 * std::numbers::pi_v<long double> * p.frequency)));
  }
  const Roots h = FitExponentialAmplitudes(roots, x);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    EXPECT_LT(std::abs(h[k] - std::polar<long double>(parts[k].amplitude, parts[k].phase)), 1e-13L) << k;
  }
}

TEST(FitExponentialAmplitudes, SpuriousFastGrowingRootGetsNoAmplitudeInsteadOfOverflowing) {
  // 4^10000 lies beyond even the extended range.
  const std::vector<std::complex<double>> samples = test::DampedExponentials(10000, {{1.5, 0.1, 0.2, 0.0}});
  const std::vector<ExtendedComplex> x(samples.begin(), samples.end());
  const Roots roots{std::polar(1.0L, 2 * std::numbers::pi_v<long double> * 0.1L), std::polar(4.0L, 0.3L)};
  const FloatingPointGuard guard;
  const Roots h = FitExponentialAmplitudes(roots, x);
  EXPECT_FALSE(guard.Faulted());
  EXPECT_LT(std::abs(h[0] - std::polar(1.5L, 0.2L)), 1e-12L);
  EXPECT_LT(std::abs(h[1]), 1e-300L);
}

TEST(ExponentialValue, TinyAmplitudeOfAFastGrowingComponentStaysFinite) {
  const FloatingPointGuard guard;
  EXPECT_EQ(ExponentialValue(0.0, 0.1, 0.0, 1.4, 9999.0), std::complex<double>());
  const std::complex<double> v = ExponentialValue(1e-300, 0.0, 0.0, 0.5, 1000.0);
  EXPECT_FALSE(guard.Faulted());
  EXPECT_NEAR(std::log(v.real()), std::log(1e-300) + 500.0, 1e-9);
}

TEST(ComponentsFromRoots, OrdersByAbsoluteFrequencyAndDefinesDegenerateEntries) {
  const Roots roots{std::polar(0.9L, 2.0L), std::polar(1.0L, -0.5L), ExtendedComplex(0, 0), std::polar(1.1L, 0.5L)};
  const Roots h{{1, 1}, {0, 0}, {2, 0}, {0, -3}};
  const PronyComponents c = ComponentsFromRoots(roots, h);
  const double cycles = 1 / (2 * std::numbers::pi);
  // The zero root first (frequency 0), then |f| = 0.5/(2 pi) in root order, then 2/(2 pi).
  EXPECT_EQ(c.Frequency[0], 0.0);
  EXPECT_DOUBLE_EQ(c.Damping[0], std::log(1e-10));
  EXPECT_DOUBLE_EQ(c.Amplitude[0], 2.0);
  EXPECT_NEAR(c.Frequency[1], -0.5 * cycles, 1e-15);
  EXPECT_EQ(c.Amplitude[1], 0.0);
  EXPECT_EQ(c.Phase[1], 0.0);  // no amplitude: a defined phase, not a leftover
  EXPECT_NEAR(c.Frequency[2], 0.5 * cycles, 1e-15);
  EXPECT_NEAR(c.Damping[2], std::log(1.1), 1e-15);
  EXPECT_NEAR(c.Phase[2], -std::numbers::pi / 2, 1e-15);
  EXPECT_NEAR(c.Frequency[3], 2.0 * cycles, 1e-15);
  EXPECT_NEAR(c.Amplitude[3], std::sqrt(2.0), 1e-15);
}

TEST(SynthesiseExponentials, StoresNoMoreThanTheSampleBufferAndMeasuresAllSamples) {
  const PronyComponents c{{0.1}, {1.0}, {0.0}, {0.0}};
  for (const int length : {50, 9950, 10050}) {
    const std::vector<std::complex<double>> samples = test::DampedExponentials(length, {{2.0, 0.1, 0.0, 0.0}});
    const std::vector<ExtendedComplex> x(samples.begin(), samples.end());
    std::vector<ComplexSample> model;
    // Model = x/2 everywhere: error = sum |x/2|^2 / sum |x|^2 = 1/4.
    EXPECT_NEAR(SynthesiseExponentials(c, x, model), 0.25, 1e-12) << length;
    EXPECT_EQ(model.size(), static_cast<std::size_t>(std::min(length + 100, kSampleBufferLength)));
  }
}

}  // namespace
}  // namespace vorenta
