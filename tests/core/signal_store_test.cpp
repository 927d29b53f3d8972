#include "core/signal_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "core/error.h"
#include "tests/core/import_test_support.h"

namespace vorenta {
namespace {

SignalClass ChannelOf(const std::vector<double>& values) {
  SignalClass channel(static_cast<std::int32_t>(values.size()));
  for (std::size_t i = 0; i < values.size(); ++i) channel.Set(static_cast<std::int32_t>(i), values[i]);
  return channel;
}

std::vector<double> ValuesOf(const SignalClass& channel) {
  return {channel.Values().begin(), channel.Values().end()};
}

TimeClass TimeBaseOf(const std::vector<double>& stamps) {
  TimeClass base;
  base.Resize(static_cast<std::int32_t>(stamps.size()));
  for (std::size_t i = 0; i < stamps.size(); ++i) base.Set(static_cast<std::int32_t>(i), stamps[i]);
  base.UpdateStep();
  return base;
}

TEST(SignalClassTest, ReadsOutsideGiveZeroAndWritesOutsideAreIgnored) {
  SignalClass channel = ChannelOf({1.0, 2.0, 3.0});
  channel.ClearModified();
  EXPECT_EQ(channel[-1], 0.0);
  EXPECT_EQ(channel[3], 0.0);
  channel.Set(-1, 9.0);
  channel.Set(3, 9.0);
  EXPECT_FALSE(channel.Modified());
  EXPECT_EQ(ValuesOf(channel), (std::vector<double>{1.0, 2.0, 3.0}));
  channel.Set(1, 5.0);
  EXPECT_TRUE(channel.Modified());
  EXPECT_EQ(channel[1], 5.0);
}

TEST(SignalClassTest, ResizeKeepsValuesAndAppendsZeros) {
  SignalClass channel = ChannelOf({1.0, 2.0, 3.0});
  channel.ClearModified();
  EXPECT_TRUE(channel.Resize(3));
  EXPECT_FALSE(channel.Modified());
  EXPECT_TRUE(channel.Resize(5));
  EXPECT_TRUE(channel.Modified());
  EXPECT_EQ(ValuesOf(channel), (std::vector<double>{1.0, 2.0, 3.0, 0.0, 0.0}));
  EXPECT_TRUE(channel.Resize(2));
  EXPECT_EQ(ValuesOf(channel), (std::vector<double>{1.0, 2.0}));
  EXPECT_TRUE(channel.Resize(0));
  EXPECT_EQ(channel.Count(), 0);
  EXPECT_TRUE(channel.Values().empty());
}

TEST(SignalClassTest, CopyAndAssignmentCopyValuesAndState) {
  SignalClass full = ChannelOf({1.0, 2.0});
  SignalClass copy(full);
  copy.Set(0, 7.0);
  EXPECT_EQ(full[0], 1.0);
  EXPECT_TRUE(copy.Modified());

  SignalClass sameCount = ChannelOf({5.0, 6.0});
  sameCount = full;
  EXPECT_EQ(ValuesOf(sameCount), (std::vector<double>{1.0, 2.0}));

  SignalClass longer = ChannelOf({5.0, 6.0, 7.0});
  longer = full;
  EXPECT_EQ(ValuesOf(longer), (std::vector<double>{1.0, 2.0}));

  full = SignalClass();
  EXPECT_EQ(full.Count(), 0);
  EXPECT_EQ(full[0], 0.0);
}

// Allocation failure is provoked by a small address-space limit, inside a
// child process so the limit stays there. The sanitizers need a large
// address space of their own, so the case is skipped under them.
#if defined(__SANITIZE_ADDRESS__)
#define VORENTA_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORENTA_UNDER_ADDRESS_SANITIZER 1
#endif
#endif

// Child process: exits 0 when a huge Resize under a 1 GiB address-space limit
// fails as specified.
template <typename Series>
[[noreturn]] void ResizeUnderAddressLimit() {
  std::vector<std::string> shown;
  SetMessageSink([&shown](const std::string& m) { shown.push_back(m); });
  Series series(3);
  const rlimit limit{1u << 30, 1u << 30};
  setrlimit(RLIMIT_AS, &limit);
  const bool resized = series.Resize(std::numeric_limits<std::int32_t>::max());
  const bool asSpecified = !resized && series.Count() == 0 && shown.size() == 1 && shown[0] == "Недостаточно памяти";
  std::exit(asSpecified ? 0 : 1);
}

template <typename Series>
void ExpectResizeFailureLeavesEmpty() {
#ifdef VORENTA_UNDER_ADDRESS_SANITIZER
  GTEST_SKIP() << "address-space limit conflicts with the sanitizer";
#else
  EXPECT_EXIT(ResizeUnderAddressLimit<Series>(), ::testing::ExitedWithCode(0), "");
#endif
}

TEST(SignalClassTest, FailedAllocationShowsMessageAndLeavesChannelEmpty) {
  ExpectResizeFailureLeavesEmpty<SignalClass>();
}

TEST(TimeClassTest, FailedAllocationShowsMessageAndLeavesBaseEmpty) { ExpectResizeFailureLeavesEmpty<TimeClass>(); }

TEST(TimeClassTest, FreshBaseSpansUnitInterval) {
  TimeClass base(4);
  EXPECT_EQ(base.TimeStep(), 0.25);
  EXPECT_EQ(base[0], 0.0);
  EXPECT_EQ(base[1], 0.25);
  EXPECT_EQ(base[2], 0.5);
  EXPECT_EQ(base[3], 0.75);
  EXPECT_EQ(TimeClass(0).TimeStep(), 0.0);
}

TEST(TimeClassTest, ReadsOutsideExtrapolateWithTimeStep) {
  TimeClass base = TimeBaseOf({10.0, 11.0, 12.0});
  ASSERT_EQ(base.TimeStep(), 1.0);
  EXPECT_EQ(base[3 + 4], 17.0);
  EXPECT_EQ(base[-2], 8.0);
  base.Set(5, 99.0);
  EXPECT_EQ(base[5], 15.0);
}

TEST(TimeClassTest, ResizeFromEmptyGivesZerosWithoutStep) {
  TimeClass base;
  EXPECT_TRUE(base.Resize(3));
  EXPECT_EQ(base.TimeStep(), 0.0);
  EXPECT_EQ(base[2], 0.0);
  EXPECT_TRUE(base.Modified());
}

struct StepCase {
  std::vector<double> stamps;
  double step;
};

class UpdateStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(UpdateStepTest, ChoosesTypicalSmallestIntervalOrMean) {
  EXPECT_DOUBLE_EQ(TimeBaseOf(GetParam().stamps).TimeStep(), GetParam().step);
}

std::vector<double> Ramp(int n, double step) {
  std::vector<double> stamps(n);
  for (int i = 0; i < n; ++i) stamps[i] = i * step;
  return stamps;
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdateStepTest,
                         ::testing::Values(StepCase{Ramp(100, 1.0), 1.0},
                                           // intervals 2, 2, 1, 2: the smallest is not typical
                                           StepCase{{0, 2, 4, 5, 7}, 1.75},
                                           // the block means of a decimation by 3
                                           StepCase{{1, 4, 7}, 3.0},
                                           // one short interval among many equal ones
                                           StepCase{{0, 1, 2, 3, 4, 5, 5.5}, 5.5 / 6},
                                           StepCase{Ramp(10, 0.1), 0.1}));

TEST(UpdateStepTest, FewerThanTwoStampsKeepStep) {
  TimeClass base(1);
  base.UpdateStep();
  EXPECT_EQ(base.TimeStep(), 1.0);
}

class StoreRangesTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSignalStore(); }
  void TearDown() override { ResetSignalStore(); }

