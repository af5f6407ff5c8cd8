// Loaded into each game by tools/cpu-usage.sh (LD_PRELOAD) so that every game compared seeds
// its maze from the same clock reading: the same maze, so the same walk and the same views.
#include <ctime>

extern "C" std::time_t time(std::time_t* out) {
    const std::time_t fixed = 1796083200; // 2026-12-01 00:00 UTC
    if (out) {
        *out = fixed;
    }
    return fixed;
}
