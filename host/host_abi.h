/* The plug-in interface between a host application and a Verdanta module.
 *
 * This header is the whole contract: a host written against it alone can load the module,
 * and the module needs nothing else from the host. It is plain C (C99 / C++), so no
 * exception, standard-library type, vtable or RTTI ever crosses the boundary.
 *
 * Conventions
 * - Every service table begins with its own size in bytes (`size`). A caller only uses an
 *   entry that lies wholly inside `size` and is not null; otherwise it takes the entry's
 *   neutral fallback (0, false, null, black, an empty text or an error).
 * - Truth values are HostBool: 0 is false, anything else true.
 * - Texts are UTF-8, terminated by a zero. A text handed to the host is copied by the host
 *   if it keeps it. A text the host hands out stays valid as long as its owner does.
 * - Handles are opaque. The module never looks inside a host object; the host never looks
 *   inside the module's node objects (PluginNode).
 * - Callbacks and services marked "render" may be called from several threads at once.
 *   Everything else is called from one thread at a time.
 */
#ifndef VERDANTA_HOST_ABI_H
#define VERDANTA_HOST_ABI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t HostBool;

/* ---------------------------------------------------------------- records */

/* A position or a colour (r, g, b; nominally 0..1). */
typedef struct Vector3 {
  double x, y, z;
} Vector3;

/* Affine map p -> off + axis1 * p.x + axis2 * p.y + axis3 * p.z. */
typedef struct Matrix34 {
  Vector3 off, axis1, axis2, axis3;
} Matrix34;

typedef struct ParamLevel {
  int32_t id;
  int32_t type; /* value type of the level, 0 when not known */
  int32_t creator;
} ParamLevel;

/* Identifies one parameter of a node: up to three levels, the first is the parameter id. */
typedef struct ParamId {
  int32_t depth; /* number of levels used, 1..3 */
  ParamLevel level[3];
} ParamId;

/* Where a camera ray met a surface. */
typedef struct HitContext {
  Vector3 hitPoint;              /* world space */
  struct HostNode *hitObject;    /* scene object that was hit, or null */
  Vector3 normal;                /* world-space unit surface normal */
  Vector3 rayDirection;          /* world-space unit direction of the incoming ray */
} HitContext;

/* One shading sample. */
typedef struct ChannelSample {
  Vector3 position; /* texture position: x = u, y = v, z = 0 */
  int32_t flags;    /* bits 6-9: material channel; bits 4-5: bump sub-sample direction */
  int32_t threadIndex;
  const HitContext *hit; /* null for samples without a ray hit (bakes, previews) */
  double time;
} ChannelSample;

/* Shift and mask of the fields in ChannelSample.flags. */
enum {
  CHANNEL_SAMPLE_CHANNEL_SHIFT = 6,
  CHANNEL_SAMPLE_CHANNEL_MASK = 0xF,
  CHANNEL_SAMPLE_BUMP_SHIFT = 4,
  CHANNEL_SAMPLE_BUMP_MASK = 3
};

/* What a render asks of shaders while they prepare. */
typedef struct RenderSetup {
  HostBool convertColors; /* colours entered by the user are to be linearised */
  int32_t colorProfile;   /* 0: the document works in linear colour */
  HostBool queryFirst;    /* ask ColorQuery before converting */
  void *queryContext;     /* handed to ColorQuery unchanged */
  struct HostDocument *document;
  int32_t threadCount;
} RenderSetup;

typedef struct GradientKnot {
  Vector3 color;
  double brightness;
  double position; /* 0..1 along the gradient */
  double bias;     /* 0..1: where between this knot and the next the colour is half-way */
  int32_t index;
  int32_t interpolation; /* GRADIENT_INTERPOLATION_* of the segment that starts here */
} GradientKnot;

enum {
  GRADIENT_INTERPOLATION_STEP = 0,
  GRADIENT_INTERPOLATION_LINEAR = 1,
  GRADIENT_INTERPOLATION_SMOOTH = 2,
  GRADIENT_INTERPOLATION_CUBIC = 3
};

