// Preloaded into the game by bench/pass-time.sh: the CPU time of the game's thread from each
// SDL_PumpEvents (a pass's start) to the SDL_Flip that ends it, summed into /tmp/plint-pass.PID
// as two 64-bit counts, nanoseconds and passes, which the script reads while the game runs.
// Unlike the process's share it leaves out sleeping and the flip, so two builds' drawing
// compares within a few per cent.
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

static uint64_t* totals = nullptr; // nanoseconds, passes
static uint64_t passStart = 0;

static uint64_t threadNanoseconds() {
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec);
}

static void mapTotals() {
    char name[64];
    std::snprintf(name, sizeof name, "/tmp/plint-pass.%d", int(getpid()));
    const int file = open(name, O_RDWR | O_CREAT | O_TRUNC, 0644);
    if (file < 0 || ftruncate(file, 2 * sizeof(uint64_t)) != 0) {
        return;
    }
    void* mapped = mmap(nullptr, 2 * sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    totals = mapped == MAP_FAILED ? nullptr : static_cast<uint64_t*>(mapped);
    close(file);
}

extern "C" void SDL_PumpEvents(void) {
    static auto pump = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_PumpEvents"));
    if (!totals) {
        mapTotals();
    }
    passStart = threadNanoseconds();
    pump();
}

extern "C" int SDL_Flip(SDL_Surface* surface) {
    static auto flip = reinterpret_cast<int (*)(SDL_Surface*)>(dlsym(RTLD_NEXT, "SDL_Flip"));
    if (totals && passStart) {
        totals[0] += threadNanoseconds() - passStart;
        totals[1] += 1;
    }
    return flip(surface);
}
