#include "spectrum/sinusoid_objective.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "core/error.h"
#include "core/signal_store.h"
#include "numeric/fp_guard.h"
#include "numeric/gauss_solve.h"
#include "spectrum/fit_buffers.h"
#include "spectrum/result_model.h"
#include "spectrum/selection_staging.h"

namespace vorenta {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kCyclesPerRadian = 0.15915494309189534;
constexpr double kLargestCoefficient = 1e30;
constexpr double kSmallestPhasedAmplitude = 1e-30;
constexpr double kSameFrequency = 1e-15;
constexpr int kForecastLength = 100;

// One real least-squares system of a given size, kept between calls.
struct GramSystem {
  int size = -1;
  std::vector<double> rhs;
  std::vector<double> solution;
  std::vector<double> matrix;
  std::vector<double*> rows;
  std::vector<std::complex<double>> coefficients;

  void Resize(int newSize, int terms) {
    if (newSize != size) {
      size = newSize;
      rhs.assign(size, 0.0);
      solution.assign(size, 0.0);
      matrix.assign(static_cast<std::size_t>(size) * size, 0.0);
      rows.resize(size);
      for (int i = 0; i < size; ++i) rows[i] = matrix.data() + static_cast<std::size_t>(i) * size;
    }
    coefficients.assign(terms, {});
  }
};

GramSystem objectiveSystem;
GramSystem evaluationSystem;
GramSystem realAmplitudeSystem;

// sum_{m<N} exp(i*2*pi*delta*m) in closed form. The sum is periodic in delta
// with period 1, so delta is first reduced to the nearest alias: otherwise a
// difference of one whole cycle would divide by sin(pi) ~ 1e-16.
std::complex<double> DirichletSum(double delta, int sampleCount) {
  delta -= std::round(delta);
  if (std::abs(delta) <= kSameFrequency) return {static_cast<double>(sampleCount), 0.0};
  const double twiceSine = 2 * std::sin(std::numbers::pi * delta);
  const double outer = kTwoPi * delta * (sampleCount - 0.5);
  return {std::sin(outer) / twiceSine + 0.5, (std::cos(std::numbers::pi * delta) - std::cos(outer)) / twiceSine};
}

std::complex<double> UnitPhasorAt(double angle) { return {std::cos(angle), std::sin(angle)}; }

std::complex<double> UnitPhasor(double frequency, int m) { return UnitPhasorAt(kTwoPi * frequency * m); }

void RequireCount(int n) {
  if (n < 0 || n > kLargestObjectiveCount) throw VorentaError(kSinusoidFitFailureMessage);
}

double RelativeError(double residualEnergy, double dataEnergy) {
  return residualEnergy / (dataEnergy < 1e-20 ? 1.0 : dataEnergy);
}

double FitDataEnergy(int sampleCount) {
  double energy = 0;
  for (int m = 0; m < sampleCount; ++m) energy += FitBufferRe[m] * FitBufferRe[m] + FitBufferIm[m] * FitBufferIm[m];
  return energy;
}

// Stores f_l = omega_l/(2*pi) (and f_n = 0) into Frequency[0 .. n], then
// solves the normal equations of the complex amplitudes of those n+1 terms:
// a_l in system.solution[l], u_l in system.solution[n+1+l] (unclamped).
void SolveComplexAmplitudes(GramSystem& system, int n, const double* omega, int sampleCount) {
  const int terms = n + 1;
  system.Resize(2 * terms, terms);
  double* frequency = ComponentTable.Frequency.data();
  for (int l = 0; l < n; ++l) frequency[l] = omega[l] * kCyclesPerRadian;
  frequency[n] = 0.0;

  for (int l = 0; l < terms; ++l) {
    double cosine = 0;
    double sine = 0;
    for (int m = 0; m < sampleCount; ++m) {
      const std::complex<double> phasor = UnitPhasor(frequency[l], m);
      cosine += FitBufferRe[m] * phasor.real() + FitBufferIm[m] * phasor.imag();
      sine += FitBufferRe[m] * phasor.imag() - FitBufferIm[m] * phasor.real();
    }
    system.rhs[l] = cosine;
    system.rhs[terms + l] = sine;
  }

  double* const* g = system.rows.data();
  for (int i = 0; i < terms; ++i) {
    for (int j = i; j < terms; ++j) {
      const std::complex<double> sum = DirichletSum(frequency[i] - frequency[j], sampleCount);
      const double c = sum.real();
      const double s = sum.imag();
      g[i][j] = c;
      g[i][terms + j] = s;
      g[terms + i][j] = s;
      g[terms + i][terms + j] = -c;
      g[j][i] = c;
      g[j][terms + i] = -s;
      g[terms + j][i] = -s;
      g[terms + j][terms + i] = -c;
    }
  }
  RealGaussSolve(2 * terms, system.rows.data(), system.rhs.data(), system.solution.data());
}

void ClampCoefficients(GramSystem& system, int terms) {
  for (int l = 0; l < terms; ++l) {
    system.coefficients[l] = {std::clamp(system.solution[l], -kLargestCoefficient, kLargestCoefficient),
                              std::clamp(system.solution[terms + l], -kLargestCoefficient, kLargestCoefficient)};
  }
}

// Writes the model at the frequencies in Frequency[0 .. terms-1] with the
// given coefficients into SampleBuffer[0 .. modelLength-1] and returns the
// residual energy against the first sampleCount fit-buffer samples
// (modelLength >= sampleCount).
double StoreModel(const std::vector<std::complex<double>>& coefficients, int modelLength, int sampleCount) {
  const double* frequency = ComponentTable.Frequency.data();
  const int terms = static_cast<int>(coefficients.size());
  double residual = 0;
  for (int m = 0; m < modelLength; ++m) {
    std::complex<double> model;
    for (int l = 0; l < terms; ++l) model += coefficients[l] * UnitPhasor(frequency[l], m);
    SampleBuffer[m] = ComplexSample{model.real(), model.imag()};
    if (m < sampleCount) residual += std::norm(model - std::complex<double>(FitBufferRe[m], FitBufferIm[m]));
  }
  return residual;
}

int ModelLengthWithForecast(int sampleCount) {
  return std::min(sampleCount + kForecastLength, static_cast<int>(kSampleBufferLength));
}

void RequireFinite(const FloatingPointGuard& guard, double value) {
  if (guard.Faulted() || !std::isfinite(value)) throw VorentaError(kSinusoidFitFailureMessage);
}

}  // namespace

