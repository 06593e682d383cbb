#include "png_io.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "input_error.h"

namespace standin {

namespace {

const char kWholeFile[] = "/";
std::atomic<unsigned> temporaryCount{0};

std::string SystemError() {
  return std::strerror(errno);
}

// A file opened beside the target that replaces it on Commit, and is removed otherwise.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) : target_(target) {
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
      path_ = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(temporaryCount++);
      const int descriptor = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor < 0 && errno == EEXIST) continue;
      if (descriptor < 0) break;
      file_ = fdopen(descriptor, "wb");
      if (!file_) close(descriptor);
    }
    if (!file_) throw InputError(target, kWholeFile, "cannot write the image: " + SystemError());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (file_) std::fclose(file_);
    if (!committed_) std::remove(path_.c_str());
  }

  FILE* File() const { return file_; }

  void Commit() {
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) Fail("cannot write the image: " + SystemError());
    if (std::rename(path_.c_str(), target_.c_str()) != 0) {
      Fail("cannot replace the file: " + SystemError());
    }
    committed_ = true;
  }

  [[noreturn]] void Fail(const std::string& message) const {
    throw InputError(target_, kWholeFile, message);
  }

 private:
  std::string target_;
  std::string path_;
  FILE* file_ = nullptr;
  bool committed_ = false;
};

png_image Describe(int width, int height, png_uint_32 format) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  return image;
}

template <typename Sample>
void WritePng(const std::string& path, int width, int height, png_uint_32 format,
              const std::vector<Sample>& samples) {
  TemporaryFile temporary(path);
  png_image image = Describe(width, height, format);
  const bool written =
      png_image_write_to_stdio(&image, temporary.File(), 0, samples.data(), 0, nullptr) != 0;
  const std::string message = image.message;
  png_image_free(&image);
  if (!written) temporary.Fail("cannot encode the image: " + message);
  temporary.Commit();
}

}  // namespace

uint8_t EncodeSrgb8(double linear) {
  const double x = std::isnan(linear) ? 0.0 : std::clamp(linear, 0.0, 1.0);
  const double encoded = x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1.0 / 2.4) - 0.055;
  return static_cast<uint8_t>(std::lround(encoded * 255.0));
}

uint16_t EncodeHeight16(double height, HeightRange range) {
  const double unit = (height - range.low) / (range.high - range.low);
  const double x = std::isnan(unit) ? 0.0 : std::clamp(unit, 0.0, 1.0);
  return static_cast<uint16_t>(std::lround(x * 65535.0));
}

void WriteColourPng(const std::string& path, const Image& linearColour) {
  std::vector<uint8_t> samples;
  samples.reserve(linearColour.pixels.size() * 3);
  for (const Vector3& pixel : linearColour.pixels) {
    for (double component : {pixel.x, pixel.y, pixel.z}) samples.push_back(EncodeSrgb8(component));
  }
  WritePng(path, linearColour.width, linearColour.height, PNG_FORMAT_RGB, samples);
}

void WriteHeightPng(const std::string& path, const GreyImage& heights, HeightRange range) {
  if (!(std::isfinite(range.low) && std::isfinite(range.high) && range.low < range.high)) {
    throw std::invalid_argument("the height range needs finite bounds, low below high");
  }
  std::vector<uint16_t> samples;
  samples.reserve(heights.pixels.size());
  for (double height : heights.pixels) samples.push_back(EncodeHeight16(height, range));
  // Linear 16-bit grey: the samples are stored as they are, with no gamma applied.
  WritePng(path, heights.width, heights.height, PNG_FORMAT_LINEAR_Y, samples);
}

PngPixels ReadPng(const std::string& path) {
  png_image image = Describe(0, 0, 0);
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    throw InputError(path, kWholeFile, std::string("cannot read the image: ") + image.message);
  }
  PngPixels pixels;
  pixels.width = static_cast<int>(image.width);
  pixels.height = static_cast<int>(image.height);
  pixels.channels = (image.format & PNG_FORMAT_FLAG_COLOR) ? 3 : 1;
  pixels.bitDepth = (image.format & PNG_FORMAT_FLAG_LINEAR) ? 16 : 8;
  image.format &= PNG_FORMAT_FLAG_COLOR | PNG_FORMAT_FLAG_LINEAR;
  const size_t count = static_cast<size_t>(pixels.width) * pixels.height * pixels.channels;
  bool read;
  if (pixels.bitDepth == 16) {
    pixels.samples.resize(count);
    read = png_image_finish_read(&image, nullptr, pixels.samples.data(), 0, nullptr) != 0;
  } else {
    std::vector<uint8_t> bytes(count);
    read = png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) != 0;
    pixels.samples.assign(bytes.begin(), bytes.end());
  }
  const std::string message = image.message;
  png_image_free(&image);
  if (!read) throw InputError(path, kWholeFile, "cannot read the image: " + message);
  return pixels;
}

}  // namespace standin
