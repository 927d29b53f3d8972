#pragma once
// The butterfly passes of the in-place mixed-radix FFT (decimation in
// frequency, twiddles applied after each butterfly). On x86-64 processors
// with AVX2 and FMA the four-lane build of the kernels runs, elsewhere the
// two-lane baseline; both compute the same thing.

namespace vorenta {

// One pass of the given radix over re[0..n-1], im[0..n-1] with span `span`
// (radix * span divides n). For every rotation index m = 0 .. span-1 and
// every group start t = m, m + radix*span, ... < n, the elements at
// t, t+span, ..., t+(radix-1)*span are replaced by their unscaled length-radix
// DFT (negative exponent), output q multiplied by exp(-2*pi*i*q*m/(radix*span)).
// Radix 4 and 8 store their outputs in bit-reversed order inside the group
// (radix 4: outputs 0, 2, 1, 3 at offsets 0, s, 2s, 3s), which makes them
// equal to two or three radix-2 passes; all other radices store in natural
// order. radix must be 2, 3, 4, 5, 8 or an odd prime up to 19. The twiddles
// come from cos/sin of the runtime, one evaluation per pair m, span-m.
void FftPass(int radix, double* re, double* im, int n, int span);

// The same pass for span 1 (the last one, rotation index 0 only, so without
// twiddles), with every output multiplied by `scale`.
void FftLastPass(int radix, double* re, double* im, int n, double scale);

}  // namespace vorenta
