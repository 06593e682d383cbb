#include <gtest/gtest.h>

#include <vector>

#include "test_host.h"
#include "test_shader.h"
#include "vector_math.h"
#include "verdanta.h"

namespace verdanta {
namespace {

using testhost::FakeHost;

void ExpectVector(const Vector3& expected, const Vector3& actual, double tolerance = 1e-12) {
  EXPECT_NEAR(expected.x, actual.x, tolerance);
  EXPECT_NEAR(expected.y, actual.y, tolerance);
  EXPECT_NEAR(expected.z, actual.z, tolerance);
}

class Sampling : public ::testing::Test {
 protected:
  void SetUp() override {
    shader->services.Find();
    shader->terrainNoise = testhost::AsHost(fake.NewNoise(1));
    shader->terrainFrequency = 0.5;
    shader->offset = Vector3{0.125, -0.25, 0.5};
    shader->detailScale = 1.0;
    shader->heightBlendWeight = 0.5;
    shader->cloudThreshold = 1.0;
    shader->cloudNoiseType = 20;
    shader->cloudFrequency = 0.25;
    // A translated object stretched along x.
    fake.objectMatrix = Matrix34{{100, 0, 0}, {2, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    hit.hitPoint = Vector3{10, 20, 30};
    hit.hitObject = testhost::AsHost(fake.NewNode(NODE_TYPE_SPHERE_OBJECT));
  }

  Vector3 Sample(int32_t channel, const HitContext* at, int32_t bump = 0) {
    ChannelSample sample = {};
    sample.position = Vector3{0.25, 0.5, 0};
    sample.flags = (channel << CHANNEL_SAMPLE_CHANNEL_SHIFT) | (bump << CHANNEL_SAMPLE_BUMP_SHIFT);
    sample.hit = at;
    return shader->Output(nullptr, &sample);
  }

  // The sample position, read back from the terrain lookup.
  Vector3 LastPosition() {
    for (auto call = fake.noiseCalls.rbegin(); call != fake.noiseCalls.rend(); ++call) {
      if (call->operation == "NoiseFbm") return call->point * (1.0 / shader->terrainFrequency);
    }
    ADD_FAILURE() << "no terrain lookup";
    return Vector3{};
  }

  void UseGradient() {
    shader->gradient = reinterpret_cast<const HostGradient*>(&gradientHandle);
    shader->gradientRenderData.Adopt(testhost::AsHost(fake.NewRenderData()));
  }

  const testhost::NoiseCall* Lookup(const char* operation, int32_t type = 0) {
    for (const testhost::NoiseCall& call : fake.noiseCalls) {
      if (call.operation == operation && call.type == type) return &call;
    }
    return nullptr;
  }

  FakeHost fake;
  testhost::ShaderPointer shader = testhost::NewShader();
  HitContext hit = {};
  int32_t gradientHandle = 0;
};

TEST_F(Sampling, ThePositionComesFromTheTextureWithoutAHit) {
  Sample(0, nullptr);
  ExpectVector(Vector3{375, 250, 500}, LastPosition());
  EXPECT_FALSE(fake.Called("ObjectMatrix"));
}

TEST_F(Sampling, AHitIsShiftedByTheOffsetAndTakenIntoObjectSpace) {
  Sample(0, &hit);
  ExpectVector(Vector3{17.5, -230, 530}, LastPosition());

  HitContext noObject = hit;
  noObject.hitObject = nullptr;
  fake.calls.clear();
  Sample(0, &noObject);
  ExpectVector(Vector3{135, -230, 530}, LastPosition());
  EXPECT_FALSE(fake.Called("ObjectMatrix"));
}

TEST_F(Sampling, BumpSubSamplesLookOneUnitAsideInObjectSpace) {
  struct Case {
    int32_t channel;
    bool withHit;
    int32_t bump;
    Vector3 expected;
  } cases[] = {
      {6, true, 0, {18.5, -230, 530}},  {6, true, 1, {16.5, -230, 530}},
      {6, true, 2, {17.5, -229, 530}},  {6, true, 3, {17.5, -231, 530}},
      {11, true, 2, {17.5, -230, 530}},  // only the bump channel moves
      {0, true, 1, {17.5, -230, 530}},  {6, false, 0, {375, 250, 500}},  // nor without a hit
  };
  for (const Case& c : cases) {
    Sample(c.channel, c.withHit ? &hit : nullptr, c.bump);
    ExpectVector(c.expected, LastPosition());
  }
}

TEST_F(Sampling, HeightChannelsAnswerTheGreyHeight) {
  fake.fbmAnswer = 0.2;  // h = 0.6
  fake.sampleAnswers[14] = 0.3;
  fake.ridgedAnswer = 1.5;
  fake.splineAnswer = Vector3{9, 0.25, 9};
  shader->heightSpline = reinterpret_cast<const HostSplineCurve*>(&gradientHandle);
  shader->detail = 0.5;
  shader->detailScale = 2.0;
  // Things that must not count in a height channel.
  shader->gradient = reinterpret_cast<const HostGradient*>(&gradientHandle);
  shader->childShader = testhost::AsHost(fake.NewNode(NODE_TYPE_EDGE_GRADIENT_SHADER));
  shader->childStrength = 1.0;
  shader->cloudThreshold = -5.0;
  shader->cloudIntensity = 1.0;

  for (int32_t channel : {6, 11}) {
    fake.noiseCalls.clear();
    fake.splinePositions.clear();
    // (OverlayBlend(0.6, 0.3) = 0.54) * 0.5 * 1.5 + 0.25 = 0.655, then * (1 + 0.5).
    ExpectVector(Vector3{0.9825, 0.9825, 0.9825}, Sample(channel, &hit));
    EXPECT_EQ(std::vector<double>{0.6}, fake.splinePositions);
    ASSERT_NE(nullptr, Lookup("NoiseSample", 14));
    ExpectVector(LastPosition() * 2.0, Lookup("NoiseSample", 14)->point);
    ASSERT_NE(nullptr, Lookup("NoiseRidged"));
    ExpectVector(LastPosition() * 1.5, Lookup("NoiseRidged")->point);
    EXPECT_EQ(18.0, Lookup("NoiseRidged")->octaves);
  }
  EXPECT_FALSE(fake.Called("CalcGradientPixel"));
  EXPECT_FALSE(fake.Called("ChildShaderSample"));
  EXPECT_EQ(nullptr, Lookup("NoiseSample", 20)) << "no clouds in heights";
}

TEST_F(Sampling, IceRaisesTheHeight) {
  shader->iceSizeV1 = 1.0;  // v = 0.5 lies inside the cap at v = 1
  shader->iceAmountV1 = 1.0;
  shader->iceUpper = 0.5;
  fake.sampleAnswers[10] = 1.0;
  ExpectVector(Vector3{0.1, 0.1, 0.1}, Sample(11, nullptr));
}

TEST_F(Sampling, AHeightWithoutASplineLeavesOutTheSplineTerm) {
  fake.fbmAnswer = 0.0;  // h = 0.5
  fake.sampleAnswers[14] = 0.4;
  fake.ridgedAnswer = 1.0;
  ExpectVector(Vector3{0.2, 0.2, 0.2}, Sample(6, nullptr));  // (0.5 + 0.5) * 0.4 * 0.5 * 1
  EXPECT_FALSE(fake.Called("SplineEvaluate"));
}

TEST_F(Sampling, TheSurfaceColourStacksGradientCloudsAndChild) {
  fake.fbmAnswer = 0.2;  // h = 0.6
  fake.ridgedAnswer = 1.5;
  fake.gradientAnswer = Vector3{0.2, 0.4, 0.6};
  fake.sampleAnswers[20] = 0.9;
  fake.childAnswer = Vector3{0.1, 0.2, 0.3};
  UseGradient();
  shader->detail = 0.5;
  shader->cloudThreshold = 0.5;
  shader->cloudIntensity = 2.0;
  shader->childShader = testhost::AsHost(fake.NewNode(NODE_TYPE_EDGE_GRADIENT_SHADER));
  shader->childStrength = 0.5;

  // Not clamped again after the clouds and the child.
  ExpectVector(Vector3{1.05, 1.3, 1.55}, Sample(0, &hit));
  ASSERT_EQ(1u, fake.gradientPositions.size());
  EXPECT_DOUBLE_EQ(1.05, fake.gradientPositions[0]) << "0.6 * (1.5 * 0.5 + 1), unclamped";
  ExpectVector(LastPosition() * 0.25, Lookup("NoiseSample", 20)->point);
  EXPECT_EQ(nullptr, Lookup("NoiseSample", 14)) << "no detail lookup for colours";
  EXPECT_FALSE(fake.Called("SplineEvaluate"));
}

TEST_F(Sampling, WithoutAGradientTheBaseIsWhiteAndStaysWhiteUnderIce) {
  shader->iceSizeV0 = 1.0;  // v = 0.5 lies inside the cap at v = 0
  shader->iceAmountV0 = 1.0;
  shader->iceUpper = 0.5;
  fake.sampleAnswers[10] = 1.0;
  ExpectVector(Vector3{1, 1, 1}, Sample(0, nullptr));
  EXPECT_FALSE(fake.Called("CalcGradientPixel"));
}

TEST_F(Sampling, TheBaseIsClampedBeforeCloudsAreAdded) {
  UseGradient();
  fake.gradientAnswer = Vector3{1.5, -0.5, 0.5};
  ExpectVector(Vector3{1.0, 0.0, 0.5}, Sample(0, nullptr));
}

TEST_F(Sampling, CloudsAddTheirExcessOverTheThreshold) {
  shader->cloudThreshold = 0.25;
  shader->cloudIntensity = 3.0;
  shader->gradient = reinterpret_cast<const HostGradient*>(&gradientHandle);
  struct Case {
    double noise, added;
  } cases[] = {{-1.0, 0.0}, {0.25, 0.0}, {0.5, 0.75}, {1.25, 3.0}, {4.0, 3.0}};
  for (const Case& c : cases) {
    fake.sampleAnswers[20] = c.noise;
    ExpectVector(Vector3{c.added, c.added, c.added}, Sample(0, nullptr));
  }
}

}  // namespace
}  // namespace verdanta
