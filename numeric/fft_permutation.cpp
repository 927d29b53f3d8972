#include "numeric/fft_permutation.h"

#include <utility>

namespace vorenta {
namespace {

constexpr int kMaxSquareFactors = 10;

void SwapElements(double* re, double* im, int first, int second) {
  std::swap(re[first], re[second]);
  std::swap(im[first], im[second]);
}

// Counts through the digit vectors of the square factors. The same vector is
// read two ways: as the upper digits of a position (most significant first,
// radices in pass order) and as the lower digits (least significant first).
class SquareDigitCounter {
 public:
  SquareDigitCounter(const int* radices, int count) : radices_(radices), count_(count) {
    for (int j = 0; j < count; ++j) {
      digits_[j] = 0;
      lowerWeight_[j] = j == 0 ? 1 : lowerWeight_[j - 1] * radices[j - 1];
    }
    for (int j = count - 1; j >= 0; --j) upperWeight_[j] = j == count - 1 ? 1 : upperWeight_[j + 1] * radices[j + 1];
  }

  int Upper() const { return upper_; }
  int Lower() const { return lower_; }

  // Advances to the next vector; false when the count wraps back to zero.
  bool Next() {
    for (int j = count_ - 1; j >= 0; --j) {
      upper_ += upperWeight_[j];
      lower_ += lowerWeight_[j];
      if (++digits_[j] < radices_[j]) return true;
      digits_[j] = 0;
      upper_ -= radices_[j] * upperWeight_[j];
      lower_ -= radices_[j] * lowerWeight_[j];
    }
    return false;
  }

 private:
  const int* radices_;
  int count_;
  int digits_[kMaxSquareFactors];
  int upperWeight_[kMaxSquareFactors];
  int lowerWeight_[kMaxSquareFactors];
  int upper_ = 0;
  int lower_ = 0;
};

// Position = upper * (middle * squares) + middle index * squares + lower.
struct PositionLayout {
  int squares;  // product of the square factors, each once
  int middle;   // product of the square-free factors
  int Index(int upper, int middleIndex, int lower) const { return (upper * middle + middleIndex) * squares + lower; }
};

// Swaps go tile by tile: the leading square digits (largest factors) form a
// tile whose lower-digit value runs contiguously, so each side of a swap reads
// short runs of neighbours instead of single scattered elements.
constexpr int kMinimumTile = 8;
// Radices arrive in decreasing order, so a tile stops below 8 * 7.
constexpr int kMaximumTile = 56;

// Exchanges the upper and lower square-factor digits, each read in reverse:
// element (upper a, lower c) trades places with (upper c, lower a). The
// digits split into the leading ones (tile indices u, v) and the rest (a
// counter); rest pairs are visited with c at or after a in the upper order,
// and for c = a only v > u, so each pair is swapped once.
void ReverseSquareDigits(double* re, double* im, const int* squareRadices, int squareCount, PositionLayout layout) {
  int leading = 0;
  int tile = 1;
  while (leading < squareCount && tile < kMinimumTile) tile *= squareRadices[leading++];
  int restProduct = 1;
  for (int j = leading; j < squareCount; ++j) restProduct *= squareRadices[j];

  // Offset of the upper digits of tile index u (u read least significant first).
  int tileOffset[kMaximumTile];
  const int upperStride = restProduct * layout.middle * layout.squares;
  for (int u = 0; u < tile; ++u) {
    int rest = u, upper = 0;
    for (int j = 0; j < leading; ++j) {
      upper = upper * squareRadices[j] + rest % squareRadices[j];
      rest /= squareRadices[j];
    }
    tileOffset[u] = upper * upperStride;
  }

  SquareDigitCounter a(squareRadices + leading, squareCount - leading);
  do {
    SquareDigitCounter c = a;
    bool sameRest = true;
    do {
      for (int mid = 0; mid < layout.middle; ++mid) {
        const int rowA = layout.Index(a.Upper(), mid, tile * c.Lower());
        const int rowC = layout.Index(c.Upper(), mid, tile * a.Lower());
        for (int u = 0; u < tile; ++u) {
          for (int v = sameRest ? u + 1 : 0; v < tile; ++v) {
            SwapElements(re, im, rowA + tileOffset[u] + v, rowC + tileOffset[v] + u);
          }
        }
      }
      sameRest = false;
    } while (c.Next());
  } while (a.Next());
}

// Where the square-free digits of `index` (most significant first, radices
// `primes` in increasing order) land when read least significant first.
int ReversedSquareFreeIndex(int index, const int* primes, int count) {
  int digits[kFftFactorSlots];
  for (int j = count - 1; j >= 0; --j) {
    digits[j] = index % primes[j];
    index /= primes[j];
  }
  int reversed = 0;
  for (int j = count - 1; j >= 0; --j) reversed = reversed * primes[j] + digits[j];
  return reversed;
}

void SwapMiddleRows(double* re, double* im, PositionLayout layout, int first, int second) {
  for (int upper = 0; upper < layout.squares; ++upper) {
    const int a = layout.Index(upper, first, 0);
    const int b = layout.Index(upper, second, 0);
    for (int lower = 0; lower < layout.squares; ++lower) SwapElements(re, im, a + lower, b + lower);
  }
}

// Follows each cycle of the square-free digit reversal once, from its smallest member.
void ReverseSquareFreeDigits(double* re, double* im, const int* primes, int count, PositionLayout layout) {
  for (int start = 1; start < layout.middle; ++start) {
    int next = ReversedSquareFreeIndex(start, primes, count);
    while (next > start) next = ReversedSquareFreeIndex(next, primes, count);
    if (next < start) continue;
    for (next = ReversedSquareFreeIndex(start, primes, count); next != start;
         next = ReversedSquareFreeIndex(next, primes, count)) {
      SwapMiddleRows(re, im, layout, start, next);
    }
  }
}

int ListLength(const int* list) {
  int length = 0;
  while (list[length] != 0) ++length;
  return length;
}

}  // namespace

void FftRestoreNaturalOrder(double* re, double* im, int n, const FftFactors& factors) {
  const int squareCount = ListLength(factors.permutation) / 2;
  const PositionLayout layout{factors.squareProduct, n / (factors.squareProduct * factors.squareProduct)};
  if (squareCount > 0) ReverseSquareDigits(re, im, factors.permutation, squareCount, layout);
  const int squareFreeCount = ListLength(factors.squareFree);
  if (squareFreeCount >= 2) ReverseSquareFreeDigits(re, im, factors.squareFree, squareFreeCount, layout);
}

}  // namespace vorenta
