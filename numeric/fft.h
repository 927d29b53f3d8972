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

// Factor lists of one length, each terminated by a 0 entry.
struct FftFactors {
  int passes[kFftFactorSlots];       // radices of the butterfly passes, in order (1 = merged away)
  int permutation[kFftFactorSlots];  // square factors, square-free product, square factors reversed
  int squareProduct;                 // product of the square factors, each counted once
  int squareFree[kFftFactorSlots];   // square-free primes; emptied when fewer than two
};

// Factors n. failure: 0 success, 1 a prime factor above largestPrime, 2 more
// than 20 prime factors with multiplicity. n < 2 is not tested here.
void FftFactorise(int n, int largestPrime, int largestPowerOfTwo, FftFactors& factors, int& failure);

// The transform above. failure: 0 success; 1 a prime factor above 19; 2 more
// than 20 prime factors; 3 n < 2. On failure re and im are left untouched.
void ComplexFft(double* re, double* im, int n, int& failure);

// The smallest length >= n (and >= 2) that ComplexFft accepts.
int NextFftLength(int n);

}  // namespace vorenta
