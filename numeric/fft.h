#pragma once
// In-place mixed-radix complex FFT (Singleton's algorithm) of any length
// n >= 2 whose prime factors are all at most 19 and number at most 20.
//
//   z_k = (1/sqrt(n)) * sum_j x_j * exp(-2*pi*i*j*k/n),   j, k = 0 .. n-1
//
// with x_j = re[j] + i*im[j] on entry and z_k = re[k] + i*im[k] on exit. The
// transform is unitary; the inverse is conjugate -> ComplexFft -> conjugate.
// No heap memory: everything happens in the caller's two arrays.

namespace vorenta {

constexpr int kFftLargestPrime = 19;
constexpr int kFftLargestPowerOfTwo = 8;
constexpr int kFftFactorSlots = 21;

// Factor lists of one length, each terminated by a 0 entry. A prime of
// multiplicity m gives floor(m/2) square factors and, for odd m, one
// square-free factor.
struct FftFactors {
  // Radices of the butterfly passes in order: the square factors decreasing,
  // the square-free factors increasing, the square factors increasing, with
  // each run of 2s merged from its left end into groups of up to
  // log2(largestPowerOfTwo) twos; a group's radix sits at its last entry and
  // the emptied entries hold 1 (skipped). 24 -> 1,4,3,2; 16 -> 1,1,8,2.
  int passes[kFftFactorSlots];
  // The square factors in pass order (decreasing), the product of the
  // square-free factors (only when there are any), the square factors
  // increasing: the digit radices of an output position, most significant
  // first. 24 -> 2,6,2; 10000 -> 5,5,2,2,2,2,5,5.
  int permutation[kFftFactorSlots];
  // Product of the square factors, each counted once (its square divides n).
  int squareProduct;
  // The square-free primes increasing; emptied (first entry 0) when fewer than two.
  int squareFree[kFftFactorSlots];
};

// Factors n by trial division with candidates 2 .. largestPrime.
// failure: 0 success; 1 a prime factor above largestPrime; 2 more than 20
// prime factors counted with multiplicity. On failure `factors` is left
// untouched. n < 2 is not tested here (it yields empty lists and success).
// largestPowerOfTwo is 2, 4 or 8 (the callers always pass 19 and 8).
void FftFactorise(int n, int largestPrime, int largestPowerOfTwo, FftFactors& factors, int& failure);

// The transform above. failure: 0 success; 1 a prime factor above 19; 2 more
// than 20 prime factors; 3 n < 2 (tested first). On failure re and im are
// left untouched. Cost O(n * sum of the prime factors).
// Floating-point faults (overflow for inputs near the double limit, invalid
// operations on infinite input) are neither cleared nor tested here: they
// stay in the status flags for the caller's FloatingPointGuard. Quiet NaN
// input raises no flag and spreads over the whole output.
void ComplexFft(double* re, double* im, int n, int& failure);

// The smallest length >= n (and >= 2) that ComplexFft accepts; 0 when no
// such length fits in an int.
int NextFftLength(int n);

}  // namespace vorenta
