#include "noise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace standin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

const int32_t kKnownTypes[] = {kNoiseGradient, kNoiseCells,  kNoiseCellEdges, kNoiseWavy,
                               kNoiseRidged,   kNoiseWarped, kNoiseFbm,       kNoiseTurbulence,
                               kNoiseBillow,   kNoiseStrata};

std::vector<Vector3> RandomPoints(int32_t count, double extent, uint32_t seed = 7) {
  std::mt19937 engine(seed);
  std::uniform_real_distribution<double> coordinate(-extent, extent);
  std::vector<Vector3> points;
  for (int32_t i = 0; i < count; ++i) {
    points.push_back({coordinate(engine), coordinate(engine), coordinate(engine)});
  }
  return points;
}

double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(share * (values.size() - 1))];
}

// The shader's set-up: 20 octaves, lacunarity 0.5 + 1, H 1 - 0.3.
NoiseGenerator TerrainNoise(int32_t seed = 123) {
  NoiseGenerator noise(seed);
  noise.InitFbm(20, 1.5, 0.7);
  return noise;
}

TEST(NoiseSeed, SameSeedSameNoise) {
  const NoiseGenerator a = TerrainNoise(42), b = TerrainNoise(42);
  for (const Vector3& p : RandomPoints(200, 100)) {
    EXPECT_EQ(a.Gradient3(p), b.Gradient3(p));
    EXPECT_EQ(a.Fbm(p, 18), b.Fbm(p, 18));
    EXPECT_EQ(a.Ridged(p, 18, 0.5, 0.5), b.Ridged(p, 18, 0.5, 0.5));
    EXPECT_EQ(a.Sample(kNoiseBillow, p, 18, false, false, 0.25, 0.25),
              b.Sample(kNoiseBillow, p, 18, false, false, 0.25, 0.25));
  }
}

TEST(NoiseSeed, OtherSeedOtherNoise) {
  const int32_t pairs[][2] = {{0, 1}, {123, 124}, {-1, 1}, {INT32_MIN, INT32_MAX}, {7, -7}};
  for (const auto& pair : pairs) {
    const NoiseGenerator a = TerrainNoise(pair[0]), b = TerrainNoise(pair[1]);
    int32_t differing = 0;
    for (const Vector3& p : RandomPoints(200, 100)) differing += a.Fbm(p, 18) != b.Fbm(p, 18);
    EXPECT_GT(differing, 190) << "seeds " << pair[0] << " and " << pair[1];
  }
}

TEST(NoiseGradient, ZeroOnTheLatticeAndBounded) {
  const NoiseGenerator noise(5);
  for (const Vector3& corner : {Vector3{0, 0, 0}, Vector3{3, -7, 12}, Vector3{-255, 256, 1000}}) {
    EXPECT_EQ(noise.Gradient3(corner), 0.0);
  }
  std::vector<double> values;
  for (const Vector3& p : RandomPoints(20000, 300)) values.push_back(noise.Gradient3(p));
  EXPECT_GE(Percentile(values, 0), -1.0);
  EXPECT_LE(Percentile(values, 1), 1.0);
  EXPECT_LT(Percentile(values, 0.01), -0.3);
  EXPECT_GT(Percentile(values, 0.99), 0.3);
}

TEST(NoiseGradient, Continuous) {
  const NoiseGenerator noise(5);
  for (const Vector3& p : RandomPoints(500, 50)) {
    const Vector3 nearby = {p.x + 1e-7, p.y - 1e-7, p.z + 1e-7};
    EXPECT_NEAR(noise.Gradient3(p), noise.Gradient3(nearby), 1e-5);
  }
}

TEST(NoiseGradient, FarPointsAreTheSameFieldAsNearOnes) {
  // 2^40 is a whole number of lattice periods; the fractions are exact in binary.
  const NoiseGenerator noise(9);
  const double far = 1099511627776.0;
  for (const Vector3& p : {Vector3{0.5, 0.25, 0.75}, Vector3{-3.125, 17.5, 100.375}}) {
    EXPECT_EQ(noise.Gradient3({p.x + far, p.y - far, p.z + 4 * far}), noise.Gradient3(p));
  }
}

TEST(NoiseGradient, NonFinitePointsAnswerZero) {
  const NoiseGenerator noise(1);
  for (const Vector3& p : {Vector3{kNaN, 0, 0}, Vector3{0, kInfinity, 0}, Vector3{0, 0, -kInfinity},
                           Vector3{kNaN, kNaN, kNaN}}) {
    EXPECT_EQ(noise.Gradient3(p), 0.0);
  }
}

