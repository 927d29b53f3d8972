#pragma once
// "Wigner-Ville": the pseudo Wigner-Ville distribution with a rectangular lag
// window of (WindowSize + 1) / 2 - 1 lags to each side. The lag product
// advances at twice the signal frequency, so the rows cover -0.25 .. 0.25 and
// frequencies beyond fold back. Each column is divided by its largest value
// (negative values are kept).

#include "timefreq/grid_fta.h"

namespace vorenta {

class WVP_FTA : public GridFTA {
 public:
  explicit WVP_FTA(int fftSize);
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override;

 protected:
  // Fills re_/im_ with the conjugate-symmetric lag product around sample
  // `centre` and transforms it; the real parts are the distribution.
  void TransformLagProduct(const AnalyticSignalClass& signal, int centre);
};

}  // namespace vorenta
