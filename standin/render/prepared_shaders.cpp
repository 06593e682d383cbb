#include "prepared_shaders.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "shader_render.h"

namespace standin {

namespace {

std::string Describe(const Node& shader) {
  const std::string type = "type " + std::to_string(shader.type);
  return shader.name.empty() ? "the shader of " + type
                             : "the shader \"" + shader.name + "\" (" + type + ")";
}

}  // namespace

RenderSetup LinearRenderSetup(Document* document, int threadCount) {
  RenderSetup setup{};
  setup.convertColors = 1;
  setup.colorProfile = 0;
  setup.document = reinterpret_cast<HostDocument*>(document);
  setup.threadCount = threadCount;
  return setup;
}

PreparedShaders::PreparedShaders(const std::vector<Node*>& shaders, const RenderSetup& setup) {
  for (Node* shader : shaders) {
    if (!shader || std::count(prepared_.begin(), prepared_.end(), shader)) continue;
    prepared_.push_back(shader);
    const int32_t answer = ShaderInitRender(*shader, setup);
    if (answer != 0) {
      // The refusing shader may have made part of its preparation; its release undoes that.
      ReleaseAll();
      throw std::runtime_error(Describe(*shader) + " could not be prepared for rendering " +
                               "(InitRender answered " + std::to_string(answer) + ")");
    }
  }
}

PreparedShaders::~PreparedShaders() {
  ReleaseAll();
}

void PreparedShaders::ReleaseAll() {
  for (auto shader = prepared_.rbegin(); shader != prepared_.rend(); ++shader) {
    ShaderFreeRender(**shader);
  }
  prepared_.clear();
}

}  // namespace standin
