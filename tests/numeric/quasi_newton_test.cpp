#include "numeric/quasi_newton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include "numeric/failure.h"
#include "numeric/fp_guard.h"
#include "tests/numeric/minimiser_test_functions.h"

namespace vorenta {
namespace {

using testing::objectiveCalls;

// (x1 - 1)^2 + (x2 - 2)^2.
void OffsetBowl(int, const double* x, double* f) {
  ++objectiveCalls;
  *f = (x[0] - 1.0) * (x[0] - 1.0) + (x[1] - 2.0) * (x[1] - 2.0);
}

// Runs the driver with its own workspace.
struct DriverRun {
  int Minimise(std::vector<double>& x, const std::vector<double>& bl, const std::vector<double>& bu,
               ObjectiveFunction objective, int failureOnEntry = 1) {
    const int n = static_cast<int>(x.size());
    std::vector<double> w(static_cast<size_t>(QuasiNewtonRealWorkspaceLength(n)));
    std::vector<int> iw(static_cast<size_t>(QuasiNewtonIntegerWorkspaceLength(n)));
    objectiveCalls = 0;
    int failure = failureOnEntry;
    QuasiNewtonDriver(n, BoundKind::kPerVariable, bl.data(), bu.data(), x.data(), f, objective,
                      iw.data(), static_cast<int>(iw.size()), w.data(), static_cast<int>(w.size()),
                      failure);
    states.assign(iw.begin(), iw.begin() + n);
    return failure;
  }
  double f = 0.0;
  std::vector<int> states;
};

TEST(QuasiNewton, BowlInsideWideBounds) {
  std::vector<double> x{0.0, 0.0};
  const std::vector<double> bl{-10.0, -10.0}, bu{10.0, 10.0};
  objectiveCalls = 0;
  const double f = BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), OffsetBowl);
  EXPECT_LT(f, 1e-8);
  EXPECT_NEAR(x[0], 1.0, 1e-4);
  EXPECT_NEAR(x[1], 2.0, 1e-4);
  EXPECT_LE(objectiveCalls, 800);
}

TEST(QuasiNewton, BowlWithActiveUpperBoundFixesTheVariable) {
  DriverRun run;
  std::vector<double> x{0.0, 0.0};
  const int failure = run.Minimise(x, {-10.0, -10.0}, {0.5, 10.0}, OffsetBowl);
  EXPECT_EQ(failure, kQuasiNewtonConverged);
  EXPECT_EQ(x[0], 0.5);
  EXPECT_NEAR(x[1], 2.0, 1e-4);
  EXPECT_NEAR(run.f, 0.25, 1e-8);
  EXPECT_EQ(run.states[0], -1);  // fixed at its upper bound
  EXPECT_LE(objectiveCalls, 800);
}

TEST(QuasiNewton, StartOutsideTheBoundsIsMovedOntoThem) {
  // x1 starts beyond its upper bound 0.5, x2 below its lower bound 3.
  DriverRun run;
  std::vector<double> x{4.0, -1.0};
  const int failure = run.Minimise(x, {-10.0, 3.0}, {0.5, 10.0}, OffsetBowl);
  EXPECT_EQ(failure, kQuasiNewtonConverged);
  EXPECT_EQ(x[0], 0.5);
  EXPECT_EQ(x[1], 3.0);
  EXPECT_NEAR(run.f, 1.25, 1e-12);
}

TEST(QuasiNewton, VariableLeavesABoundWhenItsMultiplierSaysSo) {
  // Start on the lower bound of x1 = -1, but the minimum x1 = 1 is inside.
  DriverRun run;
  std::vector<double> x{-1.0, 0.0};
  const int failure = run.Minimise(x, {-1.0, -10.0}, {10.0, 10.0}, OffsetBowl);
  EXPECT_EQ(failure, kQuasiNewtonConverged);
  EXPECT_NEAR(x[0], 1.0, 1e-4);
  EXPECT_NEAR(x[1], 2.0, 1e-4);
}

TEST(QuasiNewton, EqualBoundsFixTheVariable) {
  DriverRun run;
  std::vector<double> x{0.0, 0.0};
  run.Minimise(x, {-3.0, -10.0}, {-3.0, 10.0}, OffsetBowl);
  EXPECT_EQ(x[0], -3.0);
  EXPECT_NEAR(x[1], 2.0, 1e-4);
  EXPECT_EQ(run.states[0], -3);
}

