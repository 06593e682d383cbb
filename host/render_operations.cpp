#include "render_operations.h"

#include "host_interface.h"

namespace host {

HostNoise* NoiseAlloc(int32_t seed) {
  auto alloc = LibraryEntry(&NoiseLibrary::NoiseAlloc);
  return alloc != nullptr ? alloc(seed) : nullptr;
}

bool NoiseInitFbm(HostNoise* noise, int32_t octaves, double lacunarity, double h) {
  auto init = LibraryEntry(&NoiseLibrary::NoiseInitFbm);
  return init != nullptr && noise != nullptr && init(noise, octaves, lacunarity, h) != 0;
}

void NoiseFree(HostNoise** slot) {
  auto release = LibraryEntry(&NoiseLibrary::NoiseFree);
  if (release != nullptr && *slot != nullptr) release(*slot);
  *slot = nullptr;
}

HostGradient* GradientAlloc() {
  auto alloc = LibraryEntry(&GradientLibrary::GradientAlloc);
  return alloc != nullptr ? alloc() : nullptr;
}

void GradientFree(HostGradient** slot) {
  auto release = LibraryEntry(&GradientLibrary::GradientFree);
  if (release != nullptr && *slot != nullptr) release(*slot);
  *slot = nullptr;
}

bool GradientSetData(HostGradient* gradient, int32_t setting, int32_t value) {
  auto set = LibraryEntry(&GradientLibrary::GradientSetData);
  return set != nullptr && gradient != nullptr && set(gradient, setting, value) != 0;
}

int32_t InsertKnot(HostGradient* gradient, const GradientKnot& knot) {
  auto insert = LibraryEntry(&GradientLibrary::InsertKnot);
  return insert != nullptr && gradient != nullptr ? insert(gradient, &knot) : -1;
}

GradientKnot GetKnot(const HostGradient* gradient, int32_t index) {
  auto get = LibraryEntry(&GradientLibrary::GetKnot);
  if (get != nullptr && gradient != nullptr) return get(gradient, index);
  return GradientKnot{{1, 1, 1}, 1.0, 0.0, 0.5, 0, GRADIENT_INTERPOLATION_SMOOTH};
}

void SetKnot(HostGradient* gradient, int32_t index, const GradientKnot& knot) {
  auto set = LibraryEntry(&GradientLibrary::SetKnot);
  if (set != nullptr && gradient != nullptr) set(gradient, index, &knot);
}

bool PrepareRenderData(const HostGradient* gradient, const RenderSetup* setup,
                       HostGradientRenderData** renderData, const char** error) {
  auto prepare = LibraryEntry(&GradientLibrary::PrepareRenderData);
  *renderData = nullptr;
  *error = nullptr;
  if (prepare == nullptr) {
    *error = "Gradient::PrepareRenderData() not found.";
    return false;
  }
  if (prepare(gradient, setup, renderData, error) != 0) return true;
  if (*error == nullptr) *error = "";
  return false;
}

void RenderDataRelease(HostGradientRenderData* renderData) {
  auto release = GradientRenderDataEntry(&GradientRenderDataInterface::RenderDataRelease);
  if (release != nullptr && renderData != nullptr) release(renderData);
}

bool SplineSetKnotCount(HostSplineCurve* curve, int32_t count) {
  auto set = LibraryEntry(&SplineLibrary::SplineSetKnotCount);
  return set != nullptr && curve != nullptr && set(curve, count) != 0;
}

SplineKnot* SplineKnotAt(HostSplineCurve* curve, int32_t index) {
  auto knot = LibraryEntry(&SplineLibrary::SplineKnotAt);
  return knot != nullptr && curve != nullptr ? knot(curve, index) : nullptr;
}

Vector3 ColorSpaceConvert(Vector3 color, int32_t mode) {
  auto convert = ApplicationEntry(&HostApplicationTable::ColorSpaceConvert);
  return convert != nullptr ? convert(color, mode) : color;
}

int32_t ChildShaderInitRender(HostNode* shader, const RenderSetup* setup) {
  auto init = ApplicationEntry(&HostApplicationTable::ChildShaderInitRender);
  return init != nullptr && shader != nullptr ? init(shader, setup) : 0;
}

void ChildShaderFreeRender(HostNode* shader) {
  auto release = ApplicationEntry(&HostApplicationTable::ChildShaderFreeRender);
  if (release != nullptr && shader != nullptr) release(shader);
}

}  // namespace host
