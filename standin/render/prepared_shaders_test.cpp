#include "prepared_shaders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "host_memory.h"
#include "node_shading.h"
#include "planet_fixture.h"
#include "renderer.h"

namespace standin {
namespace {

constexpr int32_t kTerrainScale = 5001;

RenderSettings SmallRender(int threads) {
  RenderSettings settings;
  settings.width = 24;
  settings.height = 18;
  settings.threads = threads;
  return settings;
}

using PreparedShadersTest = PlanetFixture;

TEST_F(PreparedShadersTest, PreparesEachShaderOnceAndReleasesItAfterTheRender) {
  TraceStart();
  {
    const PreparedShaders prepared({shaders.colour, nullptr, shaders.bump, shaders.colour},
                                   LinearRenderSetup(document, 2));
    const std::vector<TraceEntry> preparation = TraceTake();
    // Each planet node makes its terrain noise and prepares its own child, once.
    EXPECT_EQ(CountOf(preparation, "NoiseAlloc"), 2);
    EXPECT_EQ(CountOf(preparation, "ChildShaderInitRender"), 2);
    EXPECT_EQ(CountOf(preparation, "NoiseFree"), 0);
  }
  const std::vector<TraceEntry> release = TraceTake();
  EXPECT_EQ(CountOf(release, "NoiseFree"), 2);
  EXPECT_EQ(CountOf(release, "ChildShaderFreeRender"), 2);
  EXPECT_EQ(CountOf(release, "NoiseAlloc"), 0);
}

// Between preparation and release the module may only sample: no parameter, container or
// data value is read, no host memory is asked for (and a module without the C++ runtime has
// no lock to take but the host's).
TEST_F(PreparedShadersTest, SamplingReadsNoParametersAndAllocatesNothing) {
  const std::set<std::string> samplingServices = {
      "NoiseFbm",       "NoiseSample",       "NoiseRidged", "CalcGradientPixel",
      "SplineEvaluate", "ChildShaderSample", "ObjectMatrix"};
  const PreparedShaders prepared({shaders.colour, shaders.bump}, LinearRenderSetup(document, 2));
  const NodeShading colour(*shaders.colour), bump(*shaders.bump);
  view.colour = &colour;
  view.bump = &bump;
  const size_t allocationsBefore = LiveAllocationCount();
  TraceStart();
  Render(view, SmallRender(2));
  const std::vector<TraceEntry> sampling = TraceTake();
  TraceStop();

  EXPECT_EQ(LiveAllocationCount(), allocationsBefore);
  EXPECT_EQ(CountOf(sampling, "MemoryAlloc"), 0);
  std::set<std::string> asked;
  for (const TraceEntry& entry : sampling) asked.insert(entry.operation);
  for (const std::string& operation : asked) {
    EXPECT_TRUE(samplingServices.count(operation)) << operation << " called while sampling";
  }
  // The hits carry the sphere object, whose matrix takes the point into object space.
  EXPECT_GT(CountOf(sampling, "ObjectMatrix"), 0);
  EXPECT_GT(CountOf(sampling, "ChildShaderSample"), 0);
}

TEST_F(PreparedShadersTest, InfiniteTerrainFrequencyRendersFinitePixels) {
  shaders.colour->settings.Set(kTerrainScale, 0.0);
  shaders.bump->settings.Set(kTerrainScale, 0.0);
  const PreparedShaders prepared({shaders.colour, shaders.bump}, LinearRenderSetup(document, 2));
  const NodeShading colour(*shaders.colour), bump(*shaders.bump);
  view.colour = &colour;
  view.bump = &bump;
  const Image image = Render(view, SmallRender(2));
  for (const Vector3& pixel : image.pixels) {
    ASSERT_TRUE(std::isfinite(pixel.x) && std::isfinite(pixel.y) && std::isfinite(pixel.z));
  }
}

using PreparedShadersRefusalTest = HostFixture;

TEST_F(PreparedShadersRefusalTest, ARefusalReleasesWhatWasPreparedAndSaysWhy) {
  // Without gradient preparation the planet refuses to render.
  Controls().missingEntries = {"PrepareRenderData"};
  Host host;
  host.Load(VerdantaPlugins());
  Document& document = host.AdoptDocument(NewPlanetScene());
  Node& planet = *ChannelShadersOf(*document.Materials().front()).colour;
  Node& edge = document.AddFreeNode(Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER));
  planet.name = "s1";

  try {
    const PreparedShaders prepared({&edge, &planet}, LinearRenderSetup(&document, 1));
    FAIL() << "the planet shader was prepared without its gradient";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              "the shader \"s1\" (type 1064031) could not be prepared for rendering (InitRender "
              "answered -100)");
  }
  EXPECT_EQ(edge.edgeRender.preparations, 0);
  EXPECT_EQ(edge.edgeRender.unbalancedReleases, 0);
  EXPECT_EQ(edge.edgeRender.data, nullptr);
}

}  // namespace
}  // namespace standin
