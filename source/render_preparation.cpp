#include "child_gradient.h"
#include "flavour.h"
#include "render_operations.h"
#include "scene_operations.h"
#include "seed_offsets.h"
#include "verdanta.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

using host::ContainerGet;

const int32_t kRenderPrepareFailed = -100;
const int32_t kRenderInfo = 0x10 | 0x20;
const int32_t kTerrainOctaves = 20;
const int32_t kLinearFromSrgb = 2;

// Colours typed by the user are sRGB; a linear document wants them converted unless the
// host, when asked, says it converts them itself.
bool ShouldLinearise(const RenderSetup* setup) {
  if (setup == nullptr || !setup->convertColors || setup->colorProfile != 0) return false;
  return !(setup->queryFirst && host::ColorQuery(setup->queryContext));
}

}  // namespace

int32_t VerdantaShader::GetRenderInfo(HostNode*) {
  return kRenderInfo;
}

int32_t VerdantaShader::InitRender(HostNode* node, const RenderSetup* setup) {
  const HostContainer* settings = host::NodeContainer(node);
  ReadTerrainValues(settings);
  ReadChildValues(settings, setup);
  host::ScopedDataValue childGradient;
  if (childShader != nullptr) {
    UpdateChildGradient(childShader, childGradient.Get(), childColor, childFalloff);
  }
  childStrength = ContainerGet(settings, VERDANTA_CHILD_STRENGTH, 0.5);
  ReadCloudValues(settings);
  if (!PrepareGradient(settings, setup)) return kRenderPrepareFailed;
  services.Find();
  PrepareNoise();
  PrepareChild(setup);
  heightSpline = static_cast<const HostSplineCurve*>(
      host::DataCustom(ContainerGet(settings, VERDANTA_HEIGHT_SPLINE), DATA_TYPE_SPLINE));
  offset = SeedOffset(seed, kOffsetDrawOrder);
  return 0;
}

void VerdantaShader::FreeRender(HostNode*) {
  while (childShader != nullptr && childRenderCount > 0) {
    host::ChildShaderFreeRender(childShader);
    --childRenderCount;
  }
  host::NoiseFree(&terrainNoise);
}

void VerdantaShader::ReadTerrainValues(const HostContainer* settings) {
  terrainFrequency = 1.0 / (ContainerGet(settings, VERDANTA_TERRAIN_SCALE, 0.0) * 100.0);
  terrainH = 1.0 - ContainerGet(settings, VERDANTA_TERRAIN_ROUGHNESS, 0.0);
  terrainLacunarity = ContainerGet(settings, VERDANTA_TERRAIN_LACUNARITY, 0.0) + 1.0;
  detail = ContainerGet(settings, VERDANTA_TERRAIN_DETAIL, 0.0);
  seed = ContainerGet(settings, VERDANTA_SEED, int32_t{0});
  detailScale = 1.0;
  heightBlendWeight = 0.5;
  iceSizeV0 = ContainerGet(settings, VERDANTA_ICE_V0_SIZE, 0.0);
  iceAmountV0 = ContainerGet(settings, VERDANTA_ICE_V0_AMOUNT, 0.0) * 10.0;
  iceSizeV1 = ContainerGet(settings, VERDANTA_ICE_V1_SIZE, 0.0);
  iceAmountV1 = ContainerGet(settings, VERDANTA_ICE_V1_AMOUNT, 0.0) * 10.0;
  iceUpper = ContainerGet(settings, VERDANTA_ICE_THRESHOLD, 0.0);
  iceLower = iceUpper - 0.15;
  if (iceLower < 0.0) iceLower = 0.0;
}

void VerdantaShader::ReadChildValues(const HostContainer* settings, const RenderSetup* setup) {
  childColor = ContainerGet(settings, VERDANTA_CHILD_COLOR, Vector3{0, 0, 0});
  childFalloff = ContainerGet(settings, VERDANTA_CHILD_FALLOFF, 0.0);
  if (ShouldLinearise(setup)) childColor = host::ColorSpaceConvert(childColor, kLinearFromSrgb);
}

void VerdantaShader::ReadCloudValues(const HostContainer* settings) {
  cloudNoiseType = ContainerGet(settings, VERDANTA_CLOUD_NOISE, int32_t{0});
  cloudThreshold = 1.0 - ContainerGet(settings, VERDANTA_CLOUD_COVERAGE, 0.0);
  cloudIntensity = ContainerGet(settings, VERDANTA_CLOUD_INTENSITY, 0.0) * 10.0;
  const double scale = ContainerGet(settings, VERDANTA_CLOUD_SCALE, 0.0);
  // Tiny, zero and negative scales all take the frequency of the smallest allowed one.
  cloudFrequency = scale < 0.001 ? 20.0 : (1.0 / scale) / 50.0;
}

bool VerdantaShader::PrepareGradient(const HostContainer* settings, const RenderSetup* setup) {
  gradient = static_cast<const HostGradient*>(
      host::DataCustom(ContainerGet(settings, VERDANTA_TERRAIN_GRADIENT), DATA_TYPE_GRADIENT));
  if (gradient == nullptr) return true;
  HostGradientRenderData* prepared = nullptr;
  const char* error = nullptr;
  const bool ready = host::PrepareRenderData(gradient, setup, &prepared, &error);
  gradientRenderData.Adopt(prepared);
  return ready;
}

void VerdantaShader::PrepareNoise() {
  // The host should have freed it, but a generator left from an earlier render must not leak.
  host::NoiseFree(&terrainNoise);
  terrainNoise = host::NoiseAlloc(seed);
  if (terrainNoise != nullptr) {
    host::NoiseInitFbm(terrainNoise, kTerrainOctaves, terrainLacunarity, terrainH);
  }
}

void VerdantaShader::PrepareChild(const RenderSetup* setup) {
  if (childShader == nullptr) return;
  host::ChildShaderInitRender(childShader, setup);
  ++childRenderCount;
}

}  // namespace verdanta
