// Holds one reference to a prepared gradient and gives it back to the host when replaced or
// destroyed.
#pragma once

#include "render_operations.h"

namespace host {

class GradientRenderDataReference {
 public:
  GradientRenderDataReference() = default;
  GradientRenderDataReference(const GradientRenderDataReference&) = delete;
  GradientRenderDataReference& operator=(const GradientRenderDataReference&) = delete;
  ~GradientRenderDataReference() { Adopt(nullptr); }

  // Takes over a reference the host handed out, releasing the one held before.
  void Adopt(HostGradientRenderData* reference) {
    HostGradientRenderData* previous = data;
    data = reference;
    RenderDataRelease(previous);
  }

  const HostGradientRenderData* Get() const { return data; }

 private:
  HostGradientRenderData* data = nullptr;
};

}  // namespace host
