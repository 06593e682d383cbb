// Gradient noise on the permutation lattice, several points at once: the octaves of a fractal
// are independent, so their table lookups overlap and their arithmetic shares vector
// instructions, four lanes wide where the processor has AVX2. Step for step the scalar
// formula, so the bits are the same as one at a time.
#pragma once

#include <cmath>
#include <cstdint>

#include "host_abi.h"

namespace standin {
namespace lattice {

// Farther out, points are reduced by the lattice period first, which changes nothing since
// the tables repeat every 256 cells.
constexpr double kLimit = 1.0e9;
constexpr double kPeriod = 256.0;

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

// The tables of a seed, each 512 long. The gradient of slot s is perm[s] & 15; gradientHigh
// holds it times 16 and gradientLow as is, so that two points' gradients add up to one index.
struct HashTables {
  const uint8_t* perm;
  const uint8_t* gradientHigh;
  const uint8_t* gradientLow;
};

// Octave i is at p * frequency[i] + (shift[0][i], shift[1][i], shift[2][i]).
struct OctaveTables {
  HashTables hash;
  const double* frequency;
  const double* shift[3];
};

// Noise in [-1, 1] of octaves [0, count) into noise[0, count rounded up to a multiple of 4):
// points are taken two or four at once, and the tables must hold that many entries.
void OctaveNoise(const OctaveTables& tables, const Vector3& p, int32_t count, double* noise);

// Noise in [-1, 1] at one point, 0 at the integer lattice and for a point that is not finite.
double PointNoise(const HashTables& tables, const Vector3& p);

}  // namespace lattice
}  // namespace standin
