// Progress of long work on stderr. Work that ends within a moment shows nothing; longer work
// shows one line, rewritten in place as it goes ("rendering 1200x900: 45%"), and ended with a
// line break, so whatever is printed next starts on a line of its own.
#pragma once

#include <chrono>
#include <string>

#include "tile_pool.h"

namespace standin {

class ProgressLine {
 public:
  explicit ProgressLine(std::string task);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // For RunTiles and the functions built on it; valid while this object is.
  TileProgress Reporter();

 private:
  void Show(int done, int total);

  std::string task_;
  std::chrono::steady_clock::time_point start_;
  int shownPercent_ = -1;
};

}  // namespace standin
