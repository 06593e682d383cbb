#include "png_io.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "input_error.h"
#include "scratch_folder.h"

namespace standin {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(EncodeSrgb8, TransferFunctionClampAndRound) {
  struct Case {
    double linear;
    int encoded;
  };
  // Reference points of the sRGB curve: 0.5 linear is 0.7354 encoded, and the linear toe ends
  // at 0.0031308 (0.04045 encoded).
  for (const Case c : {Case{0.0, 0}, Case{1.0, 255}, Case{0.5, 188}, Case{0.0031308, 10},
                       Case{0.18, 118}, Case{-0.5, 0}, Case{7.0, 255}, Case{kNaN, 0},
                       Case{std::numeric_limits<double>::infinity(), 255}}) {
    EXPECT_EQ(EncodeSrgb8(c.linear), c.encoded) << c.linear;
  }
}

TEST(EncodeHeight16, RangeMapsOntoSixteenBits) {
  const HeightRange range{-1.0, 3.0};
  struct Case {
    double height;
    int encoded;
  };
  for (const Case c : {Case{-1.0, 0}, Case{3.0, 65535}, Case{1.0, 32768}, Case{0.0, 16384},
                       Case{-7.0, 0}, Case{40.0, 65535}, Case{kNaN, 0}}) {
    EXPECT_EQ(EncodeHeight16(c.height, range), c.encoded) << c.height;
  }
}

TEST(PngFile, ColourRoundTrip) {
  const ScratchFolder folder;
  Image image(3, 2);
  image.pixels = {{0, 0.5, 1},     {0.25, 0.75, 2}, {-1, 0.001, 0.9},
                  {0.1, 0.2, 0.3}, {1, 1, 1},       {kNaN, 0.6, 0.05}};
  const std::string path = (folder.Path() / "planet.png").string();
  WriteColourPng(path, image);
  const PngPixels read = ReadPng(path);
  EXPECT_EQ(read.width, 3);
  EXPECT_EQ(read.height, 2);
  EXPECT_EQ(read.channels, 3);
  EXPECT_EQ(read.bitDepth, 8);
  ASSERT_EQ(read.samples.size(), 18u);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const Vector3& p = image.pixels[i];
    EXPECT_EQ(read.samples[3 * i], EncodeSrgb8(p.x)) << i;
    EXPECT_EQ(read.samples[3 * i + 1], EncodeSrgb8(p.y)) << i;
    EXPECT_EQ(read.samples[3 * i + 2], EncodeSrgb8(p.z)) << i;
  }
}

TEST(PngFile, HeightRoundTrip) {
  const ScratchFolder folder;
  GreyImage heights(4, 3);
  for (size_t i = 0; i < heights.pixels.size(); ++i) heights.pixels[i] = -0.2 + 0.13 * i;
  const HeightRange range{-0.1, 1.2};
  const std::string path = (folder.Path() / "height.png").string();
  WriteHeightPng(path, heights, range);
  const PngPixels read = ReadPng(path);
  EXPECT_EQ(read.width, 4);
  EXPECT_EQ(read.height, 3);
  EXPECT_EQ(read.channels, 1);
  EXPECT_EQ(read.bitDepth, 16);
  ASSERT_EQ(read.samples.size(), 12u);
  for (size_t i = 0; i < heights.pixels.size(); ++i) {
    EXPECT_EQ(read.samples[i], EncodeHeight16(heights.pixels[i], range)) << i;
  }
  EXPECT_EQ(read.samples.front(), 0);
  EXPECT_EQ(read.samples.back(), 65535);
}

TEST(PngFile, WriteReplacesAnOldFileWhole) {
  const ScratchFolder folder;
  const std::string path = (folder.Path() / "planet.png").string();
  WriteColourPng(path, Image(5, 5));
  Image white(2, 1);
  white.pixels = {{1, 1, 1}, {1, 1, 1}};
  WriteColourPng(path, white);
  const PngPixels read = ReadPng(path);
  EXPECT_EQ(read.width, 2);
  EXPECT_EQ(read.samples, std::vector<uint16_t>(6, 255));
}

TEST(PngFile, UnwritablePathIsAOneLineInputError) {
  const ScratchFolder folder;
  const std::string path = (folder.Path() / "no such folder" / "planet.png").string();
  try {
    WriteColourPng(path, Image(2, 2));
    FAIL() << "wrote into a missing folder";
  } catch (const InputError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(PngFile, FailedWriteLeavesTheOldFileAndNoLitter) {
  const ScratchFolder folder;
  const std::string path = (folder.Path() / "planet.png").string();
  Image old(2, 2);
  old.pixels.assign(4, {0.5, 0.5, 0.5});
  WriteColourPng(path, old);
  EXPECT_THROW(WriteColourPng(path, Image()), InputError);  // nothing to encode
  EXPECT_EQ(ReadPng(path).samples, std::vector<uint16_t>(12, EncodeSrgb8(0.5)));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(PngFile, DirectoryInTheWayIsAnInputError) {
  const ScratchFolder folder;
  std::filesystem::create_directory(folder.Path() / "planet.png");
  EXPECT_THROW(WriteColourPng((folder.Path() / "planet.png").string(), Image(1, 1)), InputError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(PngFile, HeightRangeMustBeOrderedAndFinite) {
  const ScratchFolder folder;
  const std::string path = (folder.Path() / "height.png").string();
  for (const HeightRange range : {HeightRange{1, 1}, HeightRange{2, 1}, HeightRange{kNaN, 1}}) {
    EXPECT_THROW(WriteHeightPng(path, GreyImage(1, 1), range), std::invalid_argument);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ReadPng, RefusesWhatIsNotAPng) {
  const ScratchFolder folder;
  const std::string path = folder.Write("fake.png", "not an image").string();
  EXPECT_THROW(ReadPng(path), InputError);
  EXPECT_THROW(ReadPng((folder.Path() / "missing.png").string()), InputError);
}

}  // namespace
}  // namespace standin
