#include "shading.h"
#include "vector_math.h"
#include "verdanta.h"

namespace verdanta {
namespace {

const double kOctaves = 18.0;
const double kOffsetSpread = 1000.0;
const int32_t kDetailNoiseType = 14;

int32_t ChannelOf(const ChannelSample& sample) {
  return (sample.flags >> CHANNEL_SAMPLE_CHANNEL_SHIFT) & CHANNEL_SAMPLE_CHANNEL_MASK;
}

// The four bump sub-samples look one unit to each side.
Vector3 BumpShift(int32_t flags) {
  const Vector3 shifts[] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  return shifts[(flags >> CHANNEL_SAMPLE_BUMP_SHIFT) & CHANNEL_SAMPLE_BUMP_MASK];
}

}  // namespace

Vector3 VerdantaShader::Output(HostNode*, const ChannelSample* sample) {
  if (terrainNoise == nullptr || sample == nullptr) return Vector3{0, 0, 0};
  const int32_t channel = ChannelOf(*sample);
  const Vector3 p = SamplePosition(*sample, channel);
  const double h = RemapToUnit(
      -1.0, 1.0, services.NoiseFbm(terrainNoise, p * terrainFrequency, 0.0, kOctaves, 1));
  if (channel == MATERIAL_CHANNEL_BUMP || channel == MATERIAL_CHANNEL_DISPLACEMENT) {
    return Height(p, h, *sample);
  }
  return SurfaceColor(p, h, *sample);
}

Vector3 VerdantaShader::SamplePosition(const ChannelSample& sample, int32_t channel) const {
  const HitContext* hit = sample.hit;
  if (hit == nullptr) return (sample.position + offset) * kOffsetSpread;
  Vector3 p = hit->hitPoint + offset * kOffsetSpread;
  if (hit->hitObject != nullptr) {
    p = TransformPoint(InvertMatrix(services.ObjectMatrix(hit->hitObject)), p);
  }
  if (channel == MATERIAL_CHANNEL_BUMP) p = p + BumpShift(sample.flags);
  return p;
}

double VerdantaShader::TypedNoise(int32_t type, const Vector3& p, double octaves) const {
  return services.NoiseSample(terrainNoise, type, false, p, 0.0, octaves, false, 0.25, 0.25, 0);
}

double VerdantaShader::Ridged(const Vector3& p) const {
  return services.NoiseRidged(terrainNoise, p * (terrainFrequency * 3.0), 0.0, kOctaves, 0.5, 0.5,
                              1);
}

Vector3 VerdantaShader::Height(const Vector3& p, double h, const ChannelSample& sample) const {
  const double t = TypedNoise(kDetailNoiseType, p * detailScale, kOctaves);
  const double r = Ridged(p);
  const double s = services.SplineEvaluate(heightSpline, h).y;
  double height = OverlayBlend(h, t) * heightBlendWeight * r + s;
  height = height + detail * height;
  return Uniform(height + 0.1 * IceMask(p, sample).x);
}

Vector3 VerdantaShader::SurfaceColor(const Vector3& p, double h,
                                     const ChannelSample& sample) const {
  const double r = Ridged(p);
  Vector3 color = gradient == nullptr ? Vector3{1, 1, 1}
                                      : services.CalcGradientPixel(gradientRenderData.Get(),
                                                                   h * (r * detail + 1.0));
  color = ClampColor(color + IceMask(p, sample));
  const double cloud = TypedNoise(cloudNoiseType, p * cloudFrequency, kOctaves);
  color = color + Uniform(ClampUnit(cloud - cloudThreshold) * cloudIntensity);
  if (childShader != nullptr) {
    color = color + services.ChildShaderSample(childShader, sample) * childStrength;
  }
  return color;
}

}  // namespace verdanta
