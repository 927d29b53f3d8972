#include "numeric/fft_passes.h"

#include "numeric/fft_pass_kernels.h"
#include "numeric/fft_passes_avx2.h"

namespace vorenta {
namespace {

bool HasAvx2() {
#if defined(__x86_64__)
  static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  return has;
#else
  return false;
#endif
}

}  // namespace

void FftPass(int radix, double* re, double* im, int n, int span) {
  if (HasAvx2()) {
    FftPassAvx2(radix, re, im, n, span);
  } else {
    PassWithLanes<Pair>(radix, re, im, n, span);
  }
}

void FftLastPass(int radix, double* re, double* im, int n, double scale) {
  if (HasAvx2()) {
    FftLastPassAvx2(radix, re, im, n, scale);
  } else {
    LastPassWithLanes<Pair>(radix, re, im, n, scale);
  }
}

}  // namespace vorenta
