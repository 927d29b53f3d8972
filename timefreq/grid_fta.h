#pragma once
// Base of the estimators whose column is a spectrum sampled on an FFT grid of
// FftSize bins: the transform work buffers and the bin-to-row order, in which
// row 0 holds the most negative frequency and rows increase with frequency.

#include <vector>

#include "timefreq/fta.h"

namespace vorenta {

class GridFTA : public FTA {
 public:
  // fftSize is raised to at least 2 and to the next length the FFT accepts.
  explicit GridFTA(int fftSize);

  // Raises FftSize for the window first, so the rows always match the bins.
  int RowsNeeded() override {
    PrepareBuffers(WindowSize);
    return FftSize;
  }

  // FftSize := the next accepted length >= max(FftSize, windowSize); the
  // work buffers are reallocated only when that size changes.
  void PrepareBuffers(int windowSize);

  // Row of bin j: j + N/2 for j < (N+1)/2, j - (N+1)/2 otherwise.
  static int RowOfBin(int bin, int n) { return bin < (n + 1) / 2 ? bin + n / 2 : bin - (n + 1) / 2; }
  // Normalised frequency of bin j, times `scale`: j/N in the first half,
  // (j - N)/N in the second.
  static double BinFrequency(int bin, int n, double scale) {
    return scale * (bin < (n + 1) / 2 ? bin : bin - n) / static_cast<double>(n);
  }

  int FftSize;

 protected:
  // Writes the values prepared by the caller, value[j] of bin j, into row
  // RowOfBin(j) of `column` divided by their largest value (the search
  // starting from `floor`) and then squared when `square` is set, with the
  // bin frequencies times frequencyScale in the frequency column. Throws
  // when the largest value is 0 (a window with nothing in it: 0/0), after
  // the frequencies are written; the run then zeroes the power column.
  // Bins and rows are two contiguous runs, so this is one pass per column.
  void StoreNormalisedBins(int column, const double* values, double frequencyScale, double floor, bool square);

  std::vector<double> re_;
  std::vector<double> im_;

 private:
  // BinFrequency of every row, for the FftSize and scale they were made for.
  std::vector<double> rowFrequencies_;
  double rowFrequencyScale_ = 0.0;
};

}  // namespace vorenta
