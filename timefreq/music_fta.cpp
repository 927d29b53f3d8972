#include "timefreq/music_fta.h"

#include <complex>
#include <stdexcept>

#include "spectrum/subspace.h"

namespace vorenta {

MUSIC_FTA::MUSIC_FTA(int eigenDimension, int signalSpace)
    : GridFTA(kRows), EigenDimension(eigenDimension), SignalSpace(signalSpace) {}

void MUSIC_FTA::ComputeWindow(const AnalyticSignalClass& signal, int offset) {
  const int w = WindowSize;
  if (w == 0 || SignalSpace >= EigenDimension || SignalSpace < 0) return;
  window_.resize(w);
  const int first = AnalysisStart(signal) + offset - w / 2;
  for (int j = 0; j < w; ++j) {
    const std::complex<double> x = SampleAt(signal, first + j);
    window_[j] = {x.real(), x.imag()};
  }
  TransformWindow();
  spectrum_.resize(kRows);
  int failure = 0;
  SubspaceSpectrum(SubspaceWeighting::kMusic, window_.data(), w, EigenDimension, SignalSpace, kRows,
                   spectrum_.data(), failure);
  if (failure != subspace_failure::kNone) throw std::runtime_error("subspace decomposition failed");
  const int column = offset / Step;
  StoreNormalisedBins(column, spectrum_.data(), frequencyScale_, 0.0, false);
}

WV_MUSIC_FTA::WV_MUSIC_FTA(int eigenDimension, int signalSpace) : MUSIC_FTA(eigenDimension, signalSpace) {
  FreqMax = 0.25;
  FreqMin = -0.25;
  frequencyScale_ = 0.5;
}

void WV_MUSIC_FTA::TransformWindow() {
  const int w = static_cast<int>(window_.size());
  for (int j = 0; j < w / 2; ++j) {
    const std::complex<double> a(window_[j].re, window_[j].im);
    const std::complex<double> b(window_[w - 1 - j].re, window_[w - 1 - j].im);
    const std::complex<double> y = a * std::conj(b);
    window_[j] = {y.real(), y.imag()};
    window_[w - 1 - j] = {y.real(), -y.imag()};
  }
  if (w % 2 == 1) {
    const ComplexSample& middle = window_[w / 2];
    window_[w / 2] = {middle.re * middle.re + middle.im * middle.im, 0.0};
  }
}

}  // namespace vorenta
