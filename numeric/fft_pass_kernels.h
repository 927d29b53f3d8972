#pragma once
// Butterfly kernels and pass drivers of the mixed-radix FFT, written once
// over a vector type of several doubles (one butterfly per lane). Included by
// one source file per instruction set; everything has internal linkage so
// that the builds for different instruction sets never merge.

#include <cmath>
#include <cstring>
#include <numbers>

namespace vorenta {
namespace {

constexpr int kMaxRadix = 19;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// exp(-i*angle) held as cos(angle), sin(angle); multiplying by it rotates clockwise.
template <class V>
struct Rotation {
  V c;
  V s;
};

template <class V>
Rotation<V> Combine(Rotation<V> a, Rotation<V> b) {
  return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s};
}

// Vectors of doubles, one butterfly per lane. Pair is the baseline x86-64
// width; the AVX2 build adds four-lane vectors.
using Pair = double __attribute__((vector_size(2 * sizeof(double))));

template <class Vec>
constexpr int kLanes = sizeof(Vec) / sizeof(double);

// Lane i rotated by perLane[i].
template <class Vec>
Rotation<Vec> PackLanes(const Rotation<double>* perLane) {
  Rotation<Vec> packed;
  for (int i = 0; i < kLanes<Vec>; ++i) {
    packed.c[i] = perLane[i].c;
    packed.s[i] = perLane[i].s;
  }
  return packed;
}

template <class Vec>
Rotation<Vec> Broadcast(Rotation<double> w) {
  return {Vec{} + w.c, Vec{} + w.s};
}

template <class V>
void Rotate(V& re, V& im, Rotation<V> w) {
  const V rotatedRe = re * w.c + im * w.s;
  im = im * w.c - re * w.s;
  re = rotatedRe;
}

// powers[q] = w^q for q = 1 .. radix-1 (powers[0] unused).
template <class V>
void FillPowers(Rotation<V> w, int radix, Rotation<V>* powers) {
  powers[1] = w;
  for (int q = 2; q < radix; ++q) powers[q] = Combine(powers[q - 1], w);
}

// How the outputs of a butterfly are finished before they are stored.
enum class Output { kPlain, kTwiddled, kScaled };

struct SingleLane {
  using Value = double;
  static double Load(const double* source, int) { return *source; }
  static void Store(double* target, double value, int) { *target = value; }
};

// Lanes on neighbouring rotation indices: adjacent in memory.
template <class Vec>
struct AdjacentLanes {
  using Value = Vec;
  static Vec Load(const double* source, int) {
    Vec value;
    std::memcpy(&value, source, sizeof value);
    return value;
  }
  static void Store(double* target, Vec value, int) { std::memcpy(target, &value, sizeof value); }
};

// Lanes on neighbouring groups of one rotation index: a group stride apart.
template <class Vec>
struct StridedLanes {
  using Value = Vec;
  static Vec Load(const double* source, int laneStride) {
    Vec value;
    for (int i = 0; i < kLanes<Vec>; ++i) value[i] = source[i * laneStride];
    return value;
  }
  static void Store(double* target, Vec value, int laneStride) {
    for (int i = 0; i < kLanes<Vec>; ++i) target[i * laneStride] = value[i];
  }
};

// The elements start, start+span, ... of one butterfly group per lane.
template <class Lanes>
struct Group {
  using Value = typename Lanes::Value;
  double* re;
  double* im;
  int start;
  int span;
  int laneStride;
  double scale;  // used by Output::kScaled only

  Value Re(int q) const { return Lanes::Load(re + start + q * span, laneStride); }
  Value Im(int q) const { return Lanes::Load(im + start + q * span, laneStride); }
  // Stores output value (vr, vi) at offset `slot`: rotated by powers[power]
  // (nothing for power 0), or multiplied by the scale.
  template <Output kMode>
  void Put(int slot, Value vr, Value vi, const Rotation<Value>* powers, int power) const {
    if constexpr (kMode == Output::kTwiddled) {
      if (power != 0) Rotate(vr, vi, powers[power]);
    } else if constexpr (kMode == Output::kScaled) {
      vr *= scale;
      vi *= scale;
    }
    Lanes::Store(re + start + slot * span, vr, laneStride);
    Lanes::Store(im + start + slot * span, vi, laneStride);
  }
};

struct Radix2 {
  static constexpr int Radix() { return 2; }
  // Angle of span-m is pi minus the angle of m.
  static Rotation<double> Mirror(Rotation<double> w) { return {-w.c, w.s}; }

