#include "core/signal_synthesis.h"

#include <cmath>
#include <new>
#include <numbers>

#include "core/error.h"
#include "core/message_sink.h"
#include "core/messages.h"
#include "core/number_format.h"
#include "core/random.h"
#include "core/signal_store.h"

namespace vorenta {

namespace {

double Cell(const std::vector<std::string>& cells, std::size_t index) {
  return index < cells.size() ? ReadDecimalPrefix(cells[index]) : 0.0;
}

// The phase of a component at sample n.
double ComponentPhase(GeneratorMode mode, const GeneratorComponent& c, double n, double length) {
  constexpr double kTwoPi = 2 * std::numbers::pi;
  if (mode == GeneratorMode::kLineFrequencyModulation) {
    return kTwoPi * (n * c.Frequency + (c.Frequency2 - c.Frequency) * n * n / (2 * length)) + c.Phase;
  }
  return kTwoPi * c.Frequency * n + c.Phase;
}

bool ResizeStore(std::int32_t n) { return Channel1.Resize(n) && Channel2.Resize(n) && TimeBase.Resize(n); }

}  // namespace

GeneratorComponent ReadGeneratorRow(GeneratorMode mode, const std::vector<std::string>& cells) {
  GeneratorComponent c;
  c.Amplitude = Cell(cells, 0);
  c.Frequency = Cell(cells, 1);
  if (mode == GeneratorMode::kLineFrequencyModulation) {
    c.Frequency2 = Cell(cells, 2);
    c.Phase = Cell(cells, 3);
    c.Damping = Cell(cells, 4);
  } else {
    c.Phase = Cell(cells, 2);
    c.Damping = Cell(cells, 3);
  }
  return c;
}

SynthesisedSamples SynthesiseSamples(const GeneratorSettings& settings) {
  if (settings.Samples < kSmallestGeneratorSamples) throw VorentaError(kTooFewSamplesMessage);
  const std::int32_t length = settings.Samples;
  SynthesisedSamples samples{std::vector<double>(length), std::vector<double>(length)};
  for (std::int32_t i = 0; i < length; ++i) {
    const double n = i;
    double re = RandomGaussian(0.0, settings.Noise);
    double im = RandomGaussian(0.0, settings.Noise);
    for (const GeneratorComponent& c : settings.Components) {
      const double theta = ComponentPhase(settings.Mode, c, n, length);
      const double envelope = c.Amplitude * std::exp(n * c.Damping);
      re += envelope * std::cos(theta);
      im += envelope * std::sin(theta);
    }
    samples.Real[i] = re;
    samples.Imaginary[i] = settings.ComplexSignal ? im : 0.0;
    // An overflowing envelope gives inf, or NaN through 0 * inf.
    if (!std::isfinite(re) || !std::isfinite(samples.Imaginary[i])) throw VorentaError(kSynthesisOverflowMessage);
  }
  return samples;
}

bool SynthesiseSignal(const GeneratorSettings& settings) {
  SynthesisedSamples samples;
  try {
    samples = SynthesiseSamples(settings);
  } catch (const std::bad_alloc&) {
    ShowMessage(kOutOfMemoryMessage);
    return false;
  }
  const std::int32_t length = settings.Samples;
  Decimation = 1;
  SignalLength = static_cast<std::uint32_t>(length);
  if (SignalStore.RangeEnd >= length) SignalStore.RangeEnd = length - 1;
  if (SignalStore.RangeStart >= length) SignalStore.RangeStart = length - 1;
  const bool resized = ResizeStore(length);
  for (std::int32_t n = 0; n < length; ++n) {
    Channel1.Set(n, samples.Real[n]);
    Channel2.Set(n, samples.Imaginary[n]);
    TimeBase.Set(n, n);
  }
  TimeBase.UpdateStep();
  SelectionStart = 0;
  SelectionEnd = length - 1;
  CropStart = 0;
  CropEnd = length - 1;
  Channel1Present = true;
  Channel2Present = settings.ComplexSignal;
  return resized;
}

}  // namespace vorenta
