// A scene's shader node behind the renderer: a plug-in node answers through its Output, a
// built-in shader as the host samples it. Render threads call it all at once.
#pragma once

#include "node.h"
#include "surface_shading.h"

namespace standin {

class NodeShading : public SurfaceShading {
 public:
  // The node must stay prepared (PreparedShaders) for as long as this samples it.
  explicit NodeShading(const Node& shader) : shader_(shader) {}

  Vector3 Sample(const ChannelSample& sample) const override;

 private:
  const Node& shader_;
};

}  // namespace standin
