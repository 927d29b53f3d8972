// The pass kernels once more, for processors with AVX2 and FMA. The standard
// headers come first so that only this file's own functions get the wider
// instruction set.
#include "numeric/fft_passes_avx2.h"

#if defined(__x86_64__)
#include <cmath>
#include <cstring>
#include <numbers>

#pragma GCC target("avx2,fma")

#include "numeric/fft_pass_kernels.h"

namespace vorenta {
namespace {

using Quad = double __attribute__((vector_size(4 * sizeof(double))));

}  // namespace

void FftPassAvx2(int radix, double* re, double* im, int n, int span) { PassWithLanes<Quad>(radix, re, im, n, span); }

void FftLastPassAvx2(int radix, double* re, double* im, int n, double scale) {
  LastPassWithLanes<Pair>(radix, re, im, n, scale);
}

}  // namespace vorenta
#endif
