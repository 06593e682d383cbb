// A small plug-in node type for the scene's tests, driven through the ABI like a module's:
// it records its callbacks, stores a few defaults at Init, hides its spline in the panel and
// disables its button. Registered as the planet shader's type with the description "XTest".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_abi.h"
#include "resource_folder.h"
#include "scratch_folder.h"

namespace standin {

// An application table with only the scene's entries filled.
const HostApplicationTable& SceneTable();

struct TestPlugin {
  static constexpr int32_t kType = 1064031;
  enum Parameter : int32_t {
    kScale = 5001,     // float, 0.5 after Init
    kSeed = 5005,      // int32, 123 after Init
    kColor = 5101,     // color, (0.1, 0.2, 0.3) after Init
    kGradient = 5000,  // gradient of two knots after Init
    kSpline = 5006,    // spline of two knots after Init
    kCopy = 3001,      // button, always disabled
  };

  // Registers the type and its description; unregisters both when it goes.
  TestPlugin();
  ~TestPlugin();

  static std::vector<std::string>& Calls();  // "Allocate", "Init", ... in order
  static bool failAllocate;
  static bool failInit;
  static NodeRegistration Registration();

  ScratchFolder folder;
  std::unique_ptr<ResourceFolder> resources;
};

}  // namespace standin