typedef struct SplineKnot {
  Vector3 position;
  int32_t flags; /* SPLINE_KNOT_* */
  Vector3 leftTangent;  /* relative to position */
  Vector3 rightTangent; /* relative to position */
} SplineKnot;

enum {
  SPLINE_KNOT_TANGENTS_SET = 0x10000 /* the tangents are the user's, not computed */
};

/* ---------------------------------------------------------------- handles */

typedef struct HostNode HostNode;           /* a node: shader, material, object */
typedef struct HostContainer HostContainer; /* a node's settings, or a description entry */
typedef struct HostDataValue HostDataValue; /* one value of any type */
typedef struct HostLink HostLink;           /* a link to a node, resolved in a document */
typedef struct HostDocument HostDocument;
typedef struct HostChannel HostChannel; /* a channel of a standard material */
typedef struct HostLayer HostLayer;     /* a layer of a layer shader */
typedef struct HostResource HostResource; /* a loaded resource folder */
typedef struct HostDescription HostDescription;
typedef struct HostLogger HostLogger;
typedef struct HostString HostString;
typedef struct HostGradient HostGradient;
typedef struct HostGradientRenderData HostGradientRenderData; /* reference-counted */
typedef struct HostSplineCurve HostSplineCurve;
typedef struct HostNoise HostNoise;
typedef struct PluginNode PluginNode; /* the module's object behind one node */

/* ---------------------------------------------------------------- ids */

enum {
  /* data value types (HostDataValue, DataType) */
  DATA_TYPE_NONE = 0,
  DATA_TYPE_GROUP = 1, /* description only */
  DATA_TYPE_BOOL = 16,
  DATA_TYPE_INT32 = 15,
  DATA_TYPE_FLOAT = 19,
  DATA_TYPE_VECTOR = 23,
  DATA_TYPE_COLOR = 3, /* a Vector3 shown as a colour */
  DATA_TYPE_LINK = 14,
  DATA_TYPE_BUTTON = 8,
  DATA_TYPE_GRADIENT = 1000481,
  DATA_TYPE_SPLINE = 1009060,

  /* node types the host provides */
  NODE_TYPE_STANDARD_MATERIAL = 5703,
  NODE_TYPE_LAYER_SHADER = 1011123,
  NODE_TYPE_EDGE_GRADIENT_SHADER = 1011103,
  NODE_TYPE_SPHERE_OBJECT = 5160,

  /* standard material: channels and the parameters that link their shaders */
  MATERIAL_CHANNEL_COLOR = 0,
  MATERIAL_CHANNEL_BUMP = 6,
  MATERIAL_CHANNEL_DISPLACEMENT = 11,
  MATERIAL_LINK_COLOR = 8000,
  MATERIAL_LINK_BUMP = 8006,
  MATERIAL_LINK_DISPLACEMENT = 8009,
  MATERIAL_MESSAGE_UPDATE = 5,

  /* layer shader */
  LAYER_KIND_IMAGE = 1,
  LAYER_KIND_SHADER = 2,
  LAYER_KIND_FOLDER = 3,
  LAYER_KIND_ADJUSTMENT = 4,
  LAYER_PARAM_SHADER_LINK = 2002,

  /* edge gradient shader: its gradient parameter */
  EDGE_GRADIENT_PARAM_GRADIENT = 1003,

  /* gradient setting written by GradientSetData */
  GRADIENT_SETTING_MODE = 1002,

  /* description entry property that hides a parameter in the panel */
  DESCRIPTION_PROPERTY_HIDE = 15,
  /* bit of BuildDescription's flag word: the description was loaded */
  DESCRIPTION_FLAG_LOADED = 1 << 1,

  /* node message: a command entry of the panel (a button) was used; data: ParamId first */
  NODE_MESSAGE_COMMAND = 18,

  /* host library ids */
  LIBRARY_DESCRIPTION = 1000467,
  LIBRARY_LAYER_SHADER = 450000055,
  LIBRARY_NOISE = 1011190,
  LIBRARY_GRADIENT = 1000480,
  LIBRARY_SPLINE = 1009059
};

