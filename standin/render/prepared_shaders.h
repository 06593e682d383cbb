// The render cycle of a scene's shaders: every shader a render uses is prepared once, on the
// calling thread, before the first sample, and released once after the last. Shaders that a
// node owns itself, such as the planet's child, are its own to prepare.
#pragma once

#include <vector>

#include "host_abi.h"
#include "node.h"

namespace standin {

// What a render tells the shaders it prepares: a linear document whose user colours are sRGB.
RenderSetup LinearRenderSetup(Document* document, int threadCount);

class PreparedShaders {
 public:
  // Null entries and repeats are skipped. When a shader refuses, every shader prepared so
  // far, the refusing one included, is released, and std::runtime_error names the refusal.
  PreparedShaders(const std::vector<Node*>& shaders, const RenderSetup& setup);
  ~PreparedShaders();  // releases in the reverse order
  PreparedShaders(const PreparedShaders&) = delete;
  PreparedShaders& operator=(const PreparedShaders&) = delete;

 private:
  void ReleaseAll();

  std::vector<Node*> prepared_;
};

}  // namespace standin
