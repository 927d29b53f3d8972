#pragma once
// FftPass and FftLastPass compiled for AVX2 with FMA, four lanes per vector.
// Call only when the processor has both (FftPass checks).

namespace vorenta {

void FftPassAvx2(int radix, double* re, double* im, int n, int span);
void FftLastPassAvx2(int radix, double* re, double* im, int n, double scale);

}  // namespace vorenta
