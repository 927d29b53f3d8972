#pragma once
// The failure messages of the spectrum methods, as the user reads them.

namespace vorenta {

inline constexpr char kPeriodogramFailureMessage[] = "Periodogram method problem solving";
inline constexpr char kBurgFailureMessage[] = "Burg method problem solving";
inline constexpr char kCovarianceFailureMessage[] = "Covarience method problem solving";
inline constexpr char kSubspaceFailureMessage[] = "MUSIC problem solving";

}  // namespace vorenta
