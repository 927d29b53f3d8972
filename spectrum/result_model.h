#pragma once
// The result model of the spectrum tab: process-wide storage that every
// spectrum method fills and the spectrum view reads. Each run overwrites what
// the previous one left; nothing is cleared between runs except what a method
// writes. SampleBuffer (core/signal_store.h) holds the staged selection and
// any model or forecast beside it.

#include <array>
#include <cstdint>
#include <vector>

namespace vorenta {

// Fixed capacities. The component table holds 2000 components plus the
// constant term of the sinusoid fits (stored at index ComponentCount).
inline constexpr int kComponentCapacity = 2001;
inline constexpr int kLargestComponentCount = kComponentCapacity - 1;
inline constexpr int kSpectrumBins = 10000;

// Entry i (0 <= i < ComponentCount) is the component
//   A_i * exp(i*phi_i) * exp((alpha_i + i*2*pi*f_i) * n)
// with f in cycles per sample (-0.5 < f <= 0.5), A >= 0 in signal units,
// phi in radians (-pi < phi <= pi) and alpha the natural logarithm of the
// per-sample growth factor (negative = decaying). The four arrays lie one
// after another in this order; a method that reorders components swaps
// entry i of all four together.
struct ComponentTableArrays {
  std::array<double, kComponentCapacity> Frequency{};
  std::array<double, kComponentCapacity> Amplitude{};
  std::array<double, kComponentCapacity> Phase{};
  std::array<double, kComponentCapacity> Damping{};
};

// One line of a sinusoid fit: frequency f, amplitude A, phase phi, then
// -A*f*sin(2*pi*f*N/2 + phi) and A*f*cos(2*pi*f*N/2 + phi) for a fit over N
// samples (the last two serve the merging of nearby lines).
struct SinModel {
  double Frequency = 0;
  double Amplitude = 0;
  double Phase = 0;
  double SinTerm = 0;
  double CosTerm = 0;
};

// The raw lines and the merged lines of the last sinusoid fit; the merged
// list is what the line spectrum draws.
struct SpectrumLineLists {
  std::vector<SinModel> Raw;
  std::vector<SinModel> Merged;
};

// Which method produced the results on display.
namespace result_kind {
inline constexpr std::int32_t kNone = 0;
inline constexpr std::int32_t kSinusoidFit = 1;   // "Simplex", "Quasi-Newton"
inline constexpr std::int32_t kProny = 2;         // "Prony"
inline constexpr std::int32_t kPronyModified = 3; // "PronyModif"
inline constexpr std::int32_t kPeriodogram = 4;   // "Periodogram"
inline constexpr std::int32_t kArBurg = 5;        // "AR Burg"
inline constexpr std::int32_t kArCovariance = 6;  // "AR Covarience"
inline constexpr std::int32_t kSubspace = 7;      // "Music", "EV"
}  // namespace result_kind

extern ComponentTableArrays ComponentTable;
// Number of components of the last parametric run (0 .. kLargestComponentCount); initially 10.
extern std::int32_t ComponentCount;
// The spectrum curve in FFT bin order: bin k is the normalised frequency
// k/10000 for k < 5000 and (k - 10000)/10000 for k >= 5000. A method stores
// magnitudes (>= 0) here; FinishSpectrum turns them into decibels.
extern std::array<double, kSpectrumBins> SpectrumDb;
// One of the result_kind values; initially kNone.
extern std::int32_t ResultKind;
// 0 .. 100: samples of forecast shown past SelectionEnd; initially 0.
extern std::int32_t ExtrapolationLength;
extern SpectrumLineLists SpectrumLines;

// Normalised frequency (cycles per sample) of SpectrumDb bin k, 0 <= k < 10000:
// -0.5 .. 0.4999 in steps of 0.0001.
double SpectrumBinFrequency(int bin);

// Restores the start-up state of every member above (for tests and a fresh
// session): zero tables and spectrum, ComponentCount 10, ResultKind none,
// ExtrapolationLength 0, empty line lists.
void ResetResultModel();

}  // namespace vorenta
