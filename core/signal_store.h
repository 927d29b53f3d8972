#pragma once
// The one signal the application works on: two channels of samples (real and
// imaginary part), a time stamp per sample, and the index ranges the user has
// chosen on it. Import and the generator replace it; the views and every
// estimator read it.
//
// Reads outside the stored samples are normal and relied upon (zero extension
// of transforms, moving averages, the signal view): a channel reads 0 there and
// the time base extrapolates linearly with its TimeStep. Writes outside are
// ignored. All of it lives on the user-interface thread; nothing is locked.

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace vorenta {

// A complex sample: real part, then imaginary part.
struct ComplexSample {
  double re = 0.0;
  double im = 0.0;
};

namespace detail {
// Sample arrays come from the C allocator: calloc hands out large zeroed
// arrays without touching them, and Resize reallocates in place when it can.
struct FreeSampleArray {
  void operator()(double* array) const noexcept;
};
using SampleArray = std::unique_ptr<double[], FreeSampleArray>;
}  // namespace detail

// One channel of samples, owning its array.
//
// Every allocation that fails shows "Недостаточно памяти"
// through ShowMessage and leaves the channel empty (count 0).
class SignalClass {
 public:
  SignalClass() = default;
  // n <= 0 gives an empty channel; otherwise n zeros.
  explicit SignalClass(std::int32_t n);
  // Copies count, values, last index and modified.
  SignalClass(const SignalClass& other);
  // Copies values, last index and modified; reuses the own array when the
  // counts are equal.
  SignalClass& operator=(const SignalClass& other);
  // Moves take the array over without copying; the source is left empty.
  SignalClass(SignalClass&& other) noexcept;
  SignalClass& operator=(SignalClass&& other) noexcept;
  ~SignalClass() = default;

  // Changes the count to n, keeping the first min(count, n) values and
  // appending zeros. Same count: true, nothing changes. n <= 0 releases the
  // array. Sets modified. Allocation failure: "Недостаточно памяти" shown,
  // channel left empty, false.
  bool Resize(std::int32_t n);

  // The sample at i when 0 <= i < Count(), otherwise 0.0.
  double operator[](std::int32_t i) const {
    lastIndex_ = i;
    return (i >= 0 && i < count_) ? values_[i] : 0.0;
  }
  // Stores v at i when 0 <= i < Count() and sets modified; ignored otherwise.
  void Set(std::int32_t i, double v) {
    lastIndex_ = i;
    if (i >= 0 && i < count_) {
      values_[i] = v;
      modified_ = true;
    }
  }

  std::int32_t Count() const { return count_; }
  // The stored samples, contiguous, Count() of them (empty span when empty).
  std::span<const double> Values() const { return {values_.get(), static_cast<std::size_t>(count_)}; }
  // Index of the most recent element access (read or write), in range or not.
  std::int32_t LastIndex() const { return lastIndex_; }
  // Set by every in-range write and by Resize; cleared only by ClearModified.
  bool Modified() const { return modified_; }
  void ClearModified() { modified_ = false; }

 private:
  detail::SampleArray values_;
  std::int32_t count_ = 0;
  mutable std::int32_t lastIndex_ = 0;
  bool modified_ = false;
};

// The time base: one stamp per sample (a sample number in all data the
// application produces, non-decreasing) and a representative step.
//
// Allocation failures behave as for SignalClass.
class TimeClass {
 public:
  TimeClass() = default;
  // n <= 0: empty, TimeStep 0. Otherwise stamps i/n, i = 0 .. n-1, and
  // TimeStep 1/n (a default base spanning [0, 1)).
  explicit TimeClass(std::int32_t n);
  TimeClass(const TimeClass& other);
  TimeClass& operator=(const TimeClass& other);
  TimeClass(TimeClass&& other) noexcept;
  TimeClass& operator=(TimeClass&& other) noexcept;
  ~TimeClass() = default;

  // Changes the count to n. Same count: true, nothing changes. Otherwise
  // TimeStep := 0 and modified is set; n <= 0 releases the array. From an
  // empty base: n zero stamps (TimeStep stays 0). From a non-empty base: the
  // first min(count, n) stamps are kept, stamps added by growing are
  // unspecified (callers rewrite them), and UpdateStep runs over all n.
  // Allocation failure: "Недостаточно памяти" shown, base left empty, false.
  bool Resize(std::int32_t n);

  // Re-estimates TimeStep: the smallest interval between neighbours when more
  // than Count()/2 intervals equal it (within a relative 1e-14), otherwise
  // the mean interval (last - first) / (Count() - 1). With fewer than two
  // stamps TimeStep is left unchanged.
  void UpdateStep();

  // Stamp i; outside the stored range linear extrapolation with TimeStep:
  //   i < 0:       i * TimeStep + stamp[0]
  //   i >= Count:  (i - Count + 1) * TimeStep + stamp[Count-1]
  // An empty base reads i * TimeStep.
  double operator[](std::int32_t i) const {
    lastIndex_ = i;
    if (i >= 0 && i < count_) return stamps_[i];
    if (count_ == 0) return i * timeStep_;
    if (i < 0) return i * timeStep_ + stamps_[0];
    return (static_cast<double>(i) - count_ + 1) * timeStep_ + stamps_[count_ - 1];
  }
  // Stores t at i when 0 <= i < Count() and sets modified; ignored otherwise.
  void Set(std::int32_t i, double t) {
    lastIndex_ = i;
    if (i >= 0 && i < count_) {
      stamps_[i] = t;
      modified_ = true;
    }
  }

  std::int32_t Count() const { return count_; }
  double TimeStep() const { return timeStep_; }
  std::span<const double> Values() const { return {stamps_.get(), static_cast<std::size_t>(count_)}; }
  std::int32_t LastIndex() const { return lastIndex_; }
  bool Modified() const { return modified_; }
  void ClearModified() { modified_ = false; }

 private:
  detail::SampleArray stamps_;
  double timeStep_ = 0.0;
  std::int32_t count_ = 0;
  mutable std::int32_t lastIndex_ = 0;
  bool modified_ = false;
};

// The aggregate: both channels, the time base and the analysis range of the
// time-frequency run (RangeStart .. RangeEnd, empty when RangeEnd < RangeStart).
// Copies and moves go member by member.
class AnalyticSignalClass {
 public:
  SignalClass Channel1;
  SignalClass Channel2;
  TimeClass TimeBase;
  std::int32_t RangeStart = 0;
  std::int32_t RangeEnd = -1;
};

// Number of samples SampleBuffer holds; estimators stage at most this many.
constexpr std::int32_t kSampleBufferLength = 10000;

// ---- The process-wide store -------------------------------------------------

extern AnalyticSignalClass SignalStore;
extern SignalClass& Channel1;  // SignalStore.Channel1: real part / first data column
extern SignalClass& Channel2;  // SignalStore.Channel2: imaginary part / second column
extern TimeClass& TimeBase;    // SignalStore.TimeBase

// Staging array of the spectrum runs (selection in, model and forecast out).
extern std::array<ComplexSample, kSampleBufferLength> SampleBuffer;

// Samples of the current signal; equals the count of all three members after
// an import or a generation.
extern std::uint32_t SignalLength;
// The cropped range: 0 .. SignalLength-1 after an import or a generation.
extern std::int32_t CropStart;
extern std::int32_t CropEnd;
// The selection every estimator works on; SelectionEnd < SelectionStart is an
// empty range (Select does not order a selection that falls outside the crop).
extern std::int32_t SelectionStart;
extern std::int32_t SelectionEnd;
// Which channels hold data of the current signal ("Save" writes exactly these).
extern bool Channel1Present;
extern bool Channel2Present;
// Import settings, kept from one import to the next (initially 1, true, false).
extern std::uint16_t Decimation;
extern bool RemoveDcOffset;
extern bool AnalyticTransform;

// ---- Range operations ---------------------------------------------------------

// The "Select" button: exchanges s and e when e < s, then
// SelectionStart := max(s, CropStart), SelectionEnd := min(e, CropEnd).
void Select(std::int32_t s, std::int32_t e);

// The "Select all" button: the selection becomes the crop range.
void SelectAll();

// The "Crop" button: the crop range becomes the selection; when RemoveDcOffset
// is set, RemoveChannelMeans runs over the new crop range. An empty selection
// (SelectionEnd < SelectionStart) changes nothing and returns false;
// otherwise true. The sample arrays are never shortened. Throws VorentaError
// (nothing changed) when a difference overflows.
bool Crop();

// Subtracts from samples first .. last of each channel of `signal` that
// channel's mean over the same samples (sum / (last - first + 1), summed in
// long double); samples outside keep their values. Throws VorentaError with
// the overflow message, before changing anything, when a difference would not
// fit in a double. Does nothing when last < first.
void RemoveChannelMeans(AnalyticSignalClass& signal, std::int32_t first, std::int32_t last);

// Puts every global of the store back to its start-up value (empty channels,
// ranges 0, SampleBuffer zeros, Decimation 1, RemoveDcOffset true, ...).
void ResetSignalStore();

}  // namespace vorenta
