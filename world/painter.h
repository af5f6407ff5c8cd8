// The wall painter: what the view worked out for each column, put on the screen.
#pragma once

constexpr int viewColumns = 640; // one ray each
constexpr int viewRows = 480;

// Everything a column needs to paint its wall, worked out before any pixel is written.
struct WallSpan {
    int first = 0;            // first screen row painted, 1 or more
    int rows = 0;             // rows painted from first down
    double v = 0.0;           // texture row at first, then the painter's running sum
    double vStep = 0.0;       // texture rows per screen row
    int texelColumn = 0;      // start of the texture column in the planes
    int shade = 0;            // subtracted from each channel
    bool repeatsLeft = false; // the column to the left's hit, so all of the above is the same
};

// Called by drawWorld first in a pass, with the view's 640 spans: the background image on the
// rows the walls leave showing in each band of columns; under a missing or smaller image, a
// plain colour first, then whatever of the image there is.
void drawBackground(const WallSpan* spans);

// Called by drawWorld after drawBackground: each column's wall from its span, textured and
// shaded by distance, the screen locked around the painting where SDL asks for it.
void drawWalls(const WallSpan* spans);
