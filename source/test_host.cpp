#include "test_host.h"

#include <cstdlib>

#include "host_interface.h"

namespace testhost {
namespace {

FakeHost* current = nullptr;
int resourcesHandle;
int loggerHandle;
int documentHandle;

FakeHost& H() {
  return *current;
}
void Record(const char* operation) {
  H().calls.push_back(operation);
}

FakeNode* Fake(const HostNode* node) {
  return reinterpret_cast<FakeNode*>(const_cast<HostNode*>(node));
}
FakeContainer* Fake(const HostContainer* container) {
  return reinterpret_cast<FakeContainer*>(const_cast<HostContainer*>(container));
}
FakeValue* Fake(const HostDataValue* value) {
  return reinterpret_cast<FakeValue*>(const_cast<HostDataValue*>(value));
}
FakeGradient* Fake(const HostGradient* gradient) {
  return reinterpret_cast<FakeGradient*>(const_cast<HostGradient*>(gradient));
}
FakeSpline* Fake(const HostSplineCurve* curve) {
  return reinterpret_cast<FakeSpline*>(const_cast<HostSplineCurve*>(curve));
}
FakeLayer* Fake(const HostLayer* layer) {
  return reinterpret_cast<FakeLayer*>(const_cast<HostLayer*>(layer));
}
FakeDescription* Fake(const HostDescription* description) {
  return reinterpret_cast<FakeDescription*>(const_cast<HostDescription*>(description));
}
HostContainer* AsHost(FakeContainer* container) {
  return reinterpret_cast<HostContainer*>(container);
}

// ---- application
void* MemoryAlloc(size_t size) {
  Record("MemoryAlloc");
  if (H().failAllocations) return nullptr;
  ++H().liveAllocations;
  return std::calloc(1, size);
}
void MemoryFree(void* memory) {
  Record("MemoryFree");
  --H().liveAllocations;
  std::free(memory);
}
HostLogger* LoggerFind(const char* name) {
  Record("LoggerFind");
  return std::string(name) == DEFAULT_LOGGER ? reinterpret_cast<HostLogger*>(&loggerHandle)
                                             : nullptr;
}
HostString* StringCreate(const char* text) {
  Record("StringCreate");
  if (H().failStrings) return nullptr;
  return reinterpret_cast<HostString*>(new std::string(text));
}
void StringFree(HostString* text) {
  Record("StringFree");
  delete reinterpret_cast<std::string*>(text);
}
void LogWrite(HostLogger*, int32_t flags, const HostString* text, const char* file, int32_t line,
              int32_t level) {
  Record("LogWrite");
  const std::string message = text ? *reinterpret_cast<const std::string*>(text) : "";
  H().log.push_back(LogLine{flags, message, file, line, level});
}
void NoticeShow(const char* text, int32_t kind) {
  Record("NoticeShow");
  H().notices.push_back(std::string(text) + " (" + std::to_string(kind) + ")");
}
void ChangeNotify(int32_t) {
  Record("ChangeNotify");
}
HostBool PluginRegister(int32_t apiVersion, int32_t kind, int32_t id, const char* name,
                        const NodeRegistration* registration) {
  Record("PluginRegister");
  H().registrations.push_back({apiVersion, kind, id, name, *registration});
  return H().registerAnswer;
}
HostResource* ResourceLoad(const char* folder) {
  Record("ResourceLoad");
  H().loadedFolders.push_back(folder);
  return H().failResourceLoad ? nullptr : H().resources;
}
const char* ResourceString(HostResource*, int32_t id) {
  Record("ResourceString");
  return id == 20000 ? "Verdanta" : "";
}
void ResourceFree(HostResource*) {
  Record("ResourceFree");
}
const void* LibraryLookup(int32_t id) {
  Record("LibraryLookup");
  ++H().libraryLookups[id];
  if (H().missingLibraries.count(id)) return nullptr;
  switch (id) {
    case LIBRARY_DESCRIPTION:
      return &H().descriptions;
    case LIBRARY_LAYER_SHADER:
      return &H().layers;
    case LIBRARY_NOISE:
      return &H().noise;
    case LIBRARY_GRADIENT:
      return &H().gradients;
    case LIBRARY_SPLINE:
      return &H().splines;
  }
  return nullptr;
}
const void* InterfaceLookup(const char* name) {
  Record("InterfaceLookup");
  if (H().gradientRenderDataMissing || std::string(name) != GRADIENT_RENDER_DATA_INTERFACE) {
    return nullptr;
  }
  return &H().renderData;
}

// ---- containers and values
HostContainer* NodeContainer(HostNode* node) {
  Record("NodeContainer");
  return AsHost(&Fake(node)->settings);
}
const FakeValue* Find(const HostContainer* container, int32_t id) {
  auto found = Fake(container)->find(id);
  return found == Fake(container)->end() ? nullptr : &found->second;
}
double ContainerGetFloat(const HostContainer* container, int32_t id, double preset) {
  Record("ContainerGetFloat");
  const FakeValue* value = Find(container, id);
  return value && value->type == DATA_TYPE_FLOAT ? value->number : preset;
}
int32_t ContainerGetInt32(const HostContainer* container, int32_t id, int32_t preset) {
  Record("ContainerGetInt32");
  const FakeValue* value = Find(container, id);
  return value && value->type == DATA_TYPE_INT32 ? value->integer : preset;
}
Vector3 ContainerGetVector(const HostContainer* container, int32_t id, Vector3 preset) {
  Record("ContainerGetVector");
  const FakeValue* value = Find(container, id);
  return value && value->type == DATA_TYPE_VECTOR ? value->vector : preset;
}
const HostDataValue* ContainerGetData(const HostContainer* container, int32_t id) {
  Record("ContainerGetData");
  return reinterpret_cast<const HostDataValue*>(Find(container, id));
}
void ContainerSetFloat(HostContainer* container, int32_t id, double value) {
  Record("ContainerSetFloat");
  (*Fake(container))[id] = FloatValue(value);
}
void ContainerSetInt32(HostContainer* container, int32_t id, int32_t value) {
  Record("ContainerSetInt32");
  (*Fake(container))[id] = Int32Value(value);
}
void ContainerSetBool(HostContainer* container, int32_t id, HostBool value) {
  Record("ContainerSetBool");
  FakeValue stored;
  stored.type = DATA_TYPE_BOOL;
  stored.integer = value;
  (*Fake(container))[id] = stored;
}
void ContainerSetVector(HostContainer* container, int32_t id, Vector3 value) {
  Record("ContainerSetVector");
  (*Fake(container))[id] = VectorValue(value);
}
void ContainerSetData(HostContainer* container, int32_t id, const HostDataValue* value) {
  Record("ContainerSetData");
  (*Fake(container))[id] = *Fake(value);
}
void ContainerSetLink(HostContainer* container, int32_t id, HostNode* target) {
  Record("ContainerSetLink");
  FakeValue stored;
  stored.type = DATA_TYPE_LINK;
  stored.link = Fake(target);
  (*Fake(container))[id] = stored;
}
HostDataValue* DataAlloc() {
  Record("DataAlloc");
  ++H().liveValues;
  return reinterpret_cast<HostDataValue*>(new FakeValue);
}
void DataFree(HostDataValue* value) {
  Record("DataFree");
  --H().liveValues;
  delete Fake(value);
}
int32_t DataType(const HostDataValue* value) {
  Record("DataType");
  return Fake(value)->type;
}
void* DataCustom(const HostDataValue* value, int32_t type) {
  Record("DataCustom");
  FakeValue* held = Fake(value);
  if (held->type != type) return nullptr;
  switch (type) {
    case DATA_TYPE_GRADIENT:
      return &held->gradient;
    case DATA_TYPE_SPLINE:
      return &held->spline;
    case DATA_TYPE_LINK:
      return &held->link;
  }
  return nullptr;
}
HostBool DataSetCustom(HostDataValue* value, int32_t type, const void* data) {
  Record("DataSetCustom");
  FakeValue* held = Fake(value);
  held->type = type;
  if (type == DATA_TYPE_GRADIENT) held->gradient = *static_cast<const FakeGradient*>(data);
  if (type == DATA_TYPE_SPLINE) held->spline = *static_cast<const FakeSpline*>(data);
  return 1;
}
HostBool DataMakeCustom(HostDataValue* value, int32_t type) {
  Record("DataMakeCustom");
  if (type != DATA_TYPE_GRADIENT && type != DATA_TYPE_SPLINE) return 0;
  *Fake(value) = FakeValue{};
  Fake(value)->type = type;
  return 1;
}

// ---- nodes, materials, links
HostBool NodeParamGet(HostNode* node, const ParamId* id, HostDataValue* value, int32_t) {
  Record("NodeParamGet");
  auto found = Fake(node)->settings.find(id->level[0].id);
  if (found == Fake(node)->settings.end()) return 0;
  *Fake(value) = found->second;
  return 1;
}
HostBool NodeParamSet(HostNode* node, const ParamId* id, const HostDataValue* value, int32_t) {
  Record("NodeParamSet");
  Fake(node)->settings[id->level[0].id] = *Fake(value);
  return 1;
}
int32_t NodeType(const HostNode* node) {
  Record("NodeType");
  return Fake(node)->type;
}
HostNode* NodeOwner(const HostNode* node) {
  Record("NodeOwner");
  return AsHost(Fake(node)->owner);
}
HostDocument* NodeDocument(const HostNode*) {
  Record("NodeDocument");
  return reinterpret_cast<HostDocument*>(&documentHandle);
}
HostBool NodeMessage(HostNode*, int32_t type, void*) {
  Record("NodeMessage");
  H().calls.back() += " " + std::to_string(type);
  return 1;
}
HostNode* ShaderNodeAlloc(int32_t type) {
  Record("ShaderNodeAlloc");
  if (H().failNodeTypes.count(type)) return nullptr;
  FakeNode* node = H().NewNode(type);
  if (type == NODE_TYPE_EDGE_GRADIENT_SHADER) {
    node->settings[EDGE_GRADIENT_PARAM_GRADIENT] =
        GradientValue({{{1, 1, 1}, 1, 0.0, 0.5, 0, 1},
                       {{0.5, 0.5, 0.5}, 0.75, 1.0, 0.25, 1, 3},
                       {{0.2, 0.3, 0.4}, 1, 1.0, 0.5, 2, 1}});
  }
  return AsHost(node);
}
HostNode* NodeClone(const HostNode* node, int32_t, void*) {
  Record("NodeClone");
  if (H().failNodeTypes.count(Fake(node)->type)) return nullptr;
  FakeNode* copy = H().NewNode(Fake(node)->type);
  copy->settings = Fake(node)->settings;
  return AsHost(copy);
}
void NodeFree(HostNode*) {
  Record("NodeFree");
}
int32_t ChannelLinkId(int32_t channel) {
  return channel == MATERIAL_CHANNEL_BUMP           ? MATERIAL_LINK_BUMP
         : channel == MATERIAL_CHANNEL_DISPLACEMENT ? MATERIAL_LINK_DISPLACEMENT
                                                    : MATERIAL_LINK_COLOR;
}
HostChannel* MaterialChannel(HostNode* material, int32_t channel) {
  Record("MaterialChannel");
  FakeNode* owner = Fake(material);
  owner->channels.push_back(FakeChannel{owner, channel});
  return reinterpret_cast<HostChannel*>(&owner->channels.back());
}
HostNode* ChannelShader(const HostChannel* channel) {
  Record("ChannelShader");
  const auto* fake = reinterpret_cast<const FakeChannel*>(channel);
  auto found = fake->material->settings.find(ChannelLinkId(fake->number));
  return found == fake->material->settings.end() ? nullptr : AsHost(found->second.link);
}
void MaterialInsertShader(HostNode* material, HostNode* shader, HostNode*) {
  Record("MaterialInsertShader");
  Fake(material)->shaders.push_back(Fake(shader));
  Fake(shader)->owner = Fake(material);
}
void MaterialRefresh(HostNode*, HostBool, HostBool) {
  Record("MaterialRefresh");
}
HostNode* LinkTarget(const HostLink* link, HostDocument*, int32_t) {
  Record("LinkTarget");
  return AsHost(*reinterpret_cast<FakeNode* const*>(link));
}
Matrix34 ObjectMatrix(const HostNode*) {
  Record("ObjectMatrix");
  return H().objectMatrix;
}
HostBool ColorQuery(void*) {
  Record("ColorQuery");
  return H().colorQueryAnswer;
}
Vector3 ColorSpaceConvert(Vector3 color, int32_t mode) {
  Record("ColorSpaceConvert");
  H().convertedColors.push_back(color);
  return mode == 2 ? Vector3{color.x * color.x, color.y * color.y, color.z * color.z} : color;
}
int32_t ChildShaderInitRender(HostNode*, const RenderSetup*) {
  Record("ChildShaderInitRender");
  return 0;
}
Vector3 ChildShaderSample(HostNode*, const ChannelSample*) {
  Record("ChildShaderSample");
  return H().childAnswer;
}
void ChildShaderFreeRender(HostNode*) {
  Record("ChildShaderFreeRender");
}

// ---- description and layers
HostBool DescriptionRegister(int32_t, const char* name, HostResource* resources) {
  Record("DescriptionRegister");
  H().registeredDescriptions.push_back(std::string(name) + (resources ? " with" : " without") +
                                       " resources");
  return H().descriptionRegisterAnswer;
}
HostBool DescriptionLoad(HostDescription* description, int32_t) {
  Record("DescriptionLoad");
  return Fake(description)->loadable;
}
const ParamId* DescriptionFilter(const HostDescription* description) {
  Record("DescriptionFilter");
  const auto& filter = Fake(description)->filter;
  return filter ? &*filter : nullptr;
}
HostContainer* DescriptionEntry(HostDescription* description, const ParamId* id) {
  Record("DescriptionEntry");
  return AsHost(&Fake(description)->entries[id->level[0].id]);
}
HostBool ParamIdWithin(const ParamId* id, const ParamId* filter) {
  Record("ParamIdWithin");
  return id->level[0].id == filter->level[0].id;
}
HostLayer* LayerFirst(HostNode* layerShader) {
  Record("LayerFirst");
  auto& layers = Fake(layerShader)->layers;
  return layers.empty() ? nullptr : reinterpret_cast<HostLayer*>(&layers.front());
}
HostLayer* LayerNext(HostLayer* layer) {
  Record("LayerNext");
  auto& layers = Fake(layer)->layerShader->layers;
  const size_t next = Fake(layer)->index + 1;
  return next < layers.size() ? reinterpret_cast<HostLayer*>(&layers[next]) : nullptr;
}
int32_t LayerKind(const HostLayer* layer) {
  Record("LayerKind");
  return Fake(layer)->kind;
}
HostBool LayerParam(const HostLayer* layer, int32_t id, HostDataValue* value) {
  Record("LayerParam");
  if (id != LAYER_PARAM_SHADER_LINK || Fake(layer)->kind != LAYER_KIND_SHADER) return 0;
  FakeValue link;
  link.type = DATA_TYPE_LINK;
  link.link = Fake(layer)->shader;
  *Fake(value) = link;
  return 1;
}

// ---- noise
HostNoise* NoiseAlloc(int32_t seed) {
  Record("NoiseAlloc");
  return H().failAllocations ? nullptr : AsHost(H().NewNoise(seed));
}
void NoiseFree(HostNoise*) {
  Record("NoiseFree");
}
HostBool NoiseInitFbm(HostNoise* noise, int32_t octaves, double lacunarity, double h) {
  Record("NoiseInitFbm");
  auto* fake = reinterpret_cast<FakeNoise*>(noise);
  fake->octaves = octaves;
  fake->lacunarity = lacunarity;
  fake->h = h;
  return 1;
}
double NoiseSample(const HostNoise*, int32_t type, HostBool, const Vector3* point, double,
                   double octaves, HostBool, double, double, int32_t) {
  Record("NoiseSample");
  H().noiseCalls.push_back({"NoiseSample", type, *point, octaves});
  auto answer = H().sampleAnswers.find(type);
  return answer == H().sampleAnswers.end() ? 0.0 : answer->second;
}
double NoiseFbm(const HostNoise*, const Vector3* point, double, double octaves, int32_t) {
  Record("NoiseFbm");
  H().noiseCalls.push_back({"NoiseFbm", 0, *point, octaves});
  return H().fbmAnswer;
}
double NoiseRidged(const HostNoise*, const Vector3* point, double, double octaves, double, double,
                   int32_t) {
  Record("NoiseRidged");
  H().noiseCalls.push_back({"NoiseRidged", 0, *point, octaves});
  return H().ridgedAnswer;
}

// ---- gradients
HostGradient* GradientAlloc() {
  Record("GradientAlloc");
  if (H().failAllocations) return nullptr;
  H().gradientObjects.push_back(std::make_unique<FakeGradient>());
  return reinterpret_cast<HostGradient*>(H().gradientObjects.back().get());
}
void GradientFree(HostGradient*) {
  Record("GradientFree");
}
HostBool GradientSetData(HostGradient* gradient, int32_t setting, int32_t value) {
  Record("GradientSetData");
  if (setting == GRADIENT_SETTING_MODE) Fake(gradient)->mode = value;
  return 1;
}
int32_t InsertKnot(HostGradient* gradient, const GradientKnot* knot) {
  Record("InsertKnot");
  Fake(gradient)->knots.push_back(*knot);
  return static_cast<int32_t>(Fake(gradient)->knots.size() - 1);
}
int32_t KnotCount(const HostGradient* gradient) {
  return static_cast<int32_t>(Fake(gradient)->knots.size());
}
GradientKnot GetKnot(const HostGradient* gradient, int32_t index) {
  Record("GetKnot");
  return Fake(gradient)->knots.at(index);
}
void SetKnot(HostGradient* gradient, int32_t index, const GradientKnot* knot) {
  Record("SetKnot");
  Fake(gradient)->knots.at(index) = *knot;
}
HostBool PrepareRenderData(const HostGradient*, const RenderSetup*,
                           HostGradientRenderData** renderData, const char** error) {
  Record("PrepareRenderData");
  if (H().failPrepare) {
    *renderData = nullptr;
    *error = "cannot prepare";
    return 0;
  }
  *renderData = AsHost(H().NewRenderData());
  return 1;
}
Vector3 CalcGradientPixel(const HostGradientRenderData*, double position) {
  Record("CalcGradientPixel");
  H().gradientPositions.push_back(position);
  return H().gradientAnswer;
}
void RenderDataRetain(HostGradientRenderData* data) {
  ++reinterpret_cast<FakeRenderData*>(data)->references;
}
void RenderDataRelease(HostGradientRenderData* data) {
  Record("RenderDataRelease");
  --reinterpret_cast<FakeRenderData*>(data)->references;
}

// ---- splines
HostBool SplineSetKnotCount(HostSplineCurve* curve, int32_t count) {
  Record("SplineSetKnotCount");
  Fake(curve)->knots.clear();
  for (int32_t i = 0; i < count; ++i) {
    // Flags and tangents the module must leave as they are.
    Fake(curve)->knots.push_back(SplineKnot{{double(i), double(i), 0}, 0x3, {9, 9, 9}, {9, 9, 9}});
  }
  return 1;
}
int32_t SplineKnotCount(const HostSplineCurve* curve) {
  return static_cast<int32_t>(Fake(curve)->knots.size());
}
SplineKnot* SplineKnotAt(HostSplineCurve* curve, int32_t index) {
  Record("SplineKnotAt");
  auto& knots = Fake(curve)->knots;
  return index >= 0 && size_t(index) < knots.size() ? &knots[index] : nullptr;
}
Vector3 SplineEvaluate(const HostSplineCurve*, double x) {
  Record("SplineEvaluate");
  H().splinePositions.push_back(x);
  return H().splineAnswer;
}

}  // namespace

FakeHost::FakeHost() : resources(reinterpret_cast<HostResource*>(&resourcesHandle)) {
  current = this;
  application = HostApplicationTable{sizeof(HostApplicationTable),
                                     MemoryAlloc,
                                     MemoryFree,
                                     LoggerFind,
                                     StringCreate,
                                     StringFree,
                                     LogWrite,
                                     NoticeShow,
                                     ChangeNotify,
                                     PluginRegister,
                                     ResourceLoad,
                                     ResourceString,
                                     ResourceFree,
                                     LibraryLookup,
                                     InterfaceLookup,
                                     NodeContainer,
                                     ContainerGetFloat,
                                     ContainerGetInt32,
                                     ContainerGetVector,
                                     ContainerGetData,
                                     ContainerSetFloat,
                                     ContainerSetInt32,
                                     ContainerSetBool,
                                     ContainerSetVector,
                                     ContainerSetData,
                                     ContainerSetLink,
                                     DataAlloc,
                                     DataFree,
                                     DataType,
                                     DataCustom,
                                     DataSetCustom,
                                     DataMakeCustom,
                                     NodeParamGet,
                                     NodeParamSet,
                                     NodeType,
                                     NodeOwner,
                                     NodeDocument,
                                     NodeMessage,
                                     ShaderNodeAlloc,
                                     NodeClone,
                                     NodeFree,
                                     MaterialChannel,
                                     ChannelShader,
                                     MaterialInsertShader,
                                     MaterialRefresh,
                                     LinkTarget,
                                     ObjectMatrix,
                                     ColorQuery,
                                     ColorSpaceConvert,
                                     ChildShaderInitRender,
                                     ChildShaderSample,
                                     ChildShaderFreeRender};
  noise = NoiseLibrary{sizeof(NoiseLibrary), NoiseAlloc, NoiseFree,  NoiseInitFbm,
                       NoiseSample,          NoiseFbm,   NoiseRidged};
  gradients = GradientLibrary{sizeof(GradientLibrary),
                              GradientAlloc,
                              GradientFree,
                              GradientSetData,
                              InsertKnot,
                              KnotCount,
                              GetKnot,
                              SetKnot,
                              PrepareRenderData};
  splines = SplineLibrary{sizeof(SplineLibrary), SplineSetKnotCount, SplineKnotCount, SplineKnotAt,
                          SplineEvaluate};
  descriptions =
      DescriptionLibrary{sizeof(DescriptionLibrary), DescriptionRegister, DescriptionLoad,
                         DescriptionFilter,          DescriptionEntry,    ParamIdWithin};
  layers =
      LayerShaderLibrary{sizeof(LayerShaderLibrary), LayerFirst, LayerNext, LayerKind, LayerParam};
  renderData = GradientRenderDataInterface{sizeof(GradientRenderDataInterface), CalcGradientPixel,
                                           RenderDataRetain, RenderDataRelease};
  Install();
}

FakeHost::~FakeHost() {
  host::ClearHostInterface();
  current = nullptr;
}

void FakeHost::Install() {
  host::SetHostInterface(&application);
}

FakeNode* FakeHost::NewNode(int32_t type, FakeNode* owner) {
  nodes.push_back(std::make_unique<FakeNode>());
  nodes.back()->type = type;
  nodes.back()->owner = owner;
  return nodes.back().get();
}

FakeNode* FakeHost::NewMaterial() {
  return NewNode(NODE_TYPE_STANDARD_MATERIAL);
}

void FakeHost::PutInChannel(FakeNode* material, int32_t channel, FakeNode* shader) {
  FakeValue link;
  link.type = DATA_TYPE_LINK;
  link.link = shader;
  material->settings[ChannelLinkId(channel)] = link;
  material->shaders.push_back(shader);
  shader->owner = material;
}

void FakeHost::AddLayer(FakeNode* layerShader, int32_t kind, FakeNode* shader) {
  layerShader->layers.push_back(FakeLayer{layerShader, layerShader->layers.size(), kind, shader});
}

FakeNoise* FakeHost::NewNoise(int32_t seed) {
  noises.push_back(std::make_unique<FakeNoise>(FakeNoise{seed}));
  return noises.back().get();
}

FakeRenderData* FakeHost::NewRenderData() {
  renderDatas.push_back(std::make_unique<FakeRenderData>());
  return renderDatas.back().get();
}

bool FakeHost::Called(const std::string& operation) const {
  return CallCount(operation) > 0;
}

size_t FakeHost::CallCount(const std::string& operation) const {
  size_t count = 0;
  for (const std::string& call : calls) count += call == operation;
  return count;
}

FakeHost& Current() {
  return *current;
}

FakeValue GradientValue(std::vector<GradientKnot> knots) {
  FakeValue value;
  value.type = DATA_TYPE_GRADIENT;
  value.gradient.knots = std::move(knots);
  return value;
}

FakeValue FloatValue(double number) {
  FakeValue value;
  value.type = DATA_TYPE_FLOAT;
  value.number = number;
  return value;
}

FakeValue Int32Value(int32_t integer) {
  FakeValue value;
  value.type = DATA_TYPE_INT32;
  value.integer = integer;
  return value;
}

FakeValue VectorValue(Vector3 vector) {
  FakeValue value;
  value.type = DATA_TYPE_VECTOR;
  value.vector = vector;
  return value;
}

}  // namespace testhost
