#include "noise.h"

#include <cmath>

namespace standin {

namespace {

// Farther out, points are reduced by the lattice period first, which changes nothing since
// the tables repeat every 256 cells.
constexpr double kLatticeLimit = 1.0e9;
constexpr double kLatticePeriod = 256.0;
constexpr double kTwoPi = 6.283185307179586;
// Moves each octave to noise of its own, so octaves at one scale do not coincide and fine
// lattices do not line up with coarse ones at the origin.
constexpr double kOctaveShift[3] = {19.123, 33.717, 47.291};

// The twelve cube edge directions, four repeated so that a hash picks one with `& 15`.
constexpr double kGradients[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};

// Spreads of the typed noises, chosen so that each covers most of [0, 1] before clipping.
constexpr double kTurbulenceSpread = 2.5;
constexpr double kBillowSpread = 2.6;
constexpr double kWarpStrength = 1.5;
constexpr double kWavyBends = 4.0;
constexpr int32_t kWarpOctaves = 4;
constexpr double kStrataLevels = 6.0;

// splitmix64: a full-period sequence, so nearby seeds give unrelated tables.
class SeedSequence {
 public:
  explicit SeedSequence(int32_t seed) : state(static_cast<uint32_t>(seed)) {}
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double NextUnit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

 private:
  uint64_t state;
};

// Only for |v| < kLatticeLimit.
int32_t FloorToInt(double v) {
  const int32_t truncated = static_cast<int32_t>(v);
  return v < truncated ? truncated - 1 : truncated;
}

double Fade(double t) {
  return t * t * t * (t * (t * 6 - 15) + 10);
}
double Lerp(double t, double a, double b) {
  return a + t * (b - a);
}
double Square(double v) {
  return v * v;
}

double Dot(uint8_t hash, double x, double y, double z) {
  const double* g = kGradients[hash & 15];
  return g[0] * x + g[1] * y + g[2] * z;
}

// Into [0, 1]; NaN becomes 0.
double ClampUnit(double v) {
  return v > 0 ? (v < 1 ? v : 1) : 0;
}

double ClampSigned(double v) {
  return v < -1 ? -1 : (v > 1 ? 1 : v);
}

Vector3 OctavePoint(const Vector3& p, double frequency, int32_t octave) {
  return {p.x * frequency + octave * kOctaveShift[0], p.y * frequency + octave * kOctaveShift[1],
          p.z * frequency + octave * kOctaveShift[2]};
}

// Brings a point into the range where lattice coordinates fit an int32_t; false when it
// is not finite.
bool IntoLatticeRange(double* x, double* y, double* z) {
  if (std::fabs(*x) < kLatticeLimit && std::fabs(*y) < kLatticeLimit &&
      std::fabs(*z) < kLatticeLimit) {
    return true;
  }
  if (!std::isfinite(*x) || !std::isfinite(*y) || !std::isfinite(*z)) return false;
  *x = std::fmod(*x, kLatticePeriod);
  *y = std::fmod(*y, kLatticePeriod);
  *z = std::fmod(*z, kLatticePeriod);
  return true;
}

}  // namespace

struct NoiseGenerator::OctaveBlend {
  int32_t whole;
  double fraction;  // of octave `whole`, 0 when there is none
  double meanNormaliser;
  double rmsNormaliser;
};

NoiseGenerator::NoiseGenerator(int32_t seed) {
  SeedSequence sequence(seed);
  for (int32_t i = 0; i < 256; ++i) permutation[i] = static_cast<uint8_t>(i);
  for (int32_t i = 255; i > 0; --i) {
    const int32_t j = static_cast<int32_t>(sequence.Next() % static_cast<uint64_t>(i + 1));
    const uint8_t swapped = permutation[i];
    permutation[i] = permutation[j];
    permutation[j] = swapped;
  }
  for (int32_t i = 0; i < 256; ++i) permutation[256 + i] = permutation[i];
  for (auto& offset : featureOffset) {
    for (double& component : offset) component = sequence.NextUnit();
  }
  InitFbm(20, 2.0, 1.0);
}

bool NoiseGenerator::InitFbm(int32_t octaves, double lacunarity, double h) {
  const int32_t count = octaves < 1 ? 1 : (octaves > kMaxOctaves ? kMaxOctaves : octaves);
  Spectrum next{};
  const double weightStep = std::pow(lacunarity, -h);
  next.frequency[0] = 1.0;
  next.weight[0] = 1.0;
  next.weightSum[0] = 0.0;
  next.squareWeightSum[0] = 0.0;
  for (int32_t i = 0; i < count; ++i) {
    next.frequency[i + 1] = next.frequency[i] * lacunarity;
    next.weight[i + 1] = next.weight[i] * weightStep;
    next.weightSum[i + 1] = next.weightSum[i] + next.weight[i];
    next.squareWeightSum[i + 1] = next.squareWeightSum[i] + Square(next.weight[i]);
  }
  for (int32_t i = 0; i <= count; ++i) {
    if (!std::isfinite(next.frequency[i]) || !(next.weight[i] >= 0.0) ||
        !std::isfinite(next.weight[i]) || !std::isfinite(next.weightSum[i]) ||
        !std::isfinite(next.squareWeightSum[i])) {
      return false;
    }
  }
  if (!(next.squareWeightSum[count] > 0.0)) return false;
  for (int32_t i = 1; i <= count; ++i) {
    next.meanNormaliser[i] = 1.0 / next.weightSum[i];
    next.rmsNormaliser[i] = 1.0 / std::sqrt(next.squareWeightSum[i]);
  }
  octaveCount = count;
  spectrum = next;
  return true;
}

double NoiseGenerator::Gradient3(const Vector3& p) const {
  return LatticeNoise(p.x, p.y, p.z);
}

double NoiseGenerator::LatticeNoise(double x, double y, double z) const {
  if (!IntoLatticeRange(&x, &y, &z)) return 0.0;
  const int32_t xi = FloorToInt(x), yi = FloorToInt(y), zi = FloorToInt(z);
  x -= xi;
  y -= yi;
  z -= zi;
  const uint32_t cx = static_cast<uint32_t>(xi) & 255u;
  const uint32_t cy = static_cast<uint32_t>(yi) & 255u;
  const uint32_t cz = static_cast<uint32_t>(zi) & 255u;
  const uint8_t* perm = permutation;
  const uint32_t a = perm[cx] + cy, aa = perm[a] + cz, ab = perm[a + 1] + cz;
  const uint32_t b = perm[cx + 1] + cy, ba = perm[b] + cz, bb = perm[b + 1] + cz;
  const double u = Fade(x), v = Fade(y), w = Fade(z);
  const double near = Lerp(v, Lerp(u, Dot(perm[aa], x, y, z), Dot(perm[ba], x - 1, y, z)),
                           Lerp(u, Dot(perm[ab], x, y - 1, z), Dot(perm[bb], x - 1, y - 1, z)));
  const double far =
      Lerp(v, Lerp(u, Dot(perm[aa + 1], x, y, z - 1), Dot(perm[ba + 1], x - 1, y, z - 1)),
           Lerp(u, Dot(perm[ab + 1], x, y - 1, z - 1), Dot(perm[bb + 1], x - 1, y - 1, z - 1)));
  return ClampSigned(Lerp(w, near, far));
}

NoiseGenerator::OctaveBlend NoiseGenerator::Blend(double octaves) const {
  if (!(octaves >= 1.0)) octaves = 1.0;
  if (octaves > octaveCount) octaves = octaveCount;
  OctaveBlend blend;
  blend.whole = static_cast<int32_t>(octaves);
  blend.fraction = octaves - blend.whole;
  if (blend.fraction > 0) {
    const double partial = blend.fraction * spectrum.weight[blend.whole];
    blend.meanNormaliser = 1.0 / (spectrum.weightSum[blend.whole] + partial);
    blend.rmsNormaliser = 1.0 / std::sqrt(spectrum.squareWeightSum[blend.whole] + Square(partial));
  } else {
    blend.meanNormaliser = spectrum.meanNormaliser[blend.whole];
    blend.rmsNormaliser = spectrum.rmsNormaliser[blend.whole];
  }
  return blend;
}

template <typename OctaveFunction>
double NoiseGenerator::WeightedSum(const Vector3& p, const OctaveBlend& blend,
                                   OctaveFunction octave) const {
  double sum = 0.0;
  for (int32_t i = 0; i < blend.whole; ++i)
    sum += spectrum.weight[i] * octave(OctavePoint(p, spectrum.frequency[i], i), i);
  if (blend.fraction > 0) {
    const int32_t i = blend.whole;
    sum +=
        blend.fraction * spectrum.weight[i] * octave(OctavePoint(p, spectrum.frequency[i], i), i);
  }
  return sum;
}

template <typename OctaveFunction>
double NoiseGenerator::WeightedMean(const Vector3& p, double octaves, OctaveFunction octave) const {
  const OctaveBlend blend = Blend(octaves);
  return WeightedSum(p, blend, octave) * blend.meanNormaliser;
}

double NoiseGenerator::Fbm(const Vector3& p, double octaves) const {
  // Octaves at different scales are nearly independent, so dividing by the root of the
  // summed squared weights keeps the spread of a single octave.
  const OctaveBlend blend = Blend(octaves);
  return ClampSigned(
      WeightedSum(p, blend, [this](const Vector3& q, int32_t) { return Gradient3(q); }) *
      blend.rmsNormaliser);
}

double NoiseGenerator::Turbulence(const Vector3& p, double octaves) const {
  return WeightedMean(p, octaves,
                      [this](const Vector3& q, int32_t) { return std::fabs(Gradient3(q)); });
}

double NoiseGenerator::Ridged(const Vector3& p, double octaves, double offset, double gain) const {
  // Scaling by the highest possible signal keeps every octave's peak at 1 for any offset.
  const double peak = std::fmax(Square(offset), Square(1.0 - offset));
  const double toUnit = peak > 0 ? 1.0 / peak : 0.0;
  double previous = 0.0;
  return WeightedMean(p, octaves, [&](const Vector3& q, int32_t i) {
    const double feedback = i == 0 ? 1.0 : ClampUnit(previous * gain);
    const double signal = Square(offset - std::fabs(Gradient3(q))) * toUnit;
    previous = signal;
    return ClampUnit(signal) * feedback;
  });
}

double NoiseGenerator::CellDistance(const Vector3& p, bool edges) const {
  double x = p.x, y = p.y, z = p.z;
  if (!IntoLatticeRange(&x, &y, &z)) return 0.0;
  const int32_t xi = FloorToInt(x), yi = FloorToInt(y), zi = FloorToInt(z);
  double nearest = 1e9, second = 1e9;
  for (int32_t dx = -1; dx <= 1; ++dx) {
    for (int32_t dy = -1; dy <= 1; ++dy) {
      for (int32_t dz = -1; dz <= 1; ++dz) {
        const uint32_t cx = static_cast<uint32_t>(xi + dx) & 255u;
        const uint32_t cy = static_cast<uint32_t>(yi + dy) & 255u;
        const uint32_t cz = static_cast<uint32_t>(zi + dz) & 255u;
        const double* feature = featureOffset[permutation[permutation[permutation[cx] + cy] + cz]];
        const double distance = Square(xi + dx + feature[0] - x) +
                                Square(yi + dy + feature[1] - y) + Square(zi + dz + feature[2] - z);
        if (distance < nearest) {
          second = nearest;
          nearest = distance;
        } else if (distance < second) {
          second = distance;
        }
      }
    }
  }
  return edges ? std::sqrt(second) - std::sqrt(nearest) : std::sqrt(nearest);
}

double NoiseGenerator::SignedSample(int32_t type, const Vector3& p, double octaves,
                                    bool turbulence) const {
  const auto fractal = [&](const Vector3& q) {
    return turbulence ? 2.0 * kTurbulenceSpread * Turbulence(q, octaves) - 1.0 : Fbm(q, octaves);
  };
  switch (type) {
    case kNoiseGradient:
      return Gradient3(p);
    case kNoiseCells:
      return 2.0 * CellDistance(p, false) - 1.0;
    case kNoiseCellEdges:
      return 2.0 * CellDistance(p, true) - 1.0;
    case kNoiseWavy:
      return std::sin(kTwoPi * p.y + kWavyBends * fractal(p));
    case kNoiseRidged:
      return 2.0 * Ridged(p, octaves, 1.0, 2.0) - 1.0;
    case kNoiseWarped:
      return fractal({p.x + kWarpStrength * Fbm({p.x + 5.2, p.y + 1.3, p.z}, kWarpOctaves),
                      p.y + kWarpStrength * Fbm({p.x, p.y + 9.2, p.z + 2.8}, kWarpOctaves),
                      p.z + kWarpStrength * Fbm({p.x + 3.7, p.y, p.z + 7.1}, kWarpOctaves)});
    case kNoiseTurbulence:
      return 2.0 * kTurbulenceSpread * Turbulence(p, octaves) - 1.0;
    case kNoiseBillow:
      // Broad signed banks from the first octave, puffs from the absolute finer ones.
      return kBillowSpread * WeightedMean(p, octaves, [this](const Vector3& q, int32_t i) {
               const double n = Gradient3(q);
               return i == 0 ? n : 2.0 * std::fabs(n) - 0.5;
             });
    case kNoiseStrata: {
      const double level = (0.5 + 0.5 * ClampSigned(fractal(p))) * kStrataLevels;
      const double step = std::floor(level);
      const double rise = level - step;
      return 2.0 * (step + Square(rise) * (3.0 - 2.0 * rise)) / kStrataLevels - 1.0;
    }
    default:
      return fractal(p);
  }
}

double NoiseGenerator::Sample(int32_t type, const Vector3& p, double octaves, bool absolute,
                              bool turbulence, double low, double high) const {
  const double signedValue = ClampSigned(SignedSample(type, p, octaves, turbulence));
  const double value = absolute ? std::fabs(signedValue) : 0.5 + 0.5 * signedValue;
  const double bottom = low, top = 1.0 - high;
  if (!(top > bottom)) return value > 0.5 * (bottom + top) ? 1.0 : 0.0;
  return ClampUnit((value - bottom) / (top - bottom));
}

}  // namespace standin
