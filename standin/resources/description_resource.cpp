#include "description_resource.h"

#include <algorithm>
#include <set>

#include "host_abi.h"
#include "input_error.h"
#include "json_reader.h"

namespace standin {

namespace {

struct ValueTypeNaming {
  const char* name;
  int32_t valueType;
};

constexpr ValueTypeNaming kValueTypes[] = {
    {"float", DATA_TYPE_FLOAT},       {"int32", DATA_TYPE_INT32},   {"color", DATA_TYPE_COLOR},
    {"gradient", DATA_TYPE_GRADIENT}, {"spline", DATA_TYPE_SPLINE}, {"button", DATA_TYPE_BUTTON},
};

constexpr std::string_view kUnits[] = {"percent", "real", "degree"};

bool IsNumeric(int32_t valueType) {
  return valueType == DATA_TYPE_FLOAT || valueType == DATA_TYPE_INT32;
}

bool HasRange(int32_t valueType) {
  return IsNumeric(valueType) || valueType == DATA_TYPE_COLOR;
}

int32_t ReadValueType(const JsonReader& reader) {
  std::string name = reader.String();
  for (const ValueTypeNaming& type : kValueTypes) {
    if (name == type.name) return type.valueType;
  }
  reader.Fail("unknown value type \"" + name + "\"");
}

// Integers stay integers for int32 parameters, so that a range cannot end between two values.
double ReadBound(const JsonReader& reader, int32_t valueType) {
  return valueType == DATA_TYPE_INT32 ? reader.Int32() : reader.Number();
}

std::string ReadLabel(const JsonReader& reader, const StringTable& strings, int32_t* labelId) {
  *labelId = reader.Int32();
  auto text = strings.find(*labelId);
  if (text == strings.end()) {
    reader.Fail("the label " + std::to_string(*labelId) + " has no string");
  }
  return text->second;
}

// Every id of a description names one entry of the panel, group or parameter alike.
class IdRegister {
 public:
  int32_t Claim(const JsonReader& reader) {
    int32_t id = reader.Int32();
    auto [at, fresh] = places_.emplace(id, reader.Place());
    if (!fresh) {
      reader.Fail("the id " + std::to_string(id) + " is already used at " + at->second);
    }
    return id;
  }

 private:
  std::map<int32_t, std::string> places_;
};

void ReadRange(const JsonReader& reader, ParameterResource& parameter) {
  for (const char* key : {"min", "max", "step"}) {
    std::optional<JsonReader> bound = reader.FindMember(key);
    if (!bound) continue;
    if (!HasRange(parameter.valueType)) {
      bound->Fail(std::string("a ") + ValueTypeName(parameter.valueType) +
                  " parameter has no range");
    }
    double value = ReadBound(*bound, parameter.valueType);
    if (key == std::string_view("min")) parameter.min = value;
    if (key == std::string_view("max")) parameter.max = value;
    if (key == std::string_view("step")) {
      if (value <= 0) bound->Fail("the step must be above 0");
      parameter.step = value;
    }
  }
  if (parameter.min && parameter.max && *parameter.min > *parameter.max) {
    reader.Member("min").Fail("min is above max");
  }
}

void ReadUnit(const JsonReader& reader, ParameterResource& parameter) {
  std::optional<JsonReader> unit = reader.FindMember("unit");
  if (!unit) return;
  if (!IsNumeric(parameter.valueType)) unit->Fail("only numbers have a unit");
  parameter.unit = unit->String();
  if (std::find(std::begin(kUnits), std::end(kUnits), parameter.unit) == std::end(kUnits)) {
    unit->Fail("unknown unit \"" + parameter.unit + "\"");
  }
}

void RequireWithinRange(const JsonReader& reader, const ParameterResource& parameter,
                        double value) {
  if ((parameter.min && value < *parameter.min) || (parameter.max && value > *parameter.max)) {
    reader.Fail("the default lies outside min and max");
  }
}

void ReadDefault(const JsonReader& reader, ParameterResource& parameter) {
  std::optional<JsonReader> value = reader.FindMember("default");
  if (!value) return;
  if (parameter.valueType == DATA_TYPE_COLOR) {
    Vector3 color = value->Vector();
    for (double component : {color.x, color.y, color.z}) {
      RequireWithinRange(*value, parameter, component);
    }
  } else if (IsNumeric(parameter.valueType)) {
    RequireWithinRange(*value, parameter, ReadBound(*value, parameter.valueType));
  } else {
    value->Fail(std::string("a ") + ValueTypeName(parameter.valueType) +
                " parameter has no default here");
  }
  parameter.defaultValue = value->Json();
}

ParameterResource ReadParameter(const JsonReader& reader, const StringTable& strings,
                                IdRegister& ids) {
  reader.RequireObjectOf({"id", "name", "type", "label", "min", "max", "step", "unit", "default"});
  ParameterResource parameter;
  parameter.id = ids.Claim(reader.Member("id"));
  parameter.name = reader.Member("name").String();
  if (parameter.name.empty()) reader.Member("name").Fail("the name is empty");
  parameter.valueType = ReadValueType(reader.Member("type"));
  parameter.label = ReadLabel(reader.Member("label"), strings, &parameter.labelId);
  ReadRange(reader, parameter);
  ReadUnit(reader, parameter);
  ReadDefault(reader, parameter);
  return parameter;
}

GroupResource ReadGroup(const JsonReader& reader, const StringTable& strings, IdRegister& ids,
                        std::set<std::string>& names) {
  reader.RequireObjectOf({"id", "label", "parameters"});
  GroupResource group;
  group.id = ids.Claim(reader.Member("id"));
  group.label = ReadLabel(reader.Member("label"), strings, &group.labelId);
  for (const JsonReader& element : reader.Member("parameters").Elements()) {
    group.parameters.push_back(ReadParameter(element, strings, ids));
    if (!names.insert(group.parameters.back().name).second) {
      element.Member("name").Fail("the name " + group.parameters.back().name + " is already used");
    }
  }
  return group;
}

}  // namespace

DescriptionResource ParseDescription(const nlohmann::json& document, const std::string& file,
                                     const StringTable& strings) {
  JsonReader reader(document, file);
  reader.RequireObjectOf({"name", "groups"});
  DescriptionResource description;
  description.name = reader.Member("name").String();
  if (description.name.empty()) reader.Member("name").Fail("the name is empty");
  description.file = file;
  IdRegister ids;
  std::set<std::string> names;
  for (const JsonReader& element : reader.Member("groups").Elements()) {
    description.groups.push_back(ReadGroup(element, strings, ids, names));
  }
  return description;
}

const char* ValueTypeName(int32_t valueType) {
  for (const ValueTypeNaming& type : kValueTypes) {
    if (type.valueType == valueType) return type.name;
  }
  return nullptr;
}

const ParameterResource* DescriptionResource::FindParameter(int32_t id) const {
  for (const GroupResource& group : groups) {
    for (const ParameterResource& parameter : group.parameters) {
      if (parameter.id == id) return &parameter;
    }
  }
  return nullptr;
}

const ParameterResource* DescriptionResource::FindParameter(std::string_view parameterName) const {
  for (const GroupResource& group : groups) {
    for (const ParameterResource& parameter : group.parameters) {
      if (parameter.name == parameterName) return &parameter;
    }
  }
  return nullptr;
}

std::vector<const ParameterResource*> DescriptionResource::Parameters() const {
  std::vector<const ParameterResource*> parameters;
  for (const GroupResource& group : groups) {
    for (const ParameterResource& parameter : group.parameters) parameters.push_back(&parameter);
  }
  return parameters;
}

}  // namespace standin
