#include "numeric/fft.h"

#include <cmath>
#include <limits>

#include "numeric/failure.h"
#include "numeric/fft_passes.h"
#include "numeric/fft_permutation.h"

namespace vorenta {
namespace {

constexpr char kKernelName[] = " C06ECF ";
constexpr int kMaxPrimeFactors = 20;

enum FftError { kPrimeTooLarge = 1, kTooManyFactors = 2, kLengthTooShort = 3 };

// Writes `count` entries and the terminating 0.
void StoreList(int* list, const int* values, int count) {
  for (int j = 0; j < count; ++j) list[j] = values[j];
  list[count] = 0;
}

// Replaces each run of 2s, from its left end, by groups of up to `groupSize`
// twos; the group's radix 2^size goes to its last entry, the others become 1.
void MergePowersOfTwo(int* passes, int count, int groupSize) {
  for (int j = 0; j < count;) {
    if (passes[j] != 2) {
      ++j;
      continue;
    }
    int size = 0;
    while (size < groupSize && j + size < count && passes[j + size] == 2) ++size;
    for (int k = 0; k < size - 1; ++k) passes[j + k] = 1;
    passes[j + size - 1] = 1 << size;
    j += size;
  }
}

int TwosInPower(int power) {
  int twos = 0;
  while (power > 1) {
    power /= 2;
    ++twos;
  }
  return twos;
}

}  // namespace

void FftFactorise(int n, int largestPrime, int largestPowerOfTwo, FftFactors& factors, int& failure) {
  int squares[kMaxPrimeFactors / 2];
  int squareFree[kMaxPrimeFactors];
  int squareCount = 0;
  int squareFreeCount = 0;
  int squareProduct = 1;
  int rest = n;
  int candidate = 2;
  while (rest > 1) {
    while (rest % candidate != 0) {
      if (++candidate > largestPrime) {
        failure = ReportFailure(failure, kPrimeTooLarge, kKernelName);
        return;
      }
    }
    const int cofactor = rest / candidate;
    const bool square = cofactor % candidate == 0;
    // A square factor records two primes at once; the fixed lists hold 20.
    const int recorded = 2 * squareCount + squareFreeCount;
    if (recorded + (square ? 2 : 1) > kMaxPrimeFactors) {
      failure = ReportFailure(failure, kTooManyFactors, kKernelName);
      return;
    }
    if (square) {
      squares[squareCount++] = candidate;
      squareProduct *= candidate;
      rest = cofactor / candidate;
    } else {
      squareFree[squareFreeCount++] = candidate;
      rest = cofactor;
    }
  }

  // squares[] ascends, as found.
  int passes[kFftFactorSlots];
  int permutation[kFftFactorSlots];
  int passCount = 0;
  int permutationCount = 0;
  for (int j = squareCount - 1; j >= 0; --j) passes[passCount++] = permutation[permutationCount++] = squares[j];
  int squareFreeProduct = 1;
  for (int j = 0; j < squareFreeCount; ++j) {
    passes[passCount++] = squareFree[j];
    squareFreeProduct *= squareFree[j];
  }
  if (squareFreeCount > 0) permutation[permutationCount++] = squareFreeProduct;
  for (int j = 0; j < squareCount; ++j) passes[passCount++] = permutation[permutationCount++] = squares[j];
  MergePowersOfTwo(passes, passCount, TwosInPower(largestPowerOfTwo));

  StoreList(factors.passes, passes, passCount);
  StoreList(factors.permutation, permutation, permutationCount);
  factors.squareProduct = squareProduct;
  StoreList(factors.squareFree, squareFree, squareFreeCount >= 2 ? squareFreeCount : 0);
  failure = 0;
}

void ComplexFft(double* re, double* im, int n, int& failure) {
  if (n < 2) {
    failure = ReportFailure(failure, kLengthTooShort, kKernelName);
    return;
  }
  FftFactors factors;
  FftFactorise(n, kFftLargestPrime, kFftLargestPowerOfTwo, factors, failure);
  if (failure != 0) return;

  // Passes in list order; the last one (span 1) also applies the 1/sqrt(n)
  // scaling, which commutes with the reordering that follows.
  int last = 0;
  while (factors.passes[last + 1] != 0) ++last;
  int span = n;
  for (int j = 0; j < last; ++j) {
    const int radix = factors.passes[j];
    if (radix == 1) continue;
    span /= radix;
    FftPass(radix, re, im, n, span);
  }
  FftLastPass(factors.passes[last], re, im, n, 1.0 / std::sqrt(static_cast<double>(n)));
  FftRestoreNaturalOrder(re, im, n, factors);
}

int NextFftLength(int n) {
  FftFactors factors;
  for (long long length = n < 2 ? 2 : n; length <= std::numeric_limits<int>::max(); ++length) {
    int failure = 0;
    FftFactorise(static_cast<int>(length), kFftLargestPrime, kFftLargestPowerOfTwo, factors, failure);
    if (failure == 0) return static_cast<int>(length);
  }
  return 0;
}

}  // namespace vorenta
