#pragma once
// Complex division by Smith's method: scales by the larger component of the
// divisor, so neither |b|^2 nor the intermediate products overflow or
// underflow where the quotient itself is representable.

#include <cmath>
#include <complex>

namespace vorenta {

// a / b. An exact zero divisor gives NaN with the invalid-operation flag
// raised, for the caller's floating-point check to see.
template <class Real>
std::complex<Real> SmithDivide(std::complex<Real> a, std::complex<Real> b) {
  const Real br = b.real();
  const Real bi = b.imag();
  if (std::fabs(br) >= std::fabs(bi)) {
    const Real ratio = bi / br;
    const Real denominator = br + bi * ratio;
    return {(a.real() + a.imag() * ratio) / denominator, (a.imag() - a.real() * ratio) / denominator};
  }
  const Real ratio = br / bi;
  const Real denominator = br * ratio + bi;
  return {(a.real() * ratio + a.imag()) / denominator, (a.imag() * ratio - a.real()) / denominator};
}

}  // namespace vorenta
