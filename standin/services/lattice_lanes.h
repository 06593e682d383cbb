// Gradient noise at several points at once, as the lanes of vector registers: the points'
// table lookups overlap and one instruction does the arithmetic of every lane. Templates on
// the lane count, so that one source serves the baseline instruction set and a wider one.
// The arithmetic is the scalar formula's, step for step, so every lane count gives the same
// bits.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "host_abi.h"

// Every function here is inlined into its caller, so no vector crosses a call and the
// argument-passing rules for wide vectors never apply. Not popped: the compiler reports
// these at the end of the including file.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace standin {
namespace lattice {

// Farther out, points are reduced by the lattice period first, which changes nothing since
// the tables repeat every 256 cells.
constexpr double kLimit = 1.0e9;
constexpr double kPeriod = 256.0;

// The twelve cube edge directions, four repeated so that a hash picks one with `& 15`.
constexpr double kGradients[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};

// Only for |v| < kLimit.
inline int32_t FloorToInt(double v) {
  const int32_t truncated = static_cast<int32_t>(v);
  return v < truncated ? truncated - 1 : truncated;
}

// Brings a point into the range where lattice coordinates fit an int32_t; false when it
// is not finite.
inline bool IntoRange(double* x, double* y, double* z) {
  if (std::fabs(*x) < kLimit && std::fabs(*y) < kLimit && std::fabs(*z) < kLimit) return true;
  if (!std::isfinite(*x) || !std::isfinite(*y) || !std::isfinite(*z)) return false;
  *x = std::fmod(*x, kPeriod);
  *y = std::fmod(*y, kPeriod);
  *z = std::fmod(*z, kPeriod);
  return true;
}

template <int32_t kLanes>
struct Points {
  typedef double Doubles __attribute__((vector_size(kLanes * sizeof(double))));
  typedef int32_t Ints __attribute__((vector_size(kLanes * sizeof(int32_t))));
  Doubles x, y, z;
};

template <int32_t kLanes>
using Doubles = typename Points<kLanes>::Doubles;
template <int32_t kLanes>
using Ints = typename Points<kLanes>::Ints;

// A vector load: building lanes one by one, then reading them as a vector, stalls the load
// until the stores retire.
template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> Load(const double* v) {
  Doubles<kLanes> lanes;
  std::memcpy(&lanes, v, sizeof lanes);
  return lanes;
}

template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> Broadcast(double v) {
  Doubles<kLanes> lanes;
  for (int32_t i = 0; i < kLanes; ++i) lanes[i] = v;
  return lanes;
}

// For doubles and vectors of them alike.
template <typename Real>
[[gnu::always_inline]] inline Real Fade(const Real& t) {
  return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}
template <typename Real>
[[gnu::always_inline]] inline Real Lerp(const Real& t, const Real& a, const Real& b) {
  return a + t * (b - a);
}

// Branch-free, since nearly every point passes.
template <int32_t kLanes>
[[gnu::always_inline]] inline bool AllInRange(const Points<kLanes>& points) {
  const Doubles<kLanes> limit = Broadcast<kLanes>(kLimit);
  const auto inside = (points.x < limit) & (points.x > -limit) & (points.y < limit) &
                      (points.y > -limit) & (points.z < limit) & (points.z > -limit);
  bool all = true;
  for (int32_t i = 0; i < kLanes; ++i) all &= inside[i] != 0;
  return all;
}

// Exact for |v| < kLimit, like FloorToInt.
template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> Floor(const Doubles<kLanes>& v) {
  const Doubles<kLanes> truncated =
      __builtin_convertvector(__builtin_convertvector(v, Ints<kLanes>), Doubles<kLanes>);
  return truncated - (v < truncated ? Broadcast<kLanes>(1.0) : Broadcast<kLanes>(0.0));
}

template <int32_t kLanes>
[[gnu::always_inline]] inline Ints<kLanes> TableCell(const Doubles<kLanes>& floor) {
  return __builtin_convertvector(floor, Ints<kLanes>) & 255;
}

// The gradients of two lanes, by 16 times the first lane's gradient index plus the second's:
// one 16-byte load per axis and lane pair instead of a load per lane.
struct GradientPairs {
  alignas(16) double pair[256][3][2];
};

constexpr GradientPairs MakeGradientPairs() {
  GradientPairs pairs{};
  for (int32_t first = 0; first < 16; ++first) {
    for (int32_t second = 0; second < 16; ++second) {
      for (int32_t axis = 0; axis < 3; ++axis) {
        pairs.pair[16 * first + second][axis][0] = kGradients[first][axis];
        pairs.pair[16 * first + second][axis][1] = kGradients[second][axis];
      }
    }
  }
  return pairs;
}
constexpr GradientPairs kGradientPairs = MakeGradientPairs();

// The gradient pairs of each corner k of the lanes' cells, the corner at
// (k & 1, k >> 1 & 1, k >> 2).
template <int32_t kLanes>
struct CornerGradients {
  static_assert(kLanes % 2 == 0, "gradients come in lane pairs");
  uint32_t pair[8][kLanes / 2];
};

template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> GradientAxis(const uint32_t* pairs, int32_t axis) {
  static_assert(kLanes == 2 || kLanes == 4, "one or two lane pairs");
  const Doubles<2> first = Load<2>(kGradientPairs.pair[pairs[0]][axis]);
  if constexpr (kLanes == 2) {
    return first;
  } else {
    // Joined in registers: halves stored apart and loaded as one vector stall.
    return __builtin_shufflevector(first, Load<2>(kGradientPairs.pair[pairs[1]][axis]), 0, 1, 2, 3);
  }
}

// Inlined for all eight corners: a call would spill every live register.
template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> Dot(const uint32_t* pairs, const Doubles<kLanes>& x,
                                                  const Doubles<kLanes>& y,
                                                  const Doubles<kLanes>& z) {
  return GradientAxis<kLanes>(pairs, 0) * x + GradientAxis<kLanes>(pairs, 1) * y +
         GradientAxis<kLanes>(pairs, 2) * z;
}

// Where the hashes of a cell's corners are found: corner (0, 0, 0) at aa, (1, 1, 0) at bb,
// and each one step up in z at the next slot.
struct CellSlots {
  uint32_t aa, ba, ab, bb;
};

[[gnu::always_inline]] inline CellSlots HashCell(const uint8_t* perm, uint32_t cx, uint32_t cy,
                                                 uint32_t cz) {
  const uint32_t a = perm[cx] + cy, b = perm[cx + 1] + cy;
  return {perm[a] + cz, perm[b] + cz, perm[a + 1] + cz, perm[b + 1] + cz};
}

// The tables a lookup reads. The gradient of permutation slot s is perm[s] & 15; gradientHigh
// holds it times 16 and gradientLow as is, so that two lanes' gradients add up to their index
// in kGradientPairs.
struct HashTables {
  const uint8_t* perm;
  const uint8_t* gradientHigh;
  const uint8_t* gradientLow;
};

[[gnu::always_inline]] inline uint32_t GradientPair(const HashTables& tables, uint32_t firstSlot,
                                                    uint32_t secondSlot) {
  return tables.gradientHigh[firstSlot] + tables.gradientLow[secondSlot];
}

// Lane pair by lane pair and corner by corner, spelled out: left to loops over arrays, the
// compiler packs the indices into vectors and back, and the loads stall on the stores.
template <int32_t kLanes>
[[gnu::always_inline]] inline CornerGradients<kLanes> HashCorners(const HashTables& tables,
                                                                  const Ints<kLanes>& cellX,
                                                                  const Ints<kLanes>& cellY,
                                                                  const Ints<kLanes>& cellZ) {
  CornerGradients<kLanes> gradients;
  auto& g = gradients.pair;
  for (int32_t j = 0; j < kLanes / 2; ++j) {
    const int32_t i = 2 * j;
    const CellSlots s = HashCell(tables.perm, cellX[i], cellY[i], cellZ[i]);
    const CellSlots t = HashCell(tables.perm, cellX[i + 1], cellY[i + 1], cellZ[i + 1]);
    g[0][j] = GradientPair(tables, s.aa, t.aa);
    g[1][j] = GradientPair(tables, s.ba, t.ba);
    g[2][j] = GradientPair(tables, s.ab, t.ab);
    g[3][j] = GradientPair(tables, s.bb, t.bb);
    g[4][j] = GradientPair(tables, s.aa + 1, t.aa + 1);
    g[5][j] = GradientPair(tables, s.ba + 1, t.ba + 1);
    g[6][j] = GradientPair(tables, s.ab + 1, t.ab + 1);
    g[7][j] = GradientPair(tables, s.bb + 1, t.bb + 1);
  }
  return gradients;
}

template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> ClampSigned(const Doubles<kLanes>& v) {
  return v < -1.0 ? Broadcast<kLanes>(-1.0) : (v > 1.0 ? Broadcast<kLanes>(1.0) : v);
}

// x, y, z in [0, 1): where the points lie in their cells.
template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> BlendCorners(const CornerGradients<kLanes>& gradients,
                                                           const Doubles<kLanes>& x,
                                                           const Doubles<kLanes>& y,
                                                           const Doubles<kLanes>& z) {
  const auto& g = gradients.pair;
  const Doubles<kLanes> u = Fade(x), v = Fade(y), w = Fade(z);
  const Doubles<kLanes> x1 = x - 1.0, y1 = y - 1.0, z1 = z - 1.0;
  const Doubles<kLanes> near =
      Lerp(v, Lerp(u, Dot<kLanes>(g[0], x, y, z), Dot<kLanes>(g[1], x1, y, z)),
           Lerp(u, Dot<kLanes>(g[2], x, y1, z), Dot<kLanes>(g[3], x1, y1, z)));
  const Doubles<kLanes> far =
      Lerp(v, Lerp(u, Dot<kLanes>(g[4], x, y, z1), Dot<kLanes>(g[5], x1, y, z1)),
           Lerp(u, Dot<kLanes>(g[6], x, y1, z1), Dot<kLanes>(g[7], x1, y1, z1)));
  return ClampSigned<kLanes>(Lerp(w, near, far));
}

template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> NoiseInRange(const HashTables& tables,
                                                           const Points<kLanes>& points) {
  const Doubles<kLanes> cellX = Floor<kLanes>(points.x), cellY = Floor<kLanes>(points.y),
                        cellZ = Floor<kLanes>(points.z);
  const CornerGradients<kLanes> gradients = HashCorners<kLanes>(
      tables, TableCell<kLanes>(cellX), TableCell<kLanes>(cellY), TableCell<kLanes>(cellZ));
  return BlendCorners<kLanes>(gradients, points.x - cellX, points.y - cellY, points.z - cellZ);
}

// Gradient noise in [-1, 1] of each lane's point, 0 for a point that is not finite.
template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> Noise(const HashTables& tables,
                                                    const Points<kLanes>& points) {
  if (AllInRange<kLanes>(points)) return NoiseInRange<kLanes>(tables, points);
  Points<kLanes> inRange = points;
  bool finite[kLanes];
  for (int32_t i = 0; i < kLanes; ++i) {
    finite[i] = IntoRange(&inRange.x[i], &inRange.y[i], &inRange.z[i]);
    // Computes harmlessly; the answer is replaced below.
    if (!finite[i]) inRange.x[i] = inRange.y[i] = inRange.z[i] = 0.0;
  }
  Doubles<kLanes> noise = NoiseInRange<kLanes>(tables, inRange);
  for (int32_t i = 0; i < kLanes; ++i) {
    if (!finite[i]) noise[i] = 0.0;
  }
  return noise;
}

// What the octave noise reads from a generator.
struct OctaveTables {
  HashTables hash;
  const double* frequency;
  const double* shift[3];  // by axis, then octave
};

// The octaves [0, count) of p, kLanes at a time; lanes past `count` read frequency 0 and are
// discarded.
template <int32_t kLanes>
[[gnu::always_inline]] inline void OctaveNoise(const OctaveTables& tables, const Vector3& p,
                                               int32_t count, double* noise) {
  for (int32_t first = 0; first < count; first += kLanes) {
    const Doubles<kLanes> frequency = Load<kLanes>(tables.frequency + first);
    const Points<kLanes> points = {
        Broadcast<kLanes>(p.x) * frequency + Load<kLanes>(tables.shift[0] + first),
        Broadcast<kLanes>(p.y) * frequency + Load<kLanes>(tables.shift[1] + first),
        Broadcast<kLanes>(p.z) * frequency + Load<kLanes>(tables.shift[2] + first)};
    const Doubles<kLanes> octaveNoise = Noise<kLanes>(tables.hash, points);
    std::memcpy(noise + first, &octaveNoise, sizeof octaveNoise);
  }
}

}  // namespace lattice
}  // namespace standin
