// How the renderer sees one material of a scene document: the shaders in its colour, bump and
// displacement channels, drawn on the sphere object that carries the material.
#pragma once

#include "document.h"
#include "renderer.h"

namespace standin {

struct ChannelShaders {
  Node* colour = nullptr;
  Node* bump = nullptr;
  Node* displacement = nullptr;
};

ChannelShaders ChannelShadersOf(Node& material);

// `shader` itself when it is of `type`, else the first shader of `type` that its layers link,
// nested layer shaders included; null when there is none.
Node* FindShaderOfType(Node* shader, int32_t type);

// The first sphere object of the document drawn with `material`. When none is, a sphere as
// the host makes it (radius 100 at the origin) is added to the document, drawn with it.
Node& SphereObjectFor(Document& document, Node& material);

// The object is the hit object shaders are told of; the camera shows the whole sphere.
SceneView ViewOf(const Node& sphereObject);

}  // namespace standin
