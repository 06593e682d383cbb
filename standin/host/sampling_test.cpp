// Sampling a prepared planet shader node as a renderer does: where each noise lookup looks,
// and the grey height and surface colour made of what the host's services answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "handles.h"
#include "render_test_support.h"

namespace standin {
namespace {

const Vector3 kOrigin = {0, 0, 0};
// The planet shader's default child colour: the rim colour of its edge gradient child.
const Vector3 kChildColor = {0.8412, 0.898, 0.9272};

Vector3 Grey(double value) {
  return {value, value, value};
}

using Sampling = VerdantaRenderTest;

TEST_F(Sampling, EachLookupGetsThePositionTimesItsOwnFactor) {
  struct Expected {
    std::string operation;
    int32_t type;  // NoiseSample only
    double factor;
    double octaves;
  };
  const double terrain = 1.0 / 25.0;  // terrain scale 0.25
  const std::vector<Expected> colour = {{"NoiseFbm", 0, terrain, 18.0},
                                        {"NoiseRidged", 0, terrain * 3.0, 18.0},
                                        {"NoiseSample", 10, 0.05, 5.0},
                                        {"NoiseSample", 3, 0.01, 18.0}};
  const std::vector<Expected> height = {{"NoiseFbm", 0, terrain, 18.0},
                                        {"NoiseRidged", 0, terrain * 3.0, 18.0},
                                        {"NoiseSample", 10, 0.05, 5.0},
                                        {"NoiseSample", 14, 1.0, 18.0}};
  LoadWithShader();
  Set(VERDANTA_SEED, int32_t{0});
  Set(VERDANTA_TERRAIN_SCALE, 0.25);
  Set(VERDANTA_CLOUD_SCALE, 2.0);
  Set(VERDANTA_CLOUD_NOISE, int32_t{3});
  ASSERT_EQ(Prepare(), 0);
  const Vector3 position = {0.25, 0.5, 0};
  const Vector3 p = Times(Plus(position, SeedZeroOffset(Flavour())), 1000.0);

  for (int32_t channel : {MATERIAL_CHANNEL_COLOR, MATERIAL_CHANNEL_DISPLACEMENT}) {
    const std::vector<NoiseLookup> lookups = NoiseLookups(TraceOfSample(channel, position));
    const bool isColour = channel == MATERIAL_CHANNEL_COLOR;
    for (const Expected& e : isColour ? colour : height) {
      const std::string what =
          "channel " + std::to_string(channel) + ": " + e.operation + " " + std::to_string(e.type);
      auto found = std::find_if(lookups.begin(), lookups.end(), [&](const NoiseLookup& lookup) {
        return lookup.operation == e.operation &&
               (e.operation != "NoiseSample" || lookup.numbers.at(0) == e.type);
      });
      ASSERT_NE(found, lookups.end()) << what;
      ExpectClose(Times(p, e.factor), found->point, 1e-12, what);
      const size_t octavesAt = e.operation == "NoiseSample" ? 1 : 0;
      EXPECT_EQ(found->numbers.at(octavesAt), e.octaves) << what;
      if (e.operation == "NoiseRidged") {
        EXPECT_EQ(found->numbers.at(1), 0.5) << what;
        EXPECT_EQ(found->numbers.at(2), 0.5) << what;
      }
    }
    const bool cloudLookedUp =
        std::any_of(lookups.begin(), lookups.end(), [](const NoiseLookup& lookup) {
          return lookup.operation == "NoiseSample" && lookup.numbers.at(0) == 3;
        });
    EXPECT_EQ(cloudLookedUp, isColour) << "channel " << channel;
  }
}

// The object's matrix maps p to (10 - p.y, 20 + 2 p.x, 30 + 4 p.z); its inverse by hand.
Vector3 IntoObjectSpace(const Vector3& world) {
  return {(world.y - 20.0) / 2.0, 10.0 - world.x, (world.z - 30.0) / 4.0};
}

TEST_F(Sampling, ThePositionFollowsTheHitItsObjectAndTheBumpDirection) {
  enum class From { texture, world, object };
  struct Case {
    std::string what;
    int32_t channel;
    int32_t bumpDirection;
    From from;
    Vector3 shift;
  };
  const std::vector<Case> cases = {
      {"no hit", MATERIAL_CHANNEL_COLOR, 0, From::texture, {0, 0, 0}},
      {"no hit, bump", MATERIAL_CHANNEL_BUMP, 0, From::texture, {0, 0, 0}},
      {"no hit, bump -y", MATERIAL_CHANNEL_BUMP, 3, From::texture, {0, 0, 0}},
      {"hit without object", MATERIAL_CHANNEL_COLOR, 0, From::world, {0, 0, 0}},
      {"hit without object, bump -x", MATERIAL_CHANNEL_BUMP, 1, From::world, {-1, 0, 0}},
      {"hit on object", MATERIAL_CHANNEL_COLOR, 2, From::object, {0, 0, 0}},
      {"hit on object, displacement", MATERIAL_CHANNEL_DISPLACEMENT, 2, From::object, {0, 0, 0}},
      {"hit on object, bump +x", MATERIAL_CHANNEL_BUMP, 0, From::object, {1, 0, 0}},
      {"hit on object, bump -x", MATERIAL_CHANNEL_BUMP, 1, From::object, {-1, 0, 0}},
      {"hit on object, bump +y", MATERIAL_CHANNEL_BUMP, 2, From::object, {0, 1, 0}},
      {"hit on object, bump -y", MATERIAL_CHANNEL_BUMP, 3, From::object, {0, -1, 0}},
  };
  std::unique_ptr<Node> object = Node::Create(NODE_TYPE_SPHERE_OBJECT);
  ASSERT_NE(object, nullptr);
  object->globalMatrix = {{10, 20, 30}, {0, 2, 0}, {-1, 0, 0}, {0, 0, 4}};
  LoadWithShader();
  Set(VERDANTA_SEED, int32_t{0});
  ASSERT_EQ(Prepare(), 0);
  const Vector3 offset = Times(SeedZeroOffset(Flavour()), 1000.0);
  const Vector3 position = {0.25, 0.5, 0};
  const Vector3 hitPoint = {120, -40, 75};
  const Vector3 world = Plus(hitPoint, offset);

  for (const Case& c : cases) {
    HitContext hit = GrazingHit(hitPoint);
    if (c.from == From::object) hit.hitObject = ToHost(object.get());
    Vector3 p = Times(Plus(position, SeedZeroOffset(Flavour())), 1000.0);
    if (c.from == From::world) p = world;
    if (c.from == From::object) p = IntoObjectSpace(world);
    const HitContext* sampleHit = c.from == From::texture ? nullptr : &hit;
    const NoiseLookup ice = TypedLookup(
        NoiseLookups(TraceOfSample(c.channel, position, sampleHit, c.bumpDirection)), 10);
    ExpectClose(Times(Plus(p, c.shift), 0.05), ice.point, 1e-13, c.what);
  }
}

// Known answers: fbm f gives h = 0.5 + 0.5 f; t is the type 14 noise, r the ridged one, s
// the spline's height at h; the ice of v = 0 under the default caps is full from noise 0.5.
TEST_F(Sampling, HeightChannelsAnswerTheGreyHeight) {
  struct Case {
    std::string what;
    double fbm, t, r, s, detail, iceNoise;
    double expected;
  };
  const std::vector<Case> cases = {
      // (2 x 0.25 x 0.8) x 0.5 x 1.2 + 0.1 = 0.34; x 1.25
      {"low terrain", -0.5, 0.8, 1.2, 0.1, 0.25, 0.0, 0.425},
      // 0.75 + (0.25 - 0.75) x 0.5 = 0.5; 0.5 x 0.5 x 2 + 0.3 = 0.8; + 0.1 x ice 1
      {"high terrain under full ice", 0.5, 0.25, 2.0, 0.3, 0.0, 0.5, 0.9},
      // h = 0.5 blends by the lower rule: 2 x 0.5 x 0.6 = 0.6; 0.6 x 0.5 + 0.2 = 0.5; x 2
      {"terrain at one half", 0.0, 0.6, 1.0, 0.2, 1.0, 0.0, 1.0},
      // h = 1.25 is used as it is: 1.25 + (0.25 - 1.25) x 1.5 = -0.25; x 0.5
      {"terrain beyond one", 1.5, 0.25, 1.0, 0.0, 0.0, 0.0, -0.125},
  };
  UseKnownNoiseAndSpline();
  LoadWithShader();
  // Things that must not count in a height channel: a gradient, a thick cloud, the child.
  Set(VERDANTA_TERRAIN_GRADIENT, GreyRamp());
  Set(VERDANTA_CLOUD_COVERAGE, 1.0);
  Set(VERDANTA_CHILD_STRENGTH, 1.0);
  const HitContext hit = GrazingHit({1, 2, 3});
  for (const Case& c : cases) {
    Set(VERDANTA_TERRAIN_DETAIL, c.detail);
    Known().fbm = c.fbm;
    Known().ridged = c.r;
    Known().splineHeight = c.s;
    Known().typedNoise = {{10, c.iceNoise}, {14, c.t}, {20, 1.0}};
    ASSERT_EQ(Prepare(), 0);
    for (int32_t channel : {MATERIAL_CHANNEL_BUMP, MATERIAL_CHANNEL_DISPLACEMENT}) {
      const std::string what = c.what + ", channel " + std::to_string(channel);
      TraceStart();
      const Vector3 grey = Sample(channel, kOrigin, &hit, 2);
      const std::vector<TraceEntry> trace = TraceTake();
      EXPECT_EQ(grey.x, grey.y) << what;
      EXPECT_EQ(grey.x, grey.z) << what;
      EXPECT_NEAR(grey.x, c.expected, 1e-12) << what;
      EXPECT_EQ(LastNumbers(trace, "SplineEvaluate"), std::vector<double>{0.5 + 0.5 * c.fbm})
          << what;
      EXPECT_EQ(CountOf(trace, "ChildShaderSample"), 0) << what;
    }
    Release();
  }
  TraceStop();
}

TEST_F(Sampling, AHeightWithoutASplineLeavesOutTheSplineTerm) {
  UseKnownNoiseAndSpline();
  Known().fbm = -0.5;
  Known().ridged = 1.2;
  Known().splineHeight = 0.1;
  Known().typedNoise = {{14, 0.8}};
  LoadWithShader();
  Erase(VERDANTA_HEIGHT_SPLINE);
  Set(VERDANTA_TERRAIN_DETAIL, 0.25);
  ASSERT_EQ(Prepare(), 0);
  TraceStart();
  const Vector3 grey = Sample(MATERIAL_CHANNEL_DISPLACEMENT, kOrigin);
  EXPECT_EQ(CountOf(TraceTake(), "SplineEvaluate"), 0);
  TraceStop();
  // (2 x 0.25 x 0.8) x 0.5 x 1.2 = 0.24; x 1.25
  ExpectClose(Grey(0.3), grey, 1e-12, "no spline");
}

// The grey ramp answers its position; h = 0.25 and r = 1.2 with detail 0.25 ask it at
// 0.25 x (1 + 1.2 x 0.25) = 0.325. The default caps give half ice at v = 0 from noise 0.1375
// and full ice from 0.5; clouds above 0.7 count 2.5 times; the child adds 0.75 x its rim.
TEST_F(Sampling, TheSurfaceColourStacksTerrainIceCloudsAndChild) {
  struct Case {
    std::string what;
    double fbm, iceNoise, cloudNoise;
    bool onTheRim;
    double gradientPosition;
    Vector3 expected;
  };
  const Vector3 rim = Times(kChildColor, 0.75);
  const std::vector<Case> cases = {
      {"terrain", -0.5, 0.0, 0.0, false, 0.325, Grey(0.325)},
      {"half ice", -0.5, 0.1375, 0.0, false, 0.325, Grey(0.825)},
      {"full ice, clamped", -0.5, 0.5, 0.0, false, 0.325, Grey(1.0)},
      {"beyond the gradient", 1.5, 0.0, 0.0, false, 1.625, Grey(1.0)},
      {"cloud", -0.5, 0.0, 0.8, false, 0.325, Grey(0.325 + 0.25)},
      {"child", -0.5, 0.0, 0.0, true, 0.325, Plus(Grey(0.325), rim)},
      {"everything, not clamped again", -0.5, 0.5, 5.0, true, 0.325, Plus(Grey(3.5), rim)},
  };
  UseKnownNoiseAndSpline();
  Known().ridged = 1.2;
  LoadWithShader();
  Set(VERDANTA_TERRAIN_GRADIENT, GreyRamp());
  Set(VERDANTA_TERRAIN_DETAIL, 0.25);
  Set(VERDANTA_CLOUD_COVERAGE, 0.3);
  Set(VERDANTA_CLOUD_INTENSITY, 0.25);
  ASSERT_EQ(Prepare(), 0);
  const HitContext hit = GrazingHit({1, 2, 3});
  for (const Case& c : cases) {
    Known().fbm = c.fbm;
    Known().typedNoise = {{10, c.iceNoise}, {20, c.cloudNoise}};
    TraceStart();
    const Vector3 color = Sample(MATERIAL_CHANNEL_COLOR, kOrigin, c.onTheRim ? &hit : nullptr);
    const std::vector<TraceEntry> trace = TraceTake();
    ExpectClose(c.expected, color, 1e-12, c.what);
    const std::vector<double> positions = LastNumbers(trace, "CalcGradientPixel");
    ASSERT_EQ(positions.size(), 1u) << c.what;
    EXPECT_NEAR(positions[0], c.gradientPosition, 1e-12) << c.what;
  }
  TraceStop();
}

TEST_F(Sampling, CloudsAddOnlyTheirExcessOverTheThreshold) {
  struct Case {
    double noise;
    double cloud;
  };
  const std::vector<Case> cases = {
      {-1.0, 0.0}, {0.5, 0.0}, {0.7, 0.0}, {0.8, 0.25}, {1.7, 2.5}, {4.0, 2.5},
  };
  UseKnownNoiseAndSpline();
  LoadWithShader();
  Erase(VERDANTA_TERRAIN_GRADIENT);  // a white base, which ice leaves white
  Set(VERDANTA_CLOUD_NOISE, int32_t{7});
  Set(VERDANTA_CLOUD_COVERAGE, 0.3);
  Set(VERDANTA_CLOUD_INTENSITY, 0.25);
  Set(VERDANTA_CHILD_STRENGTH, 0.0);
  ASSERT_EQ(Prepare(), 0);
  for (const Case& c : cases) {
    Known().typedNoise = {{7, c.noise}};
    ExpectClose(Grey(1.0 + c.cloud), Sample(MATERIAL_CHANNEL_COLOR, kOrigin), 1e-12,
                "noise " + std::to_string(c.noise));
  }
}

}  // namespace
}  // namespace standin
