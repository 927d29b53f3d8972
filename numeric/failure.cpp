#include "numeric/failure.h"

#include <cmath>

namespace vorenta {

int ReportFailure(int /*codeOnEntry*/, int error, std::string_view /*kernelName*/) { return error; }

double SafeDivide(double a, double b, bool& failed) {
  if (a == 0.0) {
    failed = (b == 0.0);
    return 0.0;
  }
  if (b == 0.0) {
    failed = true;
    return std::copysign(SafeMaximum(), a);
  }
  if (std::fabs(b) >= 1.0) {
    failed = false;
    return std::fabs(a) < std::fabs(b) * SafeMinimum() ? 0.0 : a / b;
  }
  if (std::fabs(a) <= std::fabs(b) * SafeMaximum()) {
    failed = false;
    return a / b;
  }
  failed = true;
  return (a < 0.0) != (b < 0.0) ? -SafeMaximum() : SafeMaximum();
}

double TransferSign(double m, double x) {
  if (x > 0.0) return std::fabs(m);
  if (x < 0.0) return -std::fabs(m);
  return 0.0;
}

}  // namespace vorenta
