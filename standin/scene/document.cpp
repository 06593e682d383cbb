#include "document.h"

namespace standin {

namespace {

Document* activeDocument = nullptr;

}  // namespace

SceneEvent SceneEvent::Message(const Node* receiver, int32_t type) {
  SceneEvent event;
  event.kind = Kind::message;
  event.node = receiver;
  event.code = type;
  return event;
}

SceneEvent SceneEvent::Refresh(const Node* material, bool shaders, bool preview) {
  SceneEvent event;
  event.kind = Kind::refresh;
  event.node = material;
  event.shaders = shaders;
  event.preview = preview;
  return event;
}

SceneEvent SceneEvent::Change(int32_t flags) {
  SceneEvent event;
  event.kind = Kind::change;
  event.code = flags;
  return event;
}

SceneEvent SceneEvent::Notice(std::string text, int32_t kind) {
  SceneEvent event;
  event.kind = Kind::notice;
  event.code = kind;
  event.text = std::move(text);
  return event;
}

Document::~Document() {
  if (activeDocument == this) activeDocument = nullptr;
  // Objects link materials and shaders link each other; links fade as nodes go, in any order.
  objects_.clear();
  materials_.clear();
  freeNodes_.clear();
}

Node& Document::Add(std::vector<std::unique_ptr<Node>>& list, std::unique_ptr<Node> node) {
  node->owner = nullptr;
  SetDocument(*node, this);
  list.push_back(std::move(node));
  return *list.back();
}

Node& Document::AddMaterial(std::unique_ptr<Node> material) {
  return Add(materials_, std::move(material));
}
Node& Document::AddObject(std::unique_ptr<Node> object) {
  return Add(objects_, std::move(object));
}
Node& Document::AddFreeNode(std::unique_ptr<Node> node) {
  return Add(freeNodes_, std::move(node));
}

std::unique_ptr<Node> Document::Take(const Node& node) {
  for (auto* list : {&materials_, &objects_, &freeNodes_}) {
    if (std::unique_ptr<Node> taken = TakeNode(*list, node)) return taken;
  }
  return nullptr;
}

Document* ActiveDocument() {
  return activeDocument;
}
void SetActiveDocument(Document* document) {
  activeDocument = document;
}

void RecordChangeNotify(int32_t flags) {
  if (activeDocument) activeDocument->Record(SceneEvent::Change(flags));
}

void RecordNotice(const std::string& text, int32_t kind) {
  if (activeDocument) {
    activeDocument->Record(SceneEvent::Notice(text, kind));
  }
}

}  // namespace standin
