// Shader nodes for tests, made and destroyed the way the host does it.
#pragma once

#include <memory>

#include "test_host.h"
#include "verdanta.h"

namespace testhost {

struct ShaderDeleter {
  void operator()(verdanta::VerdantaShader* shader) const { delete shader; }
};
using ShaderPointer = std::unique_ptr<verdanta::VerdantaShader, ShaderDeleter>;

inline ShaderPointer NewShader() {
  return ShaderPointer(
      static_cast<verdanta::VerdantaShader*>(host::AsShader(verdanta::AllocVerdantaShader())));
}

// A shader node with its module object, in the colour channel of a new standard material.
struct PlacedShader {
  FakeNode* material;
  FakeNode* node;
  ShaderPointer shader;
};

inline PlacedShader NewShaderInColourChannel(FakeHost& host) {
  FakeNode* material = host.NewMaterial();
  FakeNode* node = host.NewNode(1064031);
  host.PutInChannel(material, MATERIAL_CHANNEL_COLOR, node);
  ShaderPointer shader = NewShader();
  shader->Init(AsHost(node));
  return PlacedShader{material, node, std::move(shader)};
}

}  // namespace testhost
