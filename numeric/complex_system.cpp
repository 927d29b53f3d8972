#include "numeric/complex_system.h"

#include "numeric/gauss_elimination.h"

namespace vorenta {

void SolveComplexSystem(int n, std::complex<long double>* const* a, std::complex<long double>* b,
                        std::complex<long double>* x) {
  detail::GaussEliminate(n, a, b, x, 1e-100L, detail::Pivoting::kPartial);
}

}  // namespace vorenta
