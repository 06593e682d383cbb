#include "render_libraries.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "call_trace.h"
#include "controls.h"
#include "gradient.h"
#include "noise.h"
#include "spline.h"

namespace standin {
namespace {

class RenderLibraries : public testing::Test {
 protected:
  void SetUp() override { ResetControls(); }
  void TearDown() override {
    TraceStop();
    ResetControls();
  }

  const NoiseLibrary& noise = NoiseLibraryTable();
  const GradientLibrary& gradients = GradientLibraryTable();
  const GradientRenderDataInterface& renderData = GradientRenderDataTable();
  const SplineLibrary& splines = SplineLibraryTable();
};

template <typename Table>
void ExpectComplete(const Table& table) {
  EXPECT_EQ(table.size, static_cast<int32_t>(sizeof(Table)));
  // The size, padded to a pointer, then nothing but entries.
  const size_t entries = (sizeof(Table) - sizeof(void*)) / sizeof(void*);
  const auto* entry = reinterpret_cast<const char*>(&table) + sizeof(void*);
  for (size_t i = 0; i < entries; ++i) {
    void* pointer;
    std::memcpy(&pointer, entry + i * sizeof(void*), sizeof pointer);
    EXPECT_NE(pointer, nullptr) << "entry " << i;
  }
}

TEST_F(RenderLibraries, TablesAreComplete) {
  ExpectComplete(noise);
  ExpectComplete(gradients);
  ExpectComplete(renderData);
  ExpectComplete(splines);
}

TEST_F(RenderLibraries, NullHandlesAnswerTheFallbacks) {
  const Vector3 point = {1, 2, 3};
  EXPECT_EQ(noise.NoiseSample(nullptr, 10, 0, &point, 0.0, 5.0, 0, 0.25, 0.25, 0), 0.0);
  EXPECT_EQ(noise.NoiseFbm(nullptr, &point, 0.0, 18.0, 1), 0.0);
  EXPECT_EQ(noise.NoiseRidged(nullptr, &point, 0.0, 18.0, 0.5, 0.5, 1), 0.0);
  EXPECT_FALSE(noise.NoiseInitFbm(nullptr, 20, 1.5, 0.7));
  noise.NoiseFree(nullptr);

  const GradientKnot knot = gradients.GetKnot(nullptr, 0);
  EXPECT_EQ(knot.color.x, 1.0);
  EXPECT_EQ(knot.color.y, 1.0);
  EXPECT_EQ(knot.color.z, 1.0);
  EXPECT_EQ(knot.brightness, 1.0);
  EXPECT_EQ(knot.position, 0.0);
  EXPECT_EQ(knot.bias, 0.5);
  EXPECT_EQ(knot.index, 0);
  EXPECT_EQ(knot.interpolation, 2);
  EXPECT_EQ(gradients.KnotCount(nullptr), 0);
  EXPECT_EQ(gradients.InsertKnot(nullptr, &knot), -1);
  EXPECT_FALSE(gradients.GradientSetData(nullptr, GRADIENT_SETTING_MODE, 0));
  gradients.SetKnot(nullptr, 0, &knot);
  gradients.GradientFree(nullptr);

  const Vector3 black = renderData.CalcGradientPixel(nullptr, 0.5);
  EXPECT_EQ(black.x + black.y + black.z, 0.0);
  renderData.RenderDataRetain(nullptr);
  renderData.RenderDataRelease(nullptr);

  EXPECT_FALSE(splines.SplineSetKnotCount(nullptr, 2));
  EXPECT_EQ(splines.SplineKnotCount(nullptr), 0);
  EXPECT_EQ(splines.SplineKnotAt(nullptr, 0), nullptr);
  const Vector3 origin = splines.SplineEvaluate(nullptr, 0.5);
  EXPECT_EQ(origin.x + origin.y + origin.z, 0.0);
}

TEST_F(RenderLibraries, NoiseHandleIsTheGenerator) {
  HostNoise* handle = noise.NoiseAlloc(123);
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(noise.NoiseInitFbm(handle, 20, 1.5, 0.7));
  const NoiseGenerator* generator = reinterpret_cast<NoiseGenerator*>(handle);
  EXPECT_EQ(generator->OctaveCount(), 20);
  const Vector3 p = {0.3, -1.7, 2.2};
  EXPECT_EQ(noise.NoiseFbm(handle, &p, 0.0, 18.0, 1), generator->Fbm(p, 18.0));
  EXPECT_EQ(noise.NoiseRidged(handle, &p, 0.0, 18.0, 0.5, 0.5, 1),
            generator->Ridged(p, 18.0, 0.5, 0.5));
  EXPECT_EQ(noise.NoiseSample(handle, 20, 0, &p, 0.0, 18.0, 0, 0.25, 0.25, 0),
            generator->Sample(20, p, 18.0, false, false, 0.25, 0.25));
  EXPECT_EQ(noise.NoiseSample(handle, 20, 1, &p, 0.0, 18.0, 1, 0.25, 0.25, 0),
            generator->Sample(20, p, 18.0, true, true, 0.25, 0.25));
  EXPECT_EQ(noise.NoiseFbm(handle, nullptr, 0.0, 18.0, 1), 0.0);
  EXPECT_FALSE(noise.NoiseInitFbm(handle, 20, 0.0, 1.0));
  noise.NoiseFree(handle);
}

TEST_F(RenderLibraries, NoiseAllocFailsWhenAllocationsDo) {
  Controls().failAllocations = true;
  EXPECT_EQ(noise.NoiseAlloc(1), nullptr);
}

TEST_F(RenderLibraries, GradientThroughTheTables) {
  HostGradient* handle = gradients.GradientAlloc();
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(gradients.GradientSetData(handle, GRADIENT_SETTING_MODE, 0));
  EXPECT_FALSE(gradients.GradientSetData(handle, 1003, 1));
  GradientKnot knot = gradients.GetKnot(handle, 0);  // the fallback: none there yet
  knot.color = {0.17, 0.346, 0.5};
  knot.position = 0.45;
  EXPECT_EQ(gradients.InsertKnot(handle, &knot), 0);
  knot.color = {1, 1, 1};
  knot.position = 1.0;
  EXPECT_EQ(gradients.InsertKnot(handle, &knot), 1);
  EXPECT_EQ(gradients.KnotCount(handle), 2);
  EXPECT_EQ(reinterpret_cast<Gradient*>(handle)->knots.size(), 2u);

  knot = gradients.GetKnot(handle, 1);
  knot.position = 0.9;
  gradients.SetKnot(handle, 1, &knot);
  EXPECT_EQ(gradients.GetKnot(handle, 1).position, 0.9);
  EXPECT_EQ(gradients.GetKnot(handle, 2).position, 0.0);  // out of range: the fallback

  RenderSetup setup{};
  HostGradientRenderData* prepared = nullptr;
  const char* error = "untouched";
  ASSERT_TRUE(gradients.PrepareRenderData(handle, &setup, &prepared, &error));
  ASSERT_NE(prepared, nullptr);
  EXPECT_EQ(error, nullptr);
  const Vector3 atKnot = renderData.CalcGradientPixel(prepared, 0.45);
  EXPECT_EQ(atKnot.y, 0.346);
  const Vector3 beyond = renderData.CalcGradientPixel(prepared, 3.0);
  EXPECT_EQ(beyond.x, 1.0);
  GradientRenderData* data = reinterpret_cast<GradientRenderData*>(prepared);
  renderData.RenderDataRetain(prepared);
  EXPECT_EQ(data->ReferenceCount(), 2);
  renderData.RenderDataRelease(prepared);
  EXPECT_EQ(data->ReferenceCount(), 1);
  renderData.RenderDataRelease(prepared);
  gradients.GradientFree(handle);
}

TEST_F(RenderLibraries, PrepareRenderDataReportsFailure) {
  HostGradientRenderData* prepared = reinterpret_cast<HostGradientRenderData*>(&prepared);
  const char* error = nullptr;
  EXPECT_FALSE(gradients.PrepareRenderData(nullptr, nullptr, &prepared, &error));
  EXPECT_EQ(prepared, nullptr);
  ASSERT_NE(error, nullptr);
  EXPECT_GT(std::strlen(error), 0u);

  HostGradient* handle = gradients.GradientAlloc();
  error = nullptr;
  EXPECT_FALSE(gradients.PrepareRenderData(handle, nullptr, nullptr, &error));
  EXPECT_NE(error, nullptr);
  EXPECT_FALSE(gradients.PrepareRenderData(nullptr, nullptr, nullptr, nullptr));
  gradients.GradientFree(handle);
}

TEST_F(RenderLibraries, SplineThroughTheTables) {
  SplineCurve curve;
  HostSplineCurve* handle = reinterpret_cast<HostSplineCurve*>(&curve);
  EXPECT_TRUE(splines.SplineSetKnotCount(handle, 2));
  EXPECT_EQ(splines.SplineKnotCount(handle), 2);
  SplineKnot* end = splines.SplineKnotAt(handle, 1);
  ASSERT_EQ(end, &curve.knots[1]);
  end->position = {1, 0.5, 0};
  EXPECT_NEAR(splines.SplineEvaluate(handle, 0.5).y, 0.25, 1e-12);
  EXPECT_EQ(splines.SplineKnotAt(handle, 2), nullptr);
  EXPECT_FALSE(splines.SplineSetKnotCount(handle, -1));
}

TEST_F(RenderLibraries, ColorSpaceConvertForTheApplicationTable) {
  const Vector3 linear = HostColorSpaceConvert({0.5, 1.0, 0.0}, 2);
  EXPECT_NEAR(linear.x, 0.21404114048223255, 1e-15);
  EXPECT_EQ(linear.y, 1.0);
  EXPECT_EQ(linear.z, 0.0);
}

TEST_F(RenderLibraries, EveryEntryIsTracedWithItsKeyArguments) {
  TraceStart();
  HostNoise* handle = noise.NoiseAlloc(7);
  noise.NoiseInitFbm(handle, 20, 1.5, 0.7);
  const Vector3 p = {1, 2.5, -3};
  noise.NoiseFbm(handle, &p, 0.0, 18.0, 1);
  noise.NoiseSample(handle, 14, 0, &p, 0.0, 18.0, 0, 0.25, 0.25, 0);
  noise.NoiseRidged(handle, &p, 0.0, 18.0, 0.5, 0.5, 1);
  noise.NoiseFbm(handle, nullptr, 0.0, 5.0, 1);
  noise.NoiseFree(handle);
  HostGradient* gradient = gradients.GradientAlloc();
  gradients.GradientSetData(gradient, GRADIENT_SETTING_MODE, 0);
  gradients.GetKnot(gradient, 3);
  renderData.CalcGradientPixel(nullptr, 0.25);
  splines.SplineEvaluate(nullptr, 0.75);
  HostColorSpaceConvert({0.5, 0.5, 0.5}, 2);
  gradients.GradientFree(gradient);
  TraceStop();

  const std::vector<TraceEntry> expected = {
      {"NoiseAlloc", "7"},
      {"NoiseInitFbm", "handle, 20, 1.5, 0.69999999999999996"},
      {"NoiseFbm", "(1, 2.5, -3), 18"},
      {"NoiseSample", "(1, 2.5, -3), 14, 18"},
      {"NoiseRidged", "(1, 2.5, -3), 18, 0.5, 0.5"},
      {"NoiseFbm", "null, 5"},
      {"NoiseFree", "handle"},
      {"GradientAlloc", ""},
      {"GradientSetData", "handle, 1002, 0"},
      {"GetKnot", "handle, 3"},
      {"CalcGradientPixel", "null, 0.25"},
      {"SplineEvaluate", "null, 0.75"},
      {"ColorSpaceConvert", "(0.5, 0.5, 0.5), 2"},
      {"GradientFree", "handle"},
  };
  const std::vector<TraceEntry> trace = TraceTake();
  ASSERT_EQ(trace.size(), expected.size());
  for (size_t i = 0; i < trace.size(); ++i) {
    EXPECT_EQ(trace[i].operation, expected[i].operation);
    EXPECT_EQ(trace[i].arguments, expected[i].arguments) << trace[i].operation;
  }
}

}  // namespace
}  // namespace standin
