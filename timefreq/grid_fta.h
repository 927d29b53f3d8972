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
  // Writes |re[j]|-style values prepared by the caller: power[j] of bin j
  // into row RowOfBin(j) of `column`, with the bin frequencies times
  // frequencyScale. Returns the largest value written, starting from `floor`.
  // Bins and rows are two contiguous runs, so both are block copies.
  double StoreBins(int column, const double* power, double frequencyScale, double floor);
  // Divides the column by `maximum`; throws when maximum is 0 (a window with
  // nothing in it), which the run turns into a zero column.
  void NormaliseColumn(int column, double maximum, bool square);

  std::vector<double> re_;
  std::vector<double> im_;

 private:
  // BinFrequency of every row, for the FftSize and scale they were made for.
  std::vector<double> rowFrequencies_;
  double rowFrequencyScale_ = 0.0;
};

}  // namespace vorenta