#define GRADIENT_RENDER_DATA_INTERFACE "net.maxon.interface.gradientrenderdata"
#define DEFAULT_LOGGER "net.maxon.core.logger.default"

/* ---------------------------------------------------------------- node callbacks */

/* The host's callback table for one registered node type, in the host's order. The host
 * calls every entry with the module's object (`self`) and the host node it belongs to.
 * A null entry means "the default answer", which the host then supplies itself. */
typedef struct VersionRange {
  int32_t lowest;
  int32_t highest;
} VersionRange;

typedef struct NodeCallbacks {
  int32_t size;
  /*  1 */ void (*Destruct)(PluginNode *self);
  /*  2 */ HostBool (*Init)(PluginNode *self, HostNode *node);
  /*  3 */ void (*Free)(PluginNode *self, HostNode *node);
  /*  4 */ HostBool (*ReadStored)(PluginNode *self, HostNode *node, void *stream, int32_t level);
  /*  5 */ HostBool (*WriteStored)(PluginNode *self, HostNode *node, void *stream);
  /*  6 */ HostBool (*CopyInto)(PluginNode *self, PluginNode *dest, HostNode *node,
                               HostNode *destNode, int32_t flags, void *translationMap);
  /*  7 */ HostBool (*Message)(PluginNode *self, HostNode *node, int32_t type, void *data);
  /*  8 */ void (*ExplainParameter)(PluginNode *self, HostNode *node, const ParamId *id,
                                    HostString *text);
  /*  9 */ HostDocument *(*ResolveDocument)(PluginNode *self, HostNode *node);
  /* 10 */ VersionRange (*StoredVersions)(PluginNode *self, HostNode *node);
  /* 11 */ HostBool (*TranslateId)(PluginNode *self, HostNode *node, const ParamId *id,
                                   ParamId *result);
  /* 12 */ HostBool (*BuildDescription)(PluginNode *self, HostNode *node,
                                        HostDescription *description, int32_t *flags);
  /* 13 */ HostBool (*GetParameter)(PluginNode *self, HostNode *node, const ParamId *id,
                                    HostDataValue *value, int32_t *flags);
  /* 14 */ HostBool (*SetParameter)(PluginNode *self, HostNode *node, const ParamId *id,
                                    const HostDataValue *value, int32_t *flags);
  /* 15 */ HostBool (*IsParameterEnabled)(PluginNode *self, HostNode *node, const ParamId *id,
                                          const HostDataValue *value, const HostContainer *item);
  /* 16 */ HostBool (*HasOwnHelp)(PluginNode *self, HostNode *node, const ParamId *id);
  /* 17 */ HostBool (*CompareParameter)(PluginNode *self, HostNode *node, const ParamId *id,
                                        const HostDataValue *a, const HostDataValue *b);
  /* 18 */ HostBool (*ForwardMessage)(PluginNode *self, HostNode *node, HostNode *target,
                                      int32_t type, void *data);
  /* 19 */ Vector3 (*MarkerColor)(PluginNode *self, HostNode *node);
  /* 20 */ HostBool (*AcceptsDocument)(PluginNode *self, HostNode *node, HostDocument *doc);
  /* 21 render */ int32_t (*InitRender)(PluginNode *self, HostNode *node,
                                        const RenderSetup *setup);
  /* 22 render */ void (*FreeRender)(PluginNode *self, HostNode *node);
  /* 23 render */ Vector3 (*Output)(PluginNode *self, HostNode *node,
                                    const ChannelSample *sample);
  /* 24 render */ int32_t (*GetRenderInfo)(PluginNode *self, HostNode *node);
  /* 25 */ int32_t (*BranchCount)(PluginNode *self, HostNode *node);
  /* 26 */ int32_t (*CacheHint)(PluginNode *self, HostNode *node);
  /* 27 */ int32_t (*SubsampleHint)(PluginNode *self, HostNode *node);
  /* 28 */ void (*BeginEdit)(PluginNode *self, HostNode *node);
  /* 29 */ void (*EndEdit)(PluginNode *self, HostNode *node);
  /* 30 */ HostBool (*IsBaked)(PluginNode *self, HostNode *node);
} NodeCallbacks;

