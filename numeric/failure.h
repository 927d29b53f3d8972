#pragma once
// The failure-code convention shared by every kernel that can fail, the
// machine constants, and two small arithmetic helpers of the Newton-type
// minimisers. Nothing here prints or throws.
//
// A failure code is an int passed by reference as a kernel's last argument.
// On entry it holds the caller's selector (0 almost everywhere; the
// quasi-Newton wrapper passes 1); on return 0 means success and a positive
// value is the kernel's own error number, documented at each kernel.

#include <string_view>

namespace vorenta {

// Returns `error` unchanged (0 when there is no error). The caller's code on
// entry and the kernel name are accepted for the convention's sake and never
// produce output.
int ReportFailure(int codeOnEntry, int error, std::string_view kernelName);

// 2^-52, the relative spacing of doubles at 1.0.
constexpr double MachineEpsilon() { return 2.220446049250313080847e-16; }
// Largest finite double.
constexpr double LargestReal() { return 1.7976931348623157e308; }
// 2^-126, the smallest normal single-precision number: the underflow
// threshold of the minimisers (deliberately not the double minimum).
constexpr double SafeMinimum() { return 1.1754943508222875e-38; }
// 1 / SafeMinimum() = 2^126, the overflow substitute of SafeDivide.
constexpr double SafeMaximum() { return 8.507059173023462e37; }

// a / b guarded against overflow and underflow; `failed` tells whether the
// quotient had to be replaced:
//   a = 0            -> 0, failed exactly when b = 0;
//   b = 0            -> ±SafeMaximum (sign of a), failed;
//   |b| >= 1         -> 0 when |a| < |b|·SafeMinimum, else a/b; not failed;
//   0 < |b| < 1      -> a/b when |a| <= |b|·SafeMaximum, not failed;
//                       else ±SafeMaximum (negative when signs differ), failed.
double SafeDivide(double a, double b, bool& failed);

// |m| when x > 0, 0 when x = 0, -|m| when x < 0 (note the zero case).
double TransferSign(double m, double x);

}  // namespace vorenta