struct ClassicProblem {
  const char* name;
  ObjectiveFunction objective;
  std::vector<double> start, lower, upper, minimum;
  double fMinimum;
  double xTolerance;
  bool mayUseAllCalls;  // a singular Hessian at the minimum makes progress linear
};

class QuasiNewtonClassic : public ::testing::TestWithParam<ClassicProblem> {};

TEST_P(QuasiNewtonClassic, ReachesTheKnownMinimum) {
  const ClassicProblem& p = GetParam();
  const int n = static_cast<int>(p.start.size());
  DriverRun run;
  std::vector<double> x = p.start;
  const int failure = run.Minimise(x, p.lower, p.upper, p.objective);
  // Function-value-only methods may stop just short of certainty (5..8).
  EXPECT_TRUE(failure == kQuasiNewtonConverged ||
              (failure >= kQuasiNewtonProbableMinimum && failure <= kQuasiNewtonDoubtfulMinimum) ||
              (p.mayUseAllCalls && failure == kQuasiNewtonCallLimit))
      << failure;
  EXPECT_LE(objectiveCalls, 400 * n + 8 * n);  // one iteration may overrun the limit
  EXPECT_NEAR(run.f, p.fMinimum, 1e-6);
  for (int i = 0; i < n; ++i) EXPECT_NEAR(x[i], p.minimum[i], p.xTolerance) << "x" << i;
}

const std::vector<double> kWide2{-10.0, -10.0}, kWideUpper2{10.0, 10.0};
const std::vector<double> kWide4{-10.0, -10.0, -10.0, -10.0}, kWideUpper4{10.0, 10.0, 10.0, 10.0};

INSTANTIATE_TEST_SUITE_P(
    Functions, QuasiNewtonClassic,
    ::testing::Values(ClassicProblem{"Rosenbrock2",
                                     testing::Rosenbrock,
                                     {-1.2, 1.0},
                                     kWide2,
                                     kWideUpper2,
                                     {1.0, 1.0},
                                     0.0,
                                     1e-3,
                                     false},
                      ClassicProblem{"Rosenbrock4",
                                     testing::Rosenbrock,
                                     {-1.2, 1.0, -1.2, 1.0},
                                     kWide4,
                                     kWideUpper4,
                                     {1.0, 1.0, 1.0, 1.0},
                                     0.0,
                                     2e-3,
                                     false},
                      ClassicProblem{"PowellSingular",
                                     testing::PowellSingular,
                                     {3.0, -1.0, 0.0, 1.0},
                                     kWide4,
                                     kWideUpper4,
                                     {0.0, 0.0, 0.0, 0.0},
                                     0.0,
                                     0.01,
                                     true},
                      // Unconstrained minimum (1, 1) cut off by x2 <= 0.5: on the bound the
                      // minimum of 100 (0.5 - x1^2)^2 + (1 - x1)^2 (by Newton's method on
                      // its derivative) is at x1 = 0.70855950376.
                      ClassicProblem{"RosenbrockOnABound",
                                     testing::Rosenbrock,
                                     {-1.2, 0.0},
                                     kWide2,
                                     {10.0, 0.5},
                                     {0.7085595037613498, 0.5},
                                     0.08536051101672501,
                                     1e-4,
                                     false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(QuasiNewton, RecoversTwoFrequenciesFromNearbyStart) {
  testing::twoTone.Synthesise(200, 0.7, -1.3, {1.0, 0.5}, {0.6, -0.2});
  std::vector<double> x{0.69, -1.31};
  const double tau = 2.0 * std::acos(-1.0);
  const std::vector<double> bl{-tau, -tau}, bu{tau, tau};
  objectiveCalls = 0;
  const double f = BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), testing::TwoToneObjective);
  EXPECT_LT(f, 1e-10);
  EXPECT_LE(objectiveCalls, 800 + 16);
  EXPECT_NEAR(x[0], 0.7, 1e-6);
  EXPECT_NEAR(x[1], -1.3, 1e-6);
}

// The bowl plus deterministic noise of relative size 1e-9: finite
// differences become unreliable near the minimum.
void NoisyBowl(int n, const double* x, double* f) {
  OffsetBowl(n, x, f);
  const double phase = std::sin(12345.678 * x[0] + 98765.4321 * x[1]);
  *f += 1e-9 * (1.0 + *f) * phase;
}

TEST(QuasiNewton, NoisyObjectiveStillEndsNearTheMinimum) {
  DriverRun run;
  std::vector<double> x{0.0, 0.0};
  const int failure = run.Minimise(x, {-10.0, -10.0}, {10.0, 10.0}, NoisyBowl);
  EXPECT_TRUE(failure == kQuasiNewtonConverged || failure == kQuasiNewtonNoLowerPoint ||
              (failure >= kQuasiNewtonProbableMinimum && failure <= kQuasiNewtonDoubtfulMinimum))
      << failure;
  EXPECT_LE(objectiveCalls, 800 + 24);
  EXPECT_NEAR(x[0], 1.0, 1e-3);
  EXPECT_NEAR(x[1], 2.0, 1e-3);
}

TEST(QuasiNewton, RaisesNoFloatingPointFaultOnAWellBehavedProblem) {
  // Callers detect faults by the flags, so the driver must not raise any.
  std::vector<double> x{-1.2, 1.0};
  const std::vector<double> bl{-10.0, -10.0}, bu{10.0, 10.0};
  const FloatingPointGuard guard;
  BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), testing::Rosenbrock);
  EXPECT_FALSE(guard.Faulted());
}

