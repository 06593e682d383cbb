// Shaders for the renderer's tests. They read a sample the way the planet shader does: with a
// hit, the hit point brought into object space and moved one unit by a bump direction; without
// one, the texture position.
#pragma once

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "geometry.h"
#include "surface_shading.h"

namespace standin {

inline int32_t SampleChannel(const ChannelSample& sample) {
  return sample.flags >> CHANNEL_SAMPLE_CHANNEL_SHIFT & CHANNEL_SAMPLE_CHANNEL_MASK;
}
inline int32_t SampleBumpDirection(const ChannelSample& sample) {
  return sample.flags >> CHANNEL_SAMPLE_BUMP_SHIFT & CHANNEL_SAMPLE_BUMP_MASK;
}

inline Vector3 ShaderPosition(const ChannelSample& sample, const Matrix34& objectMatrix) {
  using namespace geometry;
  if (!sample.hit) return sample.position;
  Vector3 p =
      TransformPoint(Inverse(objectMatrix).value_or(IdentityMatrix()), sample.hit->hitPoint);
  if (SampleChannel(sample) == MATERIAL_CHANNEL_BUMP) {
    const Vector3 steps[] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    p = p + steps[SampleBumpDirection(sample)];
  }
  return p;
}

// A grey height field over the shader's position.
class HeightField : public SurfaceShading {
 public:
  HeightField(std::function<double(Vector3)> height, Matrix34 objectMatrix)
      : height_(std::move(height)), objectMatrix_(objectMatrix) {}
  explicit HeightField(std::function<double(Vector3)> height)
      : HeightField(std::move(height), geometry::IdentityMatrix()) {}

  Vector3 Sample(const ChannelSample& sample) const override {
    const double h = height_(ShaderPosition(sample, objectMatrix_));
    return {h, h, h};
  }

 private:
  std::function<double(Vector3)> height_;
  Matrix34 objectMatrix_;
};

// Answers one colour and keeps every sample it was asked, with a copy of its hit.
class RecordingShading : public SurfaceShading {
 public:
  struct Record {
    ChannelSample sample;
    bool hasHit;
    HitContext hit;
  };

  explicit RecordingShading(Vector3 answer = {0.5, 0.5, 0.5}) : answer_(answer) {}

  Vector3 Sample(const ChannelSample& sample) const override {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.push_back({sample, sample.hit != nullptr, sample.hit ? *sample.hit : HitContext{}});
    return answer_;
  }

  const std::vector<Record>& Records() const { return records_; }

 private:
  Vector3 answer_;
  mutable std::mutex mutex_;
  mutable std::vector<Record> records_;
};

}  // namespace standin
