#include "resource_folder.h"

#include <gtest/gtest.h>

#include "host_abi.h"
#include "input_error.h"
#include "scratch_folder.h"

namespace standin {
namespace {

const nlohmann::json kStrings = {{"20000", "Planet"}, {"20001", "Terrain"}, {"20101", "Scale"},
                                 {"20102", "Seed"},   {"20103", "Colour"},  {"20104", "Gradient"},
                                 {"20105", "Height"}, {"20106", "Copy"},    {"20002", "Extras"}};

nlohmann::json GoodDescription() {
  return nlohmann::json::parse(R"({
    "name": "XPlanet",
    "groups": [
      {"id": 1001, "label": 20001, "parameters": [
        {"id": 5001, "name": "P_SCALE", "type": "float", "label": 20101, "min": 0.001,
         "max": 100, "step": 0.01, "unit": "real", "default": 0.5},
        {"id": 5005, "name": "P_SEED", "type": "int32", "label": 20102, "min": 0, "default": 123},
        {"id": 5101, "name": "P_COLOR", "type": "color", "label": 20103,
         "default": [0.25, 0.5, 1]}
      ]},
      {"id": 1002, "label": 20002, "parameters": [
        {"id": 5000, "name": "P_GRADIENT", "type": "gradient", "label": 20104},
        {"id": 5006, "name": "P_SPLINE", "type": "spline", "label": 20105},
        {"id": 3001, "name": "P_COPY", "type": "button", "label": 20106}
      ]}
    ]})");
}

class ResourceFolderTest : public ::testing::Test {
 protected:
  void WriteFolder(const nlohmann::json& description, const nlohmann::json& strings) {
    scratch_.Write("res/description/XPlanet.json", description.dump(2));
    scratch_.Write("res/strings_en-US/strings.json", strings.dump(2));
  }
  std::filesystem::path Res() const { return scratch_.Path() / "res"; }
  std::string LoadFailure() const {
    try {
      ResourceFolder::Load(Res());
    } catch (const InputError& error) {
      return error.what();
    }
    return "loaded";
  }

