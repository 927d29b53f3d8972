#pragma once
// The method list of the spectrum tab and the parameter limits of every
// method. Each clamp returns the value the method uses, which the caller
// writes back into the parameter field. A result of 0 for a main parameter
// means the run ends before computing.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vorenta {

// The method list, in list order.
inline constexpr std::array<std::string_view, 9> kMethodListItems = {
    "Periodogram", "Simplex", "Quasi-Newton", "Prony", "PronyModif", "AR Burg", "AR Covarience", "Music", "EV"};

namespace method_item {
inline constexpr int kPeriodogram = 0;
inline constexpr int kSimplex = 1;
inline constexpr int kQuasiNewton = 2;
inline constexpr int kProny = 3;
inline constexpr int kPronyModified = 4;
inline constexpr int kArBurg = 5;
inline constexpr int kArCovariance = 6;
inline constexpr int kMusic = 7;
inline constexpr int kEv = 8;
}  // namespace method_item

// What selecting an item does to the parameter fields. An index outside
// 0 .. 8 lays the fields out as "Simplex" does.
struct MethodFieldLayout {
  std::string_view MainLabel;  // new text of the main parameter's label; empty = unchanged
  bool MainFieldShown = false;
  bool SubspaceFieldShown = false;  // with the label kSubspaceLabel
  bool ExtrapolationEnabled = false;
};
inline constexpr std::string_view kSubspaceLabel = "Dimension of the signal subspace:";
MethodFieldLayout MethodListLayout(int itemIndex);

// The extrapolation field: 0 .. 100 samples of forecast; a disabled field
// gives 0 whatever it holds. A negative number (impossible to type) gives 0.
inline constexpr int kLargestExtrapolationLength = 100;
int ClampExtrapolationLength(int requested, bool fieldEnabled);

// Index of the method-list item spelled `name`, compared ASCII
// case-insensitively ("ar burg" finds "AR Burg"); nothing when no item matches.
std::optional<int> FindMethodListItem(std::string_view name);

// Largest component count the sinusoid fits hold (their parameter vectors).
inline constexpr int kLargestSinusoidCount = 200;
// Largest eigenvector dimension of the subspace methods (the up-down limit of
// the field); bounds the data matrix at 2*(N'-M) x 1000.
inline constexpr int kLargestSubspaceDimension = 1000;

// "AR Burg" order: min(p, N' - 1), at most 2000 (the component table's
// capacity, as the order becomes ComponentCount); negative p gives 0.
// stagedLength is N' = min(N, 10000).
int ClampBurgOrder(int requested, int stagedLength);

// "AR Covarience" order: min(p, floor(2*N'/3)), at most 2000; negative p gives 0.
int ClampCovarianceOrder(int requested, int stagedLength);

// "Prony" order over the whole selection of N samples: min(p, floor(N/2)),
// at most 2000; negative p gives 0.
int ClampPronyOrder(int requested, std::int64_t selectionLength);

// "PronyModif" order: min(P, floor(2*N/3)), at most 2000; negative P gives 0.
int ClampPronyModifiedOrder(int requested, std::int64_t selectionLength);

// "Simplex" / "Quasi-Newton" number of sinusoids: 0 .. 200 (negative gives 0).
int ClampSinusoidCount(int requested);

struct SubspaceDimensions {
  int VectorDimension = 0;  // M, columns of the data matrix
  int SignalDimension = 0;  // q, dimension of the signal subspace
};

// "Music" / "EV", in this order: M := max(M, 2); M := min(M, floor(N'/2), 1000);
// if q >= M then q := M - 1; if q <= 0 then q := 1. N' < 4 leaves M below 2,
// which no run can use (SubspaceDimensionsUsable).
SubspaceDimensions ClampSubspaceDimensions(int vectorDimension, int signalDimension, int stagedLength);

// True when the clamped dimensions describe a decomposable problem: M >= 2 and 0 < q < M.
bool SubspaceDimensionsUsable(const SubspaceDimensions& dimensions);

}  // namespace vorenta
