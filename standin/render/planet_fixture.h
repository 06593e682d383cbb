// Test support: the default planet in a loaded module, as a user sets it up: a new planet
// shader in a material's colour channel that has linked a copy of itself into the bump
// channel, drawn on the host's default sphere.
#pragma once

#include <gtest/gtest.h>

#include "button_press.h"
#include "host.h"
#include "host_test_support.h"
#include "material_view.h"
#include "planet_scene.h"

namespace standin {

class PlanetFixture : public HostFixture {
 protected:
  static constexpr int32_t kCopyToBump = 3002;

  void SetUp() override {
    HostFixture::SetUp();
    host.Load(VerdantaPlugins());
    document = &host.AdoptDocument(NewPlanetScene());
    material = document->Materials().front().get();
    PressButton(*ChannelShadersOf(*material).colour, kCopyToBump);
    shaders = ChannelShadersOf(*material);
    ASSERT_NE(shaders.bump, nullptr);
    view = ViewOf(SphereObjectFor(*document, *material));
  }

  Host host;
  Document* document = nullptr;
  Node* material = nullptr;
  ChannelShaders shaders;
  SceneView view;
};

}  // namespace standin
