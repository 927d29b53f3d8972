#include "numeric/newton_minimiser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include "numeric/failure.h"
#include "numeric/quasi_newton_factors.h"

namespace vorenta {
namespace {

int gradientCalls = 0;

// Rosenbrock with its exact derivatives.
void RosenbrockGradient(int&, int, const double* x, double* f, double* g, int*, int, double*, int) {
  ++gradientCalls;
  const double a = x[1] - x[0] * x[0];
  *f = 100.0 * a * a + (1.0 - x[0]) * (1.0 - x[0]);
  g[0] = -400.0 * a * x[0] - 2.0 * (1.0 - x[0]);
  g[1] = 200.0 * a;
}
void RosenbrockHessian(int&, int, const double* x, double* lower, double* diagonal, int*, int,
                       double*, int) {
  diagonal[0] = 1200.0 * x[0] * x[0] - 400.0 * x[1] + 2.0;
  diagonal[1] = 200.0;
  lower[0] = -400.0 * x[0];
}

TEST(NewtonMinimiser, RosenbrockFromTheClassicStart) {
  std::vector<double> x{-1.2, 1.0};
  gradientCalls = 0;
  const double f = NewtonMinimise(2, x.data(), RosenbrockGradient, RosenbrockHessian);
  EXPECT_EQ(NewtonMinimiseFailure(), kNewtonConverged);
  EXPECT_LT(f, 1e-16);
  EXPECT_NEAR(x[0], 1.0, 1e-8);
  EXPECT_NEAR(x[1], 1.0, 1e-8);
  EXPECT_LE(gradientCalls, 100 + 21);
}

// x1^2 + (x2^2 - 1)^2: a saddle at (0, 0), minima at (0, +-1).
void SaddleGradient(int&, int, const double* x, double* f, double* g, int*, int, double*, int) {
  ++gradientCalls;
  const double b = x[1] * x[1] - 1.0;
  *f = x[0] * x[0] + b * b;
  g[0] = 2.0 * x[0];
  g[1] = 4.0 * x[1] * b;
}
void SaddleHessian(int&, int, const double* x, double* lower, double* diagonal, int*, int, double*,
                   int) {
  diagonal[0] = 2.0;
  diagonal[1] = 12.0 * x[1] * x[1] - 4.0;
  lower[0] = 0.0;
}

TEST(NewtonMinimiser, LeavesASaddlePointAlongNegativeCurvature) {
  for (const std::vector<double>& start :
       {std::vector<double>{0.0, 0.0}, std::vector<double>{0.3, 0.0}}) {
    std::vector<double> x = start;
    const double f = NewtonMinimise(2, x.data(), SaddleGradient, SaddleHessian);
    EXPECT_EQ(NewtonMinimiseFailure(), kNewtonConverged);
    EXPECT_LT(f, 1e-14);
    EXPECT_NEAR(x[0], 0.0, 1e-7);
    EXPECT_NEAR(std::fabs(x[1]), 1.0, 1e-7);
  }
}

void QuadraticGradient(int&, int n, const double* x, double* f, double* g, int*, int, double*,
                       int) {
  *f = 0.0;
  for (int i = 0; i < n; ++i) {
    *f += (x[i] - i) * (x[i] - i);
    g[i] = 2.0 * (x[i] - i);
  }
}
void QuadraticHessian(int&, int n, const double*, double* lower, double* diagonal, int*, int,
                      double*, int) {
  for (int i = 0; i < n; ++i) {
    diagonal[i] = 2.0;
    for (int j = 0; j < i; ++j) lower[PackedIndex(i, j)] = 0.0;
  }
}

TEST(NewtonMinimiser, StorageIsReusedForTheSameSizeAndReallocatedForAnother) {
  std::vector<double> x3(3, 5.0);
  NewtonMinimise(3, x3.data(), QuadraticGradient, QuadraticHessian);
  EXPECT_EQ(NewtonMinimiseWorkspaceSize(), 3);
  const int afterFirst = NewtonMinimiseAllocationCount();
  x3.assign(3, -1.0);
  NewtonMinimise(3, x3.data(), QuadraticGradient, QuadraticHessian);
  EXPECT_EQ(NewtonMinimiseAllocationCount(), afterFirst);
  EXPECT_NEAR(x3[2], 2.0, 1e-12);
  std::vector<double> x5(5, 0.0);
  NewtonMinimise(5, x5.data(), QuadraticGradient, QuadraticHessian);
  EXPECT_EQ(NewtonMinimiseWorkspaceSize(), 5);
  EXPECT_EQ(NewtonMinimiseAllocationCount(), afterFirst + 1);
  EXPECT_NEAR(x5[4], 4.0, 1e-12);
}

int nanFromCall = 0;
void GradientTurningNan(int& mode, int n, const double* x, double* f, double* g, int* iw, int liw,
                        double* w, int lw) {
  RosenbrockGradient(mode, n, x, f, g, iw, liw, w, lw);
  if (gradientCalls >= nanFromCall) g[1] = std::numeric_limits<double>::quiet_NaN();
}

TEST(NewtonMinimiser, NonFiniteGradientEndsWithItsCode) {
  for (int from : {1, 4}) {
    nanFromCall = from;
    gradientCalls = 0;
    std::vector<double> x{-1.2, 1.0};
    const double f = NewtonMinimise(2, x.data(), GradientTurningNan, RosenbrockHessian);
    EXPECT_EQ(NewtonMinimiseFailure(), kNewtonNotFinite);
    EXPECT_EQ(gradientCalls, from);
    if (from == 1) {
      EXPECT_EQ(f, LargestReal());
    } else {
      EXPECT_TRUE(std::isfinite(f));
      EXPECT_LT(f, 24.2);  // the accepted point before the failure
    }
  }
}

void NanHessian(int&, int, const double*, double* lower, double* diagonal, int*, int, double*,
                int) {
  lower[0] = 0.0;
  diagonal[0] = std::numeric_limits<double>::quiet_NaN();
  diagonal[1] = 1.0;
}

TEST(NewtonMinimiser, NonFiniteHessianEndsWithItsCode) {
  std::vector<double> x{-1.2, 1.0};
  const double f = NewtonMinimise(2, x.data(), RosenbrockGradient, NanHessian);
  EXPECT_EQ(NewtonMinimiseFailure(), kNewtonNotFinite);
  EXPECT_NEAR(f, 24.2, 1e-12);
  EXPECT_EQ(x[0], -1.2);
}

void StoppingGradient(int& mode, int n, const double* x, double* f, double* g, int* iw, int liw,
                      double* w, int lw) {
  RosenbrockGradient(mode, n, x, f, g, iw, liw, w, lw);
  if (gradientCalls == 3) mode = -7;
}

TEST(NewtonMinimiser, NegativeModeStopsTheMinimiser) {
  gradientCalls = 0;
  std::vector<double> x{-1.2, 1.0};
  NewtonMinimise(2, x.data(), StoppingGradient, RosenbrockHessian);
  EXPECT_EQ(NewtonMinimiseFailure(), -7);
  EXPECT_EQ(gradientCalls, 3);
}

void ThrowingGradient(int& mode, int n, const double* x, double* f, double* g, int* iw, int liw,
                      double* w, int lw) {
  RosenbrockGradient(mode, n, x, f, g, iw, liw, w, lw);
  if (gradientCalls == 2) throw std::runtime_error("gradient failed");
}

TEST(NewtonMinimiser, CallbackExceptionPassesThroughAndTheNextCallWorks) {
  gradientCalls = 0;
  std::vector<double> x{-1.2, 1.0};
  EXPECT_THROW(NewtonMinimise(2, x.data(), ThrowingGradient, RosenbrockHessian),
               std::runtime_error);
  x = {-1.2, 1.0};
  EXPECT_LT(NewtonMinimise(2, x.data(), RosenbrockGradient, RosenbrockHessian), 1e-16);
}

void ReenteringGradient(int& mode, int n, const double* x, double* f, double* g, int* iw, int liw,
                        double* w, int lw) {
  std::vector<double> y(x, x + n);
  NewtonMinimise(n, y.data(), RosenbrockGradient, RosenbrockHessian);
  RosenbrockGradient(mode, n, x, f, g, iw, liw, w, lw);
}

TEST(NewtonMinimiser, ReentryFromACallbackIsRefused) {
  std::vector<double> x{-1.2, 1.0};
  EXPECT_THROW(NewtonMinimise(2, x.data(), ReenteringGradient, RosenbrockHessian),
               std::logic_error);
  x = {-1.2, 1.0};
  EXPECT_LT(NewtonMinimise(2, x.data(), RosenbrockGradient, RosenbrockHessian), 1e-16);
}

TEST(NewtonMinimiser, NoVariablesIsRejected) {
  double x = 3.0;
  EXPECT_EQ(NewtonMinimise(0, &x, RosenbrockGradient, RosenbrockHessian), LargestReal());
  EXPECT_EQ(NewtonMinimiseFailure(), kNewtonBadArguments);
  EXPECT_EQ(x, 3.0);
}

}  // namespace
}  // namespace vorenta
