#include "spectrum/spectrum_methods.h"

#include <array>

#include "spectrum/ar_burg.h"
#include "spectrum/ar_covariance.h"
#include "spectrum/method_parameters.h"
#include "spectrum/periodogram.h"
#include "spectrum/prony.h"
#include "spectrum/prony_modified.h"
#include "spectrum/sinusoid_fit.h"
#include "spectrum/subspace.h"

namespace vorenta {

namespace {

// In method-list order.
constexpr std::array<SpectrumRunFunction, kMethodListItems.size()> kMethodRuns = {
    RunPeriodogram,     // "Periodogram"
    RunSimplexFit,      // "Simplex"
    RunQuasiNewtonFit,  // "Quasi-Newton"
    RunProny,           // "Prony"
    RunPronyModified,   // "PronyModif"
    RunArBurg,          // "AR Burg"
    RunArCovariance,    // "AR Covarience"
    RunMusic,           // "Music"
    RunEv,              // "EV"
};

}  // namespace

SpectrumRunFunction SpectrumMethodRun(int itemIndex) {
  if (itemIndex < 0 || itemIndex >= static_cast<int>(kMethodRuns.size())) itemIndex = method_item::kSimplex;
  return kMethodRuns[itemIndex];
}

SpectrumRunFunction SpectrumMethodRun(std::string_view name) {
  const std::optional<int> item = FindMethodListItem(name);
  return item ? SpectrumMethodRun(*item) : nullptr;
}

}  // namespace vorenta
