#include "core/signal_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "core/error.h"
#include "core/random.h"
#include "core/signal_store.h"

namespace vorenta {
namespace {

constexpr double kPi = std::numbers::pi;

class SignalSynthesisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSignalStore();
    SetRandomSeed(12345);
  }
  static GeneratorSettings OneDefaultRow(bool complexSignal) {
    GeneratorSettings settings;
    settings.ComplexSignal = complexSignal;
    settings.Components = {GeneratorComponent{1.0, 0.1, 0.0, 0.0, 0.0}};
    return settings;
  }
};

TEST_F(SignalSynthesisTest, DefaultRowGivesAComplexExponentialAndAFreshStore) {
  SignalStore.RangeStart = 2000;
  SignalStore.RangeEnd = 3000;
  Decimation = 4;
  ASSERT_TRUE(SynthesiseSignal(OneDefaultRow(true)));
  ASSERT_EQ(Channel1.Count(), 1000);
  for (int n = 0; n < 1000; ++n) {
    ASSERT_NEAR(Channel1[n], std::cos(0.2 * kPi * n), 1e-12);
    ASSERT_NEAR(Channel2[n], std::sin(0.2 * kPi * n), 1e-12);
  }
  EXPECT_NEAR(Channel1[5], -1.0, 1e-12);
  EXPECT_NEAR(Channel2[5], 0.0, 1e-12);
  EXPECT_EQ(SignalLength, 1000u);
  EXPECT_EQ(TimeBase.Count(), 1000);
  EXPECT_EQ(TimeBase[999], 999.0);
  EXPECT_EQ(TimeBase.TimeStep(), 1.0);
  EXPECT_EQ(Decimation, 1);
  EXPECT_EQ(SelectionStart, 0);
  EXPECT_EQ(SelectionEnd, 999);
  EXPECT_EQ(CropStart, 0);
  EXPECT_EQ(CropEnd, 999);
  EXPECT_EQ(SignalStore.RangeStart, 999);
  EXPECT_EQ(SignalStore.RangeEnd, 999);
  EXPECT_TRUE(Channel1Present);
  EXPECT_TRUE(Channel2Present);
}

TEST_F(SignalSynthesisTest, RealSignalHasAZeroSecondChannelEvenWithNoise) {
  GeneratorSettings settings = OneDefaultRow(false);
  settings.Noise = 0.5;
  ASSERT_TRUE(SynthesiseSignal(settings));
  for (int n = 0; n < 1000; ++n) ASSERT_EQ(Channel2[n], 0.0);
  EXPECT_FALSE(Channel2Present);
  EXPECT_TRUE(Channel1Present);
}

TEST_F(SignalSynthesisTest, DampingSetsTheEnvelope) {
  GeneratorSettings settings = OneDefaultRow(true);
  settings.Components[0].Damping = -0.01;
  ASSERT_TRUE(SynthesiseSignal(settings));
  EXPECT_NEAR(std::hypot(Channel1[100], Channel2[100]), std::exp(-1.0), 1e-12);
}

TEST_F(SignalSynthesisTest, ChirpPhaseAdvancesAsTheLinearSweep) {
  GeneratorSettings settings;
  settings.Mode = GeneratorMode::kLineFrequencyModulation;
  settings.Components = {GeneratorComponent{1.0, 0.1, 0.2, 0.3, 0.0}};
  ASSERT_TRUE(SynthesiseSignal(settings));
  // Unwrap the phase sample by sample: each step is below pi since f < 0.5.
  double unwrapped = std::atan2(Channel2[0], Channel1[0]);
  EXPECT_NEAR(unwrapped, 0.3, 1e-12);
  for (int n = 1; n < 1000; ++n) {
    double step = std::atan2(Channel2[n], Channel1[n]) - std::atan2(Channel2[n - 1], Channel1[n - 1]);
    if (step < 0) step += 2 * kPi;
    unwrapped += step;
  }
  const double expected = 2 * kPi * (999 * 0.1 + 0.1 * 999.0 * 999.0 / 2000.0) + 0.3;
  EXPECT_NEAR(unwrapped, expected, 1e-8);
}

TEST_F(SignalSynthesisTest, NoiseTakesTwoDeviatesPerSampleInOrder) {
  GeneratorSettings settings;
  settings.Samples = 50;
  settings.Noise = 2.0;
  SetRandomSeed(777);
  ASSERT_TRUE(SynthesiseSignal(settings));
  SetRandomSeed(777);
  for (int n = 0; n < 50; ++n) {
    ASSERT_EQ(Channel1[n], RandomGaussian(0.0, 2.0)) << n;
    ASSERT_EQ(Channel2[n], RandomGaussian(0.0, 2.0)) << n;
  }
}

TEST_F(SignalSynthesisTest, RefusalsLeaveTheStoreUntouched) {
  ASSERT_TRUE(SynthesiseSignal(OneDefaultRow(true)));
  const double before = Channel1[7];

  GeneratorSettings tooShort = OneDefaultRow(true);
  for (std::int32_t samples : {1, 0, -5}) {
    tooShort.Samples = samples;
    try {
      SynthesiseSignal(tooShort);
      FAIL() << "no refusal for " << samples;
    } catch (const VorentaError& error) {
      EXPECT_STREQ(error.what(), kTooFewSamplesMessage);
    }
  }
  GeneratorSettings steep = OneDefaultRow(true);
  steep.Components[0].Damping = 1.0;  // e^999 overflows
  EXPECT_THROW(SynthesiseSignal(steep), VorentaError);
  GeneratorSettings vanishingButSteep = steep;
  vanishingButSteep.Components[0].Amplitude = 0.0;  // 0 * inf
  EXPECT_THROW(SynthesiseSignal(vanishingButSteep), VorentaError);

  EXPECT_EQ(Channel1.Count(), 1000);
  EXPECT_EQ(Channel1[7], before);
  EXPECT_EQ(SignalLength, 1000u);
}

TEST(GeneratorRowTest, ReadsTheCellsOfEitherMode) {
  const GeneratorComponent exponential =
      ReadGeneratorRow(GeneratorMode::kSumOfExponentials, {"2", "0.25abc", "x", "-0.5"});
  EXPECT_EQ(exponential.Amplitude, 2.0);
  EXPECT_EQ(exponential.Frequency, 0.25);
  EXPECT_EQ(exponential.Phase, 0.0);
  EXPECT_EQ(exponential.Damping, -0.5);
  const GeneratorComponent chirp = ReadGeneratorRow(GeneratorMode::kLineFrequencyModulation, {"1", "0.1", "0.2", "3"});
  EXPECT_EQ(chirp.Frequency2, 0.2);
  EXPECT_EQ(chirp.Phase, 3.0);
  EXPECT_EQ(chirp.Damping, 0.0);
}

}  // namespace
}  // namespace vorenta
