// Cost of the noise lookups a shading sample makes. The shader's colour sample spends about
// 59 octaves of gradient noise and must stay within 1.5 us.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "noise.h"

namespace {

using standin::NoiseGenerator;

// Points spread over many lattice cells, so the tables are read as a render reads them.
std::vector<Vector3> Points() {
  std::vector<Vector3> points;
  uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) * (1.0 / 16777216.0) * 2000.0 - 1000.0;
  };
  for (int32_t i = 0; i < 4096; ++i) points.push_back({next(), next(), next()});
  return points;
}

NoiseGenerator TerrainNoise() {
  NoiseGenerator noise(123);
  noise.InitFbm(20, 1.5, 0.7);
  return noise;
}

template <typename Lookup>
void Measure(benchmark::State& state, Lookup lookup) {
  const NoiseGenerator noise = TerrainNoise();
  const std::vector<Vector3> points = Points();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lookup(noise, points[i]));
    i = (i + 1) & (points.size() - 1);
  }
}

void NoiseGradient3(benchmark::State& state) {
  Measure(state, [](const NoiseGenerator& n, const Vector3& p) { return n.Gradient3(p); });
}

void NoiseFbm18(benchmark::State& state) {
  Measure(state, [](const NoiseGenerator& n, const Vector3& p) { return n.Fbm(p, 18.0); });
}

void NoiseFbmFractional(benchmark::State& state) {
  Measure(state, [](const NoiseGenerator& n, const Vector3& p) { return n.Fbm(p, 17.5); });
}

void NoiseRidged18(benchmark::State& state) {
  Measure(state,
          [](const NoiseGenerator& n, const Vector3& p) { return n.Ridged(p, 18.0, 0.5, 0.5); });
}

void NoiseSample(benchmark::State& state) {
  const int32_t type = static_cast<int32_t>(state.range(0));
  const double octaves = static_cast<double>(state.range(1));
  Measure(state, [type, octaves](const NoiseGenerator& n, const Vector3& p) {
    return n.Sample(type, p, octaves, false, false, 0.25, 0.25);
  });
}

// The four lookups of one colour sample: terrain, ridges, clouds, ice.
void NoiseColourSample(benchmark::State& state) {
  Measure(state, [](const NoiseGenerator& n, const Vector3& p) {
    return n.Fbm(p, 18.0) + n.Ridged(p, 18.0, 0.5, 0.5) +
           n.Sample(standin::kNoiseBillow, p, 18.0, false, false, 0.25, 0.25) +
           n.Sample(standin::kNoiseFbm, p, 5.0, false, false, 0.25, 0.25);
  });
}

}  // namespace

BENCHMARK(NoiseGradient3);
BENCHMARK(NoiseFbm18);
BENCHMARK(NoiseFbmFractional);
BENCHMARK(NoiseRidged18);
BENCHMARK(NoiseSample)
    ->ArgNames({"type", "octaves"})
    ->Args({10, 5})
    ->Args({14, 18})
    ->Args({20, 18})
    ->Args({2, 18})
    ->Args({8, 18});
BENCHMARK(NoiseColourSample);
