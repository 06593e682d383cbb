// Render throughput with a shader of the planet's cost: a colour sample makes four noise
// lookups of 18 octaves and one of 5, a height sample three of 18 and one of 5. The ratio of
// the 2-thread to the 1-thread pixel rate shows how well the tiles spread.
#include <benchmark/benchmark.h>

#include "noise.h"
#include "renderer.h"

namespace {

using standin::NoiseGenerator;

Vector3 Scaled(const Vector3& p, double s) {
  return {p.x * s, p.y * s, p.z * s};
}

Vector3 ShaderPosition(const ChannelSample& sample) {
  if (!sample.hit) return Scaled(sample.position, 1000.0);
  Vector3 p = sample.hit->hitPoint;
  if ((sample.flags >> CHANNEL_SAMPLE_CHANNEL_SHIFT & CHANNEL_SAMPLE_CHANNEL_MASK) ==
      MATERIAL_CHANNEL_BUMP) {
    const int32_t direction = sample.flags >> CHANNEL_SAMPLE_BUMP_SHIFT & CHANNEL_SAMPLE_BUMP_MASK;
    const double step = direction % 2 == 0 ? 1.0 : -1.0;
    (direction < 2 ? p.x : p.y) += step;
  }
  return p;
}

class NoisePlanet : public standin::SurfaceShading {
 public:
  NoisePlanet() : noise_(123) { noise_.InitFbm(20, 1.5, 0.7); }

  Vector3 Sample(const ChannelSample& sample) const override {
    const Vector3 p = ShaderPosition(sample);
    const double terrain = 0.5 + 0.5 * noise_.Fbm(Scaled(p, 0.02), 18.0);
    const double ridges = noise_.Ridged(Scaled(p, 0.06), 18.0, 0.5, 0.5);
    const double ice = noise_.Sample(10, Scaled(p, 0.05), 5.0, false, false, 0.25, 0.25);
    const int32_t channel =
        sample.flags >> CHANNEL_SAMPLE_CHANNEL_SHIFT & CHANNEL_SAMPLE_CHANNEL_MASK;
    if (channel == MATERIAL_CHANNEL_BUMP || channel == MATERIAL_CHANNEL_DISPLACEMENT) {
      const double detail = noise_.Sample(14, p, 18.0, false, false, 0.25, 0.25);
      const double height = terrain * (0.5 + 0.5 * ridges) + 0.05 * detail + 0.1 * ice;
      return {height, height, height};
    }
    const double clouds = noise_.Sample(20, Scaled(p, 0.02), 18.0, false, false, 0.25, 0.25);
    return {terrain * ridges + clouds, terrain, 0.5 * terrain + ice};
  }

 private:
  NoiseGenerator noise_;
};

void RenderPlanet(benchmark::State& state) {
  const NoisePlanet planet;
  standin::SceneView scene;
  scene.colour = &planet;
  scene.bump = &planet;
  standin::RenderSettings settings;
  settings.width = 160;
  settings.height = 120;
  settings.threads = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(standin::Render(scene, settings));
  state.counters["pixels"] =
      benchmark::Counter(static_cast<double>(settings.width) * settings.height * state.iterations(),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(RenderPlanet)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
