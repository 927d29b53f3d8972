#pragma once
// Creates the estimator of a method with its parameters. `Display` wraps an
// estimator class into the one actually created, so that the tab and the
// command-line tool can each override ShowProgress without a subclass per
// method: Display<FourierFTA> must derive from FourierFTA and forward its
// constructor arguments.

#include <memory>
#include <stdexcept>

#include "timefreq/analysis_parameters.h"
#include "timefreq/ar_fta.h"
#include "timefreq/fourier_fta.h"
#include "timefreq/fta.h"
#include "timefreq/music_fta.h"
#include "timefreq/prony_mod_fta.h"
#include "timefreq/sinusoid_fta.h"
#include "timefreq/wvp_fta.h"

namespace vorenta {

// The plain estimator, with the base class's silent ShowProgress.
template <class Estimator>
using WithoutDisplay = Estimator;

template <template <class> class Display>
std::unique_ptr<FTA> CreateAnalysis(const AnalysisParameters& p) {
  switch (p.method) {
    case kTfFourier:
      return std::make_unique<Display<FourierFTA>>(p.fftSize);
    case kTfWignerVille:
      return std::make_unique<Display<WVP_FTA>>(p.fftSize);
    case kTfSymplex:
      return std::make_unique<Display<SimplexFTA>>(p.exponents, p.iterations);
    case kTfPronyModified:
      return std::make_unique<Display<PronyModFTA>>(p.fftSize, p.storedExponents);
    case kTfArBurg:
      return std::make_unique<Display<BurgFTA>>(p.fftSize, p.order);
    case kTfArCovar:
      return std::make_unique<Display<CovarModFTA>>(p.fftSize, p.order);
    case kTfMusic:
      return std::make_unique<Display<MUSIC_FTA>>(p.eigenDimension, p.signalSpace);
    case kTfWvMusic:
      return std::make_unique<Display<WV_MUSIC_FTA>>(p.eigenDimension, p.signalSpace);
    case kTfWvs:
      return std::make_unique<Display<WVS_FTA>>(p.exponents, p.iterations);
    default:
      throw std::out_of_range("method");
  }
}

}  // namespace vorenta