/* Handed to PluginRegister: how the host makes and drives nodes of the registered type. */
typedef struct NodeRegistration {
  int32_t size;
  PluginNode *(*Allocate)(void); /* a zeroed object, or null when out of memory */
  int32_t infoFlags;
  int32_t diskLevel;
  NodeCallbacks callbacks;
} NodeRegistration;

/* Message data of NODE_MESSAGE_COMMAND. */
typedef struct CommandMessage {
  ParamId id;
} CommandMessage;

/* ---------------------------------------------------------------- application services */

typedef struct HostApplicationTable {
  int32_t size;

  /* memory: cleared on allocation */
  void *(*MemoryAlloc)(size_t size);
  void (*MemoryFree)(void *memory);

  /* logging and the user */
  HostLogger *(*LoggerFind)(const char *name);
  HostString *(*StringCreate)(const char *utf8); /* null when it cannot be made */
  void (*StringFree)(HostString *text);
  /* text null is the empty text */
  void (*LogWrite)(HostLogger *logger, int32_t flags, const HostString *text, const char *file,
                   int32_t line, int32_t level);
  void (*NoticeShow)(const char *text, int32_t kind);
  void (*ChangeNotify)(int32_t flags);

  /* registration and resources */
  HostBool (*PluginRegister)(int32_t apiVersion, int32_t kind, int32_t id, const char *name,
                             const NodeRegistration *registration);
  HostResource *(*ResourceLoad)(const char *folder); /* null when it cannot be loaded */
  const char *(*ResourceString)(HostResource *resources, int32_t id); /* "" when missing */
  void (*ResourceFree)(HostResource *resources);

  /* libraries by id (a table whose first int32 is its size) and interfaces by name */
  const void *(*LibraryLookup)(int32_t id);
  const void *(*InterfaceLookup)(const char *name);

  /* settings containers; the Get entries answer the preset when the id is absent or of
   * another type */
  HostContainer *(*NodeContainer)(HostNode *node);
  double (*ContainerGetFloat)(const HostContainer *container, int32_t id, double preset);
  int32_t (*ContainerGetInt32)(const HostContainer *container, int32_t id, int32_t preset);
  Vector3 (*ContainerGetVector)(const HostContainer *container, int32_t id, Vector3 preset);
  /* the stored value itself, owned by the container; null when absent */
  const HostDataValue *(*ContainerGetData)(const HostContainer *container, int32_t id);
  void (*ContainerSetFloat)(HostContainer *container, int32_t id, double value);
  void (*ContainerSetInt32)(HostContainer *container, int32_t id, int32_t value);
  void (*ContainerSetBool)(HostContainer *container, int32_t id, HostBool value);
  void (*ContainerSetVector)(HostContainer *container, int32_t id, Vector3 value);
  void (*ContainerSetData)(HostContainer *container, int32_t id, const HostDataValue *value);
  void (*ContainerSetLink)(HostContainer *container, int32_t id, HostNode *target);

  /* data values */
  HostDataValue *(*DataAlloc)(void); /* an empty value (type DATA_TYPE_NONE) */
  void (*DataFree)(HostDataValue *value);
  int32_t (*DataType)(const HostDataValue *value);
  /* the custom data held, writable, when the value holds that type; else null.
   * For DATA_TYPE_LINK it is a HostLink. */
  void *(*DataCustom)(const HostDataValue *value, int32_t type);
  /* the value takes a copy of `data` (a HostGradient for DATA_TYPE_GRADIENT, a
   * HostSplineCurve for DATA_TYPE_SPLINE) */
  HostBool (*DataSetCustom)(HostDataValue *value, int32_t type, const void *data);
  /* the value holds a new, default object of that custom type */
  HostBool (*DataMakeCustom)(HostDataValue *value, int32_t type);

  /* nodes */
  HostBool (*NodeParamGet)(HostNode *node, const ParamId *id, HostDataValue *value,
                           int32_t flags);
  HostBool (*NodeParamSet)(HostNode *node, const ParamId *id, const HostDataValue *value,
                           int32_t flags);
  int32_t (*NodeType)(const HostNode *node);
  HostNode *(*NodeOwner)(const HostNode *node);
  HostDocument *(*NodeDocument)(const HostNode *node);
  HostBool (*NodeMessage)(HostNode *node, int32_t type, void *data);
  HostNode *(*ShaderNodeAlloc)(int32_t type);
  HostNode *(*NodeClone)(const HostNode *node, int32_t flags, void *translationMap);
  void (*NodeFree)(HostNode *node);

  /* materials and links */
  HostChannel *(*MaterialChannel)(HostNode *material, int32_t channel);
  HostNode *(*ChannelShader)(const HostChannel *channel);
  void (*MaterialInsertShader)(HostNode *material, HostNode *shader, HostNode *predecessor);
  void (*MaterialRefresh)(HostNode *material, HostBool shaders, HostBool preview);
  HostNode *(*LinkTarget)(const HostLink *link, HostDocument *document, int32_t typeFilter);
  /* render */ Matrix34 (*ObjectMatrix)(const HostNode *object); /* global matrix */

  /* render-time services */
  HostBool (*ColorQuery)(void *queryContext);
  /* render */ Vector3 (*ColorSpaceConvert)(Vector3 color, int32_t mode);
  int32_t (*ChildShaderInitRender)(HostNode *shader, const RenderSetup *setup);
  /* render */ Vector3 (*ChildShaderSample)(HostNode *shader, const ChannelSample *sample);
  void (*ChildShaderFreeRender)(HostNode *shader);
} HostApplicationTable;

