#include "spectrum/sinusoid_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/error.h"
#include "core/random.h"
#include "core/signal_store.h"
#include "numeric/fft.h"
#include "numeric/quasi_newton.h"
#include "numeric/simplex_minimiser.h"
#include "spectrum/fit_buffers.h"
#include "spectrum/fit_table.h"
#include "spectrum/merge_lines.h"
#include "spectrum/method_parameters.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"
#include "spectrum/sinusoid_objective.h"

namespace vorenta {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kNoError = 1e300;
constexpr double kFailedPassError = 2e300;
constexpr double kRestartImprovement = 0.001;
constexpr double kSimplexTolerance = 1e-12;
constexpr int kSimplexCallsPerFrequency = 200;
constexpr double kLineMergeCycles = 0.2;
constexpr double kLowestLineRatio = 1e-5;

int PresentedCount() { return ClampSinusoidCount(ComponentCount); }

void AppendLine(const SinModel& line) {
  SpectrumLines.Raw.push_back(line);
  SpectrumLines.Merged.push_back(line);
}

// The raw lines of the presented fit over sampleCount samples; see the
// presentation's contract for the constant term's place.
void BuildLines(int count, int sampleCount) {
  SpectrumLines.Raw.clear();
  SpectrumLines.Merged.clear();
  const auto& table = ComponentTable;
  for (int i = 0; i < count; ++i) {
    const double f = table.Frequency[i];
    const double a = table.Amplitude[i];
    const double phi = table.Phase[i];
    if (i > 0 && f > 0 && !(table.Frequency[i - 1] > 0)) {
      AppendLine(SinModel{0.0, table.Amplitude[count], table.Phase[count], 0.0, 0.0});
    }
    const double centrePhase = std::numbers::pi * f * sampleCount + phi;
    AppendLine(SinModel{f, a, phi, -a * f * std::sin(centrePhase), a * f * std::cos(centrePhase)});
  }
}

void ConvertLinesToDecibels(std::vector<SinModel>& lines) {
  double largest = -kNoError;
  for (const SinModel& line : lines) largest = std::max(largest, line.Amplitude);
  if (!(largest > 0)) return;
  for (SinModel& line : lines) line.Amplitude = 20 * std::log10(std::max(line.Amplitude / largest, kLowestLineRatio));
}

// Storage of one run, sized for its n.
struct FitPassStorage {
  explicit FitPassStorage(int n)
      : frequencies(n),
        lowerBounds(n, -kTwoPi),
        upperBounds(n, kTwoPi),
        trial(n),
        secondTrial(n),
        centroid(n),
        steps(n),
        vertexValues(n + 1),
        simplex(static_cast<std::size_t>(n + 1) * n) {}

  std::vector<double> frequencies;
  std::vector<double> lowerBounds;
  std::vector<double> upperBounds;
  std::vector<double> trial;
  std::vector<double> secondTrial;
  std::vector<double> centroid;
  std::vector<double> steps;
  std::vector<double> vertexValues;
  std::vector<double> simplex;
};

void DrawRandomFrequencies(std::vector<double>& omega) {
  for (double& value : omega) value = RandomRange(0, 1000000) * 1e-6 * kTwoPi - std::numbers::pi;
}

// Replaces the leading start values by the angular frequencies of the
// strongest peaks of the fitted samples' power spectrum (zero-padded to
// kSpectrumBins points), which is left in SpectrumDb.
void StartFromPeriodogramPeaks(std::vector<double>& omega) {
  std::vector<double> re(kSpectrumBins, 0.0);
  std::vector<double> im(kSpectrumBins, 0.0);
  const int sampleCount = FitSampleCount();
  std::copy(FitBufferRe.begin(), FitBufferRe.begin() + sampleCount, re.begin());
  std::copy(FitBufferIm.begin(), FitBufferIm.begin() + sampleCount, im.begin());
  int failure = 0;
  ComplexFft(re.data(), im.data(), kSpectrumBins, failure);
  if (failure != 0) throw VorentaError(kSinusoidFitFailureMessage);
  for (int k = 0; k < kSpectrumBins; ++k) SpectrumDb[k] = re[k] * re[k] + im[k] * im[k];

  std::vector<int> peaks;
  for (int k = 1; k + 1 < kSpectrumBins; ++k) {
    if (SpectrumDb[k] > SpectrumDb[k - 1] && SpectrumDb[k] > SpectrumDb[k + 1]) peaks.push_back(k);
  }
  // Strongest first; ties keep ascending frequency order.
  std::stable_sort(peaks.begin(), peaks.end(), [](int a, int b) { return SpectrumDb[a] > SpectrumDb[b]; });
  std::size_t next = 0;
  for (int k : peaks) {
    if (next == omega.size()) break;
    if (2 * k == kSpectrumBins) continue;  // frequency 0.5: its sign is undefined
    double cycles = static_cast<double>(k) / kSpectrumBins;
    if (cycles > 0.5) cycles -= 1.0;
    omega[next++] = kTwoPi * cycles;
  }
}

// One minimisation from storage.frequencies; returns its error, leaving the
// result in storage.frequencies.
double MinimiseOnce(FitPassStorage& storage, SinusoidSearch search) {
  const int n = static_cast<int>(storage.frequencies.size());
  if (search == SinusoidSearch::kQuasiNewton) {
    StartFromPeriodogramPeaks(storage.frequencies);
    return BoundedQuasiNewton(n, storage.frequencies.data(), storage.lowerBounds.data(),
                              storage.upperBounds.data(), SinusoidObjective);
  }
  double best = 0;
  int failure = 0;
  try {
    SimplexMinimise(n, storage.frequencies.data(), best, kSimplexTolerance, n + 1, storage.trial.data(),
                    storage.secondTrial.data(), storage.centroid.data(), storage.steps.data(),
                    storage.vertexValues.data(), storage.simplex.data(), SinusoidObjective,
                    kSimplexCallsPerFrequency * n, failure);
  } catch (const VorentaError&) {
    return kFailedPassError;
  }
  return best;
}

}  // namespace

