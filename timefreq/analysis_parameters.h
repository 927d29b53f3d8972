#pragma once
// The parameters of a fresh time-frequency run, read from the tab's fields
// and clamped per method; the clamped values are what the fields show
// afterwards.

#include <array>
#include <string_view>

namespace vorenta {

// The method list, in list order (the index is the method's number).
inline constexpr std::array<std::string_view, 9> kTfMethodNames = {
    "Fourier", "Wigner-Ville", "Symplex", "Prony Modified ", "AR Burg", "AR Covar", "MUSIC", "WV_MUSIC", "WVS"};

enum TfMethod : int {
  kTfFourier = 0,
  kTfWignerVille = 1,
  kTfSymplex = 2,
  kTfPronyModified = 3,
  kTfArBurg = 4,
  kTfArCovar = 5,
  kTfMusic = 6,
  kTfWvMusic = 7,
  kTfWvs = 8,
};

// The integer fields of the tab, as read (text that is not a number reads
// as 0 before it gets here).
struct AnalysisFields {
  int exponents = 2;     // "Number of exponents" / AR order / eigenvector dimension
  int windowSize = 100;  // "Moving Window size:"
  int fftSize = 2000;    // "FFT Size:"
  int signalSpace = 1;   // "Dimension of the signal space:"
  int iterations = 1;    // "Number of iterations:"
};

struct AnalysisParameters {
  int method = kTfFourier;
  // The fields after the clamps: what the tab shows.
  AnalysisFields shown;
  int windowSize = 100;
  int fftSize = 2000;         // grid methods: >= windowSize, a length the FFT accepts
  int exponents = 2;          // sinusoid fits: components per window
  int storedExponents = 1;    // "Prony Modified ": exponents / 2
  int order = 2;              // AR order
  int iterations = 1;         // sinusoid fits
  int eigenDimension = 2;     // MUSIC: >= 2, <= windowSize / 2 where possible
  int signalSpace = 1;        // MUSIC: signal-space dimension
  int frequencyRows = 10000;  // MUSIC rows
};

// Applies the clamps of method `method` (0 .. 8) to `fields`:
//   every method: FFT size raised to the window size (and to the next length
//     the FFT accepts);
//   "Prony Modified ": exponents <= 2W/3, stored as exponents / 2;
//   "AR Burg": order < W (W - 1 at most); "AR Covar": order <= 2W/3;
//   "MUSIC", "WV_MUSIC": eigenvector dimension min(a, W/2), then at least 2.
//   "Symplex", "WVS": exponents limited to 0 .. 2000 (the component table);
//     a window beyond the 10000-sample fit buffers and start spectrum
//     (W > 10000 for "Symplex", W > 10001 for "WVS") throws VorentaError.
// A window size below 1 is raised to 1 so that every run has a window.
// Throws std::out_of_range for a method outside 0 .. 8.
AnalysisParameters ReadAnalysisParameters(int method, const AnalysisFields& fields);

}  // namespace vorenta
