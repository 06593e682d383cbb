// Work split into image tiles, taken in a fixed order by a pool of threads.
#pragma once

#include <functional>
#include <vector>

namespace standin {

struct Tile {
  int x0, y0;  // inclusive
  int x1, y1;  // exclusive
};

std::vector<Tile> SplitIntoTiles(int width, int height, int tileSize);

// 0 or less asks for one thread per hardware thread.
int ResolveThreadCount(int requested);

// Called with the tiles done so far, increasing, one call at a time.
using TileProgress = std::function<void(int tilesDone, int tilesTotal)>;
using TileWork = std::function<void(const Tile& tile, int threadIndex)>;

// Runs `work` once for every tile. The first exception thrown by the work or the progress
// stops the remaining tiles and is rethrown here.
void RunTiles(const std::vector<Tile>& tiles, int threads, const TileWork& work,
              const TileProgress& progress);

}  // namespace standin