  ScratchFolder scratch_;
};

TEST_F(ResourceFolderTest, ReadsStringsAndTheDescription) {
  WriteFolder(GoodDescription(), kStrings);
  ResourceFolder resources = ResourceFolder::Load(Res());

  ASSERT_NE(resources.FindString(20000), nullptr);
  EXPECT_EQ(*resources.FindString(20000), "Planet");
  EXPECT_EQ(resources.FindString(19999), nullptr);
  EXPECT_EQ(resources.FindDescription("XOther"), nullptr);

  const DescriptionResource* description = resources.FindDescription("XPlanet");
  ASSERT_NE(description, nullptr);
  ASSERT_EQ(description->groups.size(), 2u);
  EXPECT_EQ(description->groups[1].id, 1002);
  EXPECT_EQ(description->groups[1].label, "Extras");

  std::vector<int32_t> order;
  for (const ParameterResource* parameter : description->Parameters()) {
    order.push_back(parameter->id);
  }
  EXPECT_EQ(order, (std::vector<int32_t>{5001, 5005, 5101, 5000, 5006, 3001}));

  const ParameterResource* scale = description->FindParameter("P_SCALE");
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(description->FindParameter(5001), scale);
  EXPECT_EQ(scale->label, "Scale");
  EXPECT_EQ(scale->labelId, 20101);
  EXPECT_EQ(scale->min, 0.001);
  EXPECT_EQ(scale->max, 100.0);
  EXPECT_EQ(scale->step, 0.01);
  EXPECT_EQ(scale->unit, "real");
  EXPECT_EQ(scale->defaultValue, 0.5);
  EXPECT_FALSE(description->FindParameter("P_SEED")->max.has_value());
  EXPECT_TRUE(description->FindParameter(5000)->defaultValue.is_null());
  EXPECT_EQ(description->FindParameter(4242), nullptr);
  EXPECT_EQ(description->FindParameter("P_NONE"), nullptr);
}

TEST_F(ResourceFolderTest, MapsEveryValueTypeToItsDataType) {
  WriteFolder(GoodDescription(), kStrings);
  ResourceFolder resources = ResourceFolder::Load(Res());
  const DescriptionResource& description = resources.Descriptions().at(0);
  struct Case {
    const char* parameter;
    int32_t valueType;
    const char* typeName;
  };
  const Case cases[] = {
      {"P_SCALE", DATA_TYPE_FLOAT, "float"},    {"P_SEED", DATA_TYPE_INT32, "int32"},
      {"P_COLOR", DATA_TYPE_COLOR, "color"},    {"P_GRADIENT", DATA_TYPE_GRADIENT, "gradient"},
      {"P_SPLINE", DATA_TYPE_SPLINE, "spline"}, {"P_COPY", DATA_TYPE_BUTTON, "button"}};
  for (const Case& c : cases) {
    EXPECT_EQ(description.FindParameter(c.parameter)->valueType, c.valueType) << c.parameter;
    EXPECT_STREQ(ValueTypeName(c.valueType), c.typeName);
  }
  EXPECT_EQ(ValueTypeName(DATA_TYPE_LINK), nullptr);
}

TEST_F(ResourceFolderTest, AnEmptyFolderHasNothingAndAMissingOneIsAnError) {
  std::filesystem::create_directories(Res());
  ResourceFolder empty = ResourceFolder::Load(Res());
  EXPECT_TRUE(empty.Strings().empty());
  EXPECT_TRUE(empty.Descriptions().empty());

  std::filesystem::remove(Res());
  EXPECT_EQ(LoadFailure(), Res().string() + ": /: no such resource folder");
}

TEST_F(ResourceFolderTest, OtherFilesBesideTheDescriptionsAreNotRead) {
  WriteFolder(GoodDescription(), kStrings);
  scratch_.Write("res/description/XPlanet.h", "#define P_SCALE 5001\n");
  EXPECT_EQ(ResourceFolder::Load(Res()).Descriptions().size(), 1u);
}

// One change to a good description and the one line it must give.
struct BadDescription {
  const char* what;
  nlohmann::json patch;  // JSON patch operations applied to GoodDescription()
  std::string place;
  std::string message;
};

TEST_F(ResourceFolderTest, BadDescriptionsNameFileAndPlace) {
  const std::string p = "/groups/0/parameters";
  const BadDescription cases[] = {
      {"id of the wrong type",
       {{{"op", "replace"}, {"path", p + "/0/id"}, {"value", "5001"}}},
       p + "/0/id",
       "expected an integer, found string"},
      {"parameter id used twice",
       {{{"op", "replace"}, {"path", p + "/2/id"}, {"value", 5001}}},
       p + "/2/id",
       "the id 5001 is already used at " + p + "/0/id"},
      {"parameter id equal to a group id",
       {{{"op", "replace"}, {"path", "/groups/1/parameters/0/id"}, {"value", 1001}}},
       "/groups/1/parameters/0/id",
       "the id 1001 is already used at /groups/0/id"},
      {"name used twice",
       {{{"op", "replace"}, {"path", p + "/1/name"}, {"value", "P_SCALE"}}},
       p + "/1/name",
       "the name P_SCALE is already used"},
      {"empty name",
       {{{"op", "replace"}, {"path", p + "/1/name"}, {"value", ""}}},
       p + "/1/name",
       "the name is empty"},
      {"label without a string",
       {{{"op", "replace"}, {"path", p + "/1/label"}, {"value", 29999}}},
       p + "/1/label",
       "the label 29999 has no string"},
      {"group label without a string",
       {{{"op", "replace"}, {"path", "/groups/1/label"}, {"value", 1}}},
       "/groups/1/label",
       "the label 1 has no string"},
      {"min above max",
       {{{"op", "replace"}, {"path", p + "/0/min"}, {"value", 200}}},
       p + "/0/min",
       "min is above max"},
      {"step of zero",
       {{{"op", "replace"}, {"path", p + "/0/step"}, {"value", 0}}},
       p + "/0/step",
       "the step must be above 0"},
      {"default outside the range",
       {{{"op", "replace"}, {"path", p + "/0/default"}, {"value", 100.5}}},
       p + "/0/default",
       "the default lies outside min and max"},
      {"integer range with a fraction",
       {{{"op", "replace"}, {"path", p + "/1/min"}, {"value", 0.5}}},
       p + "/1/min",
       "expected an integer, found a fraction"},
      {"range on a gradient",
       {{{"op", "add"}, {"path", "/groups/1/parameters/0/max"}, {"value", 1}}},
       "/groups/1/parameters/0/max",
       "a gradient parameter has no range"},
      {"default for a button",
       {{{"op", "add"}, {"path", "/groups/1/parameters/2/default"}, {"value", 1}}},
       "/groups/1/parameters/2/default",
       "a button parameter has no default here"},
      {"colour default of two numbers",
       {{{"op", "replace"}, {"path", p + "/2/default"}, {"value", {1, 1}}}},
       p + "/2/default",
       "expected three numbers [x, y, z]"},
      {"unit on a colour",
       {{{"op", "add"}, {"path", p + "/2/unit"}, {"value", "real"}}},
       p + "/2/unit",
       "only numbers have a unit"},
      {"unknown unit",
       {{{"op", "replace"}, {"path", p + "/0/unit"}, {"value", "meter"}}},
       p + "/0/unit",
       "unknown unit \"meter\""},
      {"unknown value type",
       {{{"op", "replace"}, {"path", p + "/0/type"}, {"value", "real"}}},
       p + "/0/type",
       "unknown value type \"real\""},
      {"misspelt key",
       {{{"op", "add"}, {"path", p + "/0/mni"}, {"value", 0}}},
       p + "/0/mni",
       "unknown key \"mni\""},
      {"missing name",
       {{{"op", "remove"}, {"path", p + "/0/name"}}},
       p + "/0",
       "the key \"name\" is missing"},
      {"parameters not a list",
       {{{"op", "replace"}, {"path", "/groups/1/parameters"}, {"value", 3}}},
       "/groups/1/parameters",
       "expected an array, found a number"},
      {"no groups",
       {{{"op", "remove"}, {"path", "/groups"}}},
       "/",
       "the key \"groups\" is missing"},
  };
  for (const BadDescription& c : cases) {
    WriteFolder(GoodDescription().patch(c.patch), kStrings);
    std::string file = (Res() / "description" / "XPlanet.json").string();
    EXPECT_EQ(LoadFailure(), file + ": " + c.place + ": " + c.message) << c.what;
  }
}

TEST_F(ResourceFolderTest, BadFilesAsTextNameFileAndPlace) {
  struct Case {
    const char* what;
    const char* file;
    std::string text;
    std::string placeAndMessage;  // the beginning of what follows "FILE: "
  };
  const std::string description = GoodDescription().dump(1);
  const Case cases[] = {
      {"broken description", "description/XPlanet.json", "{\"name\": \"XPlanet\",\n\"groups\": [",
       "line 2, column 12: "},
      {"broken strings", "strings_en-US/strings.json", "{\"20000\" \"Planet\"}",
       "line 1, column 17: "},
      {"string id that is no number", "strings_en-US/strings.json", R"({"title": "Planet"})",
       "/title: the key \"title\" is not a 32-bit integer"},
      {"string id given twice", "strings_en-US/strings.json",
       R"({"20000": "Planet", "020000": "Planet"})", "/20000: the string 20000 is given twice"},
      {"same key twice", "strings_en-US/strings.json", R"({"20000": "A", "20000": "B"})",
       "/20000: the key is given twice"},
      {"string of the wrong type", "strings_en-US/strings.json", R"({"20000": 5})",
       "/20000: expected a string, found a number"},
      {"strings not an object", "strings_en-US/strings.json", R"(["Planet"])",
       "/: expected an object, found array"},
      {"description named twice", "description/YPlanet.json", description,
       "/name: the description XPlanet is also in "},
  };
  for (const Case& c : cases) {
    WriteFolder(GoodDescription(), kStrings);
    std::filesystem::path file = scratch_.Write(std::string("res/") + c.file, c.text);
    std::string failure = LoadFailure();
    EXPECT_EQ(failure.rfind(file.string() + ": " + c.placeAndMessage, 0), 0u)
        << c.what << ": " << failure;
    EXPECT_EQ(failure.find('\n'), std::string::npos);
    std::filesystem::remove(file);
  }
}

}  // namespace
}  // namespace standin
