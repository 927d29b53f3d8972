#include "numeric/quasi_newton.h"

#include <algorithm>
#include <vector>

#include "numeric/failure.h"
#include "numeric/minimiser_reentry_guard.h"

namespace vorenta {
namespace {

// The one-call wrapper's storage, kept between calls because the
// moving-window estimators minimise once per window with the same n.
struct QuasiNewtonWorkspace {
  int n = 0;
  int allocations = 0;
  bool inUse = false;
  std::vector<double> real;
  std::vector<int> integer;

  void Prepare(int count) {
    if (count == n) return;
    // Sized as the historical callers expect: room for the driver plus a
    // fixed reserve.
    const int realLength = std::max(12 * count + count * (count - 1) / 2, 13) + 111;
    std::vector<double>(static_cast<size_t>(realLength)).swap(real);
    std::vector<int>(static_cast<size_t>(count + 113)).swap(integer);
    n = count;
    ++allocations;
  }
};

QuasiNewtonWorkspace& Workspace() {
  static QuasiNewtonWorkspace workspace;
  return workspace;
}

}  // namespace

double BoundedQuasiNewton(int n, double* x, const double* bl, const double* bu,
                          ObjectiveFunction objective) {
  QuasiNewtonWorkspace& workspace = Workspace();
  const MinimiserReentryGuard busy(workspace.inUse,
                                   "BoundedQuasiNewton entered again from its objective");
  double f = LargestReal();
  if (n < 1) return f;
  workspace.Prepare(n);
  int failure = 1;
  QuasiNewtonDriver(n, BoundKind::kPerVariable, bl, bu, x, f, objective, workspace.integer.data(),
                    static_cast<int>(workspace.integer.size()), workspace.real.data(),
                    static_cast<int>(workspace.real.size()), failure);
  return f;
}

int BoundedQuasiNewtonWorkspaceSize() { return Workspace().n; }
int BoundedQuasiNewtonAllocationCount() { return Workspace().allocations; }

}  // namespace vorenta
