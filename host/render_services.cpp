#include "render_services.h"

#include "host_interface.h"

namespace host {

void RenderServices::Find() {
  noiseSample = LibraryEntry(LIBRARY_NOISE, &NoiseLibrary::NoiseSample);
  noiseFbm = LibraryEntry(LIBRARY_NOISE, &NoiseLibrary::NoiseFbm);
  noiseRidged = LibraryEntry(LIBRARY_NOISE, &NoiseLibrary::NoiseRidged);
  gradientPixel = GradientRenderDataEntry(&GradientRenderDataInterface::CalcGradientPixel);
  splineEvaluate = LibraryEntry(LIBRARY_SPLINE, &SplineLibrary::SplineEvaluate);
  childSample = ApplicationEntry(&HostApplicationTable::ChildShaderSample);
  objectMatrix = ApplicationEntry(&HostApplicationTable::ObjectMatrix);
}

}  // namespace host
