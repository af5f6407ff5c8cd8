// The per-pass input poll: key and button states from SDL's queue, and the pointer.
#include "app/input.h"

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

KeyState keyStates[keyCount] = {};
KeyState mouseButtonStates[mouseButtonCount] = {};
ScreenPoint pointer = {};
bool cursorDrawn = false;

// ---------------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------------

// A state that was Pressed at the last poll is merely Held now.
static void demote(KeyState* states, int count) {
    for (int i = 0; i < count; ++i) {
        if (states[i] != Up) {
            states[i] = Held;
        }
    }
}

// Takes every queued event of one type; each names an entry by its code, which is set to
// `to` when it is within the table. SDL answers a negative count when its queue is not
// running, which ends the loop just as an empty queue does.
template <typename CodeOf>
static void takeEvents(SDL_EventType type, KeyState* states, int count, KeyState to,
                       CodeOf codeOf) {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_EVENTMASK(type)) > 0) {
        const int code = codeOf(event);
        if (code >= 0 && code < count) {
            states[code] = to;
        }
    }
}

static int keySymbol(const SDL_Event& event) {
    return event.key.keysym.sym;
}
static int buttonNumber(const SDL_Event& event) {
    return event.button.button;
}

static int32_t clampTo(int value, int high) {
    return value < 0 ? 0 : value > high ? high : value;
}

// The upper bounds are one past the last pixel: SDL never reports them, but they are
// valid positions.
static ScreenPoint clampPointer(int x, int y) {
    ScreenPoint p;
    p.x = clampTo(x, 640);
    p.y = clampTo(y, 480);
    return p;
}

// ---------------------------------------------------------------------------------------------
// Poll
// ---------------------------------------------------------------------------------------------

// Each event type is drained whole before the next, so within one poll all downs are
// applied before all ups: a press and release between two polls ends Up.
void updateInput() {
    demote(keyStates, keyCount);
    takeEvents(SDL_KEYDOWN, keyStates, keyCount, Pressed, keySymbol);
    takeEvents(SDL_KEYUP, keyStates, keyCount, Up, keySymbol);

    demote(mouseButtonStates, mouseButtonCount);
    takeEvents(SDL_MOUSEBUTTONDOWN, mouseButtonStates, mouseButtonCount, Pressed, buttonNumber);
    takeEvents(SDL_MOUSEBUTTONUP, mouseButtonStates, mouseButtonCount, Up, buttonNumber);

    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    pointer = clampPointer(x, y);
}