/* p1 of the init action. */
typedef struct HostInterfaceRecord {
  int32_t apiVersion; /* first, so that any module can test it */
  int32_t size;
  const HostApplicationTable *application;
} HostInterfaceRecord;

/* ---------------------------------------------------------------- libraries */

typedef struct DescriptionLibrary { /* LIBRARY_DESCRIPTION */
  int32_t size;
  HostBool (*DescriptionRegister)(int32_t id, const char *name, HostResource *resources);
  HostBool (*DescriptionLoad)(HostDescription *description, int32_t type);
  const ParamId *(*DescriptionFilter)(const HostDescription *description); /* null: none */
  HostContainer *(*DescriptionEntry)(HostDescription *description, const ParamId *id);
  HostBool (*ParamIdWithin)(const ParamId *id, const ParamId *filter);
} DescriptionLibrary;

typedef struct LayerShaderLibrary { /* LIBRARY_LAYER_SHADER */
  int32_t size;
  HostLayer *(*LayerFirst)(HostNode *layerShader);
  HostLayer *(*LayerNext)(HostLayer *layer);
  int32_t (*LayerKind)(const HostLayer *layer);
  HostBool (*LayerParam)(const HostLayer *layer, int32_t id, HostDataValue *value);
} LayerShaderLibrary;

typedef struct NoiseLibrary { /* LIBRARY_NOISE; lookups are render services */
  int32_t size;
  HostNoise *(*NoiseAlloc)(int32_t seed);
  void (*NoiseFree)(HostNoise *noise);
  HostBool (*NoiseInitFbm)(HostNoise *noise, int32_t octaves, double lacunarity, double h);
  /* typed noise in [0, 1] */
  double (*NoiseSample)(const HostNoise *noise, int32_t type, HostBool absolute,
                        const Vector3 *point, double time, double octaves, HostBool turbulence,
                        double low, double high, int32_t repeat);
  /* fractal Brownian motion in about [-1, 1]; fractional octaves blend the last one in */
  double (*NoiseFbm)(const HostNoise *noise, const Vector3 *point, double time, double octaves,
                     int32_t repeat);
  /* ridged multifractal, about [0, 2] */
  double (*NoiseRidged)(const HostNoise *noise, const Vector3 *point, double time,
                        double octaves, double offset, double gain, int32_t repeat);
} NoiseLibrary;

