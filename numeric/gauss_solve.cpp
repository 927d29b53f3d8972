#include "numeric/gauss_solve.h"

#include "numeric/gauss_elimination.h"

namespace vorenta {

void ComplexGaussSolve(int n, std::complex<double>* const* r, std::complex<double>* rhs, std::complex<double>* x) {
  detail::GaussEliminate(n, r, rhs, x, 1e-15, detail::Pivoting::kPartial);
}

void RealGaussSolve(int n, double* const* g, double* b, double* s) {
  detail::GaussEliminate(n, g, b, s, 1e-15, detail::Pivoting::kNone);
}

}  // namespace vorenta
