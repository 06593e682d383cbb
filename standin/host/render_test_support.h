// Test support for rendering a Verdanta node through the host: noise and spline tables that
// answer values a test chose, samples as a renderer makes them, and the points a module handed
// to the noise, read back from the trace.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "call_trace.h"
#include "host.h"
#include "host_abi.h"
#include "host_test_support.h"
#include "node.h"
#include "verdanta_ids.h"

namespace standin {

constexpr int32_t kVerdantaShaderType = VERDANTA_PLUGIN_ID;

// What the known-answer tables answer. Lookups are traced as the host's own tables trace them.
struct KnownAnswers {
  double fbm = 0.0;
  double ridged = 0.0;
  std::map<int32_t, double> typedNoise;  // by noise type; 0 for the others
  double splineHeight = 0.0;             // the y of every spline point
  bool failGradientPreparation = false;  // PrepareRenderData reports an error
};

KnownAnswers& Known();

// The host's noise, spline and gradient libraries with the entries above answering Known().
// Everything else of them works as the host's own.
void UseKnownNoiseAndSpline();
void UseFailingGradientPreparation();

// The child shaders the module had the host make, in order; null for a refused one.
std::vector<Node*>& MadeChildren();
// The host's ShaderNodeAlloc, recording what it made in MadeChildren().
HostNode* RecordingShaderNodeAlloc(int32_t type);

// A black-to-white gradient with linear steps: its colour at p is (p, p, p) for p in [0, 1].
Gradient GreyRamp();

// The offset a module of `flavour` ("windows" or "macos") draws from seed 0, by hand.
Vector3 SeedZeroOffset(const std::string& flavour);

// One noise lookup of the trace: the point, then the numbers traced after it.
struct NoiseLookup {
  std::string operation;  // NoiseFbm, NoiseSample, NoiseRidged
  Vector3 point;
  std::vector<double> numbers;  // NoiseSample: type, octaves; NoiseFbm: octaves;
                                // NoiseRidged: octaves, offset, gain
};

std::vector<NoiseLookup> NoiseLookups(const std::vector<TraceEntry>& trace);
// The first NoiseSample of `type`; fails the test when there is none.
NoiseLookup TypedLookup(const std::vector<NoiseLookup>& lookups, int32_t type);
// The last number of every entry of `operation`, e.g. the positions of CalcGradientPixel.
std::vector<double> LastNumbers(const std::vector<TraceEntry>& trace, const std::string& operation);

Vector3 Times(const Vector3& v, double factor);
Vector3 Plus(const Vector3& a, const Vector3& b);

// Component by component, within `tolerance` times the largest of 1 and |expected|.
void ExpectClose(const Vector3& expected, const Vector3& actual, double tolerance,
                 const std::string& what);

// A host with the module loaded and one planet shader node, rendered by hand.
class VerdantaRenderTest : public HostFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the module with the controls set so far and makes the shader; the host records
  // the child shader the node makes.
  void LoadWithShader(const std::filesystem::path& plugins = VerdantaPlugins());
  std::string Flavour() const { return host.Module().Identity().flavour; }
  // Ends any render of the node and destroys it.
  void DestroyShader();
  // Destroys the node and unloads the module; the host is complete again.
  void Restart();

  void Set(int32_t id, Value value);
  void Erase(int32_t id);
  int32_t Prepare();
  void Release();
  int32_t RenderInfo();

  // A sample of `channel` at texture position `position`, as a renderer hands it over.
  Vector3 Sample(int32_t channel, const Vector3& position, const HitContext* hit = nullptr,
                 int32_t bumpDirection = 0);
  // The same, with the trace of the host operations it caused.
  std::vector<TraceEntry> TraceOfSample(int32_t channel, const Vector3& position,
                                        const HitContext* hit = nullptr, int32_t bumpDirection = 0);

  Host host;  // first, so it outlives the nodes
  std::unique_ptr<Node> shader;
  Node* child = nullptr;  // the child shader the node made
  RenderSetup setup{};
};

// A hit whose ray grazes the surface: the edge gradient child then shows its rim colour.
HitContext GrazingHit(const Vector3& point, HostNode* object = nullptr);

}  // namespace standin
