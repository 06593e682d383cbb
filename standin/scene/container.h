// A node's settings: values by parameter id, kept sorted by id.
#pragma once

#include <cstdint>
#include <map>

#include "value.h"

namespace standin {

class Container {
 public:
  const Value* Find(int32_t id) const;
  Value* Find(int32_t id);
  void Set(int32_t id, Value value);
  bool Erase(int32_t id);

  // The stored value, or `preset` when the id is absent or holds another type.
  double GetFloat(int32_t id, double preset) const;
  int32_t GetInt32(int32_t id, int32_t preset) const;
  bool GetBool(int32_t id, bool preset) const;
  Vector3 GetVector(int32_t id, Vector3 preset) const;
  Node* GetLink(int32_t id) const;  // the linked node, or null

  const std::map<int32_t, Value>& Entries() const { return entries_; }
  friend bool operator==(const Container& a, const Container& b) {
    return a.entries_ == b.entries_;
  }

 private:
  template <typename T>
  T GetAs(int32_t id, T preset) const;

  std::map<int32_t, Value> entries_;
};

}  // namespace standin
