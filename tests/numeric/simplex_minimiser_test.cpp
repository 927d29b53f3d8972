#include "numeric/simplex_minimiser.h"

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

// Caller-owned storage of one minimisation of n variables.
struct SimplexRun {
  explicit SimplexRun(int count)
      : n(count),
        trial(count),
        secondTrial(count),
        centroid(count),
        steps(count),
        values(count + 1),
        simplex((count + 1) * count) {}

  int Minimise(std::vector<double>& x, ObjectiveFunction objective, int maxcal, double tol = 1e-12,
               int failureOnEntry = 0) {
    objectiveCalls = 0;
    int failure = failureOnEntry;
    SimplexMinimise(n, x.data(), fmin, tol, n + 1, trial.data(), secondTrial.data(),
                    centroid.data(), steps.data(), values.data(), simplex.data(), objective, maxcal,
                    failure);
    return failure;
  }

  int n;
  double fmin = -1.0;
  std::vector<double> trial, secondTrial, centroid, steps, values, simplex;
};

TEST(SimplexMinimiser, ParabolaStepsFromTheCoordinateSearchAndConverges) {
  SimplexRun run(2);
  std::vector<double> x{0.0, 0.0};
  EXPECT_EQ(run.Minimise(x, testing::ShiftedParabola, 400), kSimplexConverged);
  EXPECT_NEAR(run.steps[0], 3.0, 1e-12);
  EXPECT_NEAR(run.steps[1], 3.0, 1e-12);
  EXPECT_NEAR(x[0], 3.0, 1e-6);
  EXPECT_NEAR(x[1], 3.0, 1e-6);
  EXPECT_LT(run.fmin, 1e-10);
  EXPECT_LT(objectiveCalls, 400);
}

// Depends on x[1] only, so the search along x[0] sees H = 0.
void FlatAlongFirst(int, const double* x, double* f) {
  ++objectiveCalls;
  *f = (x[1] - 1.0) * (x[1] - 1.0);
}

TEST(SimplexMinimiser, FlatCoordinateWalksRightToTheSearchReach) {
  SimplexRun run(2);
  std::vector<double> x{0.0, 0.0};
  run.Minimise(x, FlatAlongFirst, 400);
  EXPECT_EQ(run.steps[0], 5.0);
  EXPECT_NEAR(x[1], 1.0, 1e-5);
}

TEST(SimplexMinimiser, CallLimitDuringCoordinateSearchLeavesXUnchanged) {
  SimplexRun run(2);
  std::vector<double> x{0.25, -0.5};
  EXPECT_EQ(run.Minimise(x, testing::ShiftedParabola, 5), kSimplexCallLimit);
  EXPECT_EQ(objectiveCalls, 6);
  EXPECT_EQ(x[0], 0.25);
  EXPECT_EQ(x[1], -0.5);
  EXPECT_EQ(run.fmin, 0.0);
}

TEST(SimplexMinimiser, CallLimitInMainLoopReturnsBestVertex) {
  SimplexRun run(2);
  std::vector<double> x{-1.2, 1.0};
  EXPECT_EQ(run.Minimise(x, testing::Rosenbrock, 40), kSimplexCallLimit);
  EXPECT_LE(objectiveCalls, 40 + 2 + 3);  // one iteration may overrun by expansion or shrink
  double atX = 0.0;
  testing::Rosenbrock(2, x.data(), &atX);
  EXPECT_EQ(atX, run.fmin);
  EXPECT_LT(run.fmin, 24.2);  // below the start value
}

struct BadArguments {
  int n;
  double tol;
  int vertexExtra;
  int maxcal;
  int failureOnEntry;
};

class SimplexBadArguments : public ::testing::TestWithParam<BadArguments> {};

