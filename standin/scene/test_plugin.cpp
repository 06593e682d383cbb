#include "test_plugin.h"

#include "descriptions.h"
#include "plugin_types.h"
#include "scene_services.h"

namespace standin {

namespace {

struct TestNode {
  int32_t unused = 0;
};

const HostApplicationTable& Host() {
  return SceneTable();
}

void Record(const std::string& call) {
  TestPlugin::Calls().push_back(call);
}

PluginNode* Allocate() {
  Record("Allocate");
  return TestPlugin::failAllocate ? nullptr : reinterpret_cast<PluginNode*>(new TestNode);
}

void Destruct(PluginNode* self) {
  Record("Destruct");
  delete reinterpret_cast<TestNode*>(self);
}

HostBool Init(PluginNode*, HostNode* node) {
  Record("Init");
  HostContainer* settings = Host().NodeContainer(node);
  Host().ContainerSetFloat(settings, TestPlugin::kScale, 0.5);
  Host().ContainerSetInt32(settings, TestPlugin::kSeed, 123);
  Host().ContainerSetVector(settings, TestPlugin::kColor, {0.1, 0.2, 0.3});
  HostDataValue* value = Host().DataAlloc();
  Host().DataMakeCustom(value, DATA_TYPE_GRADIENT);
  auto* gradient = static_cast<Gradient*>(Host().DataCustom(value, DATA_TYPE_GRADIENT));
  gradient->Insert({{0, 0, 1}, 1.0, 0.25, 0.5, 0, GRADIENT_INTERPOLATION_SMOOTH});
  gradient->Insert({{1, 1, 1}, 1.0, 1.0, 0.5, 0, GRADIENT_INTERPOLATION_SMOOTH});
  Host().ContainerSetData(settings, TestPlugin::kGradient, value);
  Host().DataMakeCustom(value, DATA_TYPE_SPLINE);
  auto* curve = static_cast<SplineCurve*>(Host().DataCustom(value, DATA_TYPE_SPLINE));
  curve->SetKnotCount(2);
  curve->KnotAt(0)->flags |= SPLINE_KNOT_TANGENTS_SET;
  curve->KnotAt(0)->rightTangent = {0.4, 0, 0};
  Host().ContainerSetData(settings, TestPlugin::kSpline, value);
  Host().DataFree(value);
  return !TestPlugin::failInit;
}

void Free(PluginNode*, HostNode*) {
  Record("Free");
}

HostBool CopyInto(PluginNode*, PluginNode*, HostNode*, HostNode*, int32_t, void*) {
  Record("CopyInto");
  return true;
}

HostBool Message(PluginNode*, HostNode*, int32_t type, void*) {
  Record("Message " + std::to_string(type));
  return true;
}

// Hides the spline, shows the colour; answers false with the loaded flag set.
HostBool BuildDescription(PluginNode*, HostNode*, HostDescription* description, int32_t* flags) {
  const DescriptionLibrary& library = DescriptionLibraryTable();
  if (!library.DescriptionLoad(description, TestPlugin::kType)) return false;
  const ParamId* filter = library.DescriptionFilter(description);
  const std::pair<int32_t, bool> hides[] = {{TestPlugin::kSpline, true},
                                            {TestPlugin::kColor, false}};
  for (auto [id, hide] : hides) {
    ParamId entryId{1, {{id, 0, 0}}};
    if (filter && !library.ParamIdWithin(&entryId, filter)) continue;
    Host().ContainerSetBool(library.DescriptionEntry(description, &entryId),
                            DESCRIPTION_PROPERTY_HIDE, hide);
  }
  *flags |= DESCRIPTION_FLAG_LOADED;
  return false;
}

HostBool IsParameterEnabled(PluginNode*, HostNode*, const ParamId* id, const HostDataValue*,
                            const HostContainer*) {
  return id->level[0].id != TestPlugin::kCopy;
}

int32_t InitRender(PluginNode*, HostNode*, const RenderSetup*) {
  Record("InitRender");
  return 0;
}

void FreeRender(PluginNode*, HostNode*) {
  Record("FreeRender");
}

// The texture position as a colour, so a test sees which sample arrived.
Vector3 Output(PluginNode*, HostNode*, const ChannelSample* sample) {
  return {sample->position.x, sample->position.y, 0.5};
}

}  // namespace

const HostApplicationTable& SceneTable() {
  static const HostApplicationTable table = [] {
    HostApplicationTable filled{};
    filled.size = sizeof filled;
    FillSceneServices(filled);
    return filled;
  }();
  return table;
}

bool TestPlugin::failAllocate = false;
bool TestPlugin::failInit = false;

std::vector<std::string>& TestPlugin::Calls() {
  static std::vector<std::string> calls;
  return calls;
}

NodeRegistration TestPlugin::Registration() {
  NodeRegistration registration{};
  registration.size = sizeof registration;
  registration.Allocate = Allocate;
  registration.callbacks.size = sizeof registration.callbacks;
  registration.callbacks.Destruct = Destruct;
  registration.callbacks.Init = Init;
  registration.callbacks.Free = Free;
  registration.callbacks.CopyInto = CopyInto;
  registration.callbacks.Message = Message;
  registration.callbacks.BuildDescription = BuildDescription;
  registration.callbacks.IsParameterEnabled = IsParameterEnabled;
  registration.callbacks.InitRender = InitRender;
  registration.callbacks.FreeRender = FreeRender;
  registration.callbacks.Output = Output;
  return registration;
}

TestPlugin::TestPlugin() {
  folder.Write("res/strings_en-US/strings.json",
               R"({"1": "Main", "2": "Scale", "3": "Seed", "4": "Colour", "5": "Gradient",
                   "6": "Height", "7": "Copy"})");
  folder.Write("res/description/XTest.json", R"({"name": "XTest", "groups": [
      {"id": 1000, "label": 1, "parameters": [
        {"id": 5001, "name": "P_SCALE", "type": "float", "label": 2, "min": 0.001},
        {"id": 5005, "name": "P_SEED", "type": "int32", "label": 3},
        {"id": 5101, "name": "P_COLOR", "type": "color", "label": 4},
        {"id": 5000, "name": "P_GRADIENT", "type": "gradient", "label": 5},
        {"id": 5006, "name": "P_SPLINE", "type": "spline", "label": 6},
        {"id": 3001, "name": "P_COPY", "type": "button", "label": 7}]}]})");
  resources = std::make_unique<ResourceFolder>(ResourceFolder::Load(folder.Path() / "res"));
  RegisterPluginType(kType, "Test", Registration(), 2026200);
  RegisterDescription(kType, "XTest", resources.get());
  Calls().clear();
  failAllocate = false;
  failInit = false;
}

TestPlugin::~TestPlugin() {
  ClearPluginTypes();
  ClearDescriptions();
}

}  // namespace standin
