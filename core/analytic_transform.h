#pragma once
// The analytic-signal transform of a one-column import: the real signal x
// becomes x + i·H[x], x in Channel1 and its Hilbert transform H[x] in Channel2,
// so that its spectrum has no negative-frequency image.

#include "core/data_file_reader.h"
#include "core/signal_store.h"

namespace vorenta {

// Transforms all samples of `signal` (the crop range of a fresh import).
// The real signal x is Channel1, or Channel2 when only columns.Column2 was
// read (columns.Column1 == 0); it is zero-padded to n = NextFftLength(count)
// and turned into the discrete analytic signal
//   z = IDFT(Z),  Z_0 = X_0,  Z_k = 2·X_k for 0 < k < n/2,  Z_{n/2} = X_{n/2}
//   (n even),  Z_k = 0 for the negative frequencies n/2 < k < n,
// X = DFT(x); Channel1 := Re z (= x up to rounding), Channel2 := Im z, both
// cut back to the signal's count. Then the empty channel column is marked as
// present: Column1 := 100 if it was 0, Column2 := 101 if it was 0 (through the
// guarded setters).
//
// Failures leave `signal` and `columns` unchanged: false after "Недостаточно
// памяти" (shown through ShowMessage) when the two work arrays of n doubles
// cannot be allocated; VorentaError with kOverflowMessage when the transform
// overflows. An empty signal is left as it is (true).
bool ApplyAnalyticTransform(AnalyticSignalClass& signal, ReaderDatas& columns);

}  // namespace vorenta
