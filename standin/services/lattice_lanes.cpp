#include "lattice_lanes.h"

#include <cstring>

// Every function below the entry points is forced inline, so that it is compiled for the
// instruction set of the entry point that uses it, and no vector ever crosses a call: the
// rules for passing wide vectors never apply. Not popped, as the compiler reports these at
// the end of the file.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace standin {
namespace lattice {

namespace {

// Points in lanes: two in the baseline instruction set's 16-byte vectors, four with AVX2.
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

// The twelve cube edge directions, four repeated so that a hash picks one with `& 15`.
constexpr double kGradients[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};

// The gradients of two lanes, by 16 times the first lane's gradient plus the second's: one
// 16-byte load per axis and lane pair instead of a load per lane and a shuffle.
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

// A vector load: lanes stored one by one and read back as a vector stall the read.
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

template <typename Lanes>
[[gnu::always_inline]] inline Lanes Fade(const Lanes& t) {
  return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

template <typename Lanes>
[[gnu::always_inline]] inline Lanes Lerp(const Lanes& t, const Lanes& a, const Lanes& b) {
  return a + t * (b - a);
}

template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> ClampSigned(const Doubles<kLanes>& v) {
  return v < -1.0 ? Broadcast<kLanes>(-1.0) : (v > 1.0 ? Broadcast<kLanes>(1.0) : v);
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

[[gnu::always_inline]] inline uint32_t GradientPair(const HashTables& tables, uint32_t firstSlot,
                                                    uint32_t secondSlot) {
  return tables.gradientHigh[firstSlot] + tables.gradientLow[secondSlot];
}

// The gradient pairs of each corner k of the cells, the corner at (k & 1, k >> 1 & 1, k >> 2).
template <int32_t kLanes>
struct CornerGradients {
  uint32_t pair[8][kLanes / 2];
};

// Spelled out corner by corner: as loops over arrays, the compiler packs the indices into
// vectors and back, and the loads stall on the stores.
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
[[gnu::always_inline]] inline Doubles<kLanes> GradientAxis(const uint32_t* pairs, int32_t axis) {
  const Doubles<2> first = Load<2>(kGradientPairs.pair[pairs[0]][axis]);
  if constexpr (kLanes == 2) {
    return first;
  } else {
    static_assert(kLanes == 4, "one or two lane pairs");
    // Joined in registers: halves stored apart and loaded as one vector stall.
    return __builtin_shufflevector(first, Load<2>(kGradientPairs.pair[pairs[1]][axis]), 0, 1, 2, 3);
  }
}

template <int32_t kLanes>
[[gnu::always_inline]] inline Doubles<kLanes> Dot(const uint32_t* pairs, const Doubles<kLanes>& x,
                                                  const Doubles<kLanes>& y,
                                                  const Doubles<kLanes>& z) {
  return GradientAxis<kLanes>(pairs, 0) * x + GradientAxis<kLanes>(pairs, 1) * y +
         GradientAxis<kLanes>(pairs, 2) * z;
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

template <int32_t kLanes>
[[gnu::always_inline]] inline void OctaveLanes(const OctaveTables& tables, const Vector3& p,
                                               int32_t count, double* noise) {
  for (int32_t first = 0; first < count; first += kLanes) {
    const Doubles<kLanes> frequency = Load<kLanes>(tables.frequency + first);
    const Points<kLanes> points = {
        Broadcast<kLanes>(p.x) * frequency + Load<kLanes>(tables.shift[0] + first),
        Broadcast<kLanes>(p.y) * frequency + Load<kLanes>(tables.shift[1] + first),
        Broadcast<kLanes>(p.z) * frequency + Load<kLanes>(tables.shift[2] + first)};
    const Doubles<kLanes> lanesNoise = Noise<kLanes>(tables.hash, points);
    std::memcpy(noise + first, &lanesNoise, sizeof lanesNoise);
  }
}

void OctaveNoiseBaseline(const OctaveTables& tables, const Vector3& p, int32_t count,
                         double* noise) {
  OctaveLanes<2>(tables, p, count, noise);
}

// The same arithmetic in the same order, and no fused multiply-add: the same bits.
__attribute__((target("avx2"))) void OctaveNoiseAvx2(const OctaveTables& tables, const Vector3& p,
                                                     int32_t count, double* noise) {
  OctaveLanes<4>(tables, p, count, noise);
}

bool HasAvx2() {
  // Needed before the first query when this runs among the static constructors.
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

// Read before this file's static constructors run, it is false: slower, not wrong.
const bool kHasAvx2 = HasAvx2();

}  // namespace

void OctaveNoise(const OctaveTables& tables, const Vector3& p, int32_t count, double* noise) {
  if (kHasAvx2) return OctaveNoiseAvx2(tables, p, count, noise);
  OctaveNoiseBaseline(tables, p, count, noise);
}

double PointNoise(const HashTables& tables, const Vector3& p) {
  return Noise<2>(tables, {Broadcast<2>(p.x), Broadcast<2>(p.y), Broadcast<2>(p.z)})[0];
}

}  // namespace lattice
}  // namespace standin
