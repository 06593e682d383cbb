#include "render_test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "application_table.h"
#include "controls.h"
#include "handles.h"
#include "node_callbacks.h"
#include "render_libraries.h"

namespace standin {

namespace {

// ---------------------------------------------------------------- known-answer tables

double KnownSample(const HostNoise*, int32_t type, HostBool, const Vector3* point, double,
                   double octaves, HostBool, double, double, int32_t) {
  if (point) Trace("NoiseSample", *point, type, octaves);
  auto found = Known().typedNoise.find(type);
  return found == Known().typedNoise.end() ? 0.0 : found->second;
}

double KnownFbm(const HostNoise*, const Vector3* point, double, double octaves, int32_t) {
  if (point) Trace("NoiseFbm", *point, octaves);
  return Known().fbm;
}

double KnownRidged(const HostNoise*, const Vector3* point, double, double octaves, double offset,
                   double gain, int32_t) {
  if (point) Trace("NoiseRidged", *point, octaves, offset, gain);
  return Known().ridged;
}

Vector3 KnownSplineEvaluate(const HostSplineCurve* curve, double x) {
  Trace("SplineEvaluate", static_cast<const void*>(curve), x);
  return {x, Known().splineHeight, 0.0};
}

HostBool PrepareOrFail(const HostGradient* gradient, const RenderSetup* setup,
                       HostGradientRenderData** renderData, const char** error) {
  if (!Known().failGradientPreparation) {
    return GradientLibraryTable().PrepareRenderData(gradient, setup, renderData, error);
  }
  Trace("PrepareRenderData", static_cast<const void*>(gradient));
  *renderData = nullptr;
  *error = "PrepareRenderData: the gradient cannot be prepared.";
  return 0;
}

const NoiseLibrary& KnownNoiseLibrary() {
  static const NoiseLibrary table = [] {
    NoiseLibrary known = NoiseLibraryTable();
    known.NoiseSample = KnownSample;
    known.NoiseFbm = KnownFbm;
    known.NoiseRidged = KnownRidged;
    return known;
  }();
  return table;
}

const SplineLibrary& KnownSplineLibrary() {
  static const SplineLibrary table = [] {
    SplineLibrary known = SplineLibraryTable();
    known.SplineEvaluate = KnownSplineEvaluate;
    return known;
  }();
  return table;
}

const GradientLibrary& FailingGradientLibrary() {
  static const GradientLibrary table = [] {
    GradientLibrary failing = GradientLibraryTable();
    failing.PrepareRenderData = PrepareOrFail;
    return failing;
  }();
  return table;
}

// ---------------------------------------------------------------- trace reading

// The arguments of a trace entry, split at the commas outside a vector's parentheses.
std::vector<std::string> ArgumentsOf(const std::string& text) {
  std::vector<std::string> arguments;
  std::string current;
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) {
      arguments.push_back(current);
      current.clear();
      if (i + 1 < text.size() && text[i + 1] == ' ') ++i;
      continue;
    }
    current += c;
  }
  if (!current.empty()) arguments.push_back(current);
  return arguments;
}

Vector3 VectorOf(const std::string& text) {
  Vector3 vector{0, 0, 0};
  if (std::sscanf(text.c_str(), "(%lf, %lf, %lf)", &vector.x, &vector.y, &vector.z) != 3) {
    ADD_FAILURE() << "not a traced vector: " << text;
  }
  return vector;
}

double NumberOf(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

double SignedUnit(uint32_t draw) {
  return 2.0 * (static_cast<double>(draw & 0x7FFFFFFFu) * 4.656612870908988e-10) - 1.0;
}

}  // namespace

// ---------------------------------------------------------------- children

std::vector<Node*>& MadeChildren() {
  static std::vector<Node*> children;
  return children;
}

HostNode* RecordingShaderNodeAlloc(int32_t type) {
  HostNode* node = FullApplicationTable().ShaderNodeAlloc(type);
  MadeChildren().push_back(FromHost(node));
  return node;
}

KnownAnswers& Known() {
  static KnownAnswers answers;
  return answers;
}

void UseKnownNoiseAndSpline() {
  Controls().libraryOverrides[LIBRARY_NOISE] = &KnownNoiseLibrary();
  Controls().libraryOverrides[LIBRARY_SPLINE] = &KnownSplineLibrary();
}

void UseFailingGradientPreparation() {
  Controls().libraryOverrides[LIBRARY_GRADIENT] = &FailingGradientLibrary();
}

Gradient GreyRamp() {
  Gradient ramp;
  ramp.Insert({{0, 0, 0}, 1.0, 0.0, 0.5, 0, GRADIENT_INTERPOLATION_LINEAR});
  ramp.Insert({{1, 1, 1}, 1.0, 1.0, 0.5, 0, GRADIENT_INTERPOLATION_LINEAR});
  return ramp;
}