  template <Output kMode, class G, class V = typename G::Value>
  void Butterfly(const G& g, const Rotation<V>* w) const {
    const V r0 = g.Re(0), i0 = g.Im(0), r1 = g.Re(1), i1 = g.Im(1);
    g.template Put<kMode>(0, r0 + r1, i0 + i1, w, 0);
    g.template Put<kMode>(1, r0 - r1, i0 - i1, w, 1);
  }
};

struct Radix3 {
  static constexpr int Radix() { return 3; }
  static constexpr double kHalf = 0.5;
  static constexpr double kSin60 = 0.86602540378443864676;  // sqrt(0.75)
  static Rotation<double> Mirror(Rotation<double> w) {
    return {-kHalf * w.c + kSin60 * w.s, kSin60 * w.c + kHalf * w.s};
  }

  template <Output kMode, class G, class V = typename G::Value>
  void Butterfly(const G& g, const Rotation<V>* w) const {
    const V r0 = g.Re(0), i0 = g.Im(0);
    const V sumRe = g.Re(1) + g.Re(2), sumIm = g.Im(1) + g.Im(2);
    const V difRe = (g.Re(1) - g.Re(2)) * kSin60, difIm = (g.Im(1) - g.Im(2)) * kSin60;
    const V aRe = r0 - kHalf * sumRe, aIm = i0 - kHalf * sumIm;
    g.template Put<kMode>(0, r0 + sumRe, i0 + sumIm, w, 0);
    g.template Put<kMode>(1, aRe + difIm, aIm - difRe, w, 1);
    g.template Put<kMode>(2, aRe - difIm, aIm + difRe, w, 2);
  }
};

struct Radix4 {
  static constexpr int Radix() { return 4; }
  // Angle of span-m is pi/2 minus the angle of m: cosine and sine exchange.
  static Rotation<double> Mirror(Rotation<double> w) { return {w.s, w.c}; }

  // Outputs 0, 2, 1, 3 at offsets 0, s, 2s, 3s.
  template <Output kMode, class G, class V = typename G::Value>
  void Butterfly(const G& g, const Rotation<V>* w) const {
    const V s02Re = g.Re(0) + g.Re(2), s02Im = g.Im(0) + g.Im(2);
    const V d02Re = g.Re(0) - g.Re(2), d02Im = g.Im(0) - g.Im(2);
    const V s13Re = g.Re(1) + g.Re(3), s13Im = g.Im(1) + g.Im(3);
    const V d13Re = g.Re(1) - g.Re(3), d13Im = g.Im(1) - g.Im(3);
    g.template Put<kMode>(0, s02Re + s13Re, s02Im + s13Im, w, 0);
    g.template Put<kMode>(1, s02Re - s13Re, s02Im - s13Im, w, 2);
    g.template Put<kMode>(2, d02Re + d13Im, d02Im - d13Re, w, 1);
    g.template Put<kMode>(3, d02Re - d13Im, d02Im + d13Re, w, 3);
  }
};

struct Radix5 {
  static constexpr int Radix() { return 5; }
  const double c1 = std::cos(kTwoPi / 5.0);
  const double s1 = std::sin(kTwoPi / 5.0);
  const double c2 = std::cos(2.0 * kTwoPi / 5.0);
  const double s2 = std::sin(2.0 * kTwoPi / 5.0);
  Rotation<double> Mirror(Rotation<double> w) const { return {c1 * w.c + s1 * w.s, s1 * w.c - c1 * w.s}; }

