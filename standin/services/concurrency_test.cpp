// The render services as render threads use them: eight threads on the same objects at once
// must get the answers one thread gets.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "gradient.h"
#include "render_libraries.h"
#include "spline.h"

namespace standin {
namespace {

constexpr int32_t kThreads = 8;
constexpr int32_t kSamples = 400;

struct Scene {
  HostNoise* noise = nullptr;
  HostGradient* gradient = nullptr;
  HostGradientRenderData* prepared = nullptr;
  SplineCurve spline;
};

// Every answer a shading sample needs, in order, for sample i.
std::vector<double> Shade(const Scene& scene, int32_t i) {
  const NoiseLibrary& noise = NoiseLibraryTable();
  const Vector3 p = {i * 0.37 - 40.0, i * 0.11 + 3.0, 17.0 - i * 0.23};
  const double h = 0.5 + 0.5 * noise.NoiseFbm(scene.noise, &p, 0.0, 18.0, 1);
  const Vector3 color = GradientRenderDataTable().CalcGradientPixel(scene.prepared, h);
  const HostSplineCurve* spline = reinterpret_cast<const HostSplineCurve*>(&scene.spline);
  return {h,
          noise.NoiseRidged(scene.noise, &p, 0.0, 18.0, 0.5, 0.5, 1),
          noise.NoiseSample(scene.noise, 14, 0, &p, 0.0, 18.0, 0, 0.25, 0.25, 0),
          noise.NoiseSample(scene.noise, 20, 0, &p, 0.0, 18.0, 0, 0.25, 0.25, 0),
          noise.NoiseSample(scene.noise, 10, 0, &p, 0.0, 5.0, 0, 0.25, 0.25, 0),
          noise.NoiseSample(scene.noise, 2, 0, &p, 0.0, 3.0, 0, 0.25, 0.25, 0),
          color.x,
          color.y,
          color.z,
          SplineLibraryTable().SplineEvaluate(spline, h).y};
}

class RenderServicesConcurrently : public testing::Test {
 protected:
  void SetUp() override {
    scene.noise = NoiseLibraryTable().NoiseAlloc(123);
    NoiseLibraryTable().NoiseInitFbm(scene.noise, 20, 1.5, 0.7);
    const GradientLibrary& gradients = GradientLibraryTable();
    scene.gradient = gradients.GradientAlloc();
    const double knots[][4] = {{0.17, 0.346, 0.5, 0.45},
                               {0.665, 0.605, 0.452, 0.55},
                               {0.26, 0.557, 0.217, 0.58},
                               {1, 1, 1, 1}};
    for (const auto& k : knots) {
      GradientKnot knot = gradients.GetKnot(scene.gradient, 0);
      knot.color = {k[0], k[1], k[2]};
      knot.position = k[3];
      gradients.InsertKnot(scene.gradient, &knot);
    }
    RenderSetup setup{};
    setup.convertColors = 1;
    const char* error = nullptr;
    ASSERT_TRUE(gradients.PrepareRenderData(scene.gradient, &setup, &scene.prepared, &error));
    scene.spline.SetKnotCount(3);
    scene.spline.knots[1].position = {0.4, 0.7, 0};
  }
  void TearDown() override {
    GradientRenderDataTable().RenderDataRelease(scene.prepared);
    GradientLibraryTable().GradientFree(scene.gradient);
    NoiseLibraryTable().NoiseFree(scene.noise);
  }

  Scene scene;
};

TEST_F(RenderServicesConcurrently, EightThreadsAnswerAsOne) {
  std::vector<std::vector<double>> expected;
  for (int32_t i = 0; i < kSamples; ++i) expected.push_back(Shade(scene, i));

  std::vector<std::vector<std::vector<double>>> answers(kThreads);
  std::vector<std::thread> threads;
  for (int32_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t, &answers] {
      // Each thread walks the samples from another start, so they overlap in time.
      for (int32_t k = 0; k < kSamples; ++k) {
        answers[t].push_back(Shade(scene, (k + t * kSamples / kThreads) % kSamples));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  for (int32_t t = 0; t < kThreads; ++t) {
    for (int32_t k = 0; k < kSamples; ++k) {
      const int32_t i = (k + t * kSamples / kThreads) % kSamples;
      ASSERT_EQ(answers[t][k], expected[i]) << "thread " << t << ", sample " << i;
    }
  }
}

TEST_F(RenderServicesConcurrently, RetainAndReleaseFromEightThreads) {
  const GradientRenderDataInterface& table = GradientRenderDataTable();
  std::vector<std::thread> threads;
  for (int32_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, &table] {
      for (int32_t k = 0; k < 1000; ++k) {
        table.RenderDataRetain(scene.prepared);
        table.CalcGradientPixel(scene.prepared, 0.5);
        table.RenderDataRelease(scene.prepared);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(reinterpret_cast<GradientRenderData*>(scene.prepared)->ReferenceCount(), 1);
}

}  // namespace
}  // namespace standin