TEST(QuasiNewton, WorkspaceIsReusedForTheSameSizeAndReallocatedForAnother) {
  std::vector<double> x3{0.0, 0.0, 0.0}, b3l(3, -10.0), b3u(3, 10.0);
  BoundedQuasiNewton(3, x3.data(), b3l.data(), b3u.data(), testing::ShiftedParabola);
  EXPECT_EQ(BoundedQuasiNewtonWorkspaceSize(), 3);
  const int afterFirst = BoundedQuasiNewtonAllocationCount();
  x3 = {1.0, 1.0, 1.0};
  BoundedQuasiNewton(3, x3.data(), b3l.data(), b3u.data(), testing::ShiftedParabola);
  EXPECT_EQ(BoundedQuasiNewtonAllocationCount(), afterFirst);
  std::vector<double> x2{0.0, 0.0};
  const double f =
      BoundedQuasiNewton(2, x2.data(), b3l.data(), b3u.data(), testing::ShiftedParabola);
  EXPECT_EQ(BoundedQuasiNewtonWorkspaceSize(), 2);
  EXPECT_EQ(BoundedQuasiNewtonAllocationCount(), afterFirst + 1);
  EXPECT_LT(f, 1e-8);
  EXPECT_NEAR(x2[1], 3.0, 1e-4);
}

struct BadDriverArguments {
  int n;
  int kind;
  int realShortfall;
  int integerShortfall;
  double upperOfFirst;  // below the lower bound 0 makes bl > bu
};

class QuasiNewtonBadArguments : public ::testing::TestWithParam<BadDriverArguments> {};

