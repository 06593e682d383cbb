// The planet shader node: terrain from fractal noise coloured by a gradient, polar ice,
// clouds and the colour of a child shader; a grey height in the bump and displacement
// channels.
#pragma once

#include <stdint.h>

#include "gradient_render_data.h"
#include "host_abi.h"
#include "render_services.h"
#include "shader_base.h"

namespace verdanta {

class VerdantaShader : public host::ShaderBase {
 public:
  ~VerdantaShader() override;

  bool Init(HostNode* node) override;
  void Free(HostNode* node) override;
  bool Message(HostNode* node, int32_t type, void* data) override;
  bool BuildDescription(HostNode* node, HostDescription* description, int32_t* flags) override;
  bool IsParameterEnabled(HostNode* node, const ParamId* id, const HostDataValue* value,
                          const HostContainer* item) override;
  int32_t InitRender(HostNode* node, const RenderSetup* setup) override;
  void FreeRender(HostNode* node) override;
  Vector3 Output(HostNode* node, const ChannelSample* sample) override;
  int32_t GetRenderInfo(HostNode* node) override;

  // The ice of the two caps at the ends of the texture's v axis, 0 to 2 in every component.
  Vector3 IceMask(const Vector3& p, const ChannelSample& sample) const;

  // The render values are written by InitRender and FreeRender only; Output reads them from
  // many threads at once. The child shader belongs to the node from Init to Free.
  host::RenderServices services;
  const HostGradient* gradient = nullptr;
  HostNoise* terrainNoise = nullptr;
  host::GradientRenderDataReference gradientRenderData;
  const HostSplineCurve* heightSpline = nullptr;
  HostNode* childShader = nullptr;
  int32_t childCreated = 0;  // one attempt per node life, also when it failed
  int32_t childRenderCount = 0;
  double terrainFrequency = 0.0;
  double terrainH = 0.0;
  double terrainLacunarity = 0.0;
  double detail = 0.0;
  double iceSizeV0 = 0.0;
  double iceAmountV0 = 0.0;
  double iceSizeV1 = 0.0;
  double iceAmountV1 = 0.0;
  double iceUpper = 0.0;
  double iceLower = 0.0;
  int32_t seed = 0;
  Vector3 offset = {0, 0, 0};
  double detailScale = 0.0;
  double heightBlendWeight = 0.0;
  int32_t cloudNoiseType = 0;
  double cloudThreshold = 0.0;
  double cloudIntensity = 0.0;
  double cloudFrequency = 0.0;
  double childStrength = 0.0;
  Vector3 childColor = {0, 0, 0};
  double childFalloff = 0.0;

 private:
  void ReadTerrainValues(const HostContainer* settings);
  void ReadChildValues(const HostContainer* settings, const RenderSetup* setup);
  void ReadCloudValues(const HostContainer* settings);
  bool PrepareGradient(const HostContainer* settings, const RenderSetup* setup);
  void PrepareNoise();
  void PrepareChild(const RenderSetup* setup);

  Vector3 SamplePosition(const ChannelSample& sample, int32_t channel) const;
  // The terrain generator's typed noise with the options every lookup of the shader shares.
  double TypedNoise(int32_t type, const Vector3& p, double octaves) const;
  double Ridged(const Vector3& p) const;
  Vector3 Height(const Vector3& p, double h, const ChannelSample& sample) const;
  Vector3 SurfaceColor(const Vector3& p, double h, const ChannelSample& sample) const;
};

// A new node for the host, in host memory; null when the host has none to give.
PluginNode* AllocVerdantaShader();

}  // namespace verdanta
