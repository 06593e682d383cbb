// Equirectangular maps of a shader, sampled without a ray hit at the texel centres: texel
// (x, y) of a w x h map has the texture position ((x + 0.5) / w, (y + 0.5) / h, 0), so the top
// row lies at v = 0, where the sphere's v = 0 pole is.
#pragma once

#include "image.h"
#include "surface_shading.h"
#include "tile_pool.h"

namespace standin {

struct BakeSettings {
  int width = 2048;
  int height = 1024;
  int threads = 0;  // 0: one per hardware thread
};

enum class HeightChannel : int32_t {
  kBump = MATERIAL_CHANNEL_BUMP,
  kDisplacement = MATERIAL_CHANNEL_DISPLACEMENT,
};

// Both throw std::invalid_argument for an empty map size.
Image BakeColour(const SurfaceShading& shading, const BakeSettings& settings,
                 const TileProgress& progress = {});
GreyImage BakeHeight(const SurfaceShading& shading, HeightChannel channel,
                     const BakeSettings& settings, const TileProgress& progress = {});

}  // namespace standin
