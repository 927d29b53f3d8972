#include "numeric/solve_by_minimising.h"

#include "numeric/newton_minimiser.h"
#include "numeric/quasi_newton_factors.h"

namespace vorenta {
namespace {

// The least-squares problem being solved, for the callbacks (which carry
// no context).
struct LeastSquaresProblem {
  int rows = 0;
  int columns = 0;
  const double* a = nullptr;
  const double* r = nullptr;
};

LeastSquaresProblem problem;

// F = sum_k res_k^2 with res = A·s - r; g = 2·A^T·res.
void LeastSquaresGradient(int& /*mode*/, int n, const double* s, double* f, double* g, int*, int,
                          double*, int) {
  for (int j = 0; j < n; ++j) g[j] = 0.0;
  double sum = 0.0;
  for (int k = 0; k < problem.rows; ++k) {
    const double* row = problem.a + static_cast<long>(k) * problem.columns;
    double residual = -problem.r[k];
    for (int j = 0; j < n; ++j) residual += row[j] * s[j];
    sum += residual * residual;
    for (int j = 0; j < n; ++j) g[j] += 2.0 * residual * row[j];
  }
  *f = sum;
}

// H = 2·A^T·A.
void LeastSquaresHessian(int& /*mode*/, int n, const double*, double* lower, double* diagonal, int*,
                         int, double*, int) {
  for (int i = 0; i < n; ++i) {
    diagonal[i] = 0.0;
    for (int j = 0; j < i; ++j) lower[PackedIndex(i, j)] = 0.0;
  }
  for (int k = 0; k < problem.rows; ++k) {
    const double* row = problem.a + static_cast<long>(k) * problem.columns;
    for (int i = 0; i < n; ++i) {
      diagonal[i] += 2.0 * row[i] * row[i];
      for (int j = 0; j < i; ++j) lower[PackedIndex(i, j)] += 2.0 * row[i] * row[j];
    }
  }
}

}  // namespace

void SolveByMinimising(int rows, int columns, const double* a, const double* r, double* s) {
  if (rows < 1 || columns < 1) return;
  // A nested call (refused by NewtonMinimise) must not leave the outer
  // solve looking at its problem.
  class ProblemScope {
   public:
    explicit ProblemScope(const LeastSquaresProblem& current) : saved_(problem) {
      problem = current;
    }
    ~ProblemScope() { problem = saved_; }
    ProblemScope(const ProblemScope&) = delete;
    ProblemScope& operator=(const ProblemScope&) = delete;

   private:
    LeastSquaresProblem saved_;
  };
  const ProblemScope scope({rows, columns, a, r});
  for (int j = 0; j < columns; ++j) s[j] = 1.0;
  NewtonMinimise(columns, s, LeastSquaresGradient, LeastSquaresHessian);
}

}  // namespace vorenta
