#include "noise.h"

#include <cmath>

#include "lattice_lanes.h"

namespace standin {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Moves each octave to noise of its own, so octaves at one scale do not coincide and fine
// lattices do not line up with coarse ones at the origin.
constexpr double kOctaveShift[3] = {19.123, 33.717, 47.291};

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

// Into [0, 1]; NaN becomes 0.
double ClampUnit(double v) {
  return v > 0 ? (v < 1 ? v : 1) : 0;
}

double Square(double v) {
  return v * v;
}

double ClampSigned(double v) {
  return v < -1 ? -1 : (v > 1 ? 1 : v);
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
  for (int32_t i = 0; i < 512; ++i) {
    gradientLow[i] = permutation[i] & 15;
    gradientHigh[i] = static_cast<uint8_t>(gradientLow[i] << 4);
  }
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
  for (int32_t axis = 0; axis < 3; ++axis) {
    for (int32_t i = 0; i < kOctaveSlots; ++i) next.octaveShift[axis][i] = i * kOctaveShift[axis];
  }
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
  return lattice::PointNoise({permutation, gradientHigh, gradientLow}, p);
}

void NoiseGenerator::OctaveNoise(const Vector3& p, int32_t count, double* noise) const {
  const auto& shift = spectrum.octaveShift;
  lattice::OctaveNoise({{permutation, gradientHigh, gradientLow},
                        spectrum.frequency,
                        {shift[0], shift[1], shift[2]}},
                       p, count, noise);
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
  double noise[kOctaveSlots];
  OctaveNoise(p, blend.whole + (blend.fraction > 0), noise);
  double sum = 0.0;
  for (int32_t i = 0; i < blend.whole; ++i) sum += spectrum.weight[i] * octave(noise[i], i);
  if (blend.fraction > 0) {
    const int32_t i = blend.whole;
    sum += blend.fraction * spectrum.weight[i] * octave(noise[i], i);
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
  return ClampSigned(WeightedSum(p, blend, [](double noise, int32_t) { return noise; }) *
                     blend.rmsNormaliser);
}

double NoiseGenerator::Turbulence(const Vector3& p, double octaves) const {
  return WeightedMean(p, octaves, [](double noise, int32_t) { return std::fabs(noise); });
}

double NoiseGenerator::Ridged(const Vector3& p, double octaves, double offset, double gain) const {
  // Scaling by the highest possible signal keeps every octave's peak at 1 for any offset.
  const double peak = std::fmax(Square(offset), Square(1.0 - offset));
  const double toUnit = peak > 0 ? 1.0 / peak : 0.0;
  // By value, so that the previous signal stays in a register.
  return WeightedMean(p, octaves, [=, previous = 0.0](double noise, int32_t i) mutable {
    const double feedback = i == 0 ? 1.0 : ClampUnit(previous * gain);
    const double signal = Square(offset - std::fabs(noise)) * toUnit;
    previous = signal;
    return ClampUnit(signal) * feedback;
  });
}

double NoiseGenerator::CellDistance(const Vector3& p, bool edges) const {
  double x = p.x, y = p.y, z = p.z;
  if (!lattice::IntoRange(&x, &y, &z)) return 0.0;
  const int32_t xi = lattice::FloorToInt(x), yi = lattice::FloorToInt(y),
                zi = lattice::FloorToInt(z);
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
      return kBillowSpread * WeightedMean(p, octaves, [](double noise, int32_t i) {
               return i == 0 ? noise : 2.0 * std::fabs(noise) - 0.5;
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
