#pragma once
// The final reordering of the in-place mixed-radix FFT.

#include "numeric/fft.h"

namespace vorenta {

// After the passes of `factors` the element at position
//   p = d_1*(f_2*...*f_L) + ... + d_{L-1}*f_L + d_L
// (f_1 .. f_L the unmerged radices in pass order, which is the permutation
// list with the square-free part expanded) holds frequency
//   k = d_1 + f_1*d_2 + ... + (f_1*...*f_{L-1})*d_L.
// Moves every element to its frequency index in place: first the symmetric
// reversal of the square-factor digits (pairwise swaps), then, with two or
// more square-free factors, the reversal of the square-free digits by
// following the cycles of that permutation. O(n) element moves, no heap: the
// cycle leaders of the square-free part are found with a bitmap on the stack
// (128 KiB) covering square-free parts up to 2^20, which includes every
// length up to 2^20; beyond it the leader test walks the cycle.
void FftRestoreNaturalOrder(double* re, double* im, int n, const FftFactors& factors);

}  // namespace vorenta