  template <Output kMode, class G, class V = typename G::Value>
  void Butterfly(const G& g, const Rotation<V>* w) const {
    const V r0 = g.Re(0), i0 = g.Im(0);
    const V a1Re = g.Re(1) + g.Re(4), a1Im = g.Im(1) + g.Im(4);
    const V b1Re = g.Re(1) - g.Re(4), b1Im = g.Im(1) - g.Im(4);
    const V a2Re = g.Re(2) + g.Re(3), a2Im = g.Im(2) + g.Im(3);
    const V b2Re = g.Re(2) - g.Re(3), b2Im = g.Im(2) - g.Im(3);
    const V A1Re = r0 + c1 * a1Re + c2 * a2Re, A1Im = i0 + c1 * a1Im + c2 * a2Im;
    const V A2Re = r0 + c2 * a1Re + c1 * a2Re, A2Im = i0 + c2 * a1Im + c1 * a2Im;
    const V B1Re = s1 * b1Re + s2 * b2Re, B1Im = s1 * b1Im + s2 * b2Im;
    const V B2Re = s2 * b1Re - s1 * b2Re, B2Im = s2 * b1Im - s1 * b2Im;
    g.template Put<kMode>(0, r0 + a1Re + a2Re, i0 + a1Im + a2Im, w, 0);
    g.template Put<kMode>(1, A1Re + B1Im, A1Im - B1Re, w, 1);
    g.template Put<kMode>(4, A1Re - B1Im, A1Im + B1Re, w, 4);
    g.template Put<kMode>(2, A2Re + B2Im, A2Im - B2Re, w, 2);
    g.template Put<kMode>(3, A2Re - B2Im, A2Im + B2Re, w, 3);
  }
};

struct Radix8 {
  static constexpr int Radix() { return 8; }
  static constexpr double kRoot = 0.70710678118654752440;  // cos(pi/4)
  static Rotation<double> Mirror(Rotation<double> w) { return {kRoot * (w.c + w.s), kRoot * (w.c - w.s)}; }

  // Outputs in bit-reversed order: offset j holds output bitreverse3(j).
  template <Output kMode, class G, class V = typename G::Value>
  void Butterfly(const G& g, const Rotation<V>* w) const {
    // First radix-2 stage: sums u_j and rotated differences v_j = (x_j - x_{j+4}) e^{-i pi j/4}.
    V uRe[4], uIm[4], vRe[4], vIm[4];
    for (int j = 0; j < 4; ++j) {
      uRe[j] = g.Re(j) + g.Re(j + 4);
      uIm[j] = g.Im(j) + g.Im(j + 4);
      vRe[j] = g.Re(j) - g.Re(j + 4);
      vIm[j] = g.Im(j) - g.Im(j + 4);
    }
    const V v1Re = kRoot * (vRe[1] + vIm[1]), v1Im = kRoot * (vIm[1] - vRe[1]);
    const V v2Re = vIm[2], v2Im = -vRe[2];
    const V v3Re = kRoot * (vIm[3] - vRe[3]), v3Im = -kRoot * (vRe[3] + vIm[3]);
    vRe[1] = v1Re;
    vIm[1] = v1Im;
    vRe[2] = v2Re;
    vIm[2] = v2Im;
    vRe[3] = v3Re;
    vIm[3] = v3Im;
    // Two 4-point DFTs: the even outputs from u, the odd ones from v.
    StoreQuarter<kMode, 0>(g, uRe, uIm, w);
    StoreQuarter<kMode, 1>(g, vRe, vIm, w);
  }

