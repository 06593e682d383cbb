#include "bake.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "synthetic_shadings.h"

namespace standin {
namespace {

// Colour = the texture position asked, so the map shows where each texel sampled.
class TexturePosition : public SurfaceShading {
 public:
  Vector3 Sample(const ChannelSample& sample) const override { return sample.position; }
};

TEST(BakeColour, SamplesTexelCentresWithoutAHit) {
  struct Size {
    int width, height;
  };
  for (const Size size : {Size{1, 1}, Size{4, 2}, Size{3, 5}, Size{130, 70}}) {
    SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
    const Image map = BakeColour(TexturePosition(), {size.width, size.height, 1});
    ASSERT_EQ(map.width, size.width);
    ASSERT_EQ(map.height, size.height);
    ASSERT_EQ(map.pixels.size(), static_cast<size_t>(size.width) * size.height);
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x) {
        EXPECT_DOUBLE_EQ(map.At(x, y).x, (x + 0.5) / size.width);
        EXPECT_DOUBLE_EQ(map.At(x, y).y, (y + 0.5) / size.height);
        EXPECT_EQ(map.At(x, y).z, 0.0);
      }
    }
  }
}

TEST(BakeColour, AsksTheColourChannelWithNoHit) {
  const RecordingShading colour({0.1, 0.2, 0.3});
  const Image map = BakeColour(colour, {3, 2, 1});
  ASSERT_EQ(colour.Records().size(), 6u);
  for (const RecordingShading::Record& asked : colour.Records()) {
    EXPECT_EQ(asked.sample.flags, ChannelSampleFlags(MATERIAL_CHANNEL_COLOR));
    EXPECT_FALSE(asked.hasHit);
  }
  EXPECT_EQ(map.At(2, 1).z, 0.3);
}

TEST(BakeHeight, AsksTheChosenChannelAndKeepsTheGrey) {
  struct Case {
    HeightChannel channel;
    int32_t flagsChannel;
  };
  for (const Case c : {Case{HeightChannel::kBump, 6}, Case{HeightChannel::kDisplacement, 11}}) {
    const RecordingShading height({0.25, 0.25, 0.25});
    const GreyImage map = BakeHeight(height, c.channel, {5, 3, 1});
    ASSERT_EQ(height.Records().size(), 15u);
    for (const RecordingShading::Record& asked : height.Records()) {
      EXPECT_EQ(SampleChannel(asked.sample), c.flagsChannel);
      EXPECT_EQ(SampleBumpDirection(asked.sample), 0);
      EXPECT_FALSE(asked.hasHit);
    }
    EXPECT_EQ(map.At(4, 2), 0.25);
  }
}

TEST(BakeHeight, MapFollowsTheTexture) {
  const HeightField ramp([](Vector3 p) { return 2.0 * p.y - p.x; });
  const GreyImage map = BakeHeight(ramp, HeightChannel::kDisplacement, {8, 4, 1});
  EXPECT_DOUBLE_EQ(map.At(0, 0), 2.0 * 0.125 - 0.0625);
  EXPECT_DOUBLE_EQ(map.At(7, 3), 2.0 * 0.875 - 0.9375);
}

TEST(Bake, RefusesAnEmptyMap) {
  EXPECT_THROW(BakeColour(TexturePosition(), {0, 4, 1}), std::invalid_argument);
  EXPECT_THROW(BakeHeight(TexturePosition(), HeightChannel::kBump, {4, -1, 1}),
               std::invalid_argument);
}

}  // namespace
}  // namespace standin
