// The scene a user starts from: one standard material with a new planet shader in its
// colour channel.
#pragma once

#include <cstdint>
#include <memory>

#include "document.h"

namespace standin {

constexpr int32_t kVerdantaNodeType = 1064031;

// Throws std::runtime_error when the planet shader's type is not registered or its node
// cannot be made.
std::unique_ptr<Document> NewPlanetScene();

}  // namespace standin
