// A small host for the module's unit tests: services that answer known values and record
// what the module asked of them, in order. Tests take entries or whole tables away to see
// the module's fallbacks.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host_abi.h"

namespace testhost {

struct FakeNode;

struct FakeGradient {
  int32_t mode = -1;
  std::vector<GradientKnot> knots;
};

struct FakeSpline {
  std::vector<SplineKnot> knots;
};

struct FakeValue {
  int32_t type = DATA_TYPE_NONE;
  double number = 0.0;
  int32_t integer = 0;
  Vector3 vector = {0, 0, 0};
  FakeGradient gradient;
  FakeSpline spline;
  FakeNode* link = nullptr;
};

using FakeContainer = std::map<int32_t, FakeValue>;

struct FakeLayer {
  FakeNode* layerShader;
  size_t index;
  int32_t kind;
  FakeNode* shader;  // linked by the layer's parameter 2002
};

struct FakeChannel {
  FakeNode* material;
  int32_t number;
};

struct FakeNode {
  int32_t type = 0;
  FakeNode* owner = nullptr;
  FakeContainer settings;
  std::deque<FakeLayer> layers;
  std::deque<FakeChannel> channels;
  std::vector<FakeNode*> shaders;  // inserted into a material
};

struct FakeNoise {
  int32_t seed;
  int32_t octaves = 0;
  double lacunarity = 0.0;
  double h = 0.0;
};

struct FakeRenderData {
  int32_t references = 1;
};

struct FakeDescription {
  bool loadable = true;
  std::optional<ParamId> filter;
  std::map<int32_t, FakeContainer> entries;  // by parameter id
};

struct LogLine {
  int32_t flags;
  std::string text;
  std::string file;
  int32_t line;
  int32_t level;
};

struct NoiseCall {
  std::string operation;
  int32_t type;
  Vector3 point;
  double octaves;
};

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  // Hands the module the tables as they are now; a new host does so at once, a test that
  // changes a table installs it again.
  void Install();

  HostApplicationTable application;
  NoiseLibrary noise;
  GradientLibrary gradients;
  SplineLibrary splines;
  DescriptionLibrary descriptions;
  LayerShaderLibrary layers;
  GradientRenderDataInterface renderData;
  std::set<int32_t> missingLibraries;
  bool gradientRenderDataMissing = false;

  // What the services answer.
  bool failAllocations = false;
  bool failStrings = false;
  bool failResourceLoad = false;
  bool registerAnswer = true;
  bool descriptionRegisterAnswer = true;
  bool failPrepare = false;
  bool colorQueryAnswer = false;
  std::set<int32_t> failNodeTypes;
  double fbmAnswer = 0.0;
  double ridgedAnswer = 0.0;
  std::map<int32_t, double> sampleAnswers;  // by noise type
  Vector3 gradientAnswer = {0, 0, 0};
  Vector3 splineAnswer = {0, 0, 0};
  Vector3 childAnswer = {0, 0, 0};
  Matrix34 objectMatrix = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

  // What the module asked.
  std::vector<std::string> calls;
  std::vector<NoiseCall> noiseCalls;
  std::vector<double> gradientPositions;
  std::vector<double> splinePositions;
  std::vector<std::string> loadedFolders;
  std::vector<LogLine> log;
  std::vector<std::string> notices;
  std::map<int32_t, int32_t> libraryLookups;
  struct Registration {
    int32_t apiVersion, kind, id;
    std::string name;
    NodeRegistration record;
  };
  std::vector<Registration> registrations;
  std::vector<std::string> registeredDescriptions;
  std::vector<Vector3> convertedColors;
  int32_t liveAllocations = 0;
  int32_t liveValues = 0;

  FakeNode* NewNode(int32_t type, FakeNode* owner = nullptr);
  FakeNode* NewMaterial();
  // Links `shader` into the material's channel (0, 6 or 11) and makes the material own it.
  void PutInChannel(FakeNode* material, int32_t channel, FakeNode* shader);
  void AddLayer(FakeNode* layerShader, int32_t kind, FakeNode* shader = nullptr);
  FakeNoise* NewNoise(int32_t seed);
  FakeRenderData* NewRenderData();
  bool Called(const std::string& operation) const;
  size_t CallCount(const std::string& operation) const;

  std::deque<std::unique_ptr<FakeNode>> nodes;
  std::deque<std::unique_ptr<FakeNoise>> noises;
  std::deque<std::unique_ptr<FakeRenderData>> renderDatas;
  std::deque<std::unique_ptr<FakeGradient>> gradientObjects;
  HostResource* resources;
};

FakeHost& Current();

inline HostNode* AsHost(FakeNode* node) {
  return reinterpret_cast<HostNode*>(node);
}
inline FakeNode* AsFake(HostNode* node) {
  return reinterpret_cast<FakeNode*>(node);
}
inline HostNoise* AsHost(FakeNoise* noise) {
  return reinterpret_cast<HostNoise*>(noise);
}
inline HostGradientRenderData* AsHost(FakeRenderData* data) {
  return reinterpret_cast<HostGradientRenderData*>(data);
}

FakeValue GradientValue(std::vector<GradientKnot> knots);
FakeValue FloatValue(double value);
FakeValue Int32Value(int32_t value);
FakeValue VectorValue(Vector3 value);

}  // namespace testhost
