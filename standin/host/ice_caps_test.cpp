// The polar ice of a planet shader node as a renderer sees it: two caps at the ends of the
// texture's v axis, shaped by the host's noise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render_test_support.h"

namespace standin {
namespace {

// A flat terrain (h = 0, no ridges, no spline) leaves a height of 0.1 x ice. With the cap
// amounts at 1, a threshold of 0.15 (ice from 0 to 0.15) and noise 0.15, a cap's ice is
// 1 inside it and 0 away from it, and 0.5 half-way through its band.
class IceCaps : public VerdantaRenderTest {
 protected:
  void LoadWithFlatTerrain() {
    UseKnownNoiseAndSpline();
    Known().fbm = -1.0;
    Known().ridged = 0.0;
    Known().splineHeight = 0.0;
    Known().typedNoise = {{10, 0.15}};
    LoadWithShader();
    Set(VERDANTA_ICE_V0_AMOUNT, 0.1);
    Set(VERDANTA_ICE_V1_AMOUNT, 0.1);
    Set(VERDANTA_ICE_THRESHOLD, 0.15);
  }

  // The ice at texture v, without a hit and with one far from the texture position.
  std::vector<double> IceAt(double v) {
    const HitContext hit = GrazingHit({300, -200, 100});
    std::vector<double> ice;
    for (const HitContext* sampleHit : {static_cast<const HitContext*>(nullptr), &hit}) {
      ice.push_back(Sample(MATERIAL_CHANNEL_DISPLACEMENT, {0.5, v, 0}, sampleHit).x / 0.1);
    }
    return ice;
  }
};

TEST_F(IceCaps, DefaultCapsAreFullAtTheEndsAndFadeOutOverTheirBands) {
  struct Case {
    double v;
    double ice;
  };
  // The v = 0 cap (size 0.1): full up to 0.05, gone from 0.15. The v = 1 cap (size 0.2):
  // full from 0.9, gone below 0.7.
  const std::vector<Case> cases = {
      {0.0, 1.0}, {0.05, 1.0}, {0.1, 0.5}, {0.15, 0.0}, {0.1501, 0.0}, {0.3, 0.0},
      {0.5, 0.0}, {0.7, 0.0},  {0.8, 0.5}, {0.9, 1.0},  {0.95, 1.0},   {1.0, 1.0},
  };
  LoadWithFlatTerrain();
  ASSERT_EQ(Prepare(), 0);
  for (const Case& c : cases) {
    for (double ice : IceAt(c.v)) EXPECT_NEAR(ice, c.ice, 1e-9) << "v " << c.v;
  }
  // Inside the bands the ice thins out without reaching either end.
  for (double v : {0.06, 0.14, 0.71, 0.89}) {
    for (double ice : IceAt(v)) {
      EXPECT_GT(ice, 0.0) << "v " << v;
      EXPECT_LT(ice, 1.0) << "v " << v;
    }
  }
}

TEST_F(IceCaps, SizesAndNoiseDecideWhereIceShows) {
  struct Case {
    std::string what;
    double sizeV0, sizeV1, noise, v;
    double ice;
  };
  const std::vector<Case> cases = {
      {"size 0 at v = 0", 0.0, 0.0, 0.15, 0.0, 1.0},
      {"size 0 just above v = 0", 0.0, 0.0, 0.15, 1e-9, 0.0},
      {"size 0 at v = 1", 0.0, 0.0, 0.15, 1.0, 0.0},
      {"overlapping caps add up", 1.0, 1.0, 0.15, 0.5, 2.0},
      {"negative noise", 0.1, 0.2, -1.0, 0.0, 0.0},
      {"weak noise", 0.1, 0.2, 0.075, 1.0, 0.5},
  };
  LoadWithFlatTerrain();
  for (const Case& c : cases) {
    Set(VERDANTA_ICE_V0_SIZE, c.sizeV0);
    Set(VERDANTA_ICE_V1_SIZE, c.sizeV1);
    Known().typedNoise = {{10, c.noise}};
    ASSERT_EQ(Prepare(), 0);
    for (double ice : IceAt(c.v)) EXPECT_NEAR(ice, c.ice, 1e-9) << c.what;
    Release();
  }
}

}  // namespace
}  // namespace standin
