// One world pass and the ray caster alone, on a fixed maze at 32 bits per pixel. Run from
// the repository root with SDL_VIDEODRIVER=dummy so Media/ is found and no window opens.
#include "bench.h"
#include "world/maze.h"
#include "world/player.h"
#include "world/raycast.h"
#include "world/view.h"

#include <benchmark/benchmark.h>

namespace {

// Room centres are open in any maze, so these positions are open in the fixed one too.
struct Spot {
    double x, y, angle;
};
const Spot spots[] = {
    {1.5, 1.5, 0.0},     // the start, facing the outer wall half a cell away
    {17.5, 7.5, 90.0},   // mid-maze, looking along X
    {33.5, 13.5, 225.0}, // the far corner, looking back diagonally
    {1.16, 1.5, 270.0}   // pressed against the outer wall, as walking into one leaves the player
};

void placeAt(const Spot& spot) {
    playerX = spot.x;
    playerY = spot.y;
    playerAngle = spot.angle;
}

void worldPass(benchmark::State& state) {
    openGame();
    placeAt(spots[state.range(0)]);
    for (auto _ : state) {
        runWorldFrame();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(worldPass)->Apply(fixedPasses)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The 640 rays of one view, without drawing.
void castViewRays(benchmark::State& state) {
    openGame();
    placeAt(spots[state.range(0)]);
    for (auto _ : state) {
        double rayAngle = (playerAngle - 90) * radiansPerDegree - halfFieldOfView;
        for (int k = 0; k < 640; ++k) {
            rayAngle = rayAngle + rayAngleStep;
            castRay(rayAngle);
            benchmark::DoNotOptimize(rayHitX);
        }
    }
}
BENCHMARK(castViewRays)->Apply(fixedPasses)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace
