// The image loaders under libFuzzer: each input is written to a scratch file and loaded the
// ways the game loads its images, on SDL's dummy display. Built and run by fuzz-images.sh.
#include "app/frame.h"
#include "app/image.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

static std::string scratch;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    screen = SDL_SetVideoMode(640, 480, 32, 0);
    scratch = "/tmp/plint-fuzz-" + std::to_string(getpid()) + ".png";
    return screen ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::FILE* file = std::fopen(scratch.c_str(), "wb");
    if (!file) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    SDL_FreeSurface(loadImage(scratch.c_str(), screenImageLimit));
    SDL_FreeSurface(loadAlphaImage(scratch.c_str(), ImageLimit{3072, 192}));
    return 0;
}