TEST_P(SimplexBadArguments, FailWithoutEvaluating) {
  const BadArguments& c = GetParam();
  const int n = std::max(c.n, 1);
  std::vector<double> x(static_cast<size_t>(n), 0.5), work(static_cast<size_t>(4 * n + 2));
  std::vector<double> simplex(static_cast<size_t>((n + 1) * n));
  objectiveCalls = 0;
  double fmin = 7.0;
  int failure = c.failureOnEntry;
  SimplexMinimise(c.n, x.data(), fmin, c.tol, c.n + 1 + c.vertexExtra, work.data(), work.data() + n,
                  work.data() + 2 * n, work.data() + 3 * n, work.data() + 4 * n, simplex.data(),
                  testing::ShiftedParabola, c.maxcal, failure);
  EXPECT_EQ(failure, kSimplexBadArguments);
  EXPECT_EQ(objectiveCalls, 0);
  EXPECT_EQ(fmin, 0.0);
  EXPECT_EQ(x[0], 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimplexBadArguments,
    ::testing::Values(BadArguments{0, 1e-12, 0, 10, 0}, BadArguments{2, 1e-17, 0, 10, 0},
                      BadArguments{2, 1e-12, 1, 10, 0}, BadArguments{2, 1e-12, 0, 0, 0},
                      BadArguments{2, 1e-12, 0, 10, -1}, BadArguments{2, 1e-12, 0, 10, 2}));

TEST(SimplexMinimiser, FailureCodeOneOnEntryIsAccepted) {
  SimplexRun run(2);
  std::vector<double> x{0.0, 0.0};
  EXPECT_EQ(run.Minimise(x, testing::ShiftedParabola, 400, 1e-12, 1), kSimplexConverged);
}

struct ClassicProblem {
  const char* name;
  ObjectiveFunction objective;
  std::vector<double> start;
  std::vector<double> minimum;
  int maxcal;
  double xTolerance;
};

class SimplexClassic : public ::testing::TestWithParam<ClassicProblem> {};

TEST_P(SimplexClassic, ReachesTheKnownMinimum) {
  const ClassicProblem& p = GetParam();
  const int n = static_cast<int>(p.start.size());
  SimplexRun run(n);
  std::vector<double> x = p.start;
  EXPECT_EQ(run.Minimise(x, p.objective, p.maxcal), kSimplexConverged);
  EXPECT_LE(objectiveCalls, p.maxcal);
  EXPECT_LT(run.fmin, 1e-8);
  for (int i = 0; i < n; ++i) EXPECT_NEAR(x[i], p.minimum[i], p.xTolerance) << "x" << i;
}

INSTANTIATE_TEST_SUITE_P(
    Functions, SimplexClassic,
    ::testing::Values(
        ClassicProblem{"Rosenbrock2", testing::Rosenbrock, {-1.2, 1.0}, {1.0, 1.0}, 2000, 1e-4},
        ClassicProblem{"Rosenbrock4",
                       testing::Rosenbrock,
                       {-1.2, 1.0, -1.2, 1.0},
                       {1.0, 1.0, 1.0, 1.0},
                       20000,
                       1e-3},
        ClassicProblem{"PowellSingular",
                       testing::PowellSingular,
                       {3.0, -1.0, 0.0, 1.0},
                       {0.0, 0.0, 0.0, 0.0},
                       20000,
                       0.05}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(SimplexMinimiser, RecoversTwoFrequenciesFromNearbyStart) {
  // The coordinate search steps by at least 0.1, wider than a spectral peak
  // of 200 samples in radians; in units of 0.01 rad the start is 2 units off.
  testing::twoTone.Synthesise(200, 0.7, -1.3, {1.0, 0.5}, {0.6, -0.2});
  testing::twoTone.unit = 0.01;
  SimplexRun run(2);
  std::vector<double> x{68.0, -128.0};
  const int failure = run.Minimise(x, testing::TwoToneObjective, 400);
  testing::twoTone.unit = 1.0;
  EXPECT_EQ(failure, kSimplexConverged);
  EXPECT_LE(objectiveCalls, 400);
  EXPECT_NEAR(x[0], 70.0, 1e-4);
  EXPECT_NEAR(x[1], -130.0, 1e-4);
}

TEST(SimplexMinimiser, RaisesNoFloatingPointFaultOnAWellBehavedProblem) {
  SimplexRun run(4);
  std::vector<double> x{3.0, -1.0, 0.0, 1.0};
  const FloatingPointGuard guard;
  run.Minimise(x, testing::PowellSingular, 20000);
  EXPECT_FALSE(guard.Faulted());
}

// f is NaN from the very first call, or from a given call on.
int nanFromCall = 0;
void ParabolaTurningNan(int n, const double* x, double* f) {
  testing::ShiftedParabola(n, x, f);
  if (objectiveCalls >= nanFromCall) *f = std::numeric_limits<double>::quiet_NaN();
}

TEST(SimplexMinimiser, NanAtTheStartFailsWithXUnchanged) {
  nanFromCall = 1;
  SimplexRun run(2);
  std::vector<double> x{0.5, 0.5};
  EXPECT_EQ(run.Minimise(x, ParabolaTurningNan, 400), kSimplexNotFinite);
  EXPECT_EQ(objectiveCalls, 1);
  EXPECT_EQ(x[0], 0.5);
  EXPECT_EQ(run.fmin, LargestReal());
}

TEST(SimplexMinimiser, NanInTheMainLoopKeepsTheBestFiniteVertex) {
  nanFromCall = 20;
  SimplexRun run(2);
  std::vector<double> x{0.0, 0.0};
  EXPECT_EQ(run.Minimise(x, ParabolaTurningNan, 400), kSimplexNotFinite);
  EXPECT_EQ(objectiveCalls, 20);
  ASSERT_TRUE(std::isfinite(run.fmin));
  EXPECT_EQ(run.fmin, (x[0] - 3) * (x[0] - 3) + (x[1] - 3) * (x[1] - 3));
}

void InfiniteObjective(int, const double*, double* f) {
  ++objectiveCalls;
  *f = std::numeric_limits<double>::infinity();
}

TEST(SimplexMinimiser, InfinityIsRejectedToo) {
  SimplexRun run(1);
  std::vector<double> x{0.0};
  EXPECT_EQ(run.Minimise(x, InfiniteObjective, 400), kSimplexNotFinite);
}

void ThrowingObjective(int, const double*, double*) {
  if (++objectiveCalls == 10) throw std::runtime_error("objective failed");
}

TEST(SimplexMinimiser, ObjectiveExceptionPassesThroughAndNextCallWorks) {
  SimplexRun run(2);
  std::vector<double> x{0.0, 0.0};
  EXPECT_THROW(run.Minimise(x, ThrowingObjective, 400), std::runtime_error);
  x = {0.0, 0.0};
  EXPECT_EQ(run.Minimise(x, testing::ShiftedParabola, 400), kSimplexConverged);
  EXPECT_NEAR(x[0], 3.0, 1e-6);
}

}  // namespace
}  // namespace vorenta