  static void Load(const std::vector<double>& re, const std::vector<double>& im) {
    Channel1 = ChannelOf(re);
    Channel2 = ChannelOf(im);
    SignalLength = static_cast<std::uint32_t>(re.size());
    CropStart = SelectionStart = 0;
    CropEnd = SelectionEnd = static_cast<std::int32_t>(re.size()) - 1;
  }
};

TEST_F(StoreRangesTest, SelectOrdersAndClampsIntoCrop) {
  Load(std::vector<double>(500, 0.0), std::vector<double>(500, 0.0));
  Select(900, 100);
  EXPECT_EQ(SelectionStart, 100);
  EXPECT_EQ(SelectionEnd, 499);
  Select(-5, 20);
  EXPECT_EQ(SelectionStart, 0);
  EXPECT_EQ(SelectionEnd, 20);
  SelectAll();
  EXPECT_EQ(SelectionStart, 0);
  EXPECT_EQ(SelectionEnd, 499);
}

TEST_F(StoreRangesTest, CropRemovesMeanOfCroppedSamplesOnly) {
  Load({1, 2, 3, 10}, {4, 4, 7, 1});
  Select(0, 2);
  ASSERT_TRUE(Crop());
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{-1, 0, 1, 10}));
  EXPECT_EQ(ValuesOf(Channel2), (std::vector<double>{-1, -1, 2, 1}));
  EXPECT_EQ(CropStart, 0);
  EXPECT_EQ(CropEnd, 2);
  EXPECT_EQ(Channel1.Count(), 4);
}

TEST_F(StoreRangesTest, CropWithoutDcRemovalKeepsValues) {
  Load({1, 2, 3, 10}, {0, 0, 0, 0});
  RemoveDcOffset = false;
  Select(1, 3);
  ASSERT_TRUE(Crop());
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{1, 2, 3, 10}));
  SelectAll();
  EXPECT_EQ(SelectionStart, 1);
  EXPECT_EQ(SelectionEnd, 3);
}

TEST_F(StoreRangesTest, CropOfEmptySelectionChangesNothing) {
  Load({1, 2, 3, 10}, {0, 0, 0, 0});
  Select(1, 2);
  Crop();
  Select(3, 3);  // outside the crop range: 3 .. 2
  ASSERT_LT(SelectionEnd, SelectionStart);
  EXPECT_FALSE(Crop());
  EXPECT_EQ(CropStart, 1);
  EXPECT_EQ(CropEnd, 2);
}

TEST_F(StoreRangesTest, CropThatWouldOverflowThrowsAndChangesNothing) {
  const double huge = 1.5e308;
  Load({huge, huge, -huge}, {0, 0, 0});
  EXPECT_THROW(Crop(), VorentaError);
  EXPECT_EQ(ValuesOf(Channel1), (std::vector<double>{huge, huge, -huge}));
  EXPECT_EQ(CropEnd, 2);
}

TEST_F(StoreRangesTest, ResetRestoresStartUpState) {
  Load({1, 2}, {3, 4});
  Decimation = 7;
  RemoveDcOffset = false;
  SampleBuffer[9999].re = 1.0;
  ResetSignalStore();
  EXPECT_EQ(Channel1.Count(), 0);
  EXPECT_EQ(TimeBase.TimeStep(), 0.0);
  EXPECT_EQ(SignalStore.RangeEnd, -1);
  EXPECT_EQ(Decimation, 1);
  EXPECT_TRUE(RemoveDcOffset);
  EXPECT_FALSE(AnalyticTransform);
  EXPECT_EQ(SampleBuffer[9999].re, 0.0);
  EXPECT_EQ(&Channel1, &SignalStore.Channel1);
}

}  // namespace
}  // namespace vorenta
