#include "host_libraries.h"

#include <cstring>
#include <string>

#include "call_trace.h"
#include "controls.h"
#include "render_libraries.h"
#include "scene_services.h"
#include "table_controls.h"

namespace standin {

namespace {

int32_t ReportedSize(int32_t id) {
  auto found = Controls().libraryTableSize.find(id);
  return found == Controls().libraryTableSize.end() ? -1 : found->second;
}

}  // namespace

const void* LibraryLookup(int32_t id) noexcept {
  Trace("LibraryLookup", id);
  if (Controls().missingLibraries.count(id)) return nullptr;
  auto replaced = Controls().libraryOverrides.find(id);
  if (replaced != Controls().libraryOverrides.end()) return replaced->second;
  int32_t size = ReportedSize(id);
  switch (id) {
    case LIBRARY_DESCRIPTION:
      return HandOut(DescriptionLibraryTable(), size);
    case LIBRARY_LAYER_SHADER:
      return HandOut(LayerShaderLibraryTable(), size);
    case LIBRARY_NOISE:
      return HandOut(NoiseLibraryTable(), size);
    case LIBRARY_GRADIENT:
      return HandOut(GradientLibraryTable(), size);
    case LIBRARY_SPLINE:
      return HandOut(SplineLibraryTable(), size);
    default:
      return nullptr;
  }
}

const void* InterfaceLookup(const char* name) noexcept {
  Trace("InterfaceLookup", std::string(name ? name : ""));
  if (!name || std::strcmp(name, GRADIENT_RENDER_DATA_INTERFACE) != 0) return nullptr;
  return HandOut(GradientRenderDataTable(), -1);
}

}  // namespace standin
