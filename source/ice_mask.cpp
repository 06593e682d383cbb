#include "shading.h"
#include "vector_math.h"
#include "verdanta.h"

namespace verdanta {
namespace {

const int32_t kIceNoiseType = 10;
const double kIceNoiseScale = 0.05;
const double kIceOctaves = 5.0;

}  // namespace

Vector3 VerdantaShader::IceMask(const Vector3& p, const ChannelSample& sample) const {
  const double v = sample.position.y;
  // 0 inside the cap at v = 0, 1 away from it.
  const double awayFromV0 = SmoothStep(iceSizeV0 - 0.5 * iceSizeV0, 0.5 * iceSizeV0 + iceSizeV0, v);
  // 1 inside the cap at v = 1, 0 away from it.
  const double towardV1 = 1.0 - iceSizeV1;
  const double insideV1 = SmoothStep(towardV1 - 0.5 * iceSizeV1, towardV1 + 0.5 * iceSizeV1, v);
  // One lookup serves both caps.
  const double n = TypedNoise(kIceNoiseType, p * kIceNoiseScale, kIceOctaves);
  const double ice0 = SmoothStep(iceLower, iceUpper, n * iceAmountV0 * (1.0 - awayFromV0));
  const double ice1 = SmoothStep(iceLower, iceUpper, n * iceAmountV1 * insideV1);
  return Uniform(ice0 + ice1);
}

}  // namespace verdanta
