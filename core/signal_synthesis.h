#pragma once
// The signal generator's synthesis: a table of damped complex exponentials
// (or real damped sinusoids) or of damped linear chirps, plus Gaussian noise,
// written into the signal store as a fresh signal.

#include <cstdint>
#include <string>
#include <vector>

namespace vorenta {

enum class GeneratorMode {
  kSumOfExponentials,         // columns Amplitude, Frequency, Phase, Damping Factor
  kLineFrequencyModulation,   // columns Amplitude, Frequency1, Frequency2, Phase, Damping Factor
};

// One table row. Frequencies in cycles per sample, phase in radians, damping
// per sample (envelope exp(n * Damping)). Frequency2 is used only in the
// chirp mode, where Frequency is the start frequency.
struct GeneratorComponent {
  double Amplitude = 0;
  double Frequency = 0;
  double Frequency2 = 0;
  double Phase = 0;
  double Damping = 0;
};

struct GeneratorSettings {
  GeneratorMode Mode = GeneratorMode::kSumOfExponentials;
  bool ComplexSignal = true;
  double Noise = 0;              // standard deviation of each Gaussian deviate
  std::int32_t Samples = 1000;   // N, at least kSmallestGeneratorSamples
  std::vector<GeneratorComponent> Components;
};

// The time step estimate of the store needs two samples.
inline constexpr std::int32_t kSmallestGeneratorSamples = 2;

// Refusal texts of the synthesis.
inline constexpr char kTooFewSamplesMessage[] = "Число отсчётов должно быть не меньше 2";
inline constexpr char kSynthesisOverflowMessage[] = "Переполнение при создании сигнала";

// A table row read from its cell texts in the given mode's column order (4
// cells for the exponentials, 5 for the chirps; missing cells read as 0). Each
// cell is its numeric prefix with "." as separator, or 0 (core/number_format.h
// ReadDecimalPrefix).
GeneratorComponent ReadGeneratorRow(GeneratorMode mode, const std::vector<std::string>& cells);

// The samples of the signal, n = 0 .. N-1, before they go into the store:
//   re, im := two Gaussian deviates of mean 0 and deviation Noise (RandomGaussian,
//             core/random.h, in this order for every sample, whatever the options);
//   exponentials: re += A cos(2 pi f n + phi) e^{n d}, im += A sin(2 pi f n + phi) e^{n d};
//   chirps: the same with theta(n) = 2 pi (n f1 + (f2 - f1) n^2 / (2N)) + phi in
//           place of 2 pi f n + phi (instantaneous frequency f1 at n = 0, f2 at n = N);
//   a real signal (ComplexSignal false) has im = 0 at every sample.
// Every component is evaluated directly at every sample.
// Throws VorentaError kTooFewSamplesMessage when Samples < 2, and
// kSynthesisOverflowMessage when a value overflows or is not a number (a
// steep damping, a non-finite table value); std::bad_alloc when the arrays
// do not fit in memory.
struct SynthesisedSamples {
  std::vector<double> Real;
  std::vector<double> Imaginary;
};
SynthesisedSamples SynthesiseSamples(const GeneratorSettings& settings);

// SynthesiseSamples, then replaces the store's signal: Decimation := 1,
// SignalLength := N, RangeStart and RangeEnd each lowered to N - 1 when at or
// above N, Channel1, Channel2, TimeBase resized to N (stopping at the first
// failure, which shows "Недостаточно памяти"), the samples written, stamps
// 0 .. N-1 with UpdateStep (TimeStep 1), selection and crop 0 .. N-1,
// Channel1Present true, Channel2Present = ComplexSignal. No DC offset removal,
// no analytic transform. Returns false when a resize failed (the store then
// holds only the samples that exist). A refusal (the throws above) leaves the
// store untouched; exhausted memory for the samples shows "Недостаточно
// памяти" and returns false with the store untouched.
bool SynthesiseSignal(const GeneratorSettings& settings);

}  // namespace vorenta
