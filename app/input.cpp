// The per-pass input poll: key and button states from SDL's queue, and the pointer.
#include "app/input.h"

#include <algorithm>

// ---- State ----------------------------------------------------------------------------------

KeyState keyStates[keyCount] = {};
KeyState mouseButtonStates[mouseButtonCount] = {};
ScreenPoint pointer = {};
bool cursorDrawn = false;

// ---- Helpers --------------------------------------------------------------------------------

// Takes every queued event of one type; each sets the entry of its key symbol or button number
// to `to`, within the table. SDL answers a negative count when its queue is not running.
static void takeEvents(SDL_EventType type, KeyState* states, int count, KeyState to) {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_EVENTMASK(type)) > 0) {
        const bool key = type == SDL_KEYDOWN || type == SDL_KEYUP;
        const int code = key ? int(event.key.keysym.sym) : int(event.button.button);
        if (code >= 0 && code < count) {
            states[code] = to;
        }
    }
}

// ---- Poll -----------------------------------------------------------------------------------

// A state Pressed at the last poll is merely Held now. Each event type is drained whole before
// the next, so all downs come before all ups: a press and release between two polls ends Up.
void updateInput() {
    std::replace(keyStates, keyStates + keyCount, Pressed, Held);
    takeEvents(SDL_KEYDOWN, keyStates, keyCount, Pressed);
    takeEvents(SDL_KEYUP, keyStates, keyCount, Up);

    std::replace(mouseButtonStates, mouseButtonStates + mouseButtonCount, Pressed, Held);
    takeEvents(SDL_MOUSEBUTTONDOWN, mouseButtonStates, mouseButtonCount, Pressed);
    takeEvents(SDL_MOUSEBUTTONUP, mouseButtonStates, mouseButtonCount, Up);

    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    pointer = pointerInFrame(x, y, presentation);
}

// Either Alt, held or just pressed; the window manager may have taken Alt's own press.
bool fullscreenAsked() {
    const bool alt = keyStates[SDLK_LALT] != Up || keyStates[SDLK_RALT] != Up;
    return keyStates[SDLK_F11] == Pressed || (keyStates[SDLK_RETURN] == Pressed && alt);
}

// Division truncates toward zero, so a pointer a little left of or above the frame maps to 0
// as the clamp would. One past the last pixel: SDL never reports it, but it is a valid position.
ScreenPoint pointerInFrame(int x, int y, Presentation shown) {
    return {std::clamp((x - shown.left) / shown.scale, 0, 640),
            std::clamp((y - shown.top) / shown.scale, 0, 480)};
}
