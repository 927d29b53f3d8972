#include "numeric/fft_permutation.h"

#include <cstdint>
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

// The square-free digit reversal: an index whose digits (most significant
// first) have the radices `primes` in increasing order goes to where those
// digits land when read least significant first. Indices are below the
// product of distinct primes up to 19, 9699690 < 2^24, so each division by a
// radix is a multiplication and a shift, exact for dividends below 2^24
// because 2^29 >= 2^24 * radix (Granlund and Montgomery).
class SquareFreeReversal {
 public:
  SquareFreeReversal(const int* primes, int count) : primes_(primes), count_(count) {
    for (int j = 0; j < count; ++j) {
      const auto radix = static_cast<std::uint64_t>(primes[j]);
      reciprocal_[j] = ((std::uint64_t{1} << kReciprocalShift) + radix - 1) / radix;
    }
  }

  // The digits come off least significant first, which is the order Horner's
  // rule needs for the reversed number; the last one is what remains of `index`.
  int operator()(int index) const {
    int reversed = 0;
    for (int j = count_ - 1; j > 0; --j) {
      const int quotient = static_cast<int>((static_cast<std::uint64_t>(index) * reciprocal_[j]) >> kReciprocalShift);
      reversed = (reversed + index - quotient * primes_[j]) * primes_[j - 1];
      index = quotient;
    }
    return reversed + index;
  }

 private:
  static constexpr int kReciprocalShift = 29;
  const int* primes_;
  int count_;
  std::uint64_t reciprocal_[kFftFactorSlots];
};

void SwapMiddleRows(double* re, double* im, PositionLayout layout, int first, int second) {
  for (int upper = 0; upper < layout.squares; ++upper) {
    const int a = layout.Index(upper, first, 0);
    const int b = layout.Index(upper, second, 0);
    for (int lower = 0; lower < layout.squares; ++lower) SwapElements(re, im, a + lower, b + lower);
  }
}

// Cycle members below this bound are marked when their cycle is done, so a
// start below it is known to lead its cycle without walking the cycle again.
// It covers the whole square-free part of every length up to 2^20 (128 KiB of
// stack); above it a start is checked by walking its cycle until a smaller
// member turns up, which is quick there because every cycle holding a member
// below the bound is already done.
constexpr int kMarkedMembers = 1 << 20;
constexpr int kMarkBits = 64;

class DoneMembers {
 public:
  explicit DoneMembers(int middle) : limit_(middle < kMarkedMembers ? middle : kMarkedMembers) {
    for (int word = 0; word < (limit_ + kMarkBits - 1) / kMarkBits; ++word) words_[word] = 0;
  }
  int Limit() const { return limit_; }
  bool Done(int member) const { return (words_[member / kMarkBits] >> (member % kMarkBits) & 1u) != 0; }
  void MarkIfCovered(int member) {
    if (member < limit_) words_[member / kMarkBits] |= std::uint64_t{1} << (member % kMarkBits);
  }

 private:
  int limit_;
  std::uint64_t words_[kMarkedMembers / kMarkBits];
};

// Whether `start` is the smallest member of its cycle.
bool LeadsItsCycle(int start, const SquareFreeReversal& reversal, const DoneMembers& done) {
  if (start < done.Limit()) return !done.Done(start);
  int next = reversal(start);
  while (next > start) next = reversal(next);
  return next == start;
}

// Follows each cycle of the square-free digit reversal once, from its smallest member.
void ReverseSquareFreeDigits(double* re, double* im, const int* primes, int count, PositionLayout layout) {
  const SquareFreeReversal reversal(primes, count);
  DoneMembers done(layout.middle);
  for (int start = 1; start < layout.middle; ++start) {
    if (!LeadsItsCycle(start, reversal, done)) continue;
    for (int next = reversal(start); next != start; next = reversal(next)) {
      SwapMiddleRows(re, im, layout, start, next);
      done.MarkIfCovered(next);
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
