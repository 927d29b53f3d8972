#include "core/analytic_transform.h"

#include <memory>
#include <new>

#include "core/error.h"
#include "core/message_sink.h"
#include "core/messages.h"
#include "numeric/fft.h"
#include "numeric/fp_guard.h"

namespace vorenta {
namespace {

// Turns the spectrum (re, im) of a real signal of length n into the
// conjugate of its analytic spectrum mirrored onto the negative-frequency
// bins, so that one more forward transform yields the analytic signal: a
// forward transform of conj(Z) placed at bin n-k equals the inverse
// transform of Z placed at k.
void MirrorAnalyticSpectrum(double* re, double* im, int n) {
  const int half = n / 2;
  // Positive frequencies 1 .. (n-1)/2 are dropped; their doubled conjugates
  // already sit in the mirrored negative-frequency bins.
  for (int k = 1; k <= (n - 1) / 2; ++k) re[k] = im[k] = 0.0;
  for (int k = half + 1; k < n; ++k) {
    re[k] *= 2.0;
    im[k] *= -2.0;
  }
  // The Nyquist bin of an even length is its own mirror: kept once.
  if (n % 2 == 0) im[half] = -im[half];
}

}  // namespace

bool ApplyAnalyticTransform(AnalyticSignalClass& signal, ReaderDatas& columns) {
  const std::int32_t count = signal.Channel1.Count();
  if (count == 0) return true;
  const bool signalInSecond = columns.Column1 == 0 && columns.Column2 != 0;
  const SignalClass& source = signalInSecond ? signal.Channel2 : signal.Channel1;
  // No accepted length >= count exists only for counts near INT_MAX, whose
  // work arrays could not be held anyway.
  const int n = NextFftLength(count);
  std::unique_ptr<double[]> re;
  std::unique_ptr<double[]> im;
  try {
    if (n > 0) {
      re = std::make_unique<double[]>(static_cast<std::size_t>(n));
      im = std::make_unique<double[]>(static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    re.reset();
  }
  if (!re || !im) {
    ShowMessage(kOutOfMemoryMessage);
    return false;
  }
  for (std::int32_t j = 0; j < count; ++j) re[j] = source[j];

  FloatingPointGuard guard;
  int failure = 0;
  ComplexFft(re.get(), im.get(), n, failure);
  if (failure == 0) {
    MirrorAnalyticSpectrum(re.get(), im.get(), n);
    ComplexFft(re.get(), im.get(), n, failure);
  }
  // NextFftLength only gives lengths the transform accepts; a failure code
  // here could only come from a broken invariant, reported like an overflow.
  if (failure != 0 || guard.Faulted()) throw VorentaError(kOverflowMessage);

  for (std::int32_t k = 0; k < count; ++k) {
    signal.Channel1.Set(k, re[k]);
    signal.Channel2.Set(k, im[k]);
  }
  if (columns.Column1 == 0) columns.SetColumn1(100);
  if (columns.Column2 == 0) columns.SetColumn2(101);
  return true;
}

}  // namespace vorenta
