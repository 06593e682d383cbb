// The ABI's opaque handles are the scene's own objects.
#pragma once

#include "container.h"
#include "host_abi.h"
#include "node.h"
#include "value.h"

namespace standin {

class Document;
class DescriptionRequest;

inline Node* FromHost(HostNode* node) {
  return reinterpret_cast<Node*>(node);
}
inline const Node* FromHost(const HostNode* node) {
  return reinterpret_cast<const Node*>(node);
}
inline HostNode* ToHost(const Node* node) {
  return reinterpret_cast<HostNode*>(const_cast<Node*>(node));
}
inline Container* FromHost(HostContainer* c) {
  return reinterpret_cast<Container*>(c);
}
inline const Container* FromHost(const HostContainer* c) {
  return reinterpret_cast<const Container*>(c);
}
inline HostContainer* ToHost(Container* c) {
  return reinterpret_cast<HostContainer*>(c);
}
inline Value* FromHost(HostDataValue* v) {
  return reinterpret_cast<Value*>(v);
}
inline const Value* FromHost(const HostDataValue* v) {
  return reinterpret_cast<const Value*>(v);
}
inline HostDataValue* ToHost(Value* v) {
  return reinterpret_cast<HostDataValue*>(v);
}
inline const HostDataValue* ToHost(const Value* v) {
  return reinterpret_cast<const HostDataValue*>(v);
}
inline const Link* FromHost(const HostLink* l) {
  return reinterpret_cast<const Link*>(l);
}
inline Document* FromHost(HostDocument* d) {
  return reinterpret_cast<Document*>(d);
}
inline HostDocument* ToHost(Document* d) {
  return reinterpret_cast<HostDocument*>(d);
}
inline Channel* FromHost(HostChannel* c) {
  return reinterpret_cast<Channel*>(c);
}
inline const Channel* FromHost(const HostChannel* c) {
  return reinterpret_cast<const Channel*>(c);
}
inline HostChannel* ToHost(Channel* c) {
  return reinterpret_cast<HostChannel*>(c);
}
inline Layer* FromHost(HostLayer* l) {
  return reinterpret_cast<Layer*>(l);
}
inline const Layer* FromHost(const HostLayer* l) {
  return reinterpret_cast<const Layer*>(l);
}
inline HostLayer* ToHost(Layer* l) {
  return reinterpret_cast<HostLayer*>(l);
}
inline DescriptionRequest* FromHost(HostDescription* d) {
  return reinterpret_cast<DescriptionRequest*>(d);
}
inline const DescriptionRequest* FromHost(const HostDescription* d) {
  return reinterpret_cast<const DescriptionRequest*>(d);
}
inline HostDescription* ToHost(DescriptionRequest* d) {
  return reinterpret_cast<HostDescription*>(d);
}

}  // namespace standin
