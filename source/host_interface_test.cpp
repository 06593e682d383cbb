#include "host_interface.h"

#include <gtest/gtest.h>

#include <string>

#include "application_operations.h"
#include "gradient_render_data.h"
#include "library_operations.h"
#include "render_operations.h"
#include "render_services.h"
#include "scene_operations.h"
#include "test_host.h"

namespace {

using testhost::FakeHost;

class HostInterface : public ::testing::Test {
 protected:
  FakeHost fake;
  int32_t noiseHandle = 0;
  HostNoise* noise = reinterpret_cast<HostNoise*>(&noiseHandle);

  host::RenderServices FoundServices() {
    host::RenderServices services;
    services.Find();
    return services;
  }
};

TEST_F(HostInterface, LooksEachLibraryUpOnceUntilTheInterfaceIsTakenAgain) {
  fake.fbmAnswer = 0.25;
  EXPECT_EQ(0.25, FoundServices().NoiseFbm(noise, Vector3{1, 2, 3}, 0.0, 18.0, 1));
  EXPECT_EQ(0.25, FoundServices().NoiseFbm(noise, Vector3{1, 2, 3}, 0.0, 18.0, 1));
  EXPECT_NE(nullptr, host::NoiseAlloc(3));
  EXPECT_EQ(1, fake.libraryLookups[LIBRARY_NOISE]);

  fake.Install();
  FoundServices();
  EXPECT_EQ(2, fake.libraryLookups[LIBRARY_NOISE]);
}

TEST_F(HostInterface, RemembersAMissingLibraryAsMissing) {
  fake.missingLibraries = {LIBRARY_SPLINE};
  fake.Install();
  EXPECT_EQ(nullptr, host::SplineKnotAt(reinterpret_cast<HostSplineCurve*>(noise), 0));
  EXPECT_EQ(nullptr, host::SplineKnotAt(reinterpret_cast<HostSplineCurve*>(noise), 0));
  EXPECT_EQ(1, fake.libraryLookups[LIBRARY_SPLINE]);
}

TEST_F(HostInterface, AShortTableLosesOnlyTheEntriesBeyondItsSize) {
  fake.noise.size = static_cast<int32_t>(host::EntryEnd(&NoiseLibrary::NoiseSample));
  fake.fbmAnswer = 0.75;
  fake.sampleAnswers[14] = 0.5;
  fake.Install();
  const host::RenderServices services = FoundServices();
  EXPECT_EQ(0.5,
            services.NoiseSample(noise, 14, false, Vector3{}, 0.0, 18.0, false, 0.25, 0.25, 0));
  EXPECT_EQ(0.0, services.NoiseFbm(noise, Vector3{}, 0.0, 18.0, 1));
  EXPECT_FALSE(fake.Called("NoiseFbm"));
}

TEST_F(HostInterface, ANullEntryAnswersItsFallback) {
  fake.noise.NoiseRidged = nullptr;
  fake.application.ContainerGetFloat = nullptr;
  fake.ridgedAnswer = 1.5;
  fake.Install();
  EXPECT_EQ(0.0, FoundServices().NoiseRidged(noise, Vector3{}, 0.0, 18.0, 0.5, 0.5, 1));
  testhost::FakeContainer settings{{5001, testhost::FloatValue(2.0)}};
  EXPECT_EQ(0.125, host::ContainerGet(reinterpret_cast<HostContainer*>(&settings), 5001, 0.125));
}

TEST_F(HostInterface, AShortApplicationTableAnswersPresetsBeyondIt) {
  fake.application.size =
      static_cast<int32_t>(host::EntryEnd(&HostApplicationTable::ContainerGetFloat));
  fake.Install();
  testhost::FakeContainer settings{{5001, testhost::FloatValue(2.0)},
                                   {5005, testhost::Int32Value(9)}};
  auto* container = reinterpret_cast<HostContainer*>(&settings);
  EXPECT_EQ(2.0, host::ContainerGet(container, 5001, 0.125));
  EXPECT_EQ(-4, host::ContainerGet(container, 5005, int32_t{-4}));
}

TEST_F(HostInterface, MissingLibrariesAnswerNeutralValues) {
  fake.missingLibraries = {LIBRARY_NOISE, LIBRARY_GRADIENT, LIBRARY_SPLINE, LIBRARY_DESCRIPTION,
                           LIBRARY_LAYER_SHADER};
  fake.gradientRenderDataMissing = true;
  fake.Install();

  const host::RenderServices services = FoundServices();
  EXPECT_EQ(nullptr, host::NoiseAlloc(5));
  EXPECT_EQ(0.0, services.NoiseSample(noise, 10, false, Vector3{}, 0.0, 5.0, false, 0.25, 0.25, 0));
  EXPECT_EQ(nullptr, host::GradientAlloc());

  const GradientKnot knot = host::GetKnot(reinterpret_cast<HostGradient*>(noise), 0);
  EXPECT_EQ(1.0, knot.color.x);
  EXPECT_EQ(1.0, knot.color.y);
  EXPECT_EQ(1.0, knot.color.z);
  EXPECT_EQ(1.0, knot.brightness);
  EXPECT_EQ(0.0, knot.position);
  EXPECT_EQ(0.5, knot.bias);
  EXPECT_EQ(0, knot.index);
  EXPECT_EQ(GRADIENT_INTERPOLATION_SMOOTH, knot.interpolation);

  HostGradientRenderData* data = reinterpret_cast<HostGradientRenderData*>(noise);
  const char* error = nullptr;
  EXPECT_FALSE(
      host::PrepareRenderData(reinterpret_cast<HostGradient*>(noise), nullptr, &data, &error));
  EXPECT_EQ(nullptr, data);
  EXPECT_STREQ("Gradient::PrepareRenderData() not found.", error);

  const Vector3 pixel =
      services.CalcGradientPixel(reinterpret_cast<HostGradientRenderData*>(noise), 0.5);
  EXPECT_EQ(0.0, pixel.x + pixel.y + pixel.z);
  const Vector3 point = services.SplineEvaluate(reinterpret_cast<HostSplineCurve*>(noise), 0.5);
  EXPECT_EQ(0.0, point.x + point.y + point.z);
  EXPECT_FALSE(host::DescriptionRegister(1064031, "XVerdanta", nullptr));
  EXPECT_EQ(nullptr, host::LayerFirst(reinterpret_cast<HostNode*>(noise)));
}

TEST_F(HostInterface, FreeingClearsTheSlotWithOrWithoutTheLibrary) {
  HostNoise* generator = host::NoiseAlloc(3);
  ASSERT_NE(nullptr, generator);
  host::NoiseFree(&generator);
  EXPECT_EQ(nullptr, generator);
  EXPECT_EQ(1u, fake.CallCount("NoiseFree"));
  host::NoiseFree(&generator);
  EXPECT_EQ(1u, fake.CallCount("NoiseFree")) << "an empty slot is not freed again";

  fake.missingLibraries = {LIBRARY_NOISE, LIBRARY_GRADIENT};
  fake.Install();
  generator = noise;
  host::NoiseFree(&generator);
  EXPECT_EQ(nullptr, generator);
  HostGradient* gradient = reinterpret_cast<HostGradient*>(noise);
  host::GradientFree(&gradient);
  EXPECT_EQ(nullptr, gradient);
}

TEST_F(HostInterface, WithoutAnyHostEverythingFallsBack) {
  host::ClearHostInterface();
  EXPECT_EQ(nullptr, host::MemoryAlloc(16));
  EXPECT_STREQ("", host::ResourceString(reinterpret_cast<HostResource*>(noise), 20000));
  EXPECT_FALSE(host::PluginRegister(2026200, 1, 1064031, "Verdanta", nullptr));
  const Vector3 color = host::ColorSpaceConvert(Vector3{0.5, 0.25, 1.0}, 2);
  EXPECT_EQ(0.25, color.y) << "conversion leaves the colour as it is";
  const Matrix34 matrix = FoundServices().ObjectMatrix(reinterpret_cast<HostNode*>(noise));
  EXPECT_EQ(1.0, matrix.axis1.x * matrix.axis2.y * matrix.axis3.z);
  host::LogWrite("nobody listens", "source/main.cpp", 35);
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(HostInterface, RenderDataReferenceReleasesWhatItHolds) {
  testhost::FakeRenderData* first = fake.NewRenderData();
  testhost::FakeRenderData* second = fake.NewRenderData();
  {
    host::GradientRenderDataReference reference;
    reference.Adopt(testhost::AsHost(first));
    EXPECT_EQ(1, first->references);
    reference.Adopt(testhost::AsHost(second));
    EXPECT_EQ(0, first->references);
    EXPECT_EQ(1, second->references);
  }
  EXPECT_EQ(0, second->references);
}

TEST_F(HostInterface, LogLinesGoToTheDefaultLoggerEvenWithoutAString) {
  host::LogWrite("first", "source/main.cpp", 35);
  fake.failStrings = true;
  host::LogWrite("second", "source/main.cpp", 53);
  ASSERT_EQ(2u, fake.log.size());
  EXPECT_EQ("first", fake.log[0].text);
  EXPECT_EQ(LOG_OUTPUT_FLAGS, fake.log[0].flags);
  EXPECT_EQ(1, fake.log[0].level);
  EXPECT_EQ("", fake.log[1].text);
  EXPECT_EQ(53, fake.log[1].line);
  EXPECT_EQ(1u, fake.CallCount("StringFree"));
}

}  // namespace