TEST_P(QuasiNewtonBadArguments, FailBeforeEvaluating) {
  const BadDriverArguments& c = GetParam();
  std::vector<double> x(3, 0.5), bl(3, 0.0), bu(3, 1.0);
  bu[0] = c.upperOfFirst;
  std::vector<double> w(100);
  std::vector<int> iw(10);
  const int lw = QuasiNewtonRealWorkspaceLength(std::max(c.n, 1)) - c.realShortfall;
  const int liw = QuasiNewtonIntegerWorkspaceLength(std::max(c.n, 1)) - c.integerShortfall;
  objectiveCalls = 0;
  int failure = 0;
  double f = 7.0;
  QuasiNewtonDriver(c.n, static_cast<BoundKind>(c.kind), bl.data(), bu.data(), x.data(), f,
                    testing::ShiftedParabola, iw.data(), liw, w.data(), lw, failure);
  EXPECT_EQ(failure, kQuasiNewtonBadArguments);
  EXPECT_EQ(objectiveCalls, 0);
  EXPECT_EQ(x[0], 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuasiNewtonBadArguments,
    ::testing::Values(BadDriverArguments{0, 0, 0, 0, 1.0}, BadDriverArguments{3, 4, 0, 0, 1.0},
                      BadDriverArguments{3, -1, 0, 0, 1.0}, BadDriverArguments{3, 0, 1, 0, 1.0},
                      BadDriverArguments{3, 0, 0, 1, 1.0}, BadDriverArguments{3, 0, 0, 0, -1.0}));

TEST(QuasiNewton, OtherBoundKinds) {
  std::vector<double> w(static_cast<size_t>(QuasiNewtonRealWorkspaceLength(2)));
  std::vector<int> iw(static_cast<size_t>(QuasiNewtonIntegerWorkspaceLength(2)));
  struct Case {
    BoundKind kind;
    double bl, bu, x1, x2;
  };
  for (const Case& c :
       {Case{BoundKind::kUnbounded, 0, 0, 1.0, 2.0}, Case{BoundKind::kCommon, 1.5, 1.8, 1.5, 1.8},
        Case{BoundKind::kNonNegative, 0, 0, 1.0, 2.0}}) {
    std::vector<double> x{-0.5, -0.5};
    double f = 0.0;
    int failure = 0;
    QuasiNewtonDriver(2, c.kind, &c.bl, &c.bu, x.data(), f, OffsetBowl, iw.data(), 4, w.data(),
                      static_cast<int>(w.size()), failure);
    EXPECT_NEAR(x[0], c.x1, 1e-4) << static_cast<int>(c.kind);
    EXPECT_NEAR(x[1], c.x2, 1e-4) << static_cast<int>(c.kind);
  }
}

TEST(QuasiNewton, CallLimitEndsWithCodeTwo) {
  // A valley a million times steeper than wide needs more than 400·n calls.
  DriverRun run;
  std::vector<double> x{-1.2, 1.0};
  auto valley = [](int, const double* v, double* f) {
    ++objectiveCalls;
    const double a = v[1] - v[0] * v[0];
    *f = 1e6 * a * a + (1.0 - v[0]) * (1.0 - v[0]);
  };
  EXPECT_EQ(run.Minimise(x, {-10.0, -10.0}, {10.0, 10.0}, valley), kQuasiNewtonCallLimit);
  EXPECT_GT(objectiveCalls, 800);
  EXPECT_LE(objectiveCalls, 800 + 2 * 2 + 20);  // the last iteration's gradient and search
  double atX = 0.0;
  valley(2, x.data(), &atX);
  EXPECT_EQ(atX, run.f);                            // x and f always form an evaluated pair
  EXPECT_LT(run.f, 1e6 * 0.44 * 0.44 + 2.2 * 2.2);  // below the start value
}

int nanFromCall = 0;
void BowlTurningNan(int n, const double* x, double* f) {
  OffsetBowl(n, x, f);
  if (objectiveCalls >= nanFromCall) *f = std::numeric_limits<double>::quiet_NaN();
}

TEST(QuasiNewton, NanAtTheStartEndsWithoutAResult) {
  nanFromCall = 1;
  std::vector<double> x{0.0, 0.0};
  const std::vector<double> bl{-10.0, -10.0}, bu{10.0, 10.0};
  objectiveCalls = 0;
  EXPECT_EQ(BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), BowlTurningNan), LargestReal());
  EXPECT_EQ(objectiveCalls, 1);
  EXPECT_EQ(x[0], 0.0);
}

TEST(QuasiNewton, NanLaterKeepsTheLastAcceptedPoint) {
  nanFromCall = 12;
  DriverRun run;
  std::vector<double> x{0.0, 0.0};
  EXPECT_EQ(run.Minimise(x, {-10.0, -10.0}, {10.0, 10.0}, BowlTurningNan), kQuasiNewtonNotFinite);
  EXPECT_EQ(objectiveCalls, 12);
  ASSERT_TRUE(std::isfinite(run.f));
  EXPECT_EQ(run.f, (x[0] - 1) * (x[0] - 1) + (x[1] - 2) * (x[1] - 2));
}

void ThrowingObjective(int n, const double* x, double* f) {
  OffsetBowl(n, x, f);
  if (objectiveCalls == 9) throw std::runtime_error("objective failed");
}

TEST(QuasiNewton, ObjectiveExceptionPassesThroughAndTheWrapperStaysUsable) {
  std::vector<double> x{0.0, 0.0};
  const std::vector<double> bl{-10.0, -10.0}, bu{10.0, 10.0};
  objectiveCalls = 0;
  EXPECT_THROW(BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), ThrowingObjective),
               std::runtime_error);
  x = {0.0, 0.0};
  EXPECT_LT(BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), OffsetBowl), 1e-8);
}

void ReenteringObjective(int n, const double* x, double* f) {
  std::vector<double> y(x, x + n), bl(n, -1.0), bu(n, 1.0);
  *f = BoundedQuasiNewton(n, y.data(), bl.data(), bu.data(), OffsetBowl);
}

TEST(QuasiNewton, ReentryFromTheObjectiveIsRefused) {
  std::vector<double> x{0.0, 0.0};
  const std::vector<double> bl{-10.0, -10.0}, bu{10.0, 10.0};
  EXPECT_THROW(BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), ReenteringObjective),
               std::logic_error);
  x = {0.0, 0.0};
  EXPECT_LT(BoundedQuasiNewton(2, x.data(), bl.data(), bu.data(), OffsetBowl), 1e-8);
}

}  // namespace
}  // namespace vorenta
