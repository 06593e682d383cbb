#include "container.h"

namespace standin {

const Value* Container::Find(int32_t id) const {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : &found->second;
}

Value* Container::Find(int32_t id) {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : &found->second;
}

void Container::Set(int32_t id, Value value) {
  entries_[id] = std::move(value);
}

bool Container::Erase(int32_t id) {
  return entries_.erase(id) > 0;
}

template <typename T>
T Container::GetAs(int32_t id, T preset) const {
  const Value* value = Find(id);
  const T* held = value ? value->Get<T>() : nullptr;
  return held ? *held : preset;
}

double Container::GetFloat(int32_t id, double preset) const {
  return GetAs(id, preset);
}
int32_t Container::GetInt32(int32_t id, int32_t preset) const {
  return GetAs(id, preset);
}
bool Container::GetBool(int32_t id, bool preset) const {
  return GetAs(id, preset);
}
Vector3 Container::GetVector(int32_t id, Vector3 preset) const {
  return GetAs(id, preset);
}

Node* Container::GetLink(int32_t id) const {
  return GetAs(id, Link()).Target();
}

}  // namespace standin
