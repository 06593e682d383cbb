#include "value.h"

#include "node.h"

namespace standin {

namespace {

bool Same(const Vector3& a, const Vector3& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

bool Same(const GradientKnot& a, const GradientKnot& b) {
  return Same(a.color, b.color) && a.brightness == b.brightness && a.position == b.position &&
         a.bias == b.bias && a.index == b.index && a.interpolation == b.interpolation;
}

bool Same(const SplineKnot& a, const SplineKnot& b) {
  return Same(a.position, b.position) && a.flags == b.flags && Same(a.leftTangent, b.leftTangent) &&
         Same(a.rightTangent, b.rightTangent);
}

template <typename Knot>
bool SameKnots(const std::vector<Knot>& a, const std::vector<Knot>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!Same(a[i], b[i])) return false;
  }
  return true;
}

bool Same(const Gradient& a, const Gradient& b) {
  return a.mode == b.mode && SameKnots(a.knots, b.knots);
}
bool Same(const SplineCurve& a, const SplineCurve& b) {
  return SameKnots(a.knots, b.knots);
}
template <typename T>
bool Same(const T& a, const T& b) {
  return a == b;
}

}  // namespace

Link::Link(const Node* target) : anchor_(target ? target->Anchor() : nullptr) {}

int32_t Value::DataType() const {
  constexpr int32_t kTypes[] = {DATA_TYPE_NONE,   DATA_TYPE_FLOAT,  DATA_TYPE_INT32,
                                DATA_TYPE_BOOL,   DATA_TYPE_VECTOR, DATA_TYPE_GRADIENT,
                                DATA_TYPE_SPLINE, DATA_TYPE_LINK};
  static_assert(std::size(kTypes) == std::variant_size_v<Content>);
  return kTypes[content.index()];
}

void* Value::Custom(int32_t dataType) {
  switch (dataType) {
    case DATA_TYPE_GRADIENT:
      return Get<Gradient>();
    case DATA_TYPE_SPLINE:
      return Get<SplineCurve>();
    case DATA_TYPE_LINK:
      return Get<Link>();
    default:
      return nullptr;
  }
}

bool Value::SetCustom(int32_t dataType, const void* data) {
  if (!data) return false;
  switch (dataType) {
    case DATA_TYPE_GRADIENT:
      content = *static_cast<const Gradient*>(data);
      return true;
    case DATA_TYPE_SPLINE:
      content = *static_cast<const SplineCurve*>(data);
      return true;
    case DATA_TYPE_LINK:
      content = *static_cast<const Link*>(data);
      return true;
    default:
      return false;
  }
}

bool Value::MakeCustom(int32_t dataType) {
  switch (dataType) {
    case DATA_TYPE_GRADIENT:
      content = Gradient();
      return true;
    case DATA_TYPE_SPLINE:
      content = SplineCurve();
      return true;
    case DATA_TYPE_LINK:
      content = Link();
      return true;
    default:
      return false;
  }
}

bool operator==(const Value& a, const Value& b) {
  if (a.content.index() != b.content.index()) return false;
  return std::visit(
      [&b](const auto& held) {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, std::monostate>) {
          return true;
        } else {
          return Same(held, *std::get_if<Held>(&b.content));
        }
      },
      a.content);
}

}  // namespace standin
