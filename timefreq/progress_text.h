#pragma once
// The progress readout of a time-frequency run.

#include <string>

namespace vorenta {

// The permille / 10 with one decimal, "%", then "    Time = " and the
// elapsed duration, "    Remaining Time = " and the remaining one (both in
// days): "12.5%    Time = 0:00:03    Remaining Time = 0:00:21".
std::string ProgressText(int permille, double elapsed, double remaining);

}  // namespace vorenta
