#include "tile_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "bake.h"
#include "renderer.h"
#include "synthetic_shadings.h"

namespace standin {
namespace {

constexpr int kManyThreads = 8;

TEST(SplitIntoTiles, CoversEveryPixelOnce) {
  struct Size {
    int width, height, tile;
  };
  for (const Size size : {Size{70, 33, 32}, Size{64, 64, 32}, Size{1, 1, 32}, Size{5, 100, 7}}) {
    std::vector<int> covered(static_cast<size_t>(size.width) * size.height, 0);
    for (const Tile& tile : SplitIntoTiles(size.width, size.height, size.tile)) {
      EXPECT_LE(tile.x1 - tile.x0, size.tile);
      EXPECT_LE(tile.y1 - tile.y0, size.tile);
      for (int y = tile.y0; y < tile.y1; ++y) {
        for (int x = tile.x0; x < tile.x1; ++x) ++covered[y * size.width + x];
      }
    }
    EXPECT_EQ(covered, std::vector<int>(covered.size(), 1)) << size.width << " x " << size.height;
  }
}

TEST(RunTiles, EveryTileOnceAndProgressCountsUp) {
  const std::vector<Tile> tiles = SplitIntoTiles(300, 200, 16);
  std::vector<std::atomic<int>> visits(tiles.size());
  std::atomic<bool> threadIndexInRange{true};
  std::vector<int> reported;
  RunTiles(
      tiles, kManyThreads,
      [&](const Tile& tile, int threadIndex) {
        if (threadIndex < 0 || threadIndex >= kManyThreads) threadIndexInRange = false;
        ++visits[&tile - tiles.data()];
      },
      [&](int done, int total) {
        EXPECT_EQ(total, static_cast<int>(tiles.size()));
        reported.push_back(done);
      });
  for (const std::atomic<int>& count : visits) EXPECT_EQ(count, 1);
  EXPECT_TRUE(threadIndexInRange);
  ASSERT_EQ(reported.size(), tiles.size());
  for (size_t i = 0; i < reported.size(); ++i) EXPECT_EQ(reported[i], static_cast<int>(i) + 1);
}

TEST(RunTiles, FailureReachesTheCaller) {
  const std::vector<Tile> tiles = SplitIntoTiles(512, 512, 8);
  for (int threads : {1, kManyThreads}) {
    std::atomic<int> worked{0};
    EXPECT_THROW(RunTiles(tiles, threads,
                          [&](const Tile&, int) {
                            if (++worked == 10) throw std::runtime_error("shader gave up");
                          },
                          {}),
                 std::runtime_error)
        << threads << " threads";
    // Alone, nothing runs after the failing tile; together, others may finish theirs first.
    if (threads == 1) {
      EXPECT_EQ(worked, 10);
    }
  }
}

// Pure functions of the sample: any thread may ask any of them in any order.
double Waves(Vector3 p) {
  return 0.5 + 0.25 * std::sin(0.21 * p.x) * std::cos(0.17 * p.y + p.z);
}

class WavyColour : public SurfaceShading {
 public:
  Vector3 Sample(const ChannelSample& sample) const override {
    const Vector3 p = ShaderPosition(sample, Matrix34{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    return {Waves(p), sample.position.x, sample.position.y};
  }
};

bool SameBits(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

TEST(Render, SameImageWhateverTheThreadCount) {
  const WavyColour colour;
  const HeightField bump(Waves);
  const HeightField displacement([](Vector3 p) { return Waves({p.y, p.z, p.x}); });
  SceneView scene;
  scene.colour = &colour;
  scene.bump = &bump;
  scene.displacement = &displacement;
  RenderSettings settings;
  settings.width = 150;
  settings.height = 110;
  settings.displacement = true;
  settings.threads = 1;
  const Image alone = Render(scene, settings);
  settings.threads = kManyThreads;
  const Image together = Render(scene, settings);
  EXPECT_TRUE(SameBits(alone.pixels, together.pixels));
}

TEST(Bake, SameMapsWhateverTheThreadCount) {
  const WavyColour colour;
  const HeightField height(Waves);
  const Image colourAlone = BakeColour(colour, {200, 100, 1});
  const Image colourTogether = BakeColour(colour, {200, 100, kManyThreads});
  EXPECT_TRUE(SameBits(colourAlone.pixels, colourTogether.pixels));
  const GreyImage heightAlone = BakeHeight(height, HeightChannel::kBump, {200, 100, 1});
  const GreyImage heightTogether =
      BakeHeight(height, HeightChannel::kBump, {200, 100, kManyThreads});
  EXPECT_EQ(heightAlone.pixels, heightTogether.pixels);
}

}  // namespace
}  // namespace standin
