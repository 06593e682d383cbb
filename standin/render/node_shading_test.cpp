#include "node_shading.h"

#include <gtest/gtest.h>

#include <cstring>

#include "bake.h"
#include "planet_fixture.h"
#include "prepared_shaders.h"
#include "renderer.h"

namespace standin {
namespace {

// Many threads at once through the real module: every pixel depends on its coordinates alone,
// so the thread count must not show in the image.
using NodeShadingConcurrencyTest = PlanetFixture;

bool SameBits(const Vector3& a, const Vector3& b) {
  return std::memcmp(&a, &b, sizeof(Vector3)) == 0;
}

TEST_F(NodeShadingConcurrencyTest, RendersTheSameImageOnOneThreadAndOnEight) {
  const PreparedShaders prepared({shaders.colour, shaders.bump}, LinearRenderSetup(document, 8));
  const NodeShading colour(*shaders.colour), bump(*shaders.bump);
  view.colour = &colour;
  view.bump = &bump;
  RenderSettings settings;
  settings.width = 64;
  settings.height = 64;
  settings.threads = 1;
  const Image alone = Render(view, settings);
  settings.threads = 8;
  const Image together = Render(view, settings);
  ASSERT_EQ(alone.pixels.size(), together.pixels.size());
  for (size_t i = 0; i < alone.pixels.size(); ++i) {
    ASSERT_TRUE(SameBits(alone.pixels[i], together.pixels[i])) << "pixel " << i;
  }
}

TEST_F(NodeShadingConcurrencyTest, BakesTheSameMapsOnOneThreadAndOnEight) {
  const PreparedShaders prepared({shaders.colour, shaders.bump}, LinearRenderSetup(document, 8));
  const NodeShading colour(*shaders.colour), bump(*shaders.bump);
  const BakeSettings alone{64, 32, 1}, together{64, 32, 8};
  const Image colourAlone = BakeColour(colour, alone);
  const Image colourTogether = BakeColour(colour, together);
  for (size_t i = 0; i < colourAlone.pixels.size(); ++i) {
    ASSERT_TRUE(SameBits(colourAlone.pixels[i], colourTogether.pixels[i])) << "texel " << i;
  }
  EXPECT_EQ(BakeHeight(bump, HeightChannel::kBump, alone).pixels,
            BakeHeight(bump, HeightChannel::kBump, together).pixels);
}

}  // namespace
}  // namespace standin
