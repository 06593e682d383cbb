// The host services a shading sample calls, looked up once when a render is prepared so that
// each sample calls the host straight away. A service the host lacks, or a null object,
// answers its neutral value. Safe from any number of render threads once found.
#pragma once

#include <stdint.h>

#include "host_abi.h"

namespace host {

class RenderServices {
 public:
  // Looks every entry up anew; call it before the render threads start.
  void Find();

  double NoiseSample(const HostNoise* noise, int32_t type, bool absolute, const Vector3& point,
                     double time, double octaves, bool turbulence, double low, double high,
                     int32_t repeat) const {
    if (noiseSample == nullptr || noise == nullptr) return 0.0;
    return noiseSample(noise, type, absolute, &point, time, octaves, turbulence, low, high, repeat);
  }

  double NoiseFbm(const HostNoise* noise, const Vector3& point, double time, double octaves,
                  int32_t repeat) const {
    if (noiseFbm == nullptr || noise == nullptr) return 0.0;
    return noiseFbm(noise, &point, time, octaves, repeat);
  }

  double NoiseRidged(const HostNoise* noise, const Vector3& point, double time, double octaves,
                     double offset, double gain, int32_t repeat) const {
    if (noiseRidged == nullptr || noise == nullptr) return 0.0;
    return noiseRidged(noise, &point, time, octaves, offset, gain, repeat);
  }

  Vector3 CalcGradientPixel(const HostGradientRenderData* renderData, double position) const {
    if (gradientPixel == nullptr || renderData == nullptr) return Vector3{0, 0, 0};
    return gradientPixel(renderData, position);
  }

  Vector3 SplineEvaluate(const HostSplineCurve* curve, double x) const {
    if (splineEvaluate == nullptr || curve == nullptr) return Vector3{0, 0, 0};
    return splineEvaluate(curve, x);
  }

  Vector3 ChildShaderSample(HostNode* shader, const ChannelSample& sample) const {
    if (childSample == nullptr || shader == nullptr) return Vector3{0, 0, 0};
    return childSample(shader, &sample);
  }

  // The object's global matrix; the identity without a host.
  Matrix34 ObjectMatrix(const HostNode* object) const {
    if (objectMatrix == nullptr || object == nullptr) {
      return Matrix34{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    }
    return objectMatrix(object);
  }

 private:
  decltype(NoiseLibrary::NoiseSample) noiseSample = nullptr;
  decltype(NoiseLibrary::NoiseFbm) noiseFbm = nullptr;
  decltype(NoiseLibrary::NoiseRidged) noiseRidged = nullptr;
  decltype(GradientRenderDataInterface::CalcGradientPixel) gradientPixel = nullptr;
  decltype(SplineLibrary::SplineEvaluate) splineEvaluate = nullptr;
  decltype(HostApplicationTable::ChildShaderSample) childSample = nullptr;
  decltype(HostApplicationTable::ObjectMatrix) objectMatrix = nullptr;
};

}  // namespace host
