// Render preparation of a planet shader node as the host sees it: what InitRender asks of the
// host, what a render then finds prepared, and what FreeRender gives back.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "color.h"
#include "render_test_support.h"
#include "scene_services.h"

namespace standin {
namespace {

const Vector3 kOrigin = {0, 0, 0};

bool Contains(const std::vector<TraceEntry>& trace, const std::string& operation,
              const std::string& arguments) {
  return std::any_of(trace.begin(), trace.end(), [&](const TraceEntry& entry) {
    return entry.operation == operation && entry.arguments == arguments;
  });
}

size_t IndexOf(const std::vector<TraceEntry>& trace, const std::string& operation) {
  auto found = std::find_if(trace.begin(), trace.end(),
                            [&](const TraceEntry& entry) { return entry.operation == operation; });
  return static_cast<size_t>(found - trace.begin());
}

using RenderPreparation = VerdantaRenderTest;

TEST_F(RenderPreparation, MakesTheTerrainGeneratorFromSeedLacunarityAndRoughness) {
  LoadWithShader();
  Set(VERDANTA_SEED, int32_t{-7});
  Set(VERDANTA_TERRAIN_LACUNARITY, 0.75);
  Set(VERDANTA_TERRAIN_ROUGHNESS, 0.25);
  TraceStart();
  ASSERT_EQ(Prepare(), 0);
  const std::vector<TraceEntry> trace = TraceTake();
  EXPECT_TRUE(Contains(trace, "NoiseAlloc", "-7"));
  EXPECT_TRUE(Contains(trace, "NoiseInitFbm", "handle, 20, 1.75, 0.75"));
}

class SeedOffsets : public VerdantaRenderTest, public ::testing::WithParamInterface<std::string> {};

// The detail lookup of a height sample gets the sample position itself, which at texture
// position 0 is the offset times 1000.
TEST_P(SeedOffsets, SeedZeroShiftsEverySampleByTheFlavoursDraws) {
  LoadWithShader(FlavourPlugins(GetParam()));
  ASSERT_EQ(Flavour(), GetParam());
  Set(VERDANTA_SEED, int32_t{0});
  ASSERT_EQ(Prepare(), 0);
  const NoiseLookup detail =
      TypedLookup(NoiseLookups(TraceOfSample(MATERIAL_CHANNEL_DISPLACEMENT, kOrigin)), 14);
  ExpectClose(Times(SeedZeroOffset(GetParam()), 1000.0), detail.point, 1e-15, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Flavours, SeedOffsets, ::testing::Values("windows", "macos"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

TEST_F(RenderPreparation, CloudFrequencyFollowsTheScaleDownToItsFloor) {
  struct Case {
    double scale;
    double frequency;
  };
  const std::vector<Case> cases = {{1.0, 0.02},    {4.0, 0.005}, {0.001, 20.0},
                                   {0.0005, 20.0}, {0.0, 20.0},  {-3.0, 20.0}};
  LoadWithShader();
  Set(VERDANTA_SEED, int32_t{0});
  Set(VERDANTA_CLOUD_NOISE, int32_t{3});
  const Vector3 p = Times(SeedZeroOffset(Flavour()), 1000.0);
  for (const Case& c : cases) {
    Set(VERDANTA_CLOUD_SCALE, c.scale);
    ASSERT_EQ(Prepare(), 0);
    const NoiseLookup cloud =
        TypedLookup(NoiseLookups(TraceOfSample(MATERIAL_CHANNEL_COLOR, kOrigin)), 3);
    Release();
    const std::string what = "scale " + std::to_string(c.scale);
    ExpectClose(Times(p, c.frequency), cloud.point, 1e-12, what);
  }
}

// The ice of a sample at v = 0 inside the cap there, with the cap's amount 1 and the other
// cap's 0, is smooth(iceLower, iceUpper, ice noise). A flat height leaves 0.1 x ice.
TEST_F(RenderPreparation, IceStartsFifteenHundredthsBelowTheThresholdButNotBelowZero) {
  struct Case {
    double threshold;
    double noise;
    double lowest;  // the ice lies in [lowest, highest]
    double highest;
  };
  // Noise 0 shows no ice only while the lower bound stays at 0 rather than -0.05; noise 0.2
  // shows a trace of it, as 0.35 - 0.15 is 0.19999999999999998 in doubles.
  const std::vector<Case> cases = {
      {0.1, -0.01, 0.0, 0.0},
      {0.1, 0.0, 0.0, 0.0},
      {0.1, 0.05, 0.5, 0.5},
      {0.1, 0.1, 1.0, 1.0},
      {0.35, 0.19999999999999998, 0.0, 0.0},
      {0.35, 0.2, 1e-300, 1e-20},
      {0.35, 0.275, 0.5, 0.5},
      {0.35, 0.35, 1.0, 1.0},
  };
  UseKnownNoiseAndSpline();
  Known().fbm = -1.0;
  Known().ridged = 0.0;
  LoadWithShader();
  Set(VERDANTA_ICE_V0_AMOUNT, 0.1);
  Set(VERDANTA_ICE_V1_AMOUNT, 0.0);
  for (const Case& c : cases) {
    Set(VERDANTA_ICE_THRESHOLD, c.threshold);
    Known().typedNoise[10] = c.noise;
    ASSERT_EQ(Prepare(), 0);
    const double ice = Sample(MATERIAL_CHANNEL_DISPLACEMENT, kOrigin).x / 0.1;
    Release();
    EXPECT_GE(ice, c.lowest - 1e-12) << c.threshold << ", noise " << c.noise;
    EXPECT_LE(ice, c.highest + 1e-12) << c.threshold << ", noise " << c.noise;
    if (c.lowest > 0.0) {
      EXPECT_GT(ice, 0.0) << c.threshold << ", noise " << c.noise;
    }
  }
}

TEST_F(RenderPreparation, ANodeWithoutATerrainGradientRendersOnWhite) {
  struct Case {
    std::string what;
    double iceNoise;
    double cloudNoise;
    double expected;
  };
  const std::vector<Case> cases = {
      {"bare", 0.0, 0.0, 1.0},
      {"under full ice", 1.0, 0.0, 1.0},
      {"under a cloud", 0.0, 1.7, 1.0 + 2.5},
  };
  UseKnownNoiseAndSpline();
  LoadWithShader();
  Erase(VERDANTA_TERRAIN_GRADIENT);
  Set(VERDANTA_CLOUD_COVERAGE, 0.3);
  Set(VERDANTA_CLOUD_INTENSITY, 0.25);
  Set(VERDANTA_CHILD_STRENGTH, 0.0);
  TraceStart();
  ASSERT_EQ(Prepare(), 0);
  EXPECT_EQ(CountOf(TraceTake(), "PrepareRenderData"), 0);
  for (const Case& c : cases) {
    Known().typedNoise = {{10, c.iceNoise}, {20, c.cloudNoise}};
    TraceStart();
    const Vector3 color = Sample(MATERIAL_CHANNEL_COLOR, kOrigin);
    EXPECT_EQ(CountOf(TraceTake(), "CalcGradientPixel"), 0) << c.what;
    ExpectClose({c.expected, c.expected, c.expected}, color, 1e-12, c.what);
  }
}

// A failed preparation leaves no render data, no generator and no child preparation; the
// node is then as unprepared as a new one.
TEST_F(RenderPreparation, AGradientThatCannotBePreparedFailsTheRenderBeforeTheGenerator) {
  struct Case {
    std::string what;
    bool preparedBefore;
  };
  for (const Case& c : std::vector<Case>{{"host has no preparation", false},
                                         {"host reports an error after a render", true}}) {
    Restart();
    if (c.preparedBefore) {
      UseFailingGradientPreparation();
    } else {
      Controls().missingEntries = {"PrepareRenderData"};
    }
    LoadWithShader();
    if (c.preparedBefore) {
      ASSERT_EQ(Prepare(), 0) << c.what;
      Release();
      Known().failGradientPreparation = true;
    }

    TraceStart();
    EXPECT_EQ(Prepare(), -100) << c.what;
    std::vector<TraceEntry> trace = TraceTake();
    EXPECT_EQ(CountOf(trace, "RenderDataRelease"), c.preparedBefore ? 1 : 0) << c.what;
    for (const char* skipped : {"NoiseAlloc", "NoiseInitFbm", "ChildShaderInitRender"}) {
      EXPECT_EQ(CountOf(trace, skipped), 0) << c.what << ": " << skipped;
    }
    EXPECT_FALSE(Contains(trace, "ContainerGetData", "handle, 5006")) << c.what;

    EXPECT_EQ(Sample(MATERIAL_CHANNEL_COLOR, kOrigin).x, 0.0) << c.what;
    Release();
    EXPECT_EQ(CountOf(TraceTake(), "ChildShaderFreeRender"), 0) << c.what;
    EXPECT_EQ(child->edgeRender.unbalancedReleases, 0) << c.what;
    DestroyShader();
    EXPECT_EQ(CountOf(TraceTake(), "RenderDataRelease"), 0) << c.what << ": nothing left to give";
    TraceStop();
  }
}

TEST_F(RenderPreparation, FreeRenderReleasesTheChildOncePerPreparation) {
  LoadWithShader();
  ASSERT_NE(child, nullptr);
  TraceStart();
  ASSERT_EQ(Prepare(), 0);
  ASSERT_EQ(Prepare(), 0);
  EXPECT_EQ(CountOf(TraceTake(), "ChildShaderInitRender"), 2);
  EXPECT_EQ(child->edgeRender.preparations, 2);

  Release();
  EXPECT_EQ(CountOf(TraceTake(), "ChildShaderFreeRender"), 2);
  EXPECT_EQ(child->edgeRender.preparations, 0);
  Release();
  EXPECT_EQ(CountOf(TraceTake(), "ChildShaderFreeRender"), 0);
  EXPECT_EQ(child->edgeRender.unbalancedReleases, 0);
}

TEST_F(RenderPreparation, AChildWithoutAGradientIsPreparedAsItIs) {
  struct Case {
    std::string what;
    bool readable;  // the child holds parameter 1003 at all
  };
  for (const Case& c : std::vector<Case>{{"no parameter", false}, {"not a gradient", true}}) {
    Restart();
    LoadWithShader();
    ASSERT_NE(child, nullptr);
    if (c.readable) {
      child->settings.Set(EDGE_GRADIENT_PARAM_GRADIENT, Value(0.25));
    } else {
      child->settings.Erase(EDGE_GRADIENT_PARAM_GRADIENT);
    }
    TraceStart();
    EXPECT_EQ(Prepare(), 0) << c.what;
    const std::vector<TraceEntry> trace = TraceTake();
    TraceStop();
    EXPECT_TRUE(Contains(trace, "NodeParamGet", "handle, 1003, 0")) << c.what;
    for (const char* skipped : {"GetKnot", "SetKnot", "NodeParamSet"}) {
      EXPECT_EQ(CountOf(trace, skipped), 0) << c.what << ": " << skipped;
    }
    EXPECT_EQ(CountOf(trace, "ChildShaderInitRender"), 1) << c.what;
    const Value* stored = child->settings.Find(EDGE_GRADIENT_PARAM_GRADIENT);
    EXPECT_EQ(stored != nullptr, c.readable) << c.what;
    if (stored) {
      EXPECT_TRUE(*stored == Value(0.25)) << c.what;
    }
  }
}

TEST_F(RenderPreparation, AnAbsentChildStrengthCountsHalf) {
  UseKnownNoiseAndSpline();
  LoadWithShader();
  Erase(VERDANTA_TERRAIN_GRADIENT);
  Erase(VERDANTA_CHILD_STRENGTH);
  Set(VERDANTA_CHILD_COLOR, Vector3{0.5, 0.25, 1.0});
  ASSERT_EQ(Prepare(), 0);
  const HitContext rim = GrazingHit({1, 2, 3});
  ExpectClose({1.25, 1.125, 1.5}, Sample(MATERIAL_CHANNEL_COLOR, kOrigin, &rim), 1e-12,
              "white and half the rim");
}

TEST_F(RenderPreparation, ASecondPreparationFreesTheLeftoverGeneratorFirst) {
  LoadWithShader();
  ASSERT_EQ(Prepare(), 0);
  TraceStart();
  ASSERT_EQ(Prepare(), 0);
  std::vector<TraceEntry> trace = TraceTake();
  ASSERT_EQ(CountOf(trace, "NoiseFree"), 1);
  EXPECT_TRUE(Contains(trace, "NoiseFree", "handle"));
  EXPECT_LT(IndexOf(trace, "NoiseFree"), IndexOf(trace, "NoiseAlloc"));
  Release();
  EXPECT_EQ(CountOf(TraceTake(), "NoiseFree"), 1);
}

TEST_F(RenderPreparation, AnUnpreparedNodeAnswersBlackWithoutAskingTheHost) {
  struct Case {
    std::string what;
    std::function<void()> arrange;
  };
  const std::vector<Case> cases = {
      {"never prepared", [] {}},
      {"after FreeRender",
       [this] {
         ASSERT_EQ(Prepare(), 0);
         Release();
       }},
      {"no generator from the host",
       [this] {
         Controls().failAllocations = true;
         ASSERT_EQ(Prepare(), 0);
         Controls().failAllocations = false;
       }},
  };
  for (const Case& c : cases) {
    Restart();
    LoadWithShader();
    c.arrange();
    const HitContext hit = GrazingHit({5, 6, 7}, nullptr);
    for (int32_t channel :
         {MATERIAL_CHANNEL_COLOR, MATERIAL_CHANNEL_BUMP, MATERIAL_CHANNEL_DISPLACEMENT}) {
      for (const HitContext* sampleHit : {static_cast<const HitContext*>(nullptr), &hit}) {
        TraceStart();
        const Vector3 color = Sample(channel, {0.5, 0.5, 0}, sampleHit);
        EXPECT_TRUE(TraceTake().empty()) << c.what << ", channel " << channel;
        EXPECT_TRUE(color.x == 0 && color.y == 0 && color.z == 0)
            << c.what << ", channel " << channel;
      }
    }
    TraceStop();
  }
}

TEST_F(RenderPreparation, RenderInfoIsFortyEightInEveryState) {
  UseFailingGradientPreparation();
  LoadWithShader();
  EXPECT_EQ(RenderInfo(), 48) << "new";
  ASSERT_EQ(Prepare(), 0);
  EXPECT_EQ(RenderInfo(), 48) << "prepared";
  Release();
  EXPECT_EQ(RenderInfo(), 48) << "released";
  Known().failGradientPreparation = true;
  ASSERT_EQ(Prepare(), -100);
  EXPECT_EQ(RenderInfo(), 48) << "failed";
}

// The user's child colour is linearised for a linear document unless the host, asked first,
// keeps the colours; the child's rim knot takes the colour as used.
TEST_F(RenderPreparation, LinearisesTheChildColourOnlyForALinearDocumentThatAsksIt) {
  struct Case {
    HostBool convertColors;
    int32_t colorProfile;
    HostBool queryFirst;
    bool keepColors;  // the host's answer to ColorQuery
    bool asked;
    bool converted;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, false, false, false}, {1, 0, 0, false, false, true},  {1, 0, 1, false, true, true},
      {1, 0, 1, true, true, false},   {1, 1, 0, false, false, false}, {1, 1, 1, true, false, false},
      {0, 0, 1, true, false, false},
  };
  const Vector3 entered = {0.5, 0.25, 0.75};
  LoadWithShader();
  ASSERT_NE(child, nullptr);
  Set(VERDANTA_CHILD_COLOR, entered);
  for (const Case& c : cases) {
    ColorQueryContext query;
    query.keepColors = c.keepColors;
    setup.convertColors = c.convertColors;
    setup.colorProfile = c.colorProfile;
    setup.queryFirst = c.queryFirst;
    setup.queryContext = &query;
    TraceStart();
    ASSERT_EQ(Prepare(), 0);
    Release();
    const std::vector<TraceEntry> trace = TraceTake();
    const std::string what = "case " + std::to_string(&c - cases.data());
    EXPECT_EQ(CountOf(trace, "ColorQuery"), c.asked ? 1 : 0) << what;
    EXPECT_EQ(Contains(trace, "ColorSpaceConvert", TraceText(entered) + ", 2"), c.converted)
        << what;
    const Gradient* rim = child->settings.Find(EDGE_GRADIENT_PARAM_GRADIENT)->Get<Gradient>();
    ASSERT_NE(rim, nullptr);
    const Vector3 expected = c.converted ? ColorSpaceConvert(entered, kSrgbToLinear) : entered;
    ExpectClose(expected, rim->knots.at(0).color, 0.0, what);
  }
  TraceStop();
}

}  // namespace
}  // namespace standin
