#pragma once
// Gill–Murray modified Cholesky factorisation L·D·L^T = H + E of a symmetric
// matrix, E a non-negative diagonal chosen so that the factors are those of
// a positive definite matrix; and the direction of negative curvature it
// yields. Storage as in numeric/quasi_newton_factors.h.

namespace vorenta {

// On entry lower (packed strictly lower triangle by rows) and diagonal hold
// H of order n >= 1; on return they hold L and D. With gamma the largest
// |H_jj|, xi the largest |H_ij| (i != j; 0 for n = 1),
// beta^2 = max(gamma, xi/n, eps) and delta = max(eps, eps·max(gamma, xi)),
// column j = 0 .. n-1 forms c_jj = H_jj - sum_{k<j} L_jk^2 d_k and
// c_ij = H_ij - sum_{k<j} L_ik L_jk d_k (i > j), raises c_jj below delta to
// max(|c_jj|, delta), takes d_j = max(c_jj, theta_j^2/beta^2) with
// theta_j = max_i |c_ij| and L_ij = c_ij/d_j.
// Returns the 1-based index of the variable whose c_jj was raised most, 0
// when none was raised (H was numerically positive definite).
int ModifiedCholesky(int n, double* lower, double* diagonal);

// The direction of negative curvature of the factorisation that raised
// variable `raised` (1-based): the solution of L^T·p = e_raised, negated
// when needed so that g^T·p <= 0.
void NegativeCurvatureDirection(int n, const double* lower, int raised, const double* g, double* p);

}  // namespace vorenta
