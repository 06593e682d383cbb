// What the renderer shades with: one object per material channel. A scene's shader node sits
// behind it through its Output callback.
#pragma once

#include "host_abi.h"

namespace standin {

class SurfaceShading {
 public:
  virtual ~SurfaceShading() = default;
  // Called from many render threads at once.
  virtual Vector3 Sample(const ChannelSample& sample) const = 0;
};

// The flags word of a sample in one material channel; bump directions 0..3 for channel 6.
inline int32_t ChannelSampleFlags(int32_t channel, int32_t bumpDirection = 0) {
  return (channel & CHANNEL_SAMPLE_CHANNEL_MASK) << CHANNEL_SAMPLE_CHANNEL_SHIFT |
         (bumpDirection & CHANNEL_SAMPLE_BUMP_MASK) << CHANNEL_SAMPLE_BUMP_SHIFT;
}

// The height a grey answer stands for; a coloured one counts by its mean.
inline double Grey(Vector3 colour) {
  return (colour.x + colour.y + colour.z) / 3.0;
}

}  // namespace standin
