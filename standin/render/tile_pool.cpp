#include "tile_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace standin {

std::vector<Tile> SplitIntoTiles(int width, int height, int tileSize) {
  std::vector<Tile> tiles;
  for (int y = 0; y < height; y += tileSize) {
    for (int x = 0; x < width; x += tileSize) {
      tiles.push_back({x, y, std::min(x + tileSize, width), std::min(y + tileSize, height)});
    }
  }
  return tiles;
}

int ResolveThreadCount(int requested) {
  if (requested > 0) return requested;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

namespace {

class TileQueue {
 public:
  TileQueue(const std::vector<Tile>& tiles, const TileWork& work, const TileProgress& progress)
      : tiles_(tiles), work_(work), progress_(progress) {}

  void Drain(int threadIndex) {
    try {
      for (size_t i = next_++; i < tiles_.size() && !failed_; i = next_++) {
        work_(tiles_[i], threadIndex);
        Report();
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      failed_ = true;
    }
  }

  void RethrowFailure() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void Report() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    if (progress_) progress_(done_, static_cast<int>(tiles_.size()));
  }

  const std::vector<Tile>& tiles_;
  const TileWork& work_;
  const TileProgress& progress_;
  std::atomic<size_t> next_{0};
  std::atomic<bool> failed_{false};
  std::mutex mutex_;
  int done_ = 0;
  std::exception_ptr failure_;
};

}  // namespace

void RunTiles(const std::vector<Tile>& tiles, int threads, const TileWork& work,
              const TileProgress& progress) {
  TileQueue queue(tiles, work, progress);
  const int workers = std::clamp(ResolveThreadCount(threads), 1, std::max<int>(1, tiles.size()));
  std::vector<std::thread> pool;
  for (int index = 1; index < workers; ++index) {
    // Short of threads, fewer workers make the same result.
    try {
      pool.emplace_back([&queue, index] { queue.Drain(index); });
    } catch (const std::system_error&) {
      break;
    }
  }
  queue.Drain(0);
  for (std::thread& thread : pool) thread.join();
  queue.RethrowFailure();
}

}  // namespace standin
