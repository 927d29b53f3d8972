#include "timefreq/progress_text.h"

#include "core/number_format.h"
#include "core/time_of_day.h"

namespace vorenta {

std::string ProgressText(int permille, double elapsed, double remaining) {
  return FormatFloat("0.0", permille / 10.0) + "%    Time = " + FormatDuration(elapsed) +
         "    Remaining Time = " + FormatDuration(remaining);
}

}  // namespace vorenta
