// Preloaded into the game by install_test.sh: time() always gives the same second, so two
// runs seed rand() alike and carve the same maze, and their clocks agree.
#include <ctime>

extern "C" time_t time(time_t* out) noexcept {
    const time_t fixed = 1700000000; // 14 November 2023
    if (out) {
        *out = fixed;
    }
    return fixed;
}