// Seed 0 draws 69069, 475628534 and 3277404107; each becomes 2u - 1 with u its low 31 bits
// over 2^31 + 1. macOS scales them in order, Windows swaps the first and the last.
Vector3 SeedZeroOffset(const std::string& flavour) {
  const double s1 = SignedUnit(69069u);
  const double s2 = SignedUnit(475628534u);
  const double s3 = SignedUnit(3277404107u);
  if (flavour == "macos") return {0.34 * s1, 13.0 * s2, 2.43 * s3};
  return {0.34 * s3, 13.0 * s2, 2.43 * s1};
}

std::vector<NoiseLookup> NoiseLookups(const std::vector<TraceEntry>& trace) {
  std::vector<NoiseLookup> lookups;
  for (const TraceEntry& entry : trace) {
    if (entry.operation != "NoiseFbm" && entry.operation != "NoiseSample" &&
        entry.operation != "NoiseRidged") {
      continue;
    }
    std::vector<std::string> arguments = ArgumentsOf(entry.arguments);
    NoiseLookup lookup{entry.operation, VectorOf(arguments.front()), {}};
    for (size_t i = 1; i < arguments.size(); ++i) lookup.numbers.push_back(NumberOf(arguments[i]));
    lookups.push_back(lookup);
  }
  return lookups;
}

NoiseLookup TypedLookup(const std::vector<NoiseLookup>& lookups, int32_t type) {
  for (const NoiseLookup& lookup : lookups) {
    if (lookup.operation == "NoiseSample" && lookup.numbers.at(0) == type) return lookup;
  }
  ADD_FAILURE() << "no NoiseSample of type " << type;
  return {};
}

std::vector<double> LastNumbers(const std::vector<TraceEntry>& trace,
                                const std::string& operation) {
  std::vector<double> numbers;
  for (const TraceEntry& entry : trace) {
    if (entry.operation == operation) {
      numbers.push_back(NumberOf(ArgumentsOf(entry.arguments).back()));
    }
  }
  return numbers;
}

Vector3 Times(const Vector3& v, double factor) {
  return {v.x * factor, v.y * factor, v.z * factor};
}

Vector3 Plus(const Vector3& a, const Vector3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

void ExpectClose(const Vector3& expected, const Vector3& actual, double tolerance,
                 const std::string& what) {
  const double scale =
      std::max({1.0, std::fabs(expected.x), std::fabs(expected.y), std::fabs(expected.z)});
  EXPECT_NEAR(expected.x, actual.x, tolerance * scale) << what;
  EXPECT_NEAR(expected.y, actual.y, tolerance * scale) << what;
  EXPECT_NEAR(expected.z, actual.z, tolerance * scale) << what;
}

void VerdantaRenderTest::SetUp() {
  HostFixture::SetUp();
  Known() = KnownAnswers{};
  MadeChildren().clear();
}

void VerdantaRenderTest::TearDown() {
  Restart();
  HostFixture::TearDown();
}

void VerdantaRenderTest::Restart() {
  DestroyShader();
  host.Unload();
  ResetControls();
  Known() = KnownAnswers{};
  MadeChildren().clear();
}

// A host ends every render before it lets a node go.
void VerdantaRenderTest::DestroyShader() {
  if (shader) CallFreeRender(*shader);
  shader.reset();
  child = nullptr;
}

void VerdantaRenderTest::LoadWithShader(const std::filesystem::path& plugins) {
  host.Load(plugins);
  host.ApplicationTable().ShaderNodeAlloc = RecordingShaderNodeAlloc;
  shader = Node::Create(kVerdantaShaderType);
  if (!shader) throw std::runtime_error("the planet shader node could not be made");
  child = MadeChildren().empty() ? nullptr : MadeChildren().back();
}

void VerdantaRenderTest::Set(int32_t id, Value value) {
  shader->settings.Set(id, std::move(value));
}

void VerdantaRenderTest::Erase(int32_t id) {
  shader->settings.Erase(id);
}

int32_t VerdantaRenderTest::Prepare() {
  return CallInitRender(*shader, setup);
}

void VerdantaRenderTest::Release() {
  CallFreeRender(*shader);
}

int32_t VerdantaRenderTest::RenderInfo() {
  return CallGetRenderInfo(*shader);
}

Vector3 VerdantaRenderTest::Sample(int32_t channel, const Vector3& position, const HitContext* hit,
                                   int32_t bumpDirection) {
  ChannelSample sample{};
  sample.position = position;
  sample.flags =
      (channel << CHANNEL_SAMPLE_CHANNEL_SHIFT) | (bumpDirection << CHANNEL_SAMPLE_BUMP_SHIFT);
  sample.hit = hit;
  return CallOutput(*shader, sample);
}

std::vector<TraceEntry> VerdantaRenderTest::TraceOfSample(int32_t channel, const Vector3& position,
                                                          const HitContext* hit,
                                                          int32_t bumpDirection) {
  TraceStart();
  Sample(channel, position, hit, bumpDirection);
  TraceStop();
  return TraceTake();
}

HitContext GrazingHit(const Vector3& point, HostNode* object) {
  HitContext hit{};
  hit.hitPoint = point;
  hit.hitObject = object;
  hit.normal = {0, 0, 1};
  hit.rayDirection = {1, 0, 0};
  return hit;
}

}  // namespace standin