double PresentSinusoidFit(std::int32_t selectionStart, std::int32_t selectionEnd) {
  const int sampleCount = LoadFitBuffersFromSelection(selectionStart, selectionEnd);
  const int count = PresentedCount();
  double error = 0;
  EvaluateSinusoidModel(count, FitTable.data(), &error);
  BuildLines(count, sampleCount);
  if (sampleCount > 0) {
    MergeLines(SpectrumLines, kLineMergeCycles / sampleCount, 0.5 * sampleCount);
  } else {
    SpectrumLines.Raw.clear();
    SpectrumLines.Merged.clear();
  }
  ConvertLinesToDecibels(SpectrumLines.Merged);
  return error;
}

std::vector<SinusoidTableRow> SinusoidTableRows() {
  const int count = PresentedCount();
  std::vector<SinusoidTableRow> rows;
  rows.reserve(count + 1);
  rows.push_back(SinusoidTableRow{ComponentTable.Amplitude[count], 0.0, ComponentTable.Phase[count]});
  for (int i = 0; i < count; ++i) {
    rows.push_back(SinusoidTableRow{ComponentTable.Amplitude[i], ComponentTable.Frequency[i], ComponentTable.Phase[i]});
  }
  return rows;
}

SpectrumRunReport RunSinusoidFit(const SpectrumRunRequest& request, SinusoidSearch search) {
  ResultKind = result_kind::kSinusoidFit;
  const int n = ClampSinusoidCount(request.MainParameter);
  ComponentCount = n;
  SpectrumRunReport report;
  report.MainParameterUsed = n;
  if (n == 0 || SelectionLength(request.SelectionStart, request.SelectionEnd) <= 0) return report;
  report.Computed = true;

  report.RelativeError = PresentSinusoidFit(request.SelectionStart, request.SelectionEnd);
  SeedRandomFromClock();

  FitPassStorage storage(n);
  double bestError = kNoError;
  double previousError = kNoError;
  bool restartFromBest = false;
  for (int pass = 0;; ++pass) {
    if (pass == 0 || restartFromBest) {
      restartFromBest = false;
      std::copy(FitTable.begin(), FitTable.begin() + n, storage.frequencies.begin());
    } else {
      DrawRandomFrequencies(storage.frequencies);
    }
    const double error = MinimiseOnce(storage, search);
    report.PassCount = pass + 1;

    if (error < previousError) {
      restartFromBest = (previousError - error) / previousError > kRestartImprovement;
      previousError = error;
      for (double& omega : storage.frequencies) omega = std::remainder(omega, kTwoPi);
      std::sort(storage.frequencies.begin(), storage.frequencies.end());
      double sortedError = 0;
      EvaluateSinusoidModel(n, storage.frequencies.data(), &sortedError);
      if (sortedError < bestError) {
        bestError = sortedError;
        std::copy(storage.frequencies.begin(), storage.frequencies.end(), FitTable.begin());
      }
    }
    report.RelativeError = PresentSinusoidFit(request.SelectionStart, request.SelectionEnd);

    const bool goOn = request.AfterPass ? request.AfterPass(report.PassCount) : false;
    if (search == SinusoidSearch::kQuasiNewton || !goOn) break;
  }
  return report;
}

SpectrumRunReport RunSimplexFit(const SpectrumRunRequest& request) {
  return RunSinusoidFit(request, SinusoidSearch::kSimplex);
}

SpectrumRunReport RunQuasiNewtonFit(const SpectrumRunRequest& request) {
  return RunSinusoidFit(request, SinusoidSearch::kQuasiNewton);
}

}  // namespace vorenta
