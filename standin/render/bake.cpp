#include "bake.h"

#include <stdexcept>

namespace standin {

namespace {

constexpr int kTileSize = 64;

template <typename Pixel, typename FromColour>
Raster<Pixel> Bake(const SurfaceShading& shading, int32_t channel, const BakeSettings& settings,
                   const TileProgress& progress, FromColour fromColour) {
  if (settings.width < 1 || settings.height < 1) {
    throw std::invalid_argument("the map needs a width and a height of at least 1 texel");
  }
  Raster<Pixel> map(settings.width, settings.height);
  RunTiles(
      SplitIntoTiles(settings.width, settings.height, kTileSize), settings.threads,
      [&](const Tile& tile, int threadIndex) {
        for (int y = tile.y0; y < tile.y1; ++y) {
          for (int x = tile.x0; x < tile.x1; ++x) {
            const ChannelSample sample{
                {(x + 0.5) / settings.width, (y + 0.5) / settings.height, 0.0},
                ChannelSampleFlags(channel),
                threadIndex,
                nullptr,
                0.0};
            map.At(x, y) = fromColour(shading.Sample(sample));
          }
        }
      },
      progress);
  return map;
}

}  // namespace

Image BakeColour(const SurfaceShading& shading, const BakeSettings& settings,
                 const TileProgress& progress) {
  return Bake<Vector3>(shading, MATERIAL_CHANNEL_COLOR, settings, progress,
                       [](Vector3 colour) { return colour; });
}

GreyImage BakeHeight(const SurfaceShading& shading, HeightChannel channel,
                     const BakeSettings& settings, const TileProgress& progress) {
  return Bake<double>(shading, static_cast<int32_t>(channel), settings, progress, Grey);
}

}  // namespace standin