struct Spectrum {
  int32_t octaves;
  double lacunarity;
  double h;
};

const Spectrum kSpectra[] = {{20, 1.5, 0.7}, {20, 2.0, 1.0}, {20, 1.0, 0.0},
                             {20, 2.0, 0.0}, {8, 3.0, 1.5},  {20, 1.5, -0.2}};

TEST(NoiseFbm, FillsMinusOneToOneAndStaysInside) {
  for (const Spectrum& spectrum : kSpectra) {
    NoiseGenerator noise(77);
    ASSERT_TRUE(noise.InitFbm(spectrum.octaves, spectrum.lacunarity, spectrum.h));
    std::vector<double> values;
    for (const Vector3& p : RandomPoints(20000, 200)) values.push_back(noise.Fbm(p, 18));
    SCOPED_TRACE(testing::Message()
                 << "lacunarity " << spectrum.lacunarity << ", h " << spectrum.h);
    EXPECT_GE(Percentile(values, 0), -1.0);
    EXPECT_LE(Percentile(values, 1), 1.0);
    // Wide enough that the terrain gradient's bands around 0.5 +- 0.1 all show.
    EXPECT_LT(Percentile(values, 0.05), -0.25);
    EXPECT_GT(Percentile(values, 0.95), 0.25);
  }
}

TEST(NoiseRidged, StaysInZeroToOne) {
  const double settings[][2] = {{0.5, 0.5}, {1.0, 2.0}, {0.0, 1.0}, {-3.0, 0.5}, {10.0, 10.0}};
  for (const Spectrum& spectrum : kSpectra) {
    NoiseGenerator noise(31);
    ASSERT_TRUE(noise.InitFbm(spectrum.octaves, spectrum.lacunarity, spectrum.h));
    for (const auto& setting : settings) {
      std::vector<double> values;
      for (const Vector3& p : RandomPoints(5000, 200)) {
        values.push_back(noise.Ridged(p, 18, setting[0], setting[1]));
      }
      SCOPED_TRACE(testing::Message() << "offset " << setting[0] << ", gain " << setting[1]);
      EXPECT_GE(Percentile(values, 0), 0.0);
      EXPECT_LE(Percentile(values, 1), 1.0);
      if (setting[0] == 0.5 || setting[0] == 1.0) {  // the shader's and the classic look
        EXPECT_GT(Percentile(values, 0.95) - Percentile(values, 0.05), 0.1);
      }
    }
  }
}

TEST(NoiseOctaves, FractionalOctavesAreContinuous) {
  const NoiseGenerator noise = TerrainNoise();
  const auto lookups = {
      +[](const NoiseGenerator& n, const Vector3& p, double o) { return n.Fbm(p, o); },
      +[](const NoiseGenerator& n, const Vector3& p, double o) { return n.Ridged(p, o, 0.5, 0.5); },
      +[](const NoiseGenerator& n, const Vector3& p, double o) {
        return n.Sample(kNoiseBillow, p, o, false, false, 0.25, 0.25);
      },
      +[](const NoiseGenerator& n, const Vector3& p, double o) {
        return n.Sample(kNoiseTurbulence, p, o, false, false, 0.25, 0.25);
      }};
  for (const auto& lookup : lookups) {
    for (const Vector3& p : RandomPoints(40, 30)) {
      for (double octaves = 1.0; octaves < 19.0; octaves += 0.25) {
        EXPECT_NEAR(lookup(noise, p, octaves), lookup(noise, p, octaves + 1e-7), 1e-5)
            << "at " << octaves << " octaves";
      }
      // Just below a whole number it meets the next whole number of octaves.
      EXPECT_NEAR(lookup(noise, p, 5.0 - 1e-9), lookup(noise, p, 5.0), 1e-6);
    }
  }
}

TEST(NoiseOctaves, HalfAnOctaveBlendsTheNextIn) {
  const NoiseGenerator noise = TerrainNoise();
  int32_t blended = 0;
  for (const Vector3& p : RandomPoints(100, 30)) {
    const double half = noise.Fbm(p, 3.5);
    blended += half != noise.Fbm(p, 3) && half != noise.Fbm(p, 4);
  }
  EXPECT_GT(blended, 95);
}

