#include <gtest/gtest.h>

#include "test_host.h"
#include "test_shader.h"
#include "verdanta.h"

namespace verdanta {
namespace {

class IceMaskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shader->services.Find();
    shader->terrainNoise = testhost::AsHost(fake.NewNoise(1));
    // The defaults as InitRender derives them.
    shader->iceSizeV0 = 0.1;
    shader->iceAmountV0 = 2.0;
    shader->iceSizeV1 = 0.2;
    shader->iceAmountV1 = 2.0;
    shader->iceUpper = 0.35;
    shader->iceLower = 0.35 - 0.15;
    fake.sampleAnswers[10] = 1.0;
  }

  double Ice(double v, const Vector3& p = Vector3{1, 2, 3}) {
    ChannelSample sample = {};
    sample.position = Vector3{0.3, v, 0};
    const Vector3 ice = shader->IceMask(p, sample);
    EXPECT_EQ(ice.x, ice.y);
    EXPECT_EQ(ice.x, ice.z);
    return ice.x;
  }

  testhost::FakeHost fake;
  testhost::ShaderPointer shader = testhost::NewShader();
};

TEST_F(IceMaskTest, DefaultCapsAreFullNearThePolesAndGoneInBetween) {
  struct Case {
    double v, ice;
  } cases[] = {{0.0, 1.0}, {0.05, 1.0}, {0.15, 0.0}, {0.5, 0.0},
               {0.7, 0.0}, {0.9, 1.0},  {1.0, 1.0}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.ice, Ice(c.v)) << c.v;

  // Noise that makes full ice inside a cap makes partial ice where the cap fades.
  fake.sampleAnswers[10] = 0.275;
  EXPECT_EQ(1.0, Ice(0.05));
  for (double v : {0.1, 0.8}) {
    EXPECT_GT(Ice(v), 0.0) << v;
    EXPECT_LT(Ice(v), 1.0) << v;
  }
}

TEST_F(IceMaskTest, ZeroSizedCapsCoverNothingInside) {
  shader->iceSizeV0 = 0.0;
  shader->iceSizeV1 = 0.0;
  EXPECT_EQ(1.0, Ice(0.0)) << "v = 0 itself still lies in the first cap";
  for (double v : {0.001, 0.5, 0.999, 1.0}) EXPECT_EQ(0.0, Ice(v)) << v;
}

TEST_F(IceMaskTest, OverlappingCapsAddUp) {
  shader->iceSizeV0 = 2.0;
  shader->iceSizeV1 = 2.0;
  EXPECT_EQ(2.0, Ice(0.5));
}

TEST_F(IceMaskTest, NoiseDecidesWhereIceShows) {
  struct Case {
    double noise, ice;
  } cases[] = {{-1.0, 0.0}, {0.0, 0.0}, {0.05, 0.0}, {0.2, 1.0}, {0.5, 1.0}};
  for (const Case& c : cases) {
    fake.sampleAnswers[10] = c.noise;
    EXPECT_DOUBLE_EQ(c.ice, Ice(0.0)) << c.noise;  // amount 2: a = 2 * noise
  }
}

TEST_F(IceMaskTest, OneFiveOctaveLookupAtAScaledPosition) {
  Ice(0.5, Vector3{100, -40, 20});
  ASSERT_EQ(1u, fake.noiseCalls.size());
  const testhost::NoiseCall& call = fake.noiseCalls[0];
  EXPECT_EQ(10, call.type);
  EXPECT_EQ(5.0, call.octaves);
  EXPECT_DOUBLE_EQ(5.0, call.point.x);
  EXPECT_DOUBLE_EQ(-2.0, call.point.y);
  EXPECT_DOUBLE_EQ(1.0, call.point.z);
}

TEST_F(IceMaskTest, WithoutNoiseThereIsNoIce) {
  fake.missingLibraries = {LIBRARY_NOISE};
  fake.Install();
  shader->services.Find();
  EXPECT_EQ(0.0, Ice(0.0));
}

}  // namespace
}  // namespace verdanta
