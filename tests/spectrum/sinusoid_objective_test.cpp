#include "spectrum/sinusoid_objective.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "core/error.h"
#include "core/signal_store.h"
#include "spectrum/fit_buffers.h"
#include "spectrum/result_model.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
using ComplexLong = std::complex<long double>;

void LoadFit(const std::vector<std::complex<double>>& x) {
  std::vector<double> re(x.size());
  std::vector<double> im(x.size());
  for (std::size_t m = 0; m < x.size(); ++m) {
    re[m] = x[m].real();
    im[m] = x[m].imag();
  }
  LoadFitBuffers(re.data(), im.data(), static_cast<int>(x.size()));
}

using test::TwoExponentialsAndConstant;

class SinusoidObjectiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetResultModel();
    ResetSignalStore();
  }
};

TEST_F(SinusoidObjectiveTest, ExactFrequenciesReproduceTheAmplitudesOfTheExample) {
  const std::vector<std::complex<double>> x = TwoExponentialsAndConstant(64);
  LoadFit(x);
  const double omega[] = {kTwoPi * 0.1, -kTwoPi * 0.23};
  double f = 1;
  SinusoidObjective(2, omega, &f);
  EXPECT_LT(f, 1e-20);
  EXPECT_NEAR(ComponentTable.Frequency[0], 0.1, 1e-15);
  EXPECT_NEAR(ComponentTable.Frequency[1], -0.23, 1e-15);
  EXPECT_EQ(ComponentTable.Frequency[2], 0.0);

  EvaluateSinusoidModel(2, omega, &f);
  EXPECT_LT(f, 1e-20);
  const double amplitudes[] = {1.5, 0.7, std::sqrt(0.05)};
  const double phases[] = {0.3, -1.0, std::atan2(0.1, 0.2)};
  for (int l = 0; l < 3; ++l) {
    EXPECT_NEAR(ComponentTable.Amplitude[l], amplitudes[l], 1e-12) << l;
    EXPECT_NEAR(ComponentTable.Phase[l], phases[l], 1e-12) << l;
  }
  EXPECT_NEAR(ComponentTable.Amplitude[2], 0.2236, 5e-5);
  EXPECT_NEAR(ComponentTable.Phase[2], 0.4636, 5e-5);
  // The model continues the data for 100 samples.
  const std::vector<std::complex<double>> continued = TwoExponentialsAndConstant(164);
  for (int m = 0; m < 164; ++m) {
    EXPECT_LT(std::abs(std::complex<double>(SampleBuffer[m].re, SampleBuffer[m].im) - continued[m]), 1e-11) << m;
  }
}

// Independent least squares: the normal equations built from the samples
// (O(K^2 N)) in long double, solved by elimination with partial pivoting.
struct ReferenceFit {
  std::vector<ComplexLong> coefficients;
  long double relativeError;
};

ReferenceFit DirectLeastSquares(const std::vector<std::complex<double>>& x, const std::vector<double>& cycles) {
  const std::size_t k = cycles.size();
  auto basis = [&](std::size_t l, std::size_t m) {
    return std::polar(1.0L, 2 * std::numbers::pi_v<long double> * cycles[l] * static_cast<long double>(m));
  };
  std::vector<std::vector<ComplexLong>> a(k, std::vector<ComplexLong>(k + 1));
  for (std::size_t i = 0; i < k; ++i) {
    for (std::size_t m = 0; m < x.size(); ++m) {
      const ComplexLong weight = std::conj(basis(i, m));
      for (std::size_t j = 0; j < k; ++j) a[i][j] += weight * basis(j, m);
      a[i][k] += weight * ComplexLong(x[m].real(), x[m].imag());
    }
  }
  for (std::size_t col = 0; col < k; ++col) {
    std::size_t pivot = col;
    for (std::size_t r = col + 1; r < k; ++r) {
      if (std::abs(a[r][col]) > std::abs(a[pivot][col])) pivot = r;
    }
    std::swap(a[col], a[pivot]);
    for (std::size_t r = 0; r < k; ++r) {
      if (r == col) continue;
      const ComplexLong factor = a[r][col] / a[col][col];
      for (std::size_t c = col; c <= k; ++c) a[r][c] -= factor * a[col][c];
    }
  }
  ReferenceFit fit;
  for (std::size_t i = 0; i < k; ++i) fit.coefficients.push_back(a[i][k] / a[i][i]);
  long double residual = 0;
  long double energy = 0;
  for (std::size_t m = 0; m < x.size(); ++m) {
    ComplexLong model = 0;
    for (std::size_t l = 0; l < k; ++l) model += fit.coefficients[l] * basis(l, m);
    const ComplexLong data(x[m].real(), x[m].imag());
    residual += std::norm(model - data);
    energy += std::norm(data);
  }
  fit.relativeError = residual / energy;
  return fit;
}