TEST(NoiseOctaves, OctavesAtOneScaleStillAddUp) {
  // Lacunarity 1 puts every octave at the same scale; each still has noise of its own,
  // so the sum neither cancels nor saturates.
  NoiseGenerator noise(8);
  ASSERT_TRUE(noise.InitFbm(20, 1.0, 0.0));
  std::vector<double> values;
  for (const Vector3& p : RandomPoints(5000, 100)) values.push_back(noise.Fbm(p, 18));
  EXPECT_LT(std::count(values.begin(), values.end(), 1.0), 50);
  EXPECT_GT(Percentile(values, 0.95), 0.25);
}

TEST(NoiseOctaves, ClampedIntoTheSetUp) {
  const NoiseGenerator noise = TerrainNoise();
  for (const Vector3& p : RandomPoints(20, 30)) {
    for (double few : {0.0, 0.5, -3.0, kNaN, -kInfinity}) {
      EXPECT_EQ(noise.Fbm(p, few), noise.Fbm(p, 1.0));
    }
    for (double many : {20.5, 64.0, 1e9, kInfinity}) {
      EXPECT_EQ(noise.Fbm(p, many), noise.Fbm(p, 20.0));
    }
  }
}

TEST(NoiseInitFbm, RefusesSpectraThatAreNotFinite) {
  const Spectrum refused[] = {{20, kNaN, 1.0}, {20, 2.0, kNaN},  {20, 0.0, 1.0},
                              {20, -2.0, 0.5}, {20, 1e300, 1.0}, {20, kInfinity, 1.0},
                              {20, 2.0, -1e4}};
  const Vector3 p = {1.3, -2.7, 0.4};
  for (const Spectrum& spectrum : refused) {
    NoiseGenerator noise = TerrainNoise();
    const double before = noise.Fbm(p, 18);
    EXPECT_FALSE(noise.InitFbm(spectrum.octaves, spectrum.lacunarity, spectrum.h))
        << "lacunarity " << spectrum.lacunarity << ", h " << spectrum.h;
    EXPECT_EQ(noise.Fbm(p, 18), before);
    EXPECT_EQ(noise.OctaveCount(), 20);
  }
}

TEST(NoiseInitFbm, OctaveCountIsClamped) {
  NoiseGenerator noise(3);
  EXPECT_EQ(noise.OctaveCount(), 20);
  EXPECT_TRUE(noise.InitFbm(0, 2.0, 1.0));
  EXPECT_EQ(noise.OctaveCount(), 1);
  EXPECT_TRUE(noise.InitFbm(1000, 1.1, 0.5));
  EXPECT_EQ(noise.OctaveCount(), NoiseGenerator::kMaxOctaves);
}

TEST(NoiseSample, EveryTypeStaysInZeroToOne) {
  struct Options {
    bool absolute, turbulence;
    double low, high;
  };
  const Options options[] = {{false, false, 0.25, 0.25}, {false, false, 0, 0},
                             {true, false, 0.1, 0.3},    {false, true, 0.25, 0.25},
                             {true, true, 0.6, 0.6},     {false, false, kNaN, 0.25},
                             {false, false, -2, 5}};
  std::vector<int32_t> types(std::begin(kKnownTypes), std::end(kKnownTypes));
  types.insert(types.end(), {-1, 1, 99, INT32_MIN, INT32_MAX});
  const NoiseGenerator noise = TerrainNoise();
  for (int32_t type : types) {
    for (const Options& option : options) {
      for (const Vector3& p : RandomPoints(300, 100)) {
        const double value =
            noise.Sample(type, p, 18, option.absolute, option.turbulence, option.low, option.high);
        ASSERT_GE(value, 0.0) << "type " << type;
        ASSERT_LE(value, 1.0) << "type " << type;
      }
    }
  }
}

TEST(NoiseSample, TypesLookDifferent) {
  const NoiseGenerator noise = TerrainNoise();
  const auto points = RandomPoints(64, 20);
  std::vector<std::vector<double>> looks;
  for (int32_t type : kKnownTypes) {
    std::vector<double> values;
    for (const Vector3& p : points) values.push_back(noise.Sample(type, p, 18, false, false, 0, 0));
    EXPECT_GT(Percentile(values, 0.9) - Percentile(values, 0.1), 0.1) << "type " << type;
    looks.push_back(values);
  }
  for (size_t a = 0; a < looks.size(); ++a) {
    for (size_t b = a + 1; b < looks.size(); ++b) {
      EXPECT_NE(looks[a], looks[b]) << "types " << kKnownTypes[a] << " and " << kKnownTypes[b];
    }
  }
}

