// The host's render services as render preparation uses them: noise generators, gradients,
// spline curves, colour conversion and the child shader. Each answers its neutral fallback when
// the host does not offer it. What a sample calls is in render_services.h.
#pragma once

#include <stdint.h>

#include "host_abi.h"

namespace host {

HostNoise* NoiseAlloc(int32_t seed);
bool NoiseInitFbm(HostNoise* noise, int32_t octaves, double lacunarity, double h);
void NoiseFree(HostNoise** slot);  // clears the slot

HostGradient* GradientAlloc();
void GradientFree(HostGradient** slot);  // clears the slot
bool GradientSetData(HostGradient* gradient, int32_t setting, int32_t value);
int32_t InsertKnot(HostGradient* gradient, const GradientKnot& knot);  // -1 when not inserted
GradientKnot GetKnot(const HostGradient* gradient, int32_t index);
void SetKnot(HostGradient* gradient, int32_t index, const GradientKnot& knot);
// On success *renderData holds one reference; on failure it is null and *error says why.
bool PrepareRenderData(const HostGradient* gradient, const RenderSetup* setup,
                       HostGradientRenderData** renderData, const char** error);
void RenderDataRelease(HostGradientRenderData* renderData);

bool SplineSetKnotCount(HostSplineCurve* curve, int32_t count);
SplineKnot* SplineKnotAt(HostSplineCurve* curve, int32_t index);

// render; the colour unchanged without a host
Vector3 ColorSpaceConvert(Vector3 color, int32_t mode);

int32_t ChildShaderInitRender(HostNode* shader, const RenderSetup* setup);
void ChildShaderFreeRender(HostNode* shader);

}  // namespace host