typedef struct GradientLibrary { /* LIBRARY_GRADIENT */
  int32_t size;
  HostGradient *(*GradientAlloc)(void);
  void (*GradientFree)(HostGradient *gradient);
  HostBool (*GradientSetData)(HostGradient *gradient, int32_t setting, int32_t value);
  int32_t (*InsertKnot)(HostGradient *gradient, const GradientKnot *knot); /* its index */
  int32_t (*KnotCount)(const HostGradient *gradient);
  GradientKnot (*GetKnot)(const HostGradient *gradient, int32_t index);
  void (*SetKnot)(HostGradient *gradient, int32_t index, const GradientKnot *knot);
  /* on success *renderData holds one reference; on failure it is null and *error a text */
  HostBool (*PrepareRenderData)(const HostGradient *gradient, const RenderSetup *setup,
                                HostGradientRenderData **renderData, const char **error);
} GradientLibrary;

typedef struct GradientRenderDataInterface { /* GRADIENT_RENDER_DATA_INTERFACE */
  int32_t size;
  /* render */ Vector3 (*CalcGradientPixel)(const HostGradientRenderData *data, double position);
  void (*RenderDataRetain)(HostGradientRenderData *data);
  void (*RenderDataRelease)(HostGradientRenderData *data);
} GradientRenderDataInterface;

typedef struct SplineLibrary { /* LIBRARY_SPLINE */
  int32_t size;
  /* resets the curve to `count` default knots */
  HostBool (*SplineSetKnotCount)(HostSplineCurve *curve, int32_t count);
  int32_t (*SplineKnotCount)(const HostSplineCurve *curve);
  SplineKnot *(*SplineKnotAt)(HostSplineCurve *curve, int32_t index); /* writable */
  /* render */ Vector3 (*SplineEvaluate)(const HostSplineCurve *curve, double x);
} SplineLibrary;

/* ---------------------------------------------------------------- module exports */

/* Read by the host right after loading, before c4d_main: who the module is. */
typedef struct ModuleDeclaration {
  int32_t size;
  const char *moduleId; /* reverse-domain identifier */
  int32_t apiVersion;   /* the host API version the module requires */
  const char *flavour;  /* "windows" or "macos" */
} ModuleDeclaration;

/* Lets long host work yield the CPU; the module leaves it as the host sets it. */
typedef struct CpuYieldDelegate {
  int32_t size;
  void (*Yield)(void *context);
  void *context;
} CpuYieldDelegate;

/* Actions of c4d_main(action, p1, p2, p3). */
enum {
  MODULE_ACTION_INIT = 1,    /* p1: HostInterfaceRecord; p3: module file path */
  MODULE_ACTION_START = 2,   /* register */
  MODULE_ACTION_END = 3,     /* release */
  MODULE_ACTION_QUERY = 4,   /* answers 5 */
  MODULE_ACTION_MESSAGE = 6  /* p1: message id (as an integer pointer); p2: message data */
};

enum {
  MODULE_MESSAGE_LOAD_RESOURCES = 1,
  MODULE_RESULT_OK = 1,
  MODULE_RESULT_FAILED = 0,
  MODULE_RESULT_NOT_HANDLED = -1,
  MODULE_RESULT_REFUSED = -3,
  MODULE_RESULT_QUERY = 5,
  PLUGIN_KIND_SHADER = 1,
  LOG_OUTPUT_FLAGS = 14,
  NOTICE_KIND_WARNING = 48
};

#if defined(_WIN32)
#define MODULE_EXPORT __declspec(dllexport)
#else
#define MODULE_EXPORT __attribute__((visibility("default")))
#endif

typedef int32_t (*ModuleMainFunction)(int32_t action, void *p1, void *p2, void *p3);
#define MODULE_MAIN_SYMBOL "c4d_main"
#define MODULE_DECLARATION_SYMBOL "g_maxon"
#define MODULE_YIELD_SYMBOL "g_CpuYieldDelegate"

#ifdef __cplusplus
}
#endif

#endif