 private:
  // 4-point DFT of y; its output k is output 2k + kParity of the 8-point
  // DFT, stored at the bit-reversed offset 4*kParity + bitreverse2(k).
  template <Output kMode, int kParity, class G, class V = typename G::Value>
  static void StoreQuarter(const G& g, const V* yRe, const V* yIm, const Rotation<V>* w) {
    const V s02Re = yRe[0] + yRe[2], s02Im = yIm[0] + yIm[2];
    const V d02Re = yRe[0] - yRe[2], d02Im = yIm[0] - yIm[2];
    const V s13Re = yRe[1] + yRe[3], s13Im = yIm[1] + yIm[3];
    const V d13Re = yRe[1] - yRe[3], d13Im = yIm[1] - yIm[3];
    constexpr int base = 4 * kParity;
    g.template Put<kMode>(base, s02Re + s13Re, s02Im + s13Im, w, kParity);
    g.template Put<kMode>(base + 1, s02Re - s13Re, s02Im - s13Im, w, 4 + kParity);
    g.template Put<kMode>(base + 2, d02Re + d13Im, d02Im - d13Re, w, 2 + kParity);
    g.template Put<kMode>(base + 3, d02Re - d13Im, d02Im + d13Re, w, 6 + kParity);
  }
};

// Any odd prime radix p: pair sums and differences, then a cos/sin table of 2*pi*j/p.
class OddPrimeRadix {
 public:
  explicit OddPrimeRadix(int radix) : radix_(radix), half_((radix - 1) / 2) {
    for (int j = 1; j < radix; ++j) {
      cos_[j] = std::cos(kTwoPi * j / radix);
      sin_[j] = std::sin(kTwoPi * j / radix);
    }
  }

  int Radix() const { return radix_; }

  Rotation<double> Mirror(Rotation<double> w) const {
    return {cos_[1] * w.c + sin_[1] * w.s, sin_[1] * w.c - cos_[1] * w.s};
  }

  template <Output kMode, class G, class V = typename G::Value>
  void Butterfly(const G& g, const Rotation<V>* w) const {
    V aRe[kMaxRadix], aIm[kMaxRadix], bRe[kMaxRadix], bIm[kMaxRadix];
    const V r0 = g.Re(0), i0 = g.Im(0);
    V sumRe = r0, sumIm = i0;
    for (int j = 1; j <= half_; ++j) {
      aRe[j] = g.Re(j) + g.Re(radix_ - j);
      aIm[j] = g.Im(j) + g.Im(radix_ - j);
      bRe[j] = g.Re(j) - g.Re(radix_ - j);
      bIm[j] = g.Im(j) - g.Im(radix_ - j);
      sumRe += aRe[j];
      sumIm += aIm[j];
    }
    g.template Put<kMode>(0, sumRe, sumIm, w, 0);
    for (int k = 1; k <= half_; ++k) {
      V ARe = r0, AIm = i0, BRe = r0 * 0.0, BIm = r0 * 0.0;
      int jk = 0;  // j*k mod p, kept by addition
      for (int j = 1; j <= half_; ++j) {
        jk += k;
        if (jk >= radix_) jk -= radix_;
        ARe += aRe[j] * cos_[jk];
        AIm += aIm[j] * cos_[jk];
        BRe += bRe[j] * sin_[jk];
        BIm += bIm[j] * sin_[jk];
      }
      g.template Put<kMode>(k, ARe + BIm, AIm - BRe, w, k);
      g.template Put<kMode>(radix_ - k, ARe - BIm, AIm + BRe, w, radix_ - k);
    }
  }

