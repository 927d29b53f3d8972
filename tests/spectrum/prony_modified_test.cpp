#include "spectrum/prony_modified.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "core/error.h"
#include "core/signal_store.h"
#include "spectrum/result_model.h"
#include "damped_test_signals.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

using test::DampedExponential;
using test::DampedExponentials;
using test::LoadSignal;
using test::NearestEntry;
using test::RecoveryCase;
using test::WholeSelection;

class PronyModifiedTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetResultModel(); }
};

class PronyModifiedRecovery : public PronyModifiedTest, public ::testing::WithParamInterface<RecoveryCase> {};

// The fixed backward equation holds exactly for undamped exponentials, so a
// noiseless sum of 2q of them is recovered to rounding.
TEST_P(PronyModifiedRecovery, ReturnsTheExponentialsOfANoiselessUndampedSum) {
  const RecoveryCase& c = GetParam();
  LoadSignal(DampedExponentials(c.length, c.parts));
  const int count = static_cast<int>(c.parts.size());
  const SpectrumRunReport report = RunPronyModified(WholeSelection(count));
  ASSERT_TRUE(report.Computed);
  EXPECT_EQ(ResultKind, result_kind::kPronyModified);
  ASSERT_EQ(ComponentCount, count);
  // Every case is undamped: the table's damping must be 0.
  test::ExpectTableHolds(c.parts, 1e-9);
  EXPECT_LT(*report.RelativeError, 1e-18);

  // Two-sided spectrum of undamped tones on exact bins: lines at their
  // relative levels, the floor between them.
  const auto strongest = std::max_element(c.parts.begin(), c.parts.end(),
                                          [](const auto& a, const auto& b) { return a.amplitude < b.amplitude; });
  for (const DampedExponential& part : c.parts) {
    const int bin = static_cast<int>(std::lround(part.frequency * kSpectrumBins + kSpectrumBins)) % kSpectrumBins;
    EXPECT_NEAR(SpectrumDb[bin], 20 * std::log10(part.amplitude / strongest->amplitude), 1e-6) << "f " << part.frequency;
    EXPECT_EQ(SpectrumDb[(bin + 5) % kSpectrumBins], -100.0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Signals, PronyModifiedRecovery,
    ::testing::Values(RecoveryCase{"FourTones",
                                   60,
                                   {{1.5, 0.1, 0.3, 0.0},
                                    {0.7, -0.23, -1.0, 0.0},
                                    {0.4, 0.37, 2.5, 0.0},
                                    {0.9, -0.41, 0.0, 0.0}}},
                      RecoveryCase{"RealCosine", 30, {{1.0, 0.15, 0.7, 0.0}, {1.0, -0.15, -0.7, 0.0}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(PronyModifiedTest, SystemIsSolvedByTheTruePolynomialOfUndampedData) {
  const std::vector<DampedExponential> parts{{1.0, 0.12, 0.4, 0.0}, {0.6, -0.31, 1.1, 0.0}};
  const std::vector<std::complex<double>> samples = DampedExponentials(24, parts);
  std::vector<ExtendedComplex> x(samples.begin(), samples.end());
  // (z - z0)(z - z1) = z^2 + c1 z + c2, scaled so that the centre coefficient is 1.
  const ExtendedComplex z0 = std::polar(1.0L, 2 * std::numbers::pi_v<long double> * 0.12L);
  const ExtendedComplex z1 = std::polar(1.0L, 2 * std::numbers::pi_v<long double> * -0.31L);
  const ExtendedComplex centre = -(z0 + z1);
  const std::vector<ExtendedComplex> unknowns{1.0L / centre, z0 * z1 / centre};

  ExtendedSystem system(2);
  BuildModifiedPronySystem(x.data(), static_cast<std::int64_t>(x.size()), 1, system);
  for (int r = 0; r < 2; ++r) {
    ExtendedComplex residual = -system.Rhs()[r];
    for (int c = 0; c < 2; ++c) residual += system.At(r, c) * unknowns[c];
    EXPECT_LT(std::abs(residual), 1e-12L) << "row " << r;
  }
  const std::vector<ExtendedComplex> polynomial = ModifiedPronyPolynomial(unknowns);
  ASSERT_EQ(polynomial.size(), 3u);
  EXPECT_EQ(polynomial[1], ExtendedComplex(1.0L, 0.0L));
  EXPECT_EQ(polynomial[0], unknowns[0]);
  EXPECT_EQ(polynomial[2], unknowns[1]);
}

struct ClampCase {
  int length;
  int requested;
  int used;            // the parameter reported back
  int componentCount;  // 2 * floor(used / 2)
};

class PronyModifiedClamp : public PronyModifiedTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(PronyModifiedClamp, LimitsTheParameterAndComputesAnEvenCount) {
  const ClampCase& c = GetParam();
  std::mt19937 generator(static_cast<unsigned>(c.length * 31 + c.requested));
  std::normal_distribution<double> gauss;
  std::vector<std::complex<double>> x(c.length);
  for (auto& v : x) v = {gauss(generator), gauss(generator)};
  LoadSignal(x);
  const SpectrumRunReport report = RunPronyModified(WholeSelection(c.requested));
  EXPECT_EQ(report.MainParameterUsed, c.used);
  EXPECT_EQ(ComponentCount, c.componentCount);
  EXPECT_EQ(report.Computed, c.componentCount > 0);
  for (int i = 0; i < ComponentCount; ++i) {
    EXPECT_TRUE(std::isfinite(ComponentTable.Frequency[i]) && std::isfinite(ComponentTable.Amplitude[i]) &&
                std::isfinite(ComponentTable.Damping[i]));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PronyModifiedClamp,
                         ::testing::Values(ClampCase{10, 9, 6, 6}, ClampCase{40, 5, 5, 4}, ClampCase{40, 1, 1, 0},
                                           ClampCase{40, 0, 0, 0}, ClampCase{40, -3, 0, 0}, ClampCase{1, 5, 0, 0},
                                           ClampCase{2, 5, 1, 0}, ClampCase{3, 5, 2, 2}, ClampCase{4, 5, 2, 2}));

TEST_F(PronyModifiedTest, OrderStaysWithinTheRootFinder) {
  EXPECT_EQ(PronyModifiedOrder(5000, 100000), kLargestPronyOrder);
  EXPECT_EQ(PronyModifiedOrder(1000, 1500), kLargestPronyOrder);
  EXPECT_EQ(PronyModifiedOrder(9, 10), 6);
}

// Twenty components for two strong exponentials, weak ones and noise: the
// surplus roots lie far off the unit circle, and their growth over 10000
// samples must not overflow the fit.
TEST_F(PronyModifiedTest, OverfittedNoisySelectionKeepsItsStrongComponents) {
  std::vector<test::Exponential> parts{{1.0, 0.1234, 0.3}, {0.8, -0.2345, -1.2}};
  for (int k = 0; k < 6; ++k) parts.push_back({0.01, -0.45 + 0.15 * k, 0.5 * k});
  LoadSignal(test::ComplexExponentials(10000, parts, 0.001, 77));
  const SpectrumRunReport report = RunPronyModified(WholeSelection(20));
  ASSERT_TRUE(report.Computed);
  // The fixed backward equation biases an overfitted model: percent level.
  EXPECT_LT(*report.RelativeError, 1e-2);
  for (const test::Exponential& strong : {parts[0], parts[1]}) {
    const int i = NearestEntry(strong.frequency);
    EXPECT_NEAR(ComponentTable.Frequency[i], strong.frequency, 1e-5);
    EXPECT_NEAR(ComponentTable.Amplitude[i], strong.amplitude, 0.05 * strong.amplitude);
  }
}

TEST_F(PronyModifiedTest, AllZeroSelectionFailsWithTheMessage) {
  LoadSignal(std::vector<std::complex<double>>(30));
  SpectrumDb.fill(-7.0);
  try {
    RunPronyModified(WholeSelection(4));
    ADD_FAILURE() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_STREQ(error.what(), "Systems of Linear Equations problem solving");
  }
  EXPECT_EQ(SpectrumDb[123], -7.0);
}

}  // namespace
}  // namespace vorenta
