// Cost of one shading sample of the planet shader, through the loaded module: its Output with
// the stand-in host's real services, and the module's own work with services that answer
// constants. Then the default planet's render throughput at one and two threads. Targets: the
// module's own work within 40 ns a sample, a full colour sample within 1.5 us, and two threads
// at least 1.8 times as fast as one. The machine's speed drifts; compare thread counts with
// --benchmark_enable_random_interleaving=true and a few repetitions.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "button_press.h"
#include "controls.h"
#include "handles.h"
#include "host.h"
#include "material_view.h"
#include "node_callbacks.h"
#include "node_shading.h"
#include "planet_scene.h"
#include "prepared_shaders.h"
#include "render_libraries.h"
#include "renderer.h"
#include "surface_shading.h"

namespace {

using namespace standin;

constexpr int32_t kCopyToBump = 3002;
constexpr int kSampleCount = 1024;  // a power of two

// Rotated a third of a turn about y, scaled by 1.5 and moved: every hit is taken back through
// the inverse of this matrix.
Matrix34 TransformedObjectMatrix() {
  const double c = std::cos(2.0944), s = std::sin(2.0944);
  return {{10.0, -5.0, 20.0}, {1.5 * c, 0.0, -1.5 * s}, {0.0, 1.5, 0.0}, {1.5 * s, 0.0, 1.5 * c}};
}

Vector3 Apply(const Matrix34& m, const Vector3& p) {
  return {m.off.x + m.axis1.x * p.x + m.axis2.x * p.y + m.axis3.x * p.z,
          m.off.y + m.axis1.y * p.x + m.axis2.y * p.y + m.axis3.y * p.z,
          m.off.z + m.axis1.z * p.x + m.axis2.z * p.y + m.axis3.z * p.z};
}

// Points spread over the sphere of radius 100 by a golden-angle spiral, as hits and as
// texture positions.
struct Samples {
  std::vector<HitContext> hits;
  std::vector<ChannelSample> samples;
};

Samples MakeSamples(HostNode* object, int32_t channel, bool withHits) {
  const Matrix34 matrix = TransformedObjectMatrix();
  Samples made;
  made.hits.resize(kSampleCount);
  for (int i = 0; i < kSampleCount; ++i) {
    const double y = 1.0 - 2.0 * (i + 0.5) / kSampleCount;
    const double ring = std::sqrt(1.0 - y * y), angle = 2.39996323 * i;
    const Vector3 direction{ring * std::cos(angle), y, ring * std::sin(angle)};
    const Vector3 objectPoint{100.0 * direction.x, 100.0 * direction.y, 100.0 * direction.z};
    made.hits[i] = {Apply(matrix, objectPoint), object, direction, {0.0, 0.0, 1.0}};
    const Vector3 uv{std::atan2(direction.x, direction.z) / 6.2832 + 0.5,
                     std::acos(direction.y) / 3.14159, 0.0};
    made.samples.push_back(
        {uv, ChannelSampleFlags(channel, i & 3), 0, withHits ? &made.hits[i] : nullptr, 0.0});
  }
  return made;
}

// One planet shader prepared for rendering in a loaded module, with a transformed sphere.
class PreparedPlanet {
 public:
  PreparedPlanet() {
    host_.Load(VERDANTA_PLUGIN_DIR);
    document_ = &host_.AdoptDocument(NewPlanetScene());
    planet_ = ChannelShadersOf(*document_->Materials().front()).colour;
    object_ = &document_->AddObject(Node::Create(NODE_TYPE_SPHERE_OBJECT));
    object_->globalMatrix = TransformedObjectMatrix();
  }

  Host& Application() { return host_; }

  void Prepare() {
    prepared_ = std::make_unique<PreparedShaders>(std::vector<Node*>{planet_},
                                                  LinearRenderSetup(document_, 1));
  }

  void Measure(benchmark::State& state, int32_t channel, bool withHits) {
    const Samples made = MakeSamples(ToHost(object_), channel, withHits);
    size_t i = 0;
    for (auto _ : state) {
      benchmark::DoNotOptimize(CallOutput(*planet_, made.samples[i]));
      i = (i + 1) & (kSampleCount - 1);
    }
    state.SetItemsProcessed(state.iterations());
  }

