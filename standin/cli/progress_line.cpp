#include "progress_line.h"

#include <cstdio>

namespace standin {

namespace {

constexpr std::chrono::milliseconds kMoment{500};

}  // namespace

ProgressLine::ProgressLine(std::string task)
    : task_(std::move(task)), start_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
  if (shownPercent_ >= 0) std::fputc('\n', stderr);
}

TileProgress ProgressLine::Reporter() {
  return [this](int done, int total) { Show(done, total); };
}

void ProgressLine::Show(int done, int total) {
  const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
  if (percent == shownPercent_) return;
  if (shownPercent_ < 0 && std::chrono::steady_clock::now() - start_ < kMoment) return;
  shownPercent_ = percent;
  std::fprintf(stderr, "\r%s: %3d%%", task_.c_str(), percent);
  std::fflush(stderr);
}

}  // namespace standin