struct OracleCase {
  const char* name;
  int length;
  std::vector<double> cycles;  // trial frequencies, the constant term added
};

class SinusoidObjectiveOracle : public SinusoidObjectiveTest, public ::testing::WithParamInterface<OracleCase> {};

TEST_P(SinusoidObjectiveOracle, MatchesDirectLeastSquaresOnNoisyData) {
  const OracleCase& c = GetParam();
  const unsigned seed = 20261210u + static_cast<unsigned>(c.length);
  SCOPED_TRACE(::testing::Message() << "seed " << seed);
  std::mt19937 generator(seed);
  std::normal_distribution<double> gauss;
  std::vector<std::complex<double>> x = test::ComplexExponentials(c.length, {{1.0, 0.12, 0.5}, {0.6, -0.31, 2.0}});
  for (auto& v : x) v += std::complex<double>(0.3 * gauss(generator), 0.3 * gauss(generator));
  LoadFit(x);

  const int n = static_cast<int>(c.cycles.size());
  std::vector<double> omega;
  for (double f : c.cycles) omega.push_back(kTwoPi * f);
  std::vector<double> cycles = c.cycles;
  cycles.push_back(0.0);
  const ReferenceFit reference = DirectLeastSquares(x, cycles);

  double f = 0;
  SinusoidObjective(n, omega.data(), &f);
  const double tolerance = 1e-12 * c.length;
  EXPECT_NEAR(f, static_cast<double>(reference.relativeError), tolerance);
  EvaluateSinusoidModel(n, omega.data(), &f);
  EXPECT_NEAR(f, static_cast<double>(reference.relativeError), tolerance);
  for (int l = 0; l <= n; ++l) {
    EXPECT_NEAR(ComponentTable.Amplitude[l], static_cast<double>(std::abs(reference.coefficients[l])), tolerance) << l;
  }
}

