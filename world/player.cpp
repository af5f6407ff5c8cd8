// Moving and turning the player by the keys and the pointer.
#include "world/player.h"

#include "app/input.h"

#include <cmath>

// ---- State ----------------------------------------------------------------------------------

double playerX = 0.0;
double playerY = 0.0;
double playerAngle = 0.0;

static constexpr double stepLength = 0.025;  // cells per pass, diagonals included
static constexpr double turnPerPixel = 0.01; // degrees per pass per pixel off centre
static constexpr int pointerCentre = 320;    // the pointer column that does not turn
static constexpr int rightButton = 3;

// A key group is down when either of its keys is (SDL key symbols).
struct KeyGroup {
    int letter;
    int arrow;
};
static const KeyGroup forwardKeys = {119, 273}; // W, Up arrow
static const KeyGroup backKeys = {115, 274};    // S, Down arrow
static const KeyGroup leftKeys = {97, 276};     // A, Left arrow
static const KeyGroup rightKeys = {100, 275};   // D, Right arrow

// Degrees added to playerAngle, by forward/back (-1 forward, +1 back) and left/right (-1 left,
// +1 right); the centre stands still. Forward, 270, lies along playerAngle - 90, the view's.
static const int noMove = -1;
static const int directionOffsets[3][3] = {
    {225, 270, 315}, // forward: left, straight, right
    {180, noMove, 0},
    {135, 90, 45}, // back: left, straight, right
};

// ---- Helpers --------------------------------------------------------------------------------

static bool isDown(const KeyGroup& group) {
    return keyStates[group.letter] != Up || keyStates[group.arrow] != Up;
}

// Opposite groups held together cancel out: forward with back stops the player whatever
// left and right say, and so does left with right.
static int chosenOffset() {
    const bool forward = isDown(forwardKeys);
    const bool back = isDown(backKeys);
    const bool left = isDown(leftKeys);
    const bool right = isDown(rightKeys);
    if ((forward && back) || (left && right)) {
        return noMove;
    }
    const int along = forward ? 0 : back ? 2 : 1;
    const int across = left ? 0 : right ? 2 : 1;
    return directionOffsets[along][across];
}

// The pointer is never warped back, so one left off-centre keeps turning the view. Before the
// overlay draws its cursor it means nothing; with the right button down it turns nothing.
static void turnByPointer() {
    if (cursorDrawn && mouseButtonStates[rightButton] == Up) {
        playerAngle = playerAngle + (pointer.x - pointerCentre) * turnPerPixel;
    }
}

// ---- Motion ---------------------------------------------------------------------------------

void movePlayer() {
    const int offset = chosenOffset();
    turnByPointer();
    if (offset == noMove) {
        return;
    }
    const double theta = (offset + playerAngle) * radiansPerDegree;
    playerX = playerX + std::cos(theta) * stepLength;
    playerY = playerY + std::sin(theta) * stepLength;
}
