// PNG files of rendered and baked images. A write goes to a temporary file beside the target
// and is renamed over it, so a failed write leaves no half-written image; a path that cannot be
// written raises standin::InputError.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace standin {

// 8-bit sRGB RGB from linear colour: clamped to 0..1 (NaN as 0), encoded, rounded.
void WriteColourPng(const std::string& path, const Image& linearColour);

// Heights from low to high map onto 0..65535; values outside are clamped (NaN as low).
struct HeightRange {
  double low = 0.0;
  double high = 1.0;
};

// 16-bit grey. Throws std::invalid_argument unless low < high, both finite.
void WriteHeightPng(const std::string& path, const GreyImage& heights, HeightRange range);

uint8_t EncodeSrgb8(double linear);
uint16_t EncodeHeight16(double height, HeightRange range);

// A PNG as stored: 8-bit RGB or 16-bit grey samples, row by row.
struct PngPixels {
  int width = 0;
  int height = 0;
  int channels = 0;  // 3 or 1
  int bitDepth = 0;  // 8 or 16
  std::vector<uint16_t> samples;
};

// Reads a file written by the two writers above; throws standin::InputError otherwise.
PngPixels ReadPng(const std::string& path);

}  // namespace standin
