// Checked reading of JSON files: every complaint becomes an InputError naming the file and the
// JSON pointer of the value at fault, so that a bad file is reported in one precise line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host_abi.h"

namespace standin {

// Parses JSON text; a syntax error or a key given twice in one object is an InputError.
nlohmann::json ParseJsonText(const std::string& text, const std::string& file);
nlohmann::json ReadJsonFile(const std::filesystem::path& path);

// The Int32 that `text` spells in decimal, nothing else around it.
std::optional<int32_t> ParseInt32(std::string_view text);

// `place` extended by one object key or array index, escaped as JSON pointers are.
std::string PlaceOfMember(const std::string& place, std::string_view key);
std::string PlaceOfElement(const std::string& place, size_t index);

// A view of one value in a parsed document; the document must outlive it.
class JsonReader {
 public:
  JsonReader(const nlohmann::json& value, std::string file, std::string place = "");

  const nlohmann::json& Json() const { return *value_; }
  const std::string& File() const { return file_; }
  std::string Place() const { return place_.empty() ? "/" : place_; }
  [[noreturn]] void Fail(const std::string& message) const;
  [[noreturn]] void FailAtMember(std::string_view key, const std::string& message) const;

  void RequireObject() const;
  // The value must be an object with no keys other than these.
  void RequireObjectOf(std::initializer_list<std::string_view> allowedKeys) const;
  JsonReader Member(std::string_view key) const;  // the value must be an object holding `key`
  std::optional<JsonReader> FindMember(std::string_view key) const;
  std::vector<std::pair<std::string, JsonReader>> Members() const;
  std::vector<JsonReader> Elements() const;  // the value must be an array

  double Number() const;
  int32_t Int32() const;                         // an integer within Int32's range
  int32_t Int32Key(std::string_view key) const;  // an object key that spells an Int32
  bool Bool() const;
  std::string String() const;
  Vector3 Vector() const;  // [x, y, z]

 private:
  const nlohmann::json* value_;
  std::string file_;
  std::string place_;
};

}  // namespace standin
