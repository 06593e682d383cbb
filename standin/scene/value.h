// One value of any type a node's settings hold, and links that never dangle.
#pragma once

#include <cstdint>
#include <memory>
#include <variant>

#include "gradient.h"
#include "host_abi.h"
#include "spline.h"

namespace standin {

class Node;

// A reference to a node that answers null once the node is gone, so that a link left behind
// in a container or a layer can never reach freed memory.
class Link {
 public:
  Link() = default;
  explicit Link(const Node* target);
  Node* Target() const { return anchor_ ? *anchor_ : nullptr; }
  friend bool operator==(const Link& a, const Link& b) { return a.Target() == b.Target(); }

 private:
  std::shared_ptr<Node*> anchor_;
};

class Value {
 public:
  using Content =
      std::variant<std::monostate, double, int32_t, bool, Vector3, Gradient, SplineCurve, Link>;

  Value() = default;
  Value(double number) : content(number) {}
  Value(int32_t number) : content(number) {}
  Value(bool truth) : content(truth) {}
  Value(const Vector3& vector) : content(vector) {}
  Value(Gradient gradient) : content(std::move(gradient)) {}
  Value(SplineCurve curve) : content(std::move(curve)) {}
  Value(Link link) : content(std::move(link)) {}

  int32_t DataType() const;  // DATA_TYPE_*; a Vector3 counts as DATA_TYPE_VECTOR
  bool IsNone() const { return std::holds_alternative<std::monostate>(content); }
  template <typename T>
  const T* Get() const {
    return std::get_if<T>(&content);
  }
  template <typename T>
  T* Get() {
    return std::get_if<T>(&content);
  }

  // The custom object held when it is of `dataType` (Gradient, SplineCurve or Link); else null.
  void* Custom(int32_t dataType);
  // Holds a copy of `data`, an object of `dataType`; false for other types.
  bool SetCustom(int32_t dataType, const void* data);
  // Holds a new, default object of `dataType`; false for other types.
  bool MakeCustom(int32_t dataType);

  friend bool operator==(const Value& a, const Value& b);
  friend bool operator!=(const Value& a, const Value& b) { return !(a == b); }

  Content content;
};

}  // namespace standin