void SinusoidObjective(int n, const double* omega, double* f) {
  RequireCount(n);
  const FloatingPointGuard guard;
  const int sampleCount = FitSampleCount();
  SolveComplexAmplitudes(objectiveSystem, n, omega, sampleCount);
  ClampCoefficients(objectiveSystem, n + 1);
  const double residual = StoreModel(objectiveSystem.coefficients, sampleCount, sampleCount);
  *f = RelativeError(residual, FitDataEnergy(sampleCount));
  RequireFinite(guard, *f);
}

void EvaluateSinusoidModel(int n, const double* omega, double* f) {
  RequireCount(n);
  const FloatingPointGuard guard;
  const int sampleCount = FitSampleCount();
  const int terms = n + 1;
  SolveComplexAmplitudes(evaluationSystem, n, omega, sampleCount);
  for (int l = 0; l < terms; ++l) {
    const double a = evaluationSystem.solution[l];
    const double u = evaluationSystem.solution[terms + l];
    const double amplitude = std::sqrt(a * a + u * u);
    ComponentTable.Amplitude[l] = amplitude;
    ComponentTable.Phase[l] = amplitude > kSmallestPhasedAmplitude ? std::atan2(u, a) : 0.0;
  }
  ClampCoefficients(evaluationSystem, terms);
  const double residual = StoreModel(evaluationSystem.coefficients, ModelLengthWithForecast(sampleCount), sampleCount);
  *f = RelativeError(residual, FitDataEnergy(sampleCount));
  RequireFinite(guard, *f);
}

void RealAmplitudeObjective(int n, const double* omega, double* f) {
  RequireCount(n);
  const FloatingPointGuard guard;
  const int sampleCount = FitSampleCount();
  GramSystem& system = realAmplitudeSystem;
  system.Resize(n, n);
  double* frequency = ComponentTable.Frequency.data();
  for (int l = 0; l < n; ++l) {
    double cycles = omega[l] * kCyclesPerRadian;
    if (cycles > 0.5) cycles -= 1.0;
    if (cycles < -0.5) cycles += 1.0;
    frequency[l] = cycles;
  }
  frequency[n] = 0.0;

  for (int l = 0; l < n; ++l) {
    double cosine = 0;
    for (int m = 0; m < sampleCount; ++m) {
      const std::complex<double> phasor = UnitPhasor(frequency[l], m);
      cosine += FitBufferRe[m] * phasor.real() + FitBufferIm[m] * phasor.imag();
    }
    system.rhs[l] = cosine;
  }
  double* const* g = system.rows.data();
  for (int i = 0; i < n; ++i) {
    g[i][i] = sampleCount;
    for (int j = i + 1; j < n; ++j) g[i][j] = g[j][i] = DirichletSum(frequency[j] - frequency[i], sampleCount).real();
  }
  RealGaussSolve(n, system.rows.data(), system.rhs.data(), system.solution.data());

  for (int l = 0; l < n; ++l) {
    ComponentTable.Amplitude[l] = system.solution[l];
    ComponentTable.Phase[l] = 0.0;
    system.coefficients[l] = {system.solution[l], 0.0};
  }
  ComponentTable.Amplitude[n] = 0.0;
  const double residual = StoreModel(system.coefficients, sampleCount, sampleCount);
  *f = RelativeError(residual, FitDataEnergy(sampleCount));
  RequireFinite(guard, *f);
}

double SynthesiseModel(int count, const double* amplitude, const double* frequency, const double* phase,
                       std::int32_t selectionStart, std::int32_t selectionEnd) {
  const FloatingPointGuard guard;
  const std::int64_t sampleCount = SelectionLength(selectionStart, selectionEnd);
  const std::int64_t stored = std::min<std::int64_t>(sampleCount + kForecastLength, kSampleBufferLength);
  double residual = 0;
  double energy = 0;
  for (std::int64_t m = 0; m < std::max(sampleCount, stored); ++m) {
    std::complex<double> model;
    for (int j = 0; j < count; ++j) {
      model += amplitude[j] * UnitPhasorAt(kTwoPi * frequency[j] * static_cast<double>(m) + phase[j]);
    }
    if (m < stored) SampleBuffer[m] = ComplexSample{model.real(), model.imag()};
    if (m < sampleCount) {
      // selectionStart + m <= selectionEnd, so the index fits in int32.
      const auto index = static_cast<std::int32_t>(selectionStart + m);
      const std::complex<double> data(Channel1[index], Channel2[index]);
      residual += std::norm(model - data);
      energy += std::norm(data);
    }
  }
  const double error = RelativeError(residual, energy);
  RequireFinite(guard, error);
  return error;
}

}  // namespace vorenta
