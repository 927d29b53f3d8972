#include "timefreq/sinusoid_fta.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "core/random.h"
#include "numeric/fft.h"
#include "numeric/fp_guard.h"
#include "numeric/quasi_newton.h"
#include "numeric/simplex_minimiser.h"
#include "spectrum/fit_buffers.h"
#include "spectrum/merge_lines.h"
#include "spectrum/sinusoid_objective.h"

namespace vorenta {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kStartSpectrumLength = 10000;
constexpr double kNoFit = 1e300;
// A row beyond the merged lines: a frequency outside every view.
constexpr double kAbsentFrequency = -123.0;

double WrapAngle(double omega) {
  while (omega > kPi) omega -= 2 * kPi;
  while (omega < -kPi) omega += 2 * kPi;
  return omega;
}

}  // namespace

SinusoidFitFTA::SinusoidFitFTA(int exponents, int iterations)
    : Exponents(exponents),
      Iterations(iterations),
      spectrumRe_(kStartSpectrumLength),
      spectrumIm_(kStartSpectrumLength) {}

void SinusoidFitFTA::PrepareBuffers(int windowSize) {
  WindowSize = windowSize;
  if (allocatedCount_ == Exponents) return;
  const int n = std::max(Exponents, 0);
  parameters_.assign(n, 0.0);
  best_.assign(n, 0.0);
  lower_.assign(n, -kPi);
  upper_.assign(n, kPi);
  trial_.assign(n, 0.0);
  secondTrial_.assign(n, 0.0);
  centroid_.assign(n, 0.0);
  steps_.assign(n, 0.0);
  vertexValues_.assign(n + 1, 0.0);
  simplex_.assign(static_cast<std::size_t>(n + 1) * n, 0.0);
  allocatedCount_ = Exponents;
}

void SinusoidFitFTA::StartFromSpectrumPeaks() {
  int failure = 0;
  ComplexFft(spectrumRe_.data(), spectrumIm_.data(), kStartSpectrumLength, failure);
  std::vector<double> power(kStartSpectrumLength);
  for (int k = 0; k < kStartSpectrumLength; ++k) power[k] = spectrumRe_[k] * spectrumRe_[k] + spectrumIm_[k] * spectrumIm_[k];
  std::vector<int> peaks;
  for (int k = 1; k + 1 < kStartSpectrumLength; ++k)
    if (power[k] > power[k - 1] && power[k] > power[k + 1]) peaks.push_back(k);
  // Exchange sort, strongest first: the order of equal peaks follows it.
  for (std::size_t i = 0; i < peaks.size(); ++i)
    for (std::size_t j = i + 1; j < peaks.size(); ++j)
      if (power[peaks[j]] > power[peaks[i]]) std::swap(peaks[i], peaks[j]);
  int filled = 0;
  for (int k : peaks) {
    if (filled >= Exponents) break;
    double f = k * 1e-4;
    if (f == 0.0 || f == 0.5) continue;
    if (f > 0.5) f = -(1 - f);
    parameters_[filled++] = 2 * kPi * f;  // unfilled ones keep the previous window's values
  }
}

double SinusoidFitFTA::RunIteration(int iteration, int& restarts) {
  const int n = Exponents;
  // A fault inside one iteration discards only that iteration, so its flags
  // must not reach the window's own fault test.
  FloatingPointGuard guard;
  double value = kNoFit;
  try {
    if (iteration == 0) {
      StartFromSpectrumPeaks();
      double start = 0;
      FinalEvaluation()(n, parameters_.data(), &start);
      value = BoundedQuasiNewton(n, parameters_.data(), lower_.data(), upper_.data(), Objective());
    } else {
      if (restarts > 0) {
        --restarts;
        parameters_ = best_;
      } else {
        for (double& p : parameters_) p = 2 * kPi * (RandomRange(0, 1000000) * 1e-6) - kPi;
      }
      int failure = 0;
      SimplexMinimise(n, parameters_.data(), value, 1e-12, n + 1, trial_.data(), secondTrial_.data(),
                      centroid_.data(), steps_.data(), vertexValues_.data(), simplex_.data(), Objective(),
                      200 * n, failure);
    }
    if (guard.Faulted() || !std::isfinite(value)) value = kNoFit;
  } catch (const std::exception&) {
    value = kNoFit;
  }
  guard.Reset();
  return value;
}

void SinusoidFitFTA::ComputeWindow(const AnalyticSignalClass& signal, int offset) {
  const int n = Exponents;
  if (n < 1) throw std::domain_error("no exponents to fit");
  PrepareBuffers(WindowSize);
  LoadWindow(signal, offset);

  double best = kNoFit;
  int restarts = 0;
  for (int i = 0; i < Iterations; ++i) {
    const double value = RunIteration(i, restarts);
    if (value < best) {
      if ((best - value) / best > 0.001) restarts = 1;
      best = value;
      for (int l = 0; l < n; ++l) best_[l] = WrapAngle(parameters_[l]);
    }
  }
  double ignored = 0;
  FinalEvaluation()(n, best_.data(), &ignored);
  StoreColumn(offset / Step);
}

