// The render services as the ABI's tables. Handles are the service objects themselves:
// HostNoise is a NoiseGenerator, HostGradient a Gradient, HostGradientRenderData a
// GradientRenderData and HostSplineCurve a SplineCurve. Every entry is traced; a null
// handle answers the entry's neutral value. Noise lookups ignore `time` and `repeat`.
// PrepareRenderData sets *error to null on success.
#pragma once

#include <cstdint>

#include "host_abi.h"

namespace standin {

const NoiseLibrary& NoiseLibraryTable();
const GradientLibrary& GradientLibraryTable();
const GradientRenderDataInterface& GradientRenderDataTable();
const SplineLibrary& SplineLibraryTable();

// Entry of the application table.
Vector3 HostColorSpaceConvert(Vector3 color, int32_t mode);

}  // namespace standin