 private:
  Host host_;
  Document* document_ = nullptr;
  Node* planet_ = nullptr;
  Node* object_ = nullptr;
  std::unique_ptr<PreparedShaders> prepared_;  // released before the host goes
};

void OutputWithHostServices(benchmark::State& state, int32_t channel, bool withHits) {
  ResetControls();
  PreparedPlanet planet;
  planet.Prepare();
  planet.Measure(state, channel, withHits);
}
BENCHMARK_CAPTURE(OutputWithHostServices, colour_hit, MATERIAL_CHANNEL_COLOR, true);
BENCHMARK_CAPTURE(OutputWithHostServices, colour_no_hit, MATERIAL_CHANNEL_COLOR, false);
BENCHMARK_CAPTURE(OutputWithHostServices, height_hit, MATERIAL_CHANNEL_BUMP, true);
BENCHMARK_CAPTURE(OutputWithHostServices, height_no_hit, MATERIAL_CHANNEL_BUMP, false);

// ---------------------------------------------------------------- constant services

double ConstantNoise(const HostNoise*, int32_t, HostBool, const Vector3*, double, double, HostBool,
                     double, double, int32_t) {
  return 0.6;
}
double ConstantFbm(const HostNoise*, const Vector3*, double, double, int32_t) {
  return 0.2;
}
double ConstantRidged(const HostNoise*, const Vector3*, double, double, double, double, int32_t) {
  return 0.7;
}
Vector3 ConstantSpline(const HostSplineCurve*, double) {
  return {0.5, 0.5, 0.0};
}
Vector3 ConstantGradientColour(const HostGradientRenderData*, double) {
  return {0.2, 0.5, 0.3};
}
Matrix34 ConstantObjectMatrix(const HostNode*) {
  return TransformedObjectMatrix();
}
Vector3 ConstantChildColour(HostNode*, const ChannelSample*) {
  return {0.1, 0.1, 0.2};
}

// The real tables with their render entries answering constants; editing and preparation
// stay real, so nodes are made and prepared as ever.
struct ConstantTables {
  NoiseLibrary noise = NoiseLibraryTable();
  SplineLibrary spline = SplineLibraryTable();
  GradientRenderDataInterface gradientRenderData = GradientRenderDataTable();

  ConstantTables() {
    noise.NoiseSample = ConstantNoise;
    noise.NoiseFbm = ConstantFbm;
    noise.NoiseRidged = ConstantRidged;
    spline.SplineEvaluate = ConstantSpline;
    gradientRenderData.CalcGradientPixel = ConstantGradientColour;
  }
};

ConstantTables& Constants() {
  static ConstantTables tables;
  return tables;
}

const void* ConstantInterfaceLookup(const char*) {
  return &Constants().gradientRenderData;
}

void OutputWithConstantServices(benchmark::State& state, int32_t channel, bool withHits) {
  ResetControls();
  Controls().libraryOverrides = {{LIBRARY_NOISE, &Constants().noise},
                                 {LIBRARY_SPLINE, &Constants().spline}};
  PreparedPlanet planet;
  HostApplicationTable& table = planet.Application().ApplicationTable();
  table.InterfaceLookup = ConstantInterfaceLookup;
  table.ObjectMatrix = ConstantObjectMatrix;
  table.ChildShaderSample = ConstantChildColour;
  planet.Prepare();
  planet.Measure(state, channel, withHits);
  ResetControls();
}
BENCHMARK_CAPTURE(OutputWithConstantServices, colour_hit, MATERIAL_CHANNEL_COLOR, true);
BENCHMARK_CAPTURE(OutputWithConstantServices, colour_no_hit, MATERIAL_CHANNEL_COLOR, false);
BENCHMARK_CAPTURE(OutputWithConstantServices, height_hit, MATERIAL_CHANNEL_BUMP, true);
BENCHMARK_CAPTURE(OutputWithConstantServices, height_no_hit, MATERIAL_CHANNEL_BUMP, false);

// ---------------------------------------------------------------- render throughput

void RenderDefaultPlanet(benchmark::State& state) {
  ResetControls();
  Host host;
  host.Load(VERDANTA_PLUGIN_DIR);
  Document& document = host.AdoptDocument(NewPlanetScene());
  Node& material = *document.Materials().front();
  PressButton(*ChannelShadersOf(material).colour, kCopyToBump);
  const ChannelShaders shaders = ChannelShadersOf(material);
  SceneView view = ViewOf(SphereObjectFor(document, material));
  RenderSettings settings;
  // Large enough that the last tiles, where one thread waits for the other, weigh little.
  settings.width = 320;
  settings.height = 240;
  settings.threads = static_cast<int>(state.range(0));
  const PreparedShaders prepared({shaders.colour, shaders.bump},
                                 LinearRenderSetup(&document, settings.threads));
  const NodeShading colour(*shaders.colour), bump(*shaders.bump);
  view.colour = &colour;
  view.bump = &bump;
  for (auto _ : state) benchmark::DoNotOptimize(Render(view, settings));
  state.counters["pixels"] =
      benchmark::Counter(static_cast<double>(settings.width) * settings.height * state.iterations(),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(RenderDefaultPlanet)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
