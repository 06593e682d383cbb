#include "json_reader.h"

#include <gtest/gtest.h>

#include "input_error.h"

namespace standin {
namespace {

std::string ParseFailure(const std::string& text) {
  try {
    ParseJsonText(text, "t.json");
  } catch (const InputError& error) {
    return error.what();
  }
  return "";
}

TEST(JsonParse, SyntaxErrorsNameTheLineAndColumn) {
  struct Case {
    std::string text;
    std::string place;
  };
  const Case cases[] = {
      {"", "line 1, column 1"},
      {"{\"a\": tru}", "line 1, column 10"},
      {"{\n  \"a\": 1,\n  \"b\" 2\n}", "line 3, column 7"},
      {"[1, 2", "line 1, column 6"},
  };
  for (const Case& c : cases) {
    std::string failure = ParseFailure(c.text);
    EXPECT_EQ(failure.rfind("t.json: " + c.place + ": ", 0), 0u) << c.text << " -> " << failure;
    EXPECT_EQ(failure.find("json.exception"), std::string::npos) << failure;
  }
}

TEST(JsonParse, AKeyGivenTwiceInOneObjectIsRefusedWithItsPlace) {
  struct Case {
    std::string text;
    std::string failure;  // empty: accepted
  };
  const Case cases[] = {
      {R"({"a": 1, "a": 2})", "t.json: /a: the key is given twice"},
      {R"([{}, {"x": {"k": 1, "k": 2}}])", "t.json: /1/x/k: the key is given twice"},
      {R"({"a/b": 1, "a/b": 2})", "t.json: /a~1b: the key is given twice"},
      {R"({"l": [1, [2, 3], {"m": {}, "m": {}}]})", "t.json: /l/2/m: the key is given twice"},
      {R"([{"a": 1}, {"a": 2}])", ""},
      {R"({"a": {"a": {"a": 1}}})", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFailure(c.text), c.failure) << c.text;
}

TEST(JsonParse, TheParsedValueIsKept) {
  nlohmann::json value = ParseJsonText(R"({"a": [1, 2.5, "x"], "b": {"c": null}})", "t.json");
  EXPECT_EQ(value["a"][1], 2.5);
  EXPECT_TRUE(value["b"]["c"].is_null());
}

std::string ReadFailure(const std::function<void(const JsonReader&)>& read,
                        const std::string& text) {
  nlohmann::json value = nlohmann::json::parse(text);
  try {
    read(JsonReader(value, "f.json", "/root"));
  } catch (const InputError& error) {
    return error.what();
  }
  return "";
}

TEST(JsonReader, WrongKindsNameThePlaceOfTheValue) {
  struct Case {
    const char* what;
    std::function<void(const JsonReader&)> read;
    std::string text;
    std::string failure;
  };
  const Case cases[] = {
      {"member of a non-object", [](auto& r) { r.Member("a"); }, "[1]",
       "f.json: /root: expected an object, found array"},
      {"missing member", [](auto& r) { r.Member("a"); }, R"({"b": 1})",
       "f.json: /root: the key \"a\" is missing"},
      {"number", [](auto& r) { r.Member("a").Number(); }, R"({"a": "1"})",
       "f.json: /root/a: expected a number, found string"},
      {"fraction for an integer", [](auto& r) { r.Elements()[1].Int32(); }, "[1, 1.5]",
       "f.json: /root/1: expected an integer, found a fraction"},
      {"above Int32", [](auto& r) { r.Int32(); }, "2147483648",
       "f.json: /root: the integer is out of the 32-bit range"},
      {"below Int32", [](auto& r) { r.Int32(); }, "-2147483649",
       "f.json: /root: the integer is out of the 32-bit range"},
      {"string", [](auto& r) { r.String(); }, "true",
       "f.json: /root: expected a string, found boolean"},
      {"bool", [](auto& r) { r.Bool(); }, "0",
       "f.json: /root: expected true or false, found a number"},
      {"short vector", [](auto& r) { r.Vector(); }, "[1, 2]",
       "f.json: /root: expected three numbers [x, y, z]"},
      {"vector of strings", [](auto& r) { r.Vector(); }, R"([1, "2", 3])",
       "f.json: /root/1: expected a number, found string"},
      {"elements of an object", [](auto& r) { r.Elements(); }, "{}",
       "f.json: /root: expected an array, found object"},
      {"unknown key",
       [](auto& r) {
         r.RequireObjectOf({"a", "b"});
       },
       R"({"a": 1, "c~": 2})", "f.json: /root/c~0: unknown key \"c~\""},
      {"key not an integer", [](auto& r) { r.Int32Key("12a"); }, "{}",
       "f.json: /root/12a: the key \"12a\" is not a 32-bit integer"},
      {"empty key", [](auto& r) { r.Int32Key(""); }, "{}",
       "f.json: /root/: the key \"\" is not a 32-bit integer"},
      {"key above Int32", [](auto& r) { r.Int32Key("2147483648"); }, "{}",
       "f.json: /root/2147483648: the key \"2147483648\" is not a 32-bit integer"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadFailure(c.read, c.text), c.failure) << c.what;
}

TEST(JsonReader, GoodValuesReadBack) {
  nlohmann::json value = nlohmann::json::parse(
      R"({"i": -2147483648, "u": 2147483647, "n": 7, "v": [1, -2.5, 3e2], "b": false})");
  JsonReader reader(value, "f.json");
  EXPECT_EQ(reader.Member("i").Int32(), INT32_MIN);
  EXPECT_EQ(reader.Member("u").Int32(), INT32_MAX);
  EXPECT_EQ(reader.Member("n").Number(), 7.0);
  Vector3 v = reader.Member("v").Vector();
  EXPECT_EQ(v.x, 1.0);
  EXPECT_EQ(v.y, -2.5);
  EXPECT_EQ(v.z, 300.0);
  EXPECT_FALSE(reader.Member("b").Bool());
  EXPECT_EQ(reader.Int32Key("-17"), -17);
  EXPECT_FALSE(reader.FindMember("missing").has_value());
  EXPECT_EQ(reader.Member("v").Place(), "/v");
  EXPECT_EQ(reader.Place(), "/");
}

TEST(InputError, IsOneLineWhateverTheMessage) {
  InputError error("a.json", "/x", "first\nsecond\r\nthird");
  EXPECT_STREQ(error.what(), "a.json: /x: first second  third");
  EXPECT_EQ(error.File(), "a.json");
  EXPECT_EQ(error.Place(), "/x");
}

}  // namespace
}  // namespace standin
