#include "core/signal_store.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "core/error.h"
#include "core/message_sink.h"
#include "core/messages.h"

namespace vorenta {
namespace {

using detail::SampleArray;

constexpr std::size_t BytesOf(std::int32_t n) { return static_cast<std::size_t>(n) * sizeof(double); }

// Large arrays are filled once, sample by sample, right after allocation; on
// Linux huge pages make that a few hundred page faults instead of one per
// 4 KiB. Only a hint: nothing depends on it succeeding.
void PreferHugePages([[maybe_unused]] void* array, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::size_t kWorthIt = std::size_t{4} << 20;
  if (bytes < kWorthIt) return;
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const auto begin = (reinterpret_cast<std::uintptr_t>(array) + page - 1) / page * page;
  const auto end = reinterpret_cast<std::uintptr_t>(array) + bytes;
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

// n > 0 zeros, or nullptr after showing the out-of-memory message.
SampleArray ZerosOrReport(std::int32_t n) {
  SampleArray array(static_cast<double*>(std::calloc(static_cast<std::size_t>(n), sizeof(double))));
  if (!array) {
    ShowMessage(kOutOfMemoryMessage);
    return nullptr;
  }
  PreferHugePages(array.get(), BytesOf(n));
  return array;
}

// A copy of the first `count` values of `source` (nullptr when count is 0 or
// the allocation failed, after the message).
SampleArray CopyOrReport(const double* source, std::int32_t count) {
  if (count <= 0) return nullptr;
  SampleArray copy(static_cast<double*>(std::malloc(BytesOf(count))));
  if (!copy) {
    ShowMessage(kOutOfMemoryMessage);
    return nullptr;
  }
  std::memcpy(copy.get(), source, BytesOf(count));
  return copy;
}

// Grows or shrinks `array` from `oldCount` to `newCount` > 0 elements,
// keeping the first min of both and zeroing the added ones; on failure the
// message is shown and the array released.
bool ReallocateOrReport(SampleArray& array, std::int32_t oldCount, std::int32_t newCount) {
  if (oldCount == 0) {
    array = ZerosOrReport(newCount);
    return static_cast<bool>(array);
  }
  void* grown = std::realloc(array.get(), BytesOf(newCount));
  if (!grown) {
    array.reset();
    ShowMessage(kOutOfMemoryMessage);
    return false;
  }
  (void)array.release();
  array.reset(static_cast<double*>(grown));
  if (newCount > oldCount) std::fill(array.get() + oldCount, array.get() + newCount, 0.0);
  return true;
}

// Mean of samples first .. last (first <= last) of `channel`, in extended
// precision so that the sum of finite doubles cannot overflow.
long double RangeMean(const SignalClass& channel, std::int32_t first, std::int32_t last) {
  long double sum = 0.0L;
  for (std::int32_t i = first; i <= last; ++i) sum += channel[i];
  return sum / (static_cast<long double>(last) - first + 1);
}

bool FitsInDouble(long double value) { return std::fabs(value) <= static_cast<long double>(DBL_MAX); }

}  // namespace

void detail::FreeSampleArray::operator()(double* array) const noexcept { std::free(array); }

// ---- SignalClass --------------------------------------------------------------

SignalClass::SignalClass(std::int32_t n) {
  if (n <= 0) return;
  values_ = ZerosOrReport(n);
  if (values_) count_ = n;
}

SignalClass::SignalClass(const SignalClass& other)
    : values_(CopyOrReport(other.values_.get(), other.count_)),
      count_(values_ ? other.count_ : 0),
      lastIndex_(other.lastIndex_),
      modified_(other.modified_) {}

SignalClass& SignalClass::operator=(const SignalClass& other) {
  if (this == &other) return *this;
  if (count_ != other.count_) {
    values_ = CopyOrReport(other.values_.get(), other.count_);
    count_ = values_ ? other.count_ : 0;
  } else if (count_ > 0) {
    std::copy_n(other.values_.get(), count_, values_.get());
  }
  lastIndex_ = other.lastIndex_;
  modified_ = other.modified_;
  return *this;
}

SignalClass::SignalClass(SignalClass&& other) noexcept
    : values_(std::move(other.values_)),
      count_(std::exchange(other.count_, 0)),
      lastIndex_(other.lastIndex_),
      modified_(other.modified_) {}

SignalClass& SignalClass::operator=(SignalClass&& other) noexcept {
  if (this == &other) return *this;
  values_ = std::move(other.values_);
  count_ = std::exchange(other.count_, 0);
  lastIndex_ = other.lastIndex_;
  modified_ = other.modified_;
  return *this;
}

bool SignalClass::Resize(std::int32_t n) {
  n = std::max<std::int32_t>(n, 0);
  if (n == count_) return true;
  modified_ = true;
  if (n == 0) {
    values_.reset();
    count_ = 0;
    return true;
  }
  if (!ReallocateOrReport(values_, count_, n)) {
    count_ = 0;
    return false;
  }
  count_ = n;
  return true;
}

// ---- TimeClass ----------------------------------------------------------------

TimeClass::TimeClass(std::int32_t n) {
  if (n <= 0) return;
  stamps_ = ZerosOrReport(n);
  if (!stamps_) return;
  for (std::int32_t i = 0; i < n; ++i) stamps_[i] = static_cast<double>(i) / n;
  timeStep_ = 1.0 / n;
  count_ = n;
}

TimeClass::TimeClass(const TimeClass& other)
    : stamps_(CopyOrReport(other.stamps_.get(), other.count_)),
      timeStep_(other.timeStep_),
      count_(stamps_ ? other.count_ : 0),
      lastIndex_(other.lastIndex_),
      modified_(other.modified_) {}

TimeClass& TimeClass::operator=(const TimeClass& other) {
  if (this == &other) return *this;
  if (count_ != other.count_) {
    stamps_ = CopyOrReport(other.stamps_.get(), other.count_);
    count_ = stamps_ ? other.count_ : 0;
  } else if (count_ > 0) {
    std::copy_n(other.stamps_.get(), count_, stamps_.get());
  }
  timeStep_ = other.timeStep_;
  lastIndex_ = other.lastIndex_;
  modified_ = other.modified_;
  return *this;
}

TimeClass::TimeClass(TimeClass&& other) noexcept
    : stamps_(std::move(other.stamps_)),
      timeStep_(other.timeStep_),
      count_(std::exchange(other.count_, 0)),
      lastIndex_(other.lastIndex_),
      modified_(other.modified_) {}

TimeClass& TimeClass::operator=(TimeClass&& other) noexcept {
  if (this == &other) return *this;
  stamps_ = std::move(other.stamps_);
  timeStep_ = other.timeStep_;
  count_ = std::exchange(other.count_, 0);
  lastIndex_ = other.lastIndex_;
  modified_ = other.modified_;
  return *this;
}

bool TimeClass::Resize(std::int32_t n) {
  n = std::max<std::int32_t>(n, 0);
  if (n == count_) return true;
  timeStep_ = 0.0;
  modified_ = true;
  if (n == 0) {
    stamps_.reset();
    count_ = 0;
    return true;
  }
  const bool wasEmpty = count_ == 0;
  // Stamps added by growing are zeros, which keeps the step estimate defined.
  if (!ReallocateOrReport(stamps_, count_, n)) {
    count_ = 0;
    return false;
  }
  count_ = n;
  if (!wasEmpty) UpdateStep();
  return true;
}

void TimeClass::UpdateStep() {
  if (count_ < 2) return;
  double step = stamps_[1] - stamps_[0];
  std::int32_t run = 0;
  for (std::int32_t i = 1; i < count_; ++i) {
    const double d = stamps_[i] - stamps_[i - 1];
    if (d >= step) {
      if (d == step) ++run;
    } else {
      // d < step here, so step / d - 1 > 0 whenever d > 0; a zero or negative d
      // is never "equal" to a larger step.
      const bool nearlyEqual = d > 0.0 && step / d - 1.0 < 1e-14;
      run = nearlyEqual ? run + 1 : 0;
      step = d;
    }
  }
  if (run > count_ / 2) {
    timeStep_ = step;
  } else {
    timeStep_ = (stamps_[count_ - 1] - stamps_[0]) / (count_ - 1);
  }
}

// ---- The globals --------------------------------------------------------------

AnalyticSignalClass SignalStore;
SignalClass& Channel1 = SignalStore.Channel1;
SignalClass& Channel2 = SignalStore.Channel2;
TimeClass& TimeBase = SignalStore.TimeBase;
std::array<ComplexSample, kSampleBufferLength> SampleBuffer{};
std::uint32_t SignalLength = 0;
std::int32_t CropStart = 0;
std::int32_t CropEnd = 0;
std::int32_t SelectionStart = 0;
std::int32_t SelectionEnd = 0;
bool Channel1Present = false;
bool Channel2Present = false;
std::uint16_t Decimation = 1;
bool RemoveDcOffset = true;
bool AnalyticTransform = false;

void Select(std::int32_t s, std::int32_t e) {
  if (e < s) std::swap(s, e);
  SelectionStart = std::max(s, CropStart);
  SelectionEnd = std::min(e, CropEnd);
}

void SelectAll() {
  SelectionStart = CropStart;
  SelectionEnd = CropEnd;
}

bool Crop() {
  if (SelectionEnd < SelectionStart) return false;
  const std::int32_t first = SelectionStart;
  const std::int32_t last = SelectionEnd;
  if (RemoveDcOffset) RemoveChannelMeans(SignalStore, first, last);
  CropStart = first;
  CropEnd = last;
  return true;
}

void RemoveChannelMeans(AnalyticSignalClass& signal, std::int32_t first, std::int32_t last) {
  if (last < first) return;
  SignalClass& re = signal.Channel1;
  SignalClass& im = signal.Channel2;
  const long double meanRe = RangeMean(re, first, last);
  const long double meanIm = RangeMean(im, first, last);
  // Every difference is checked before any is written, so an overflow leaves
  // the signal as it was.
  for (std::int32_t i = first; i <= last; ++i) {
    if (!FitsInDouble(re[i] - meanRe) || !FitsInDouble(im[i] - meanIm)) throw VorentaError(kOverflowMessage);
  }
  for (std::int32_t i = first; i <= last; ++i) {
    re.Set(i, static_cast<double>(re[i] - meanRe));
    im.Set(i, static_cast<double>(im[i] - meanIm));
  }
}

void ResetSignalStore() {
  SignalStore = AnalyticSignalClass{};
  SampleBuffer.fill(ComplexSample{});
  SignalLength = 0;
  CropStart = CropEnd = 0;
  SelectionStart = SelectionEnd = 0;
  Channel1Present = Channel2Present = false;
  Decimation = 1;
  RemoveDcOffset = true;
  AnalyticTransform = false;
}

}  // namespace vorenta
