#include "json_reader.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

#include "input_error.h"

namespace standin {

namespace {

// Follows the parser through the document to know where it is, because the parser itself
// silently keeps the last of two equal keys.
class DuplicateKeyCheck {
 public:
  explicit DuplicateKeyCheck(std::string file) : file_(std::move(file)) {}

  bool operator()(int, nlohmann::json::parse_event_t event, nlohmann::json&) {
    using Event = nlohmann::json::parse_event_t;
    switch (event) {
      case Event::object_start:
      case Event::array_start:
        CountElement();
        frames_.push_back({event == Event::array_start, -1, {}, {}});
        break;
      case Event::object_end:
      case Event::array_end:
        frames_.pop_back();
        break;
      case Event::value:
        CountElement();
        break;
      case Event::key:
        break;
    }
    return true;
  }

  // The key event hands over the key only as a json value; checked here.
  void Key(const std::string& key) {
    Frame& object = frames_.back();
    if (!object.keys.insert(key).second) {
      throw InputError(file_, PlaceOfMember(PlaceOfParent(), key), "the key is given twice");
    }
    object.key = key;
  }

 private:
  struct Frame {
    bool isArray;
    int64_t index;
    std::set<std::string> keys;
    std::string key;
  };

  void CountElement() {
    if (!frames_.empty() && frames_.back().isArray) ++frames_.back().index;
  }

  std::string PlaceOfParent() const {
    std::string place;
    for (size_t i = 0; i + 1 < frames_.size(); ++i) {
      const Frame& frame = frames_[i];
      place = frame.isArray ? PlaceOfElement(place, static_cast<size_t>(frame.index))
                            : PlaceOfMember(place, frame.key);
    }
    return place;
  }