 private:
  int radix_;
  int half_;
  double cos_[kMaxRadix];
  double sin_[kMaxRadix];
};

// From this span on, vectors of neighbouring rotation indices sweep over the
// groups; below it the passes go group by group with all rotation indices
// of a group at once (their twiddles in a small table).
constexpr int kAdjacentLanesMinimumSpan = 8;
// Rotation indices per sweep over the groups: one cache line per leg.
constexpr int kBlockIndices = 8;

template <class Kernel>
Rotation<double> RotationOf(const Kernel& kernel, int span, int m) {
  const double angle = kTwoPi * m / (static_cast<double>(kernel.Radix()) * span);
  return {std::cos(angle), std::sin(angle)};
}

// Calls visit(m, rotation of m) for the rotation indices m = first ..
// span-first, visiting m and span-m together, so that each cos/sin pair of
// the runtime serves two indices (the second by the angle-difference identity).
template <class Kernel, class Visit>
void VisitRotations(const Kernel& kernel, int span, int first, Visit visit) {
  int m = first;
  for (; 2 * m < span; ++m) {
    const Rotation<double> w = RotationOf(kernel, span, m);
    visit(m, w);
    visit(span - m, kernel.Mirror(w));
  }
  if (2 * m == span) visit(m, RotationOf(kernel, span, m));
}

// Powers of the rotations of indices first .. first+lanes-1 (forward) and of
// their mirrors span-first-lanes+1 .. span-first (mirrored), lane by lane.
template <class Vec, class Kernel>
void FillLanePowers(const Kernel& kernel, int span, int first, Rotation<Vec>* forward, Rotation<Vec>* mirrored) {
  constexpr int lanes = kLanes<Vec>;
  Rotation<double> w[lanes], mirror[lanes];
  for (int i = 0; i < lanes; ++i) {
    w[i] = RotationOf(kernel, span, first + i);
    mirror[lanes - 1 - i] = kernel.Mirror(w[i]);
  }
  FillPowers(PackLanes<Vec>(w), kernel.Radix(), forward);
  FillPowers(PackLanes<Vec>(mirror), kernel.Radix(), mirrored);
}

// Every group of rotation index `first`, one lane (one group) at a time.
template <Output kMode, class Kernel>
void SingleGroups(const Kernel& kernel, double* re, double* im, int n, int span, int first,
                  const Rotation<double>* w) {
  const int stride = kernel.Radix() * span;
  for (int t = first; t < n; t += stride) {
    kernel.template Butterfly<kMode>(Group<SingleLane>{re, im, t, span, 0, 1.0}, w);
  }
}

// Every group of the rotation indices first .. first+lanes-1, side by side.
template <class Vec, class Kernel>
void AdjacentGroups(const Kernel& kernel, double* re, double* im, int n, int span, int first,
                    const Rotation<Vec>* w) {
  const int stride = kernel.Radix() * span;
  for (int t = first; t < n; t += stride) {
    kernel.template Butterfly<Output::kTwiddled>(Group<AdjacentLanes<Vec>>{re, im, t, span, 0, 1.0}, w);
  }
}

// Whether indices first .. first+width-1 and their mirrors are all distinct.
constexpr bool MirrorsApart(int first, int width, int span) { return 2 * (first + width) <= span + 1; }

// Span >= kAdjacentLanesMinimumSpan. Rotation indices go in blocks of
// kBlockIndices together with their mirrors, one sweep over the groups per
// block; the middle indices that do not fill a block follow vector by
// vector, then one by one.
template <class Vec, class Kernel>
void WideSpanPass(const Kernel& kernel, double* re, double* im, int n, int span) {
  constexpr int lanes = kLanes<Vec>;
  constexpr int vectors = kBlockIndices / lanes;
  const int radix = kernel.Radix();
  const int stride = radix * span;
  Rotation<double> powers[kMaxRadix];
  SingleGroups<Output::kPlain>(kernel, re, im, n, span, 0, powers);

  Rotation<Vec> forward[vectors][kMaxRadix];
  Rotation<Vec> mirrored[vectors][kMaxRadix];
  int m = 1;
  for (; MirrorsApart(m, kBlockIndices, span); m += kBlockIndices) {
    for (int p = 0; p < vectors; ++p) FillLanePowers(kernel, span, m + lanes * p, forward[p], mirrored[p]);
    for (int t = 0; t < n; t += stride) {
      for (int p = 0; p < vectors; ++p) {
        const Group<AdjacentLanes<Vec>> g{re, im, t + m + lanes * p, span, 0, 1.0};
        kernel.template Butterfly<Output::kTwiddled>(g, forward[p]);
      }
      for (int p = 0; p < vectors; ++p) {
        const Group<AdjacentLanes<Vec>> g{re, im, t + span - m - lanes * (p + 1) + 1, span, 0, 1.0};
        kernel.template Butterfly<Output::kTwiddled>(g, mirrored[p]);
      }
    }
  }
  for (; MirrorsApart(m, lanes, span); m += lanes) {
    FillLanePowers(kernel, span, m, forward[0], mirrored[0]);
    AdjacentGroups(kernel, re, im, n, span, m, forward[0]);
    AdjacentGroups(kernel, re, im, n, span, span - m - lanes + 1, mirrored[0]);
  }
  VisitRotations(kernel, span, m, [&](int index, Rotation<double> w) {
    FillPowers(w, radix, powers);
    SingleGroups<Output::kTwiddled>(kernel, re, im, n, span, index, powers);
  });
}

// 2 <= span < kAdjacentLanesMinimumSpan: the twiddles of all rotation
// indices in a fixed table, then one sweep over the groups; inside a group
// the indices go in adjacent pairs (index 0 rotated by exactly 1), an odd
// last one alone.
template <class Kernel>
void NarrowSpanPass(const Kernel& kernel, double* re, double* im, int n, int span) {
  const int radix = kernel.Radix();
  const int stride = radix * span;
  Rotation<double> single[kAdjacentLanesMinimumSpan][kMaxRadix];
  for (int q = 1; q < radix; ++q) single[0][q] = {1.0, 0.0};
  VisitRotations(kernel, span, 1, [&](int m, Rotation<double> w) { FillPowers(w, radix, single[m]); });
  Rotation<Pair> adjacent[kAdjacentLanesMinimumSpan / 2][kMaxRadix];
  for (int k = 0; 2 * k + 1 < span; ++k) {
    for (int q = 1; q < radix; ++q) {
      const Rotation<double> lanes[2] = {single[2 * k][q], single[2 * k + 1][q]};
      adjacent[k][q] = PackLanes<Pair>(lanes);
    }
  }
  for (int t = 0; t < n; t += stride) {
    for (int k = 0; 2 * k + 1 < span; ++k) {
      const Group<AdjacentLanes<Pair>> g{re, im, t + 2 * k, span, 0, 1.0};
      kernel.template Butterfly<Output::kTwiddled>(g, adjacent[k]);
    }
    if (span % 2 == 1) {
      const Group<SingleLane> g{re, im, t + span - 1, span, 0, 1.0};
      kernel.template Butterfly<Output::kTwiddled>(g, single[span - 1]);
    }
  }
}

// Span 1 (the last pass): rotation index 0 only, so no twiddles; every
// output is scaled. Groups go a vector at a time, the last few one by one.
template <class Vec, class Kernel>
void LastPass(const Kernel& kernel, double* re, double* im, int n, double scale) {
  constexpr int lanes = kLanes<Vec>;
  const int stride = kernel.Radix();
  const Rotation<Vec>* noTwiddles = nullptr;
  int t = 0;
  for (; t + (lanes - 1) * stride < n; t += lanes * stride) {
    kernel.template Butterfly<Output::kScaled>(Group<StridedLanes<Vec>>{re, im, t, 1, stride, scale}, noTwiddles);
  }
  for (; t < n; t += stride) {
    const Rotation<double>* none = nullptr;
    kernel.template Butterfly<Output::kScaled>(Group<SingleLane>{re, im, t, 1, 0, scale}, none);
  }
}

// Calls action(kernel) with the kernel of the given radix.
template <class Action>
void WithKernel(int radix, Action action) {
  switch (radix) {
    case 2: action(Radix2{}); break;
    case 3: action(Radix3{}); break;
    case 4: action(Radix4{}); break;
    case 5: action(Radix5{}); break;
    case 8: action(Radix8{}); break;
    default: action(OddPrimeRadix(radix)); break;
  }
}

// FftPass (numeric/fft_passes.h): wide spans put neighbouring rotation
// indices into the lanes of a Vec.
template <class Vec>
void PassWithLanes(int radix, double* re, double* im, int n, int span) {
  WithKernel(radix, [&](const auto& kernel) {
    if (span >= kAdjacentLanesMinimumSpan) {
      WideSpanPass<Vec>(kernel, re, im, n, span);
    } else {
      NarrowSpanPass(kernel, re, im, n, span);
    }
  });
}

// FftLastPass: neighbouring groups gathered into the lanes of a StridedVec,
// which is kept short because each lane costs a scalar load and store.
template <class StridedVec>
void LastPassWithLanes(int radix, double* re, double* im, int n, double scale) {
  WithKernel(radix, [&](const auto& kernel) {
    LastPass<StridedVec>(kernel, re, im, n, scale);
  });
}

}  // namespace
}  // namespace vorenta
