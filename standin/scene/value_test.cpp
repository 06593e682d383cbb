#include "value.h"

#include <gtest/gtest.h>

#include "container.h"
#include "node.h"

namespace standin {
namespace {

Gradient TwoKnots() {
  Gradient gradient;
  gradient.mode = 1;
  gradient.Insert({{1, 0, 0}, 1.0, 0.0, 0.5, 0, GRADIENT_INTERPOLATION_LINEAR});
  gradient.Insert({{0, 0, 1}, 1.0, 1.0, 0.5, 0, GRADIENT_INTERPOLATION_LINEAR});
  return gradient;
}

SplineCurve ThreeKnots() {
  SplineCurve curve;
  curve.SetKnotCount(3);
  return curve;
}

TEST(Value, ReportsTheDataTypeOfWhatItHolds) {
  std::unique_ptr<Node> node = Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER);
  const std::pair<Value, int32_t> cases[] = {
      {Value(), DATA_TYPE_NONE},
      {Value(2.5), DATA_TYPE_FLOAT},
      {Value(int32_t{7}), DATA_TYPE_INT32},
      {Value(true), DATA_TYPE_BOOL},
      {Value(Vector3{1, 2, 3}), DATA_TYPE_VECTOR},
      {Value(TwoKnots()), DATA_TYPE_GRADIENT},
      {Value(ThreeKnots()), DATA_TYPE_SPLINE},
      {Value(Link(node.get())), DATA_TYPE_LINK},
  };
  for (const auto& [value, type] : cases) EXPECT_EQ(value.DataType(), type);
}

TEST(Value, CopiesOfGradientsAndSplinesAreDeep) {
  Value gradient(TwoKnots());
  Value gradientCopy = gradient;
  gradientCopy.Get<Gradient>()->knots[0].color = {0, 1, 0};
  EXPECT_EQ(gradient.Get<Gradient>()->knots[0].color.x, 1.0);
  EXPECT_NE(gradient, gradientCopy);

  Value curve(ThreeKnots());
  Value curveCopy = curve;
  curveCopy.Get<SplineCurve>()->KnotAt(1)->position.y = 0.9;
  EXPECT_EQ(curve.Get<SplineCurve>()->knots[1].position.y, 0.5);
  EXPECT_NE(curve, curveCopy);
  curveCopy = curve;
  EXPECT_EQ(curve, curveCopy);
}

TEST(Value, CustomDataIsHandedOutOnlyForItsOwnType) {
  Value value;
  EXPECT_EQ(value.Custom(DATA_TYPE_GRADIENT), nullptr);
  ASSERT_TRUE(value.MakeCustom(DATA_TYPE_GRADIENT));
  auto* gradient = static_cast<Gradient*>(value.Custom(DATA_TYPE_GRADIENT));
  ASSERT_NE(gradient, nullptr);
  EXPECT_TRUE(gradient->knots.empty());
  EXPECT_EQ(value.Custom(DATA_TYPE_SPLINE), nullptr);
  EXPECT_EQ(value.Custom(DATA_TYPE_LINK), nullptr);

  Gradient source = TwoKnots();
  ASSERT_TRUE(value.SetCustom(DATA_TYPE_GRADIENT, &source));
  source.knots.clear();  // the value keeps its own copy
  EXPECT_EQ(value.Get<Gradient>()->KnotCount(), 2);
  EXPECT_EQ(value.Get<Gradient>()->mode, 1);

  EXPECT_FALSE(value.SetCustom(DATA_TYPE_FLOAT, &source));
  EXPECT_FALSE(value.SetCustom(DATA_TYPE_SPLINE, nullptr));
  EXPECT_FALSE(value.MakeCustom(DATA_TYPE_INT32));
  EXPECT_EQ(value.DataType(), DATA_TYPE_GRADIENT);  // refusals change nothing
}

TEST(Value, EqualityComparesContentAndType) {
  EXPECT_EQ(Value(1.0), Value(1.0));
  EXPECT_NE(Value(1.0), Value(int32_t{1}));
  EXPECT_NE(Value(Vector3{1, 2, 3}), Value(Vector3{1, 2, 4}));
  EXPECT_EQ(Value(TwoKnots()), Value(TwoKnots()));
  EXPECT_EQ(Value(), Value());
}

TEST(Link, AnswersNullOnceItsNodeIsGone) {
  std::unique_ptr<Node> node = Node::Create(NODE_TYPE_LAYER_SHADER);
  Link link(node.get());
  Value held{Link(node.get())};
  EXPECT_EQ(link.Target(), node.get());
  node.reset();
  EXPECT_EQ(link.Target(), nullptr);
  EXPECT_EQ(held.Get<Link>()->Target(), nullptr);
  EXPECT_EQ(Link().Target(), nullptr);
}

TEST(Container, GetAnswersThePresetWhenAbsentOrOfAnotherType) {
  Container container;
  container.Set(1, 2.5);
  container.Set(2, int32_t{7});
  container.Set(3, true);
  container.Set(4, Vector3{1, 2, 3});

  EXPECT_EQ(container.GetFloat(1, -1), 2.5);
  EXPECT_EQ(container.GetFloat(2, -1), -1);  // an Int32 is no float
  EXPECT_EQ(container.GetFloat(9, -1), -1);
  EXPECT_EQ(container.GetInt32(2, -1), 7);
  EXPECT_EQ(container.GetInt32(1, -1), -1);
  EXPECT_TRUE(container.GetBool(3, false));
  EXPECT_FALSE(container.GetBool(2, false));
  EXPECT_EQ(container.GetVector(4, {}).z, 3.0);
  EXPECT_EQ(container.GetVector(1, {9, 9, 9}).x, 9.0);
  EXPECT_EQ(container.GetLink(4), nullptr);
}

TEST(Container, SetReplacesAndEntriesStaySortedById) {
  Container container;
  container.Set(30, 1.0);
  container.Set(10, 2.0);
  container.Set(20, 3.0);
  container.Set(10, int32_t{4});
  std::vector<int32_t> ids;
  for (const auto& [id, value] : container.Entries()) ids.push_back(id);
  EXPECT_EQ(ids, (std::vector<int32_t>{10, 20, 30}));
  EXPECT_EQ(container.Find(10)->DataType(), DATA_TYPE_INT32);
  EXPECT_TRUE(container.Erase(20));
  EXPECT_FALSE(container.Erase(20));
  EXPECT_EQ(container.Find(20), nullptr);

  Container copy = container;
  EXPECT_EQ(copy, container);
  copy.Set(30, 1.5);
  EXPECT_EQ(container.GetFloat(30, 0), 1.0);
}

}  // namespace
}  // namespace standin
