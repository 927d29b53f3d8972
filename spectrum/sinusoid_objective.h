#pragma once
// The least-squares objectives of the sinusoid fits (variable projection: the
// minimisers search the frequencies only; for every trial the amplitudes come
// from a linear least-squares solve), and the model synthesis behind the row
// marking of the component table.
//
// The data are FitBufferRe/FitBufferIm, FitSampleCount() samples
// (spectrum/fit_buffers.h). Results go to ComponentTable and SampleBuffer.
// All of it is process-wide state, so none of these functions is re-entrant.
// The relative error everywhere is
//   E / D,  E = sum_{m<N} |model_m - data_m|^2,  D = sum_{m<N} |data_m|^2,
// with D replaced by 1 when below 1e-20, so data of zeros give 0, not 0/0.

#include <cstdint>

namespace vorenta {

// Largest n the objectives accept: the component table holds the n
// exponentials and the constant term at entry n.
inline constexpr int kLargestObjectiveCount = 2000;

// The message of a sinusoid fit that cannot produce a finite result.
inline constexpr char kSinusoidFitFailureMessage[] = "Sinusoid fit problem solving";

// An ObjectiveFunction (numeric/objective_function.h). omega holds n angular
// frequencies (radians per sample); the model is
//   model_m = sum_{l=0..n} c_l * exp(i*2*pi*f_l*m),  f_l = omega_l/(2*pi),
// with f_n = 0 (the constant term) and complex c_l fitted by least squares
// over the N fit-buffer samples (each real and imaginary part clamped into
// [-1e30, 1e30]). The Gram matrix comes from closed-form Dirichlet sums of the
// frequency differences, reduced modulo 1 (frequencies one cycle apart are the
// same on sampled data); a near-singular system yields large but finite
// amplitudes, never a failure.
// Writes Frequency[0 .. n] (f_l; Frequency[n] = 0) and model_m into
// SampleBuffer[m] for m < N; *f = the relative error.
// Throws VorentaError(kSinusoidFitFailureMessage) when n is outside
// 0 .. kLargestObjectiveCount, or when the result is not finite (a NaN or
// infinite frequency, an invalid operation, a division by zero or an overflow).
// Cost O(n*N) trigonometric evaluations plus an O(n^3) solve; working storage
// is reallocated only when n changes.
void SinusoidObjective(int n, const double* omega, double* f);

// SinusoidObjective, and in addition Amplitude[l] = |c_l| and
// Phase[l] = arg c_l (0 when |c_l| <= 1e-30), l = 0 .. n, taken before the
// clamping; the model is written for m = 0 .. N+99 (the 100-sample forecast),
// as far as SampleBuffer reaches. Own working storage, separate from
// SinusoidObjective's. Same failures.
void EvaluateSinusoidModel(int n, const double* omega, double* f);

// An ObjectiveFunction for the model sum_{l<n} a_l * exp(i*2*pi*f_l*m) with
// real a_l and no constant term; f_l = omega_l/(2*pi) brought into
// [-0.5, 0.5] by whole cycles. Writes Frequency[l] = f_l, Amplitude[l] = a_l
// (signed), Phase[l] = 0, Frequency[n] = Amplitude[n] = 0, the model into
// SampleBuffer[m] for m < N, and *f = the relative error. n = 0 is the empty
// model (f = 1 for non-zero data). Same failures as SinusoidObjective.
void RealAmplitudeObjective(int n, const double* omega, double* f);

// Writes model_m = sum_{j<count} amplitude_j * exp(i*(2*pi*frequency_j*m + phase_j))
// (frequencies in cycles per sample) into SampleBuffer[m] for
// m = 0 .. N+99 as far as SampleBuffer reaches, N the length of the selection
// start .. end (inclusive, empty when end < start), and returns its relative
// error against the selection read from Channel1/Channel2 over all N samples.
// count <= 0 gives the zero model. Throws VorentaError(kSinusoidFitFailureMessage)
// when the result is not finite.
double SynthesiseModel(int count, const double* amplitude, const double* frequency, const double* phase,
                       std::int32_t selectionStart, std::int32_t selectionEnd);

}  // namespace vorenta