TEST(NoiseSample, UnknownTypesAreFbm) {
  const NoiseGenerator noise = TerrainNoise();
  for (const Vector3& p : RandomPoints(50, 20)) {
    const double fbm = noise.Sample(kNoiseFbm, p, 18, false, false, 0.25, 0.25);
    for (int32_t type : {-1, 11, 1000}) {
      EXPECT_EQ(noise.Sample(type, p, 18, false, false, 0.25, 0.25), fbm);
    }
  }
}

TEST(NoiseSample, LowAndHighCutTheEnds) {
  const NoiseGenerator noise = TerrainNoise();
  for (const Vector3& p : RandomPoints(200, 20)) {
    const double full = noise.Sample(kNoiseFbm, p, 18, false, false, 0, 0);
    const double cut = noise.Sample(kNoiseFbm, p, 18, false, false, 0.25, 0.25);
    EXPECT_NEAR(cut, std::clamp((full - 0.25) / 0.5, 0.0, 1.0), 1e-12);
    const double stepped = noise.Sample(kNoiseFbm, p, 18, false, false, 0.7, 0.5);
    EXPECT_EQ(stepped, full > 0.6 ? 1.0 : 0.0);
  }
}

TEST(NoiseSample, AbsoluteFoldsAtTheMiddle) {
  const NoiseGenerator noise = TerrainNoise();
  for (const Vector3& p : RandomPoints(200, 20)) {
    const double plain = noise.Sample(kNoiseBillow, p, 18, false, false, 0, 0);
    const double folded = noise.Sample(kNoiseBillow, p, 18, true, false, 0, 0);
    EXPECT_NEAR(folded, std::fabs(2 * plain - 1), 1e-12);
  }
}

TEST(NoiseRobustness, NonFiniteInputGivesFiniteAnswers) {
  const NoiseGenerator noise = TerrainNoise();
  const Vector3 points[] = {{kNaN, 1, 2},       {1, kInfinity, 2}, {-kInfinity, 0, 0},
                            {1e300, -1e300, 5}, {1e18, 3, -1e15},  {kNaN, kNaN, kNaN}};
  const double numbers[] = {kNaN, kInfinity, -kInfinity, 1e300, -1e300, 0.5};
  for (const Vector3& p : points) {
    EXPECT_TRUE(std::isfinite(noise.Gradient3(p)));
    EXPECT_TRUE(std::isfinite(noise.Fbm(p, 18)));
    for (double octaves : numbers) {
      EXPECT_TRUE(std::isfinite(noise.Fbm(p, octaves)));
      for (double setting : numbers) {
        const double ridged = noise.Ridged(p, octaves, setting, setting);
        EXPECT_TRUE(ridged >= 0.0 && ridged <= 1.0);
        for (int32_t type : kKnownTypes) {
          const double value = noise.Sample(type, p, octaves, false, true, setting, 0.25);
          EXPECT_TRUE(value >= 0.0 && value <= 1.0) << "type " << type;
        }
      }
    }
  }
}

TEST(NoiseRobustness, OctavesThatOverflowLeaveTheOthersAlone) {
  // Octave 0 is the point itself, far out in z but finite; octave 1 overflows to infinity
  // and counts as 0. With equal weights the sum is octave 0 over the root of two.
  NoiseGenerator noise(4);
  ASSERT_TRUE(noise.InitFbm(20, 1e10, 0.0));
  for (const Vector3& p : {Vector3{0.3, 0.6, 1e299}, Vector3{-2.7, 5e298, 17.2}}) {
    const double coarse = noise.Gradient3(p);
    ASSERT_NE(coarse, 0.0);
    EXPECT_DOUBLE_EQ(noise.Fbm(p, 2), coarse / std::sqrt(2.0));
  }
}

TEST(NoiseRobustness, ScaledUpPointsLeaveTheLatticeRangeMidFractal) {
  // Fine octaves of a far point pass the int32 range of the lattice while summing.
  NoiseGenerator noise(2);
  ASSERT_TRUE(noise.InitFbm(64, 4.0, 0.5));
  for (const Vector3& p : RandomPoints(50, 1e6)) {
    EXPECT_TRUE(std::isfinite(noise.Fbm(p, 64)));
    EXPECT_TRUE(std::isfinite(noise.Ridged(p, 64, 0.5, 0.5)));
  }
}

}  // namespace
}  // namespace standin