  std::string file_;
  std::vector<Frame> frames_;
};

std::string LineAndColumn(const std::string& text, size_t byte) {
  size_t at = std::min(byte > 0 ? byte - 1 : 0, text.size());  // the offending character
  size_t line = 1 + std::count(text.begin(), text.begin() + at, '\n');
  size_t lineStart = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
  size_t column = lineStart == std::string::npos ? at + 1 : at - lineStart;
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's own text, without its exception prefix and its own idea of the position.
std::string SyntaxProblem(const std::string& what) {
  size_t column = what.find("column ");
  size_t detail = column == std::string::npos ? column : what.find(": ", column);
  return detail == std::string::npos ? "not valid JSON" : what.substr(detail + 2);
}

const char* KindName(const nlohmann::json& value) {
  if (value.is_number()) return "a number";
  return value.type_name();
}

}  // namespace

nlohmann::json ParseJsonText(const std::string& text, const std::string& file) {
  DuplicateKeyCheck check(file);
  auto callback = [&check](int depth, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
    if (event == nlohmann::json::parse_event_t::key) check.Key(parsed.get<std::string>());
    return check(depth, event, parsed);
  };
  try {
    return nlohmann::json::parse(text, callback);
  } catch (const nlohmann::json::parse_error& error) {
    throw InputError(file, LineAndColumn(text, error.byte), SyntaxProblem(error.what()));
  }
}

nlohmann::json ReadJsonFile(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream || std::filesystem::is_directory(path)) {
    throw InputError(path.string(), "/", "cannot read the file");
  }
  std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (stream.bad()) throw InputError(path.string(), "/", "cannot read the file");
  return ParseJsonText(text, path.string());
}

std::optional<int32_t> ParseInt32(std::string_view text) {
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string PlaceOfMember(const std::string& place, std::string_view key) {
  std::string escaped;
  for (char c : key) {
    if (c == '~') {
      escaped += "~0";
    } else if (c == '/') {
      escaped += "~1";
    } else {
      escaped += c;
    }
  }
  return place + "/" + escaped;
}

std::string PlaceOfElement(const std::string& place, size_t index) {
  return place + "/" + std::to_string(index);
}

JsonReader::JsonReader(const nlohmann::json& value, std::string file, std::string place)
    : value_(&value), file_(std::move(file)), place_(std::move(place)) {}

void JsonReader::Fail(const std::string& message) const {
  throw InputError(file_, Place(), message);
}

void JsonReader::FailAtMember(std::string_view key, const std::string& message) const {
  throw InputError(file_, PlaceOfMember(place_, key), message);
}

void JsonReader::RequireObject() const {
  if (!value_->is_object()) Fail(std::string("expected an object, found ") + KindName(*value_));
}

void JsonReader::RequireObjectOf(std::initializer_list<std::string_view> allowedKeys) const {
  RequireObject();
  for (const auto& [key, value] : value_->items()) {
    if (std::find(allowedKeys.begin(), allowedKeys.end(), key) == allowedKeys.end()) {
      FailAtMember(key, "unknown key \"" + key + "\"");
    }
  }
}

JsonReader JsonReader::Member(std::string_view key) const {
  std::optional<JsonReader> member = FindMember(key);
  if (!member) Fail("the key \"" + std::string(key) + "\" is missing");
  return *member;
}

std::optional<JsonReader> JsonReader::FindMember(std::string_view key) const {
  RequireObject();
  auto found = value_->find(key);
  if (found == value_->end()) return std::nullopt;
  return JsonReader(*found, file_, PlaceOfMember(place_, key));
}

std::vector<std::pair<std::string, JsonReader>> JsonReader::Members() const {
  RequireObject();
  std::vector<std::pair<std::string, JsonReader>> members;
  for (const auto& [key, value] : value_->items()) {
    members.emplace_back(key, JsonReader(value, file_, PlaceOfMember(place_, key)));
  }
  return members;
}

std::vector<JsonReader> JsonReader::Elements() const {
  if (!value_->is_array()) Fail(std::string("expected an array, found ") + KindName(*value_));
  std::vector<JsonReader> elements;
  for (size_t i = 0; i < value_->size(); ++i) {
    elements.emplace_back((*value_)[i], file_, PlaceOfElement(place_, i));
  }
  return elements;
}

double JsonReader::Number() const {
  if (!value_->is_number()) Fail(std::string("expected a number, found ") + KindName(*value_));
  return value_->get<double>();
}

int32_t JsonReader::Int32() const {
  if (!value_->is_number_integer()) {
    Fail(std::string("expected an integer, found ") +
         (value_->is_number() ? "a fraction" : KindName(*value_)));
  }
  bool fits = value_->is_number_unsigned()
                  ? value_->get<uint64_t>() <= uint64_t{std::numeric_limits<int32_t>::max()}
                  : value_->get<int64_t>() >= std::numeric_limits<int32_t>::min() &&
                        value_->get<int64_t>() <= std::numeric_limits<int32_t>::max();
  if (!fits) Fail("the integer is out of the 32-bit range");
  return static_cast<int32_t>(value_->get<int64_t>());
}

int32_t JsonReader::Int32Key(std::string_view key) const {
  std::optional<int32_t> id = ParseInt32(key);
  if (!id) FailAtMember(key, "the key \"" + std::string(key) + "\" is not a 32-bit integer");
  return *id;
}

bool JsonReader::Bool() const {
  if (!value_->is_boolean())
    Fail(std::string("expected true or false, found ") + KindName(*value_));
  return value_->get<bool>();
}

std::string JsonReader::String() const {
  if (!value_->is_string()) Fail(std::string("expected a string, found ") + KindName(*value_));
  return value_->get<std::string>();
}

Vector3 JsonReader::Vector() const {
  if (!value_->is_array() || value_->size() != 3) Fail("expected three numbers [x, y, z]");
  std::vector<JsonReader> parts = Elements();
  return {parts[0].Number(), parts[1].Number(), parts[2].Number()};
}

}  // namespace standin
