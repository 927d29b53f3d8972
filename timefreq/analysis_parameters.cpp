#include "timefreq/analysis_parameters.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/error.h"
#include "numeric/fft.h"
#include "spectrum/fit_buffers.h"
#include "spectrum/sinusoid_objective.h"

namespace vorenta {

AnalysisParameters ReadAnalysisParameters(int method, const AnalysisFields& fields) {
  if (method < 0 || method >= static_cast<int>(kTfMethodNames.size())) throw std::out_of_range("method");
  AnalysisParameters p;
  p.method = method;
  p.shown = fields;
  const int w = std::max(fields.windowSize, 1);
  p.windowSize = w;
  p.shown.fftSize = p.fftSize = NextFftLength(std::max(fields.fftSize, w));
  int a = fields.exponents;
  switch (method) {
    case kTfSymplex:
    case kTfWvs: {
      // The window (Symplex) must fit into the fit buffers; the lag product
      // (WVS) and its conjugate half must fit side by side into the start
      // spectrum of kFitBufferLength points.
      const int largest = method == kTfSymplex ? kFitBufferLength : kFitBufferLength + 1;
      if (w > largest)
        throw VorentaError(std::string("The moving window of \"") + std::string(kTfMethodNames[method]) +
                           "\" may not exceed " + std::to_string(largest) + " samples");
      a = std::max(std::min(a, kLargestObjectiveCount), 0);
      p.exponents = a;
      p.iterations = fields.iterations;
      break;
    }
    case kTfPronyModified:
      a = std::min(a, 2 * w / 3);
      p.exponents = a;
      p.storedExponents = a / 2;
      break;
    case kTfArBurg:
      if (a >= w) a = w - 1;
      p.order = a;
      break;
    case kTfArCovar:
      a = std::min(a, 2 * w / 3);
      p.order = a;
      break;
    case kTfMusic:
    case kTfWvMusic:
      a = std::max(std::min(a, w / 2), 2);
      p.eigenDimension = a;
      p.signalSpace = fields.signalSpace;
      break;
    default:
      break;
  }
  p.shown.exponents = a;
  return p;
}

}  // namespace vorenta
