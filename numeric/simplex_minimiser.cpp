#include "numeric/simplex_minimiser.h"

#include <cmath>

#include "numeric/failure.h"

namespace vorenta {
namespace {

constexpr double kReflection = 1.0;
constexpr double kContraction = 0.5;
constexpr double kExpansion = 2.0;
constexpr double kUnitStep = 1.0;
constexpr double kSmallestStep = 0.1;
constexpr double kLargestStep = 5.0;
constexpr double kSearchReach = 5.0;
constexpr int kStagnationLimit = 5;

// Thrown inside this file only, to leave the search at the first
// non-finite objective value; never escapes SimplexMinimise.
struct NotFiniteValue {};

// Counts calls and rejects non-finite values.
class CountedObjective {
 public:
  CountedObjective(ObjectiveFunction objective, int n) : objective_(objective), n_(n) {}
  double operator()(const double* x) {
    double f = 0.0;
    ++calls_;
    objective_(n_, x, &f);
    if (!std::isfinite(f)) throw NotFiniteValue{};
    return f;
  }
  int Calls() const { return calls_; }

 private:
  ObjectiveFunction objective_;
  int n_;
  int calls_ = 0;
};

double* Vertex(double* simplex, int n, int k) { return simplex + static_cast<long>(k) * n; }

void Copy(int n, const double* from, double* to) {
  for (int i = 0; i < n; ++i) to[i] = from[i];
}

// The initial step along coordinate k: the vertex of the parabola through
// three values when it opens upwards, otherwise a walk downhill by unit
// steps up to the search reach. Returns false when the call limit was
// exceeded.
bool CoordinateStep(int n, int k, const double* x, double* probe, CountedObjective& f, int maxcal,
                    double& step) {
  Copy(n, x, probe);
  auto at = [&](double t) {
    probe[k] = x[k] + t * kUnitStep;
    return f(probe);
  };
  double ta = 0.0, tb = 1.0, tc = 2.0;
  double fa = at(ta);
  double fb = at(tb);
  double fc = at(tc);
  for (;;) {
    if (f.Calls() > maxcal) return false;
    const double h = (tb - tc) * fa + (tc - ta) * fb + (ta - tb) * fc;
    if (std::fabs(h) >= MachineEpsilon() && h / ((ta - tb) * (tb - tc) * (tc - ta)) < 0.0) {
      double s = ((tb * tb - tc * tc) * fa + (tc * tc - ta * ta) * fb + (ta * ta - tb * tb) * fc) *
                 0.5 / h;
      if (s == 0.0) {
        s = kSmallestStep;
      } else {
        s = std::copysign(std::fmin(std::fmax(std::fabs(s), kSmallestStep), kLargestStep), s);
      }
      step = s;
      return true;
    }
    if (fa >= fc) {
      if (tc >= kSearchReach) {
        step = kSearchReach;
        return true;
      }
      ta = tb, fa = fb;
      tb = tc, fb = fc;
      tc += kUnitStep;
      fc = at(tc);
    } else {
      if (ta <= -kSearchReach) {
        step = -kSearchReach;
        return true;
      }
      tc = tb, fc = fb;
      tb = ta, fb = fa;
      ta -= kUnitStep;
      fa = at(ta);
    }
  }
}

double StandardDeviation(int count, const double* values) {
  double mean = 0.0;
  for (int i = 0; i < count; ++i) mean += values[i];
  mean /= count;
  double sum = 0.0;
  for (int i = 0; i < count; ++i) sum += (values[i] - mean) * (values[i] - mean);
  return std::sqrt(sum / count);
}

}  // namespace

void SimplexMinimise(int n, double* x, double& fmin, double tol, int vertexCount, double* trial,
                     double* secondTrial, double* centroid, double* steps, double* vertexValues,
                     double* simplex, ObjectiveFunction objective, int maxcal, int& failure) {
  const int codeOnEntry = failure;
  if (n < 1 || tol < MachineEpsilon() || vertexCount != n + 1 || maxcal < 1 ||
      (codeOnEntry != 0 && codeOnEntry != 1)) {
    fmin = 0.0;
    failure = ReportFailure(codeOnEntry, kSimplexBadArguments, "");
    return;
  }
  CountedObjective f(objective, n);
  bool simplexComplete = false;
  int lowest = 0;
  auto finish = [&](int code) {
    if (simplexComplete) {
      Copy(n, Vertex(simplex, n, lowest), x);
      fmin = vertexValues[lowest];
    }
    failure = code == kSimplexConverged ? kSimplexConverged : ReportFailure(codeOnEntry, code, "");
  };

  try {
    for (int k = 0; k < n; ++k) {
      if (!CoordinateStep(n, k, x, trial, f, maxcal, steps[k])) {
        fmin = 0.0;
        failure = ReportFailure(codeOnEntry, kSimplexCallLimit, "");
        return;
      }
    }
    for (int k = 0; k <= n; ++k) {
      double* vertex = Vertex(simplex, n, k);
      Copy(n, x, vertex);
      if (k > 0) vertex[k - 1] += steps[k - 1];
      vertexValues[k] = f(vertex);
    }
    simplexComplete = true;

    int previousHighest = -1;
    int repetitions = 0;
    double spread = 0.0;
    for (int iteration = 1;; ++iteration) {
      int highest = 0;
      lowest = 0;
      for (int k = 1; k <= n; ++k) {
        if (vertexValues[k] > vertexValues[highest]) {
          highest = k;
        } else if (vertexValues[k] < vertexValues[lowest]) {
          lowest = k;
        }
      }
      if (highest == previousHighest) {
        // A vertex that stays highest for long is stuck; moving another one
        // once changes the shape of the simplex.
        if (++repetitions == kStagnationLimit) highest = highest == 0 ? 1 : 0;
      } else {
        previousHighest = highest;
        repetitions = 0;
      }
      if (iteration > 1 && spread < tol) return finish(kSimplexConverged);
      if (f.Calls() >= maxcal) return finish(kSimplexCallLimit);

      double* worst = Vertex(simplex, n, highest);
      const double worstValue = vertexValues[highest];
      for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int k = 0; k <= n; ++k) {
          if (k != highest) sum += Vertex(simplex, n, k)[i];
        }
        centroid[i] = sum / n;
      }
      for (int i = 0; i < n; ++i)
        trial[i] = (1.0 + kReflection) * centroid[i] - kReflection * worst[i];
      const double reflected = f(trial);

      if (reflected < vertexValues[lowest]) {
        for (int i = 0; i < n; ++i) {
          secondTrial[i] = (1.0 + kExpansion) * trial[i] - kExpansion * centroid[i];
        }
        const double expanded = f(secondTrial);
        if (expanded < reflected) {
          Copy(n, secondTrial, worst);
          vertexValues[highest] = expanded;
        } else {
          Copy(n, trial, worst);
          vertexValues[highest] = reflected;
        }
      } else {
        bool betterThanAnother = false;
        for (int k = 0; k <= n; ++k) {
          if (k != highest && reflected < vertexValues[k]) betterThanAnother = true;
        }
        if (betterThanAnother) {
          Copy(n, trial, worst);
          vertexValues[highest] = reflected;
        } else {
          // Contract from the better of the worst vertex and its reflection;
          // the worst vertex keeps its stored value either way.
          const double* from = reflected <= worstValue ? trial : worst;
          for (int i = 0; i < n; ++i) {
            secondTrial[i] = kContraction * from[i] + (1.0 - kContraction) * centroid[i];
          }
          const double contracted = f(secondTrial);
          if (contracted > worstValue) {
            if (from == trial) Copy(n, trial, worst);
            const double* best = Vertex(simplex, n, lowest);
            for (int k = 0; k <= n; ++k) {
              double* vertex = Vertex(simplex, n, k);
              // Each vertex is committed only with its new value, so a
              // failing evaluation leaves a consistent simplex behind.
              for (int i = 0; i < n; ++i) trial[i] = (vertex[i] + best[i]) * 0.5;
              const double value = f(trial);
              Copy(n, trial, vertex);
              vertexValues[k] = value;
            }
          } else {
            Copy(n, secondTrial, worst);
            vertexValues[highest] = contracted;
          }
        }
      }
      spread = StandardDeviation(n + 1, vertexValues);
    }
  } catch (const NotFiniteValue&) {
    if (simplexComplete) {
      lowest = 0;
      for (int k = 1; k <= n; ++k) {
        if (vertexValues[k] < vertexValues[lowest]) lowest = k;
      }
    } else {
      fmin = LargestReal();
    }
    finish(kSimplexNotFinite);
  }
}

}  // namespace vorenta