void SinusoidFitFTA::StoreColumn(int column) {
  const int n = Exponents;
  auto& table = ComponentTable;
  for (int i = 0; i <= n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (table.Frequency[j] < table.Frequency[i]) {
        std::swap(table.Frequency[i], table.Frequency[j]);
        std::swap(table.Amplitude[i], table.Amplitude[j]);
        std::swap(table.Phase[i], table.Phase[j]);
      }
    }
  }
  Lines.Raw.clear();
  Lines.Merged.clear();
  for (int k = 0; k <= n; ++k) {
    const double f = table.Frequency[k];
    const double a = table.Amplitude[k];
    const double phase = table.Phase[k];
    const double theta = LineAngle(f, phase);
    const SinModel line{f, a, phase, -a * f * std::sin(theta), a * f * std::cos(theta)};
    Lines.Raw.push_back(line);
    Lines.Merged.push_back(line);
  }
  MergeWindowLines();

  double* power = PowerMatrix.Column(column);
  double* frequency = FrequencyMatrix.Column(column);
  for (int r = 0; r <= n; ++r) {
    const bool present = r < static_cast<int>(Lines.Merged.size());
    frequency[r] = FrequencyFactor() * (present ? Lines.Merged[r].Frequency : kAbsentFrequency);
    power[r] = present ? CellValue(Lines.Merged[r]) : 0.0;
  }
  const double maximum = *std::max_element(power, power + n + 1);
  const double m = std::max(maximum, MaximumFloor());
  for (int r = 0; r <= n; ++r) power[r] = std::fabs(m) > 1e-10 ? power[r] / m : 0.0;
}

void SimplexFTA::LoadWindow(const AnalyticSignalClass& signal, int offset) {
  const int w = WindowSize;
  if (w > kFitBufferLength) throw std::length_error("window longer than the fit buffers");
  std::fill(spectrumRe_.begin(), spectrumRe_.end(), 0.0);
  std::fill(spectrumIm_.begin(), spectrumIm_.end(), 0.0);
  const int first = AnalysisStart(signal) + offset - w / 2;
  for (int j = 0; j < w; ++j) {
    const std::complex<double> x = SampleAt(signal, first + j);
    FitBufferRe[j] = spectrumRe_[j] = x.real();
    FitBufferIm[j] = spectrumIm_[j] = x.imag();
  }
  FitLength = w;
}

ObjectiveFunction SimplexFTA::Objective() const { return SinusoidObjective; }
ObjectiveFunction SimplexFTA::FinalEvaluation() const { return EvaluateSinusoidModel; }

double SimplexFTA::LineAngle(double frequency, double phase) const {
  return 2 * kPi * frequency * WindowSize / 2 + phase;  // the phase at the window centre
}

WVS_FTA::WVS_FTA(int exponents, int iterations) : SinusoidFitFTA(exponents, iterations) {
  FreqMax = 0.25;
  FreqMin = -0.25;
}

void WVS_FTA::LoadWindow(const AnalyticSignalClass& signal, int offset) {
  const int half = WindowSize / 2;
  if (half > kFitBufferLength) throw std::length_error("window longer than the fit buffers");
  std::fill(spectrumRe_.begin(), spectrumRe_.end(), 0.0);
  std::fill(spectrumIm_.begin(), spectrumIm_.end(), 0.0);
  const int centre = AnalysisStart(signal) + offset;
  for (int j = 0; j < half; ++j) {
    const std::complex<double> y =
        j == 0 ? std::complex<double>(std::norm(SampleAt(signal, centre)), 0.0)
               : SampleAt(signal, centre + j) * std::conj(SampleAt(signal, centre - j));
    FitBufferRe[j] = spectrumRe_[j] = y.real();
    FitBufferIm[j] = spectrumIm_[j] = y.imag();
    if (j > 0) {
      spectrumRe_[kStartSpectrumLength - j] = y.real();
      spectrumIm_[kStartSpectrumLength - j] = -y.imag();
    }
  }
  FitLength = half;
}

ObjectiveFunction WVS_FTA::Objective() const { return RealAmplitudeObjective; }
ObjectiveFunction WVS_FTA::FinalEvaluation() const { return RealAmplitudeObjective; }

void WVS_FTA::MergeWindowLines() {
  const int half = WindowSize / 2;
  MergeLines(Lines, 0.2 / half, 0.0);
}

double WVS_FTA::CellValue(const SinModel& line) const { return line.Amplitude * std::cos(line.Phase); }

}  // namespace vorenta
