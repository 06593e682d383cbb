// Seeded gradient noise and the fractals and typed noises built on it. Every lookup is a
// const function of the point, so one generator serves any number of render threads.
#pragma once

#include <cstdint>

#include "host_abi.h"

namespace standin {

// Noise types of Sample. Numbers not listed fall back to kNoiseFbm.
enum NoiseType : int32_t {
  kNoiseGradient = 0,     // one octave of gradient noise
  kNoiseCells = 2,        // distance to the nearest feature point; one scale
  kNoiseCellEdges = 3,    // second minus first feature distance: cracks; one scale
  kNoiseWavy = 5,         // sine bands bent by fbm: marble
  kNoiseRidged = 7,       // ridged multifractal
  kNoiseWarped = 8,       // fbm of a point displaced by fbm: swirls
  kNoiseFbm = 10,         // fractal Brownian motion
  kNoiseTurbulence = 14,  // sum of absolute octaves: creases
  kNoiseBillow = 20,      // puffy cloud banks
  kNoiseStrata = 24,      // fbm in terraces
};

class NoiseGenerator {
 public:
  static constexpr int32_t kMaxOctaves = 64;

  explicit NoiseGenerator(int32_t seed);

  // Spectral weights of the fractals: octave i is lacunarity^i times as fine and weighs
  // lacunarity^(-h i). Octaves are clamped into [1, kMaxOctaves]. Answers false and keeps
  // the previous set-up when the weights would not be finite. Until called: 20, 2, 1.
  bool InitFbm(int32_t octaves, double lacunarity, double h);

  int32_t OctaveCount() const { return octaveCount; }

  // Gradient noise in [-1, 1], 0 at the integer lattice. A non-finite point answers 0.
  double Gradient3(const Vector3& p) const;

  // Weighted sum of the octaves, scaled to the spread of one octave and clamped to [-1, 1].
  // Octaves are clamped into [1, OctaveCount()]; a fraction blends the next octave in, so
  // the result is continuous in `octaves`.
  double Fbm(const Vector3& p, double octaves) const;

  // Ridged multifractal in [0, 1]. Each octave's ridge signal (offset - |noise|)^2 is scaled
  // so that its peak is 1, and weighted by the previous signal times `gain` (clamped to
  // [0, 1]), so finer octaves show on the ridges; the result is the weighted mean.
  double Ridged(const Vector3& p, double octaves, double offset, double gain) const;

  // Typed noise in [0, 1]. `absolute` folds the signed noise at its middle; `turbulence`
  // sums absolute octaves for the fractal types. `low` and `high` are the shares of the
  // range cut off at each end, the rest stretched over [0, 1]; when they meet or cross,
  // the result is a step at their middle. NaN answers 0.
  double Sample(int32_t type, const Vector3& p, double octaves, bool absolute, bool turbulence,
                double low, double high) const;

 private:
  // Every octave and a partial one, rounded up to whole groups of four: octaves are computed
  // up to four at once.
  static constexpr int32_t kOctaveSlots = kMaxOctaves + 4;

  struct OctaveBlend;
  struct Spectrum {
    double frequency[kOctaveSlots];       // 0 past the octave count
    double octaveShift[3][kOctaveSlots];  // moves each octave to noise of its own
    double weight[kMaxOctaves + 1];
    double weightSum[kMaxOctaves + 1];        // of the octaves before i
    double squareWeightSum[kMaxOctaves + 1];  // of the octaves before i
    double meanNormaliser[kMaxOctaves + 1];   // for i whole octaves
    double rmsNormaliser[kMaxOctaves + 1];
  };

  void OctaveNoise(const Vector3& p, int32_t count, double* noise) const;
  double CellDistance(const Vector3& p, bool edges) const;
  OctaveBlend Blend(double octaves) const;
  template <typename OctaveFunction>
  double WeightedSum(const Vector3& p, const OctaveBlend& blend, OctaveFunction octave) const;
  template <typename OctaveFunction>
  double WeightedMean(const Vector3& p, double octaves, OctaveFunction octave) const;
  double Turbulence(const Vector3& p, double octaves) const;  // mean of absolute octaves
  double SignedSample(int32_t type, const Vector3& p, double octaves, bool turbulence) const;

  uint8_t permutation[512];
  uint8_t gradientHigh[512];  // the gradient each slot picks, times 16: two of them pair up
  uint8_t gradientLow[512];   // the gradient each slot picks
  double featureOffset[256][3];
  int32_t octaveCount = 0;
  Spectrum spectrum;
};

}  // namespace standin
