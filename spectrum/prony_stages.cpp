#include "spectrum/prony_stages.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "core/error.h"
#include "numeric/complex_system.h"
#include "numeric/fft.h"
#include "numeric/polynomial_roots.h"
#include "spectrum/finish_spectrum.h"
#include "spectrum/selection_staging.h"

namespace vorenta {

namespace {

constexpr long double kCyclesPerRadian = 0.159154943091895335768883763372514362L;
constexpr long double kUnitRatio = 1e-20L;
constexpr long double kSmallestRootPower = 1e-20L;
constexpr double kSmallestPhasedAmplitude = 1e-15;
constexpr double kLargestForecastDamping = 1.1;
constexpr int kForecastLength = 100;

// Plain complex product: std::complex's operator* also handles infinities
// by a slow library call, which the hot loops here do not need (a fault is
// caught by the floating-point flags instead).
ExtendedComplex Multiply(const ExtendedComplex& a, const ExtendedComplex& b) {
  return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

ExtendedComplex Power(ExtendedComplex base, std::int64_t exponent) {
  ExtendedComplex result(1.0L, 0.0L);
  while (exponent > 0) {
    if (exponent & 1) result = Multiply(result, base);
    base = Multiply(base, base);
    exponent >>= 1;
  }
  return result;
}

// sum_{k<N} r^k for |r| <= 1 (no power overflows).
ExtendedComplex GeometricSum(const ExtendedComplex& r, std::int64_t count) {
  const ExtendedComplex one(1.0L, 0.0L);
  if (std::abs(r - one) < kUnitRatio) return {static_cast<long double>(count), 0.0L};
  return (one - Power(r, count)) / (one - r);
}

// The scaled basis function of one root over n = 0 .. N-1: z^n when
// |z| <= 1, z^(n-N+1) otherwise; its values at n = 0 and n = N-1.
struct ScaledBasis {
  bool anchoredAtEnd;
  ExtendedComplex first;
  ExtendedComplex last;
};

ScaledBasis MakeScaledBasis(const ExtendedComplex& z, std::int64_t count) {
  const ExtendedComplex one(1.0L, 0.0L);
  if (std::norm(z) <= 1) return {false, one, Power(z, count - 1)};
  return {true, Power(one / z, count - 1), one};
}

// sum_n conj(b_i(n)) * b_j(n): a geometric sequence of ratio w whose larger
// end is at most 1, summed from that end.
ExtendedComplex ScaledGramEntry(const ScaledBasis& bi, const ScaledBasis& bj, const ExtendedComplex& w,
                                std::int64_t count) {
  if (std::norm(w) <= 1) return Multiply(std::conj(bi.first), bj.first) * GeometricSum(w, count);
  return Multiply(std::conj(bi.last), bj.last) * GeometricSum(1.0L / w, count);
}

// sum_n conj(b(n)) * x[n], walking from the end where b is 1.
ExtendedComplex ScaledProjection(const ExtendedComplex& z, const ScaledBasis& basis,
                                 const std::vector<ExtendedComplex>& x) {
  ExtendedComplex sum;
  if (!basis.anchoredAtEnd) {
    const ExtendedComplex step = std::conj(z);
    ExtendedComplex power(1.0L, 0.0L);
    for (const ExtendedComplex& sample : x) {
      sum += Multiply(power, sample);
      power = Multiply(power, step);
    }
  } else {
    const ExtendedComplex step = std::conj(1.0L / z);
    ExtendedComplex power(1.0L, 0.0L);
    for (auto sample = x.rbegin(); sample != x.rend(); ++sample) {
      sum += Multiply(power, *sample);
      power = Multiply(power, step);
    }
  }
  return sum;
}

}  // namespace

std::vector<ExtendedComplex> ReadSelectionExtended(std::int32_t start, std::int32_t end) {
  std::vector<ExtendedComplex> x(static_cast<std::size_t>(SelectionLength(start, end)));
  for (std::size_t n = 0; n < x.size(); ++n) {
    // start + n <= end, so the index fits in int32.
    const auto index = static_cast<std::int32_t>(start + static_cast<std::int64_t>(n));
    x[n] = ExtendedComplex(Channel1[index], Channel2[index]);
  }
  return x;
}

bool AllZero(const std::vector<ExtendedComplex>& x) {
  return std::all_of(x.begin(), x.end(), [](const ExtendedComplex& v) { return v.real() == 0 && v.imag() == 0; });
}

ExtendedComplex LagProduct(const ExtendedComplex* x, std::int64_t first, std::int64_t last, int lagA, int lagB) {
  long double re = 0;
  long double im = 0;
  const ExtendedComplex* a = x - lagA;
  const ExtendedComplex* b = x - lagB;
  for (std::int64_t m = first; m <= last; ++m) {
    const long double ar = a[m].real();
    const long double ai = a[m].imag();
    const long double br = b[m].real();
    const long double bi = b[m].imag();
    re += ar * br + ai * bi;
    im += ar * bi - ai * br;
  }
  return {re, im};
}

ExtendedSystem::ExtendedSystem(int n)
    : size_(n), matrix_(static_cast<std::size_t>(n) * n), rows_(n), rhs_(n) {
  for (int i = 0; i < n; ++i) rows_[i] = matrix_.data() + static_cast<std::size_t>(i) * n;
}

std::vector<ExtendedComplex> ExtendedSystem::Solve() {
  std::vector<ExtendedComplex> solution(size_);
  SolveComplexSystem(size_, rows_.data(), rhs_.data(), solution.data());
  return solution;
}

std::vector<ExtendedComplex> PredictionPolynomialRoots(const std::vector<ExtendedComplex>& coefficients) {
  const int m = static_cast<int>(coefficients.size());
  std::vector<long double> re(m);
  std::vector<long double> im(m);
  for (int k = 0; k < m; ++k) {
    re[k] = coefficients[k].real();
    im[k] = coefficients[k].imag();
  }
  std::vector<long double> rootRe(std::max(m - 1, 0));
  std::vector<long double> rootIm(std::max(m - 1, 0));
  int failure = 0;
  PolynomialRoots(re.data(), im.data(), m, rootRe.data(), rootIm.data(), 0.0L, failure);
  if (failure != 0) throw VorentaError(kPronyFailureMessage);
  std::vector<ExtendedComplex> roots(rootRe.size());
  for (std::size_t k = 0; k < roots.size(); ++k) roots[k] = ExtendedComplex(rootRe[k], rootIm[k]);
  return roots;
}

std::vector<ExtendedComplex> FitExponentialAmplitudes(const std::vector<ExtendedComplex>& roots,
                                                      const std::vector<ExtendedComplex>& x) {
  const int count = static_cast<int>(roots.size());
  const auto sampleCount = static_cast<std::int64_t>(x.size());
  std::vector<ScaledBasis> bases;
  bases.reserve(count);
  for (const ExtendedComplex& z : roots) bases.push_back(MakeScaledBasis(z, sampleCount));
  ExtendedSystem system(count);
  for (int i = 0; i < count; ++i) {
    const ExtendedComplex conjugate = std::conj(roots[i]);
    for (int j = 0; j < count; ++j) {
      system.At(i, j) = ScaledGramEntry(bases[i], bases[j], Multiply(conjugate, roots[j]), sampleCount);
    }
    system.Rhs()[i] = ScaledProjection(roots[i], bases[i], x);
  }
  std::vector<ExtendedComplex> amplitudes = system.Solve();
  // h_j z_j^(n-N+1) = (h_j z_j^(1-N)) z_j^n.
  for (int j = 0; j < count; ++j) amplitudes[j] = Multiply(amplitudes[j], bases[j].first);
  return amplitudes;
}

std::complex<double> ExponentialValue(double amplitude, double frequency, double phase, double damping, double n) {
  if (amplitude == 0) return {};
  return std::exp(std::complex<double>(std::log(amplitude) + damping * n, phase + 2 * std::numbers::pi * frequency * n));
}

PronyComponents ComponentsFromRoots(const std::vector<ExtendedComplex>& roots,
                                    const std::vector<ExtendedComplex>& amplitudes) {
  const std::size_t count = roots.size();
  PronyComponents c{std::vector<double>(count), std::vector<double>(count), std::vector<double>(count),
                    std::vector<double>(count)};
  for (std::size_t i = 0; i < count; ++i) {
    const double amplitude = static_cast<double>(std::abs(amplitudes[i]));
    c.Amplitude[i] = amplitude;
    c.Phase[i] = amplitude > kSmallestPhasedAmplitude ? static_cast<double>(std::arg(amplitudes[i])) : 0.0;
    if (std::norm(roots[i]) > kSmallestRootPower) {
      c.Damping[i] = static_cast<double>(std::log(std::abs(roots[i])));
      c.Frequency[i] = static_cast<double>(std::arg(roots[i]) * kCyclesPerRadian);
    } else {
      c.Damping[i] = std::log(1e-10);
      c.Frequency[i] = 0.0;
    }
  }
  for (std::size_t i = 0; i + 1 < count; ++i) {
    for (std::size_t j = i + 1; j < count; ++j) {
      if (std::abs(c.Frequency[j]) < std::abs(c.Frequency[i])) {
        std::swap(c.Frequency[i], c.Frequency[j]);
        std::swap(c.Amplitude[i], c.Amplitude[j]);
        std::swap(c.Phase[i], c.Phase[j]);
        std::swap(c.Damping[i], c.Damping[j]);
      }
    }
  }
  return c;
}

double SynthesiseExponentials(const PronyComponents& components, const std::vector<ExtendedComplex>& x,
                              std::vector<ComplexSample>& model) {
  const std::size_t count = components.Frequency.size();
  const auto sampleCount = static_cast<std::int64_t>(x.size());
  const std::int64_t stored = std::min<std::int64_t>(sampleCount + kForecastLength, kSampleBufferLength);
  model.assign(static_cast<std::size_t>(stored), ComplexSample{});
  long double residual = 0;
  long double energy = 0;
  for (std::int64_t n = 0; n < std::max(sampleCount, stored); ++n) {
    const bool forecast = n >= sampleCount;
    std::complex<double> value;
    for (std::size_t i = 0; i < count; ++i) {
      const double damping =
          forecast ? std::min(components.Damping[i], kLargestForecastDamping) : components.Damping[i];
      value += ExponentialValue(components.Amplitude[i], components.Frequency[i], components.Phase[i], damping,
                                static_cast<double>(n));
    }
    if (n < stored) model[n] = ComplexSample{value.real(), value.imag()};
    if (!forecast) {
      const ExtendedComplex& sample = x[n];
      residual += std::norm(ExtendedComplex(value.real(), value.imag()) - sample);
      energy += std::norm(sample);
    }
  }
  return static_cast<double>(residual / energy);
}

void MagnitudeSpectrum(std::vector<double>& re, std::vector<double>& im) {
  int failure = 0;
  ComplexFft(re.data(), im.data(), kSpectrumBins, failure);
  if (failure != 0) throw VorentaError(kPronyFailureMessage);
  for (int k = 0; k < kSpectrumBins; ++k) re[k] = std::hypot(re[k], im[k]);
}

void CommitPronyResult(const PronyComponents& components, const std::vector<ComplexSample>& model,
                       std::vector<double>& spectrum, double relativeError, bool guardFaulted,
                       SpectrumRunReport& report) {
  if (guardFaulted || !std::isfinite(relativeError)) throw VorentaError(kPronyFailureMessage);
  const std::optional<DecibelRange> range = FinishSpectrum(spectrum.data(), kSpectrumBins);
  if (!range) throw VorentaError(kPronyFailureMessage);

  const std::size_t count = std::min<std::size_t>(components.Frequency.size(), kComponentCapacity);
  std::copy_n(components.Frequency.begin(), count, ComponentTable.Frequency.begin());
  std::copy_n(components.Amplitude.begin(), count, ComponentTable.Amplitude.begin());
  std::copy_n(components.Phase.begin(), count, ComponentTable.Phase.begin());
  std::copy_n(components.Damping.begin(), count, ComponentTable.Damping.begin());
  std::copy_n(model.begin(), std::min<std::size_t>(model.size(), SampleBuffer.size()), SampleBuffer.begin());
  std::copy_n(spectrum.begin(), kSpectrumBins, SpectrumDb.begin());

  report.Computed = true;
  report.DbMin = range->Smallest;
  report.DbMax = range->Largest;
  report.RelativeError = relativeError;
}

}  // namespace vorenta
