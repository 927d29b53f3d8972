#pragma once
// The stages "Prony" and "PronyModif" share: the selection in extended
// precision, lag products of the prediction systems, the roots of the
// prediction polynomial, the least-squares amplitudes of the exponentials,
// the component parameters, the model with its forecast, the magnitude
// spectrum and the final write into the result model. Everything up to the
// component parameters is long double; the stored results are doubles.

#include <complex>
#include <cstdint>
#include <vector>

#include "core/signal_store.h"
#include "spectrum/result_model.h"
#include "spectrum/spectrum_run.h"

namespace vorenta {

using ExtendedComplex = std::complex<long double>;

// The failure message of both Prony methods.
inline constexpr char kPronyFailureMessage[] = "Systems of Linear Equations problem solving";

// Largest number of exponentials: PolynomialRoots takes at most 1000
// coefficients, i.e. a polynomial of degree 999.
inline constexpr int kLargestPronyOrder = 999;

// The whole selection start .. end (inclusive, any length; empty when
// end < start) as Channel1 + i*Channel2 in extended precision.
std::vector<ExtendedComplex> ReadSelectionExtended(std::int32_t start, std::int32_t end);

// True when every sample is exactly zero (or there are none).
bool AllZero(const std::vector<ExtendedComplex>& x);

// sum_{m=first..last} conj(x[m - lagA]) * x[m - lagB]; requires
// lagA, lagB <= first and last < count of x. Empty (0) when last < first.
ExtendedComplex LagProduct(const ExtendedComplex* x, std::int64_t first, std::int64_t last, int lagA, int lagB);

// A dense n x n complex system in the row-pointer form SolveComplexSystem takes.
class ExtendedSystem {
 public:
  explicit ExtendedSystem(int n);
  int Size() const { return size_; }
  ExtendedComplex& At(int row, int column) { return matrix_[static_cast<std::size_t>(row) * size_ + column]; }
  ExtendedComplex* const* Rows() { return rows_.data(); }
  std::vector<ExtendedComplex>& Rhs() { return rhs_; }
  // Solves the system (partial pivoting, tiny pivots replaced by 1e-100;
  // overwrites matrix and right-hand side) and returns the solution.
  std::vector<ExtendedComplex> Solve();

 private:
  int size_;
  std::vector<ExtendedComplex> matrix_;
  std::vector<ExtendedComplex*> rows_;
  std::vector<ExtendedComplex> rhs_;
};

// The roots of sum_k coefficient[k] * z^(M-k), M = coefficient count - 1,
// leading coefficient first (M >= 1, M <= kLargestPronyOrder). Throws
// VorentaError(kPronyFailureMessage) when PolynomialRoots fails, so no caller
// ever goes on with root slots it did not fill.
std::vector<ExtendedComplex> PredictionPolynomialRoots(const std::vector<ExtendedComplex>& coefficients);

// The least-squares amplitudes h of x[n] ~ sum_j h_j * z_j^n over all n of x.
// The normal equations are formed in a scaled basis, z_j^n for |z_j| <= 1
// and z_j^(n-N+1) for |z_j| > 1, whose values never exceed 1 on the data: a
// spurious strongly growing root (z^N beyond even the extended range) thus
// gets an amplitude that underflows towards 0 instead of overflowing the
// system. Gram entries are closed-form geometric sums (N terms of ratio
// w = conj(z_i)*z_j, summed from the larger end; N when |w - 1| < 1e-20).
// Returns the h_j of the unscaled model.
std::vector<ExtendedComplex> FitExponentialAmplitudes(const std::vector<ExtendedComplex>& roots,
                                                      const std::vector<ExtendedComplex>& x);

// A*exp(i*phi)*exp((alpha + i*2*pi*f)*n) in double precision, formed as one
// exponential exp(ln A + alpha*n + i*(phi + 2*pi*f*n)) so that a tiny
// amplitude of a fast-growing component does not pass through an infinity;
// 0 when A = 0.
std::complex<double> ExponentialValue(double amplitude, double frequency, double phase, double damping, double n);

// Damped exponentials in the result model's terms.
struct PronyComponents {
  std::vector<double> Frequency;  // cycles per sample, -0.5 < f <= 0.5
  std::vector<double> Amplitude;  // |h|
  std::vector<double> Phase;      // arg h; 0 when |h| <= 1e-15
  std::vector<double> Damping;    // ln|z|; ln(1e-10) with f = 0 when |z|^2 <= 1e-20
};

// Component i from root z_i and amplitude h_i as above, then ordered by
// increasing |Frequency| with the exchange order of the table (for i < j,
// entries swap when |f_j| < |f_i|; equal |f| keep the root order).
PronyComponents ComponentsFromRoots(const std::vector<ExtendedComplex>& roots,
                                    const std::vector<ExtendedComplex>& amplitudes);

// Model sum_i A_i*exp(i*phi_i)*exp((alpha_i + i*2*pi*f_i)*n) in double
// precision for n < N (N = size of x) and the forecast n = N .. N+99 with
// alpha_i replaced by min(alpha_i, 1.1); entries up to the SampleBuffer
// length go to `model` (resized to min(N+100, kSampleBufferLength)). Returns
// the relative error sum_{n<N} |model_n - x_n|^2 / sum_{n<N} |x_n|^2 (no
// square root); x must not be all zero.
double SynthesiseExponentials(const PronyComponents& components, const std::vector<ExtendedComplex>& x,
                              std::vector<ComplexSample>& model);

// |S_k| of the 10000-point FFT (numeric/fft.h) of s = re + i*im (both
// kSpectrumBins long, overwritten); the magnitudes replace re. Throws
// VorentaError(kPronyFailureMessage) when the transform fails.
void MagnitudeSpectrum(std::vector<double>& re, std::vector<double>& im);

// The end of a successful run: FinishSpectrum on `spectrum` (the magnitudes
// of kSpectrumBins bins), then ComponentTable entries 0 .. M-1, SampleBuffer
// entries 0 .. model.size()-1 and SpectrumDb take the results. Throws
// VorentaError(kPronyFailureMessage), writing nothing, when a floating-point
// fault was flagged since the caller's guard began (guardFaulted) or the
// spectrum has no peak. Fills Computed, DbMin, DbMax and RelativeError of
// `report`.
void CommitPronyResult(const PronyComponents& components, const std::vector<ComplexSample>& model,
                       std::vector<double>& spectrum, double relativeError, bool guardFaulted,
                       SpectrumRunReport& report);

}  // namespace vorenta
