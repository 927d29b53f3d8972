#pragma once
// Axis helpers shared by every plot: the grid and label steps of an axis, the
// guard against collapsed value ranges, the format of axis labels, and the
// data-coordinate point of the time-frequency image.

#include <span>
#include <string>

namespace vorenta {

// A point in data coordinates: the vertical value (for example a frequency)
// first, then the horizontal position (for example a sample number).
struct CoordTF {
  double value = 0.0;
  double position = 0.0;
};

// One entry of a step table: the distance between grid lines and between
// labelled (thick) grid lines, in data units.
struct TickSteps {
  double grid = 0.0;
  double label = 0.0;
};

// Steps for axes in sample numbers: 50 entries with ascending grid steps
// 0.1, 0.2, 0.25, 0.4, 0.5, 1, 2, 4, 5, then {10, 20, 25, 40, 50} * 10^k for
// k = 0 .. 7, then 1e9. The label step is 5 grid steps, 4 for grid steps of
// the form 2.5 * 10^k.
std::span<const TickSteps> SampleAxisSteps();

// Steps for value and frequency axes: 68 entries with descending grid steps
// 5, 2.5, 2, 1 times 10^k for k = 9 down to -7; label steps as above.
std::span<const TickSteps> ValueAxisSteps();

// Picks the steps for an axis showing `span` data units over `pixels` pixels:
// target := span * 20 / pixels (what 20 pixels stand for); walking the table
// from its first entry, the next entry is taken while it is strictly closer
// to the target (ties keep the earlier one). pixels < 1 counts as 1; a NaN
// target keeps the first entry. An empty table gives {0, 0}.
TickSteps ChooseTickSteps(double span, int pixels, std::span<const TickSteps> table);

// Keeps a value range from collapsing: when max - min < 1e-15 (equal ends
// included) min := min - 1 and max := max + 1; otherwise unchanged.
void FitRange(double& min, double& max);

// The label of a value axis: "0.###E+00" when |v| >= 1000 or |v| <= 0.01,
// otherwise "0.###" (at most three decimals, trailing zeros dropped, "." as
// separator, exponent with sign and at least two digits): 1234.56 ->
// "1.235E+03", 12.3456 -> "12.346", 0.005 -> "5E-03", 0 -> "0E+00".
// Non-finite values are written "NAN", "INF" or "-INF".
std::string FormatAxisValue(double v);

// The label of a sample axis: v rounded half away from zero to an integer
// ("0" picture).
std::string FormatAxisSample(double v);

}  // namespace vorenta
