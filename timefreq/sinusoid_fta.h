#pragma once
// "Symplex" and "WVS": a sum of n complex exponentials fitted to each window
// (to its Wigner-Ville lag product for WVS) by a multi-start search: the
// quasi-Newton minimiser from the largest peaks of the window's spectrum,
// then simplex restarts from the best point so far or from random points.
// Each column holds one row per component: its frequency and its amplitude
// divided by the column's largest one. The fit uses the process-wide fit
// buffers, component table and SampleBuffer of the spectrum tab, so a run
// overwrites what the spectrum tab computed there.

#include <vector>

#include "numeric/objective_function.h"
#include "spectrum/result_model.h"
#include "timefreq/fta.h"

namespace vorenta {

class SinusoidFitFTA : public FTA {
 public:
  SinusoidFitFTA(int exponents, int iterations);
  int RowsNeeded() override { return Exponents + 1; }
  void ComputeWindow(const AnalyticSignalClass& signal, int offset) override;
  // Records the window size and sizes the work arrays for Exponents.
  void PrepareBuffers(int windowSize);

  int Exponents;
  int Iterations;
  // The component lines of the last window: raw and merged.
  SpectrumLineLists Lines;

 protected:
  // Loads the fitted sequence into the fit buffers and the conjugate
  // extension used for the start spectrum into spectrumRe_/spectrumIm_.
  virtual void LoadWindow(const AnalyticSignalClass& signal, int offset) = 0;
  // The objective of the search and the evaluation of the final fit.
  virtual ObjectiveFunction Objective() const = 0;
  virtual ObjectiveFunction FinalEvaluation() const = 0;
  // Phase reference of the lines, the line merging, and the cell values.
  virtual double LineAngle(double frequency, double phase) const = 0;
  virtual void MergeWindowLines() {}
  virtual double FrequencyFactor() const = 0;
  virtual double CellValue(const SinModel& line) const = 0;
  virtual double MaximumFloor() const = 0;

  std::vector<double> spectrumRe_, spectrumIm_;

 private:
  void StartFromSpectrumPeaks();
  double RunIteration(int iteration, int& restarts);
  void StoreColumn(int column);

  std::vector<double> parameters_, best_, lower_, upper_;
  std::vector<double> trial_, secondTrial_, centroid_, steps_, vertexValues_, simplex_;
  int allocatedCount_ = -1;
};

// "Symplex": the window samples, complex amplitudes and a constant term.
class SimplexFTA : public SinusoidFitFTA {
 public:
  using SinusoidFitFTA::SinusoidFitFTA;

 protected:
  void LoadWindow(const AnalyticSignalClass& signal, int offset) override;
  ObjectiveFunction Objective() const override;
  ObjectiveFunction FinalEvaluation() const override;
  double LineAngle(double frequency, double phase) const override;
  double FrequencyFactor() const override { return 1.0; }
  double CellValue(const SinModel& line) const override { return line.Amplitude; }
  double MaximumFloor() const override { return 0.0; }
};

// "WVS": the lag product y_j = x(m+j) conj(x(m-j)), real amplitudes and no
// constant term; frequencies are halved and the values keep their sign.
class WVS_FTA : public SinusoidFitFTA {
 public:
  WVS_FTA(int exponents, int iterations);

 protected:
  void LoadWindow(const AnalyticSignalClass& signal, int offset) override;
  ObjectiveFunction Objective() const override;
  ObjectiveFunction FinalEvaluation() const override;
  double LineAngle(double /*frequency*/, double phase) const override { return phase; }
  void MergeWindowLines() override;
  double FrequencyFactor() const override { return 0.5; }
  double CellValue(const SinModel& line) const override;
  double MaximumFloor() const override { return -1e300; }
};

}  // namespace vorenta
