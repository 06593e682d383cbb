// A scene document: it owns materials, objects and free nodes, and records what the module
// asked of the scene (messages, refreshes, change notifications, notices) so tests can read it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "node.h"

namespace standin {

struct SceneEvent {
  enum class Kind { message, refresh, change, notice };
  Kind kind = Kind::message;
  const Node* node = nullptr;  // message: the receiver; refresh: the material
  int32_t code = 0;            // message: its type; change: the flags; notice: the kind
  bool shaders = false;        // refresh
  bool preview = false;        // refresh
  std::string text;            // notice

  static SceneEvent Message(const Node* receiver, int32_t type);
  static SceneEvent Refresh(const Node* material, bool shaders, bool preview);
  static SceneEvent Change(int32_t flags);
  static SceneEvent Notice(std::string text, int32_t kind);
};

class Document {
 public:
  Document() = default;
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  Node& AddMaterial(std::unique_ptr<Node> material);
  Node& AddObject(std::unique_ptr<Node> object);
  Node& AddFreeNode(std::unique_ptr<Node> node);
  std::unique_ptr<Node> Take(const Node& node);  // null when the document does not hold it

  const std::vector<std::unique_ptr<Node>>& Materials() const { return materials_; }
  const std::vector<std::unique_ptr<Node>>& Objects() const { return objects_; }
  const std::vector<std::unique_ptr<Node>>& FreeNodes() const { return freeNodes_; }

  void Record(SceneEvent event) { events_.push_back(std::move(event)); }
  const std::vector<SceneEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }

 private:
  Node& Add(std::vector<std::unique_ptr<Node>>& list, std::unique_ptr<Node> node);

  std::vector<std::unique_ptr<Node>> materials_;
  std::vector<std::unique_ptr<Node>> objects_;
  std::vector<std::unique_ptr<Node>> freeNodes_;
  std::vector<SceneEvent> events_;
};

// The document the user works in: where change notifications and notices land, which carry
// no node to find their document by. Null when none is.
Document* ActiveDocument();
void SetActiveDocument(Document* document);
void RecordChangeNotify(int32_t flags);
void RecordNotice(const std::string& text, int32_t kind);

}  // namespace standin
