#include "spectrum/fit_buffers.h"

#include <gtest/gtest.h>

#include <complex>
#include <vector>

#include "core/signal_store.h"
#include "spectrum_test_signals.h"

namespace vorenta {
namespace {

TEST(FitBuffers, SelectionIsCutToTheBufferLength) {
  std::vector<std::complex<double>> x(12000);
  for (int n = 0; n < 12000; ++n) x[n] = {static_cast<double>(n), -static_cast<double>(n)};
  test::LoadSignal(x);
  EXPECT_EQ(LoadFitBuffersFromSelection(100, 11999), kFitBufferLength);
  EXPECT_EQ(FitLength, kFitBufferLength);
  EXPECT_EQ(FitBufferRe[0], 100.0);
  EXPECT_EQ(FitBufferIm[kFitBufferLength - 1], -10099.0);
  EXPECT_EQ(LoadFitBuffersFromSelection(5, 4), 0);
}

TEST(FitBuffers, ReadersNeverIndexPastTheBuffersWhateverFitLengthSays) {
  for (const auto& [stored, usable] : {std::pair{-5, 0}, std::pair{20000, kFitBufferLength}, std::pair{17, 17}}) {
    FitLength = stored;
    EXPECT_EQ(FitSampleCount(), usable);
  }
  const std::vector<double> re(kFitBufferLength + 5, 1.0);
  EXPECT_EQ(LoadFitBuffers(re.data(), re.data(), kFitBufferLength + 5), kFitBufferLength);
}

}  // namespace
}  // namespace vorenta
