#include "lattice_lanes.h"

#include <cstring>

namespace standin {
namespace lattice {

namespace {

// Two points at once, one per lane of the baseline instruction set's 16-byte vectors.
using Doubles = double __attribute__((vector_size(16)));
using Ints = int32_t __attribute__((vector_size(8)));

struct Points {
  Doubles x, y, z;
};

// The twelve cube edge directions, four repeated so that a hash picks one with `& 15`.
constexpr double kGradients[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};

// The gradients of both lanes, by 16 times the first lane's gradient plus the second's: one
// vector load per axis instead of a load per lane and a shuffle.
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
Doubles Load(const double* v) {
  Doubles lanes;
  std::memcpy(&lanes, v, sizeof lanes);
  return lanes;
}

Doubles Broadcast(double v) {
  return Doubles{v, v};
}

Doubles Fade(Doubles t) {
  return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

Doubles Lerp(Doubles t, Doubles a, Doubles b) {
  return a + t * (b - a);
}

Doubles ClampSigned(Doubles v) {
  return v < -1.0 ? Broadcast(-1.0) : (v > 1.0 ? Broadcast(1.0) : v);
}

// Branch-free, since nearly every point passes.
bool BothInRange(const Points& points) {
  const Doubles limit = Broadcast(kLimit);
  const auto inside = (points.x < limit) & (points.x > -limit) & (points.y < limit) &
                      (points.y > -limit) & (points.z < limit) & (points.z > -limit);
  return inside[0] & inside[1];
}

// Exact for |v| < kLimit, like FloorToInt.
Doubles Floor(Doubles v) {
  const Doubles truncated = __builtin_convertvector(__builtin_convertvector(v, Ints), Doubles);
  return truncated - (v < truncated ? Broadcast(1.0) : Broadcast(0.0));
}

Ints TableCell(Doubles floor) {
  return __builtin_convertvector(floor, Ints) & 255;
}

// Where the hashes of a cell's corners are found: corner (0, 0, 0) at aa, (1, 1, 0) at bb,
// and each one step up in z at the next slot.
struct CellSlots {
  uint32_t aa, ba, ab, bb;
};

// Forced inline here and below: as calls, each use would spill every live register.
[[gnu::always_inline]] inline CellSlots HashCell(const uint8_t* perm, uint32_t cx, uint32_t cy,
                                                 uint32_t cz) {
  const uint32_t a = perm[cx] + cy, b = perm[cx + 1] + cy;
  return {perm[a] + cz, perm[b] + cz, perm[a + 1] + cz, perm[b + 1] + cz};
}

[[gnu::always_inline]] inline uint32_t GradientPair(const HashTables& tables, uint32_t firstSlot,
                                                    uint32_t secondSlot) {
  return tables.gradientHigh[firstSlot] + tables.gradientLow[secondSlot];
}

// The gradient pair of each corner k of the cells, the corner at (k & 1, k >> 1 & 1, k >> 2).
struct CornerGradients {
  uint32_t pair[8];
};

CornerGradients HashCorners(const HashTables& tables, Ints cellX, Ints cellY, Ints cellZ) {
  const CellSlots s = HashCell(tables.perm, cellX[0], cellY[0], cellZ[0]);
  const CellSlots t = HashCell(tables.perm, cellX[1], cellY[1], cellZ[1]);
  return {{GradientPair(tables, s.aa, t.aa), GradientPair(tables, s.ba, t.ba),
           GradientPair(tables, s.ab, t.ab), GradientPair(tables, s.bb, t.bb),
           GradientPair(tables, s.aa + 1, t.aa + 1), GradientPair(tables, s.ba + 1, t.ba + 1),
           GradientPair(tables, s.ab + 1, t.ab + 1), GradientPair(tables, s.bb + 1, t.bb + 1)}};
}

[[gnu::always_inline]] inline Doubles Dot(uint32_t pair, Doubles x, Doubles y, Doubles z) {
  const auto& gradient = kGradientPairs.pair[pair];
  return Load(gradient[0]) * x + Load(gradient[1]) * y + Load(gradient[2]) * z;
}

// x, y, z in [0, 1): where the points lie in their cells.
Doubles BlendCorners(const CornerGradients& gradients, Doubles x, Doubles y, Doubles z) {
  const auto& g = gradients.pair;
  const Doubles u = Fade(x), v = Fade(y), w = Fade(z);
  const Doubles x1 = x - 1.0, y1 = y - 1.0, z1 = z - 1.0;
  const Doubles near = Lerp(v, Lerp(u, Dot(g[0], x, y, z), Dot(g[1], x1, y, z)),
                            Lerp(u, Dot(g[2], x, y1, z), Dot(g[3], x1, y1, z)));
  const Doubles far = Lerp(v, Lerp(u, Dot(g[4], x, y, z1), Dot(g[5], x1, y, z1)),
                           Lerp(u, Dot(g[6], x, y1, z1), Dot(g[7], x1, y1, z1)));
  return ClampSigned(Lerp(w, near, far));
}

Doubles NoiseInRange(const HashTables& tables, const Points& points) {
  const Doubles cellX = Floor(points.x), cellY = Floor(points.y), cellZ = Floor(points.z);
  const CornerGradients gradients =
      HashCorners(tables, TableCell(cellX), TableCell(cellY), TableCell(cellZ));
  return BlendCorners(gradients, points.x - cellX, points.y - cellY, points.z - cellZ);
}

Doubles Noise(const HashTables& tables, const Points& points) {
  if (BothInRange(points)) return NoiseInRange(tables, points);
  Points inRange = points;
  bool finite[2];
  for (int32_t i = 0; i < 2; ++i) {
    finite[i] = IntoRange(&inRange.x[i], &inRange.y[i], &inRange.z[i]);
    // Computes harmlessly; the answer is replaced below.
    if (!finite[i]) inRange.x[i] = inRange.y[i] = inRange.z[i] = 0.0;
  }
  Doubles noise = NoiseInRange(tables, inRange);
  for (int32_t i = 0; i < 2; ++i) {
    if (!finite[i]) noise[i] = 0.0;
  }
  return noise;
}

}  // namespace

void OctaveNoise(const OctaveTables& tables, const Vector3& p, int32_t count, double* noise) {
  for (int32_t first = 0; first < count; first += 2) {
    const Doubles frequency = Load(tables.frequency + first);
    const Points points = {Broadcast(p.x) * frequency + Load(tables.shift[0] + first),
                           Broadcast(p.y) * frequency + Load(tables.shift[1] + first),
                           Broadcast(p.z) * frequency + Load(tables.shift[2] + first)};
    const Doubles pairNoise = Noise(tables.hash, points);
    std::memcpy(noise + first, &pairNoise, sizeof pairNoise);
  }
}

double PointNoise(const HashTables& tables, const Vector3& p) {
  return Noise(tables, {Broadcast(p.x), Broadcast(p.y), Broadcast(p.z)})[0];
}

}  // namespace lattice
}  // namespace standin
