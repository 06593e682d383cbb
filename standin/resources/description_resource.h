// A parameter description as a module ships it in res/description/<name>.json: the groups and
// parameters of a node type's panel, with ids, value types, label texts and ranges.
#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct ParameterResource {
  int32_t id = 0;
  std::string name;       // VERDANTA_...
  int32_t valueType = 0;  // DATA_TYPE_*
  int32_t labelId = 0;
  std::string label;  // the label's text from the string table
  std::optional<double> min;
  std::optional<double> max;
  std::optional<double> step;
  std::string unit;             // "", "percent", "real" or "degree"
  nlohmann::json defaultValue;  // null when none is given; shown to users, never applied
};

struct GroupResource {
  int32_t id = 0;
  int32_t labelId = 0;
  std::string label;
  std::vector<ParameterResource> parameters;
};

class DescriptionResource {
 public:
  std::string name;  // e.g. "XVerdanta"
  std::string file;  // where it was read from
  std::vector<GroupResource> groups;

  const ParameterResource* FindParameter(int32_t id) const;
  const ParameterResource* FindParameter(std::string_view parameterName) const;
  std::vector<const ParameterResource*> Parameters() const;  // in panel order
};

using StringTable = std::map<int32_t, std::string>;

// Reads one description; labels are looked up in `strings`. Bad or inconsistent content is an
// InputError naming `file` and the place.
DescriptionResource ParseDescription(const nlohmann::json& document, const std::string& file,
                                     const StringTable& strings);

// "float", "int32", "color", "gradient", "spline" or "button"; null for other types.
const char* ValueTypeName(int32_t valueType);

}  // namespace standin
