// Rendered and baked pixels, row by row from the top left.
#pragma once

#include <cstddef>
#include <vector>

#include "host_abi.h"

namespace standin {

template <typename Pixel>
struct Raster {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  Raster() = default;
  Raster(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}

  Pixel& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Pixel& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

using Image = Raster<Vector3>;     // linear colour
using GreyImage = Raster<double>;  // heights

}  // namespace standin