INSTANTIATE_TEST_SUITE_P(Trials, SinusoidObjectiveOracle,
                         ::testing::Values(OracleCase{"Near", 50, {0.125, -0.3}},
                                           OracleCase{"Three", 80, {0.1, 0.2, -0.31}},
                                           OracleCase{"AliasedBeyondHalf", 40, {0.45, -0.45, 0.7}},
                                           OracleCase{"Short", 3, {0.2}}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SinusoidObjectiveTest, RealAmplitudeVariantGivesSignedAmplitudesWithoutConstant) {
  std::vector<std::complex<double>> x =
      test::ComplexExponentials(60, {{0.8, 0.1, 0.0}, {0.5, -0.2, std::numbers::pi}});
  LoadFit(x);
  const double omega[] = {kTwoPi * 0.1, kTwoPi * 0.8};  // 0.8 cycles is -0.2
  double f = 1;
  RealAmplitudeObjective(2, omega, &f);
  EXPECT_LT(f, 1e-20);
  EXPECT_NEAR(ComponentTable.Frequency[1], -0.2, 1e-15);
  EXPECT_NEAR(ComponentTable.Amplitude[0], 0.8, 1e-12);
  EXPECT_NEAR(ComponentTable.Amplitude[1], -0.5, 1e-12);
  EXPECT_EQ(ComponentTable.Phase[1], 0.0);
  EXPECT_EQ(ComponentTable.Frequency[2], 0.0);
  EXPECT_EQ(ComponentTable.Amplitude[2], 0.0);
}

TEST_F(SinusoidObjectiveTest, DataOfZerosGiveZeroErrorNotZeroOverZero) {
  LoadFit(std::vector<std::complex<double>>(32));
  const double omega[] = {1.0, -2.0};
  for (auto objective : {SinusoidObjective, EvaluateSinusoidModel, RealAmplitudeObjective}) {
    double f = -1;
    objective(2, omega, &f);
    EXPECT_EQ(f, 0.0);
  }
  EXPECT_EQ(ComponentTable.Amplitude[0], 0.0);
}

TEST_F(SinusoidObjectiveTest, CoincidingFrequenciesGiveLargeButFiniteAmplitudes) {
  LoadFit(TwoExponentialsAndConstant(64));
  const double omega[] = {1.0, 1.0};
  double f = 0;
  EvaluateSinusoidModel(2, omega, &f);
  EXPECT_TRUE(std::isfinite(f));
  EXPECT_TRUE(std::isfinite(ComponentTable.Amplitude[0]));
}

TEST_F(SinusoidObjectiveTest, RejectsCountsBeyondTheTableAndNonFiniteFrequencies) {
  LoadFit(TwoExponentialsAndConstant(16));
  const std::vector<double> omega(kLargestObjectiveCount + 1, 0.1);
  double f = 0;
  for (int n : {-1, kLargestObjectiveCount + 1}) {
    EXPECT_THROW(SinusoidObjective(n, omega.data(), &f), VorentaError) << n;
    EXPECT_THROW(EvaluateSinusoidModel(n, omega.data(), &f), VorentaError) << n;
    EXPECT_THROW(RealAmplitudeObjective(n, omega.data(), &f), VorentaError) << n;
  }
  const double bad[] = {std::numeric_limits<double>::quiet_NaN()};
  try {
    SinusoidObjective(1, bad, &f);
    ADD_FAILURE() << "no error";
  } catch (const VorentaError& error) {
    EXPECT_STREQ(error.what(), kSinusoidFitFailureMessage);
  }
}

TEST_F(SinusoidObjectiveTest, ForecastOfAFullBufferStopsAtItsEnd) {
  const std::vector<std::complex<double>> x = TwoExponentialsAndConstant(kFitBufferLength);
  LoadFit(x);
  const double omega[] = {kTwoPi * 0.1, -kTwoPi * 0.23};
  double f = 1;
  EvaluateSinusoidModel(2, omega, &f);
  EXPECT_LT(f, 1e-20);
  const ComplexSample& last = SampleBuffer[kSampleBufferLength - 1];
  EXPECT_LT(std::abs(std::complex<double>(last.re, last.im) - x.back()), 1e-9);
}

class SynthesiseModelTest : public SinusoidObjectiveTest, public ::testing::WithParamInterface<int> {};

TEST_P(SynthesiseModelTest, MeasuresTheModelAgainstTheWholeSelection) {
  const int length = GetParam();
  test::LoadSignal(test::ComplexExponentials(length, {{2.0, 0.1, 0.4}}));
  const double amplitude[] = {1.0};
  const double frequency[] = {0.1};
  const double phase[] = {0.4};
  // Half the data everywhere: relative error 1/4.
  EXPECT_NEAR(SynthesiseModel(1, amplitude, frequency, phase, SelectionStart, SelectionEnd), 0.25, 1e-9);
  const int stored = std::min(length + 100, kSampleBufferLength);
  const std::complex<double> expected = 0.5 * test::ComplexExponentials(stored, {{2.0, 0.1, 0.4}}).back();
  const ComplexSample& last = SampleBuffer[stored - 1];
  EXPECT_LT(std::abs(std::complex<double>(last.re, last.im) - expected), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Lengths, SynthesiseModelTest, ::testing::Values(1, 30, 9950, 10050));

TEST_F(SinusoidObjectiveTest, SynthesisedModelOfAZeroSelectionHasItsPlainResidual) {
  test::LoadSignal(std::vector<std::complex<double>>(20));
  const double amplitude[] = {0.5};
  const double frequency[] = {0.2};
  const double phase[] = {0.0};
  EXPECT_NEAR(SynthesiseModel(1, amplitude, frequency, phase, SelectionStart, SelectionEnd), 20 * 0.25, 1e-12);
  EXPECT_EQ(SynthesiseModel(0, nullptr, nullptr, nullptr, SelectionStart, SelectionEnd), 0.0);
}

}  // namespace
}  // namespace vorenta
