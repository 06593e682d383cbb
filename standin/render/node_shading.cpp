#include "node_shading.h"

#include "shader_render.h"

namespace standin {

Vector3 NodeShading::Sample(const ChannelSample& sample) const {
  return ShaderSample(shader_, sample);
}

}  // namespace standin
