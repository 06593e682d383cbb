#include "render_services.h"

#include "host_interface.h"

namespace host {

void RenderServices::Find() {
  noiseSample = LibraryEntry(&NoiseLibrary::NoiseSample);
  noiseFbm = LibraryEntry(&NoiseLibrary::NoiseFbm);
  noiseRidged = LibraryEntry(&NoiseLibrary::NoiseRidged);
  gradientPixel = GradientRenderDataEntry(&GradientRenderDataInterface::CalcGradientPixel);
  splineEvaluate = LibraryEntry(&SplineLibrary::SplineEvaluate);
  childSample = ApplicationEntry(&HostApplicationTable::ChildShaderSample);
  objectMatrix = ApplicationEntry(&HostApplicationTable::ObjectMatrix);
}

}  // namespace host
