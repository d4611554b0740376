#pragma once

#include <cstdint>
#include <vector>

#include "gradient/geometry.h"
#include "gradient/look.h"

namespace pellwise {

// Radius of a corner along one side: the look's radius, or half the side
// (rounded up) when two such corners would not fit.
int CornerRadius(std::int32_t corner, int side);

// The caption area: the client rectangle with the content margins, less the
// room the largest shadow of any look needs, so the caption stays in place
// whichever look is shown.
Rect CaptionArea(const Rect& client, const Rect& margins, const LookSet& looks);

// Places the measured caption rectangle in the caption area: clipped to it,
// cut to a whole number of line heights (at least one) and aligned.
// hAlign 0 left, 1 centre, 2 right; vAlign 0 centre, 1 top, 2 bottom.
Rect FitCaption(const Rect& measured, const Rect& area, int lineHeight, std::uint8_t hAlign, std::uint8_t vAlign);

// Colour of step i of n of the program's own gradient fill: each channel is
// c1 + (c2 - c1) * i / n, truncated; step 0 of 0 is c1. Colours are RGB.
Color BandColor(Color c1, Color c2, int i, int n);

// How a gradient is laid out on its narrow tile and copied over the body.
struct GradientTile {
    int Width = 0;
    int Height = 0;
    int PartWidth = 0;  // the part the gradient runs over; the rest is mirrored
    int PartHeight = 0;
    int Steps = 0;
    bool BandsMoveDown = false;  // one-pixel rows moving down, else columns moving right
    bool Mirrored = false;       // a second band moves from the far edge
};

// Nothing to draw when the body is empty or the style has no gradient.
bool PlanGradientTile(std::uint8_t style, int width, int height, GradientTile& tile);
// Band height of the diagonal styles.
int DiagonalBand(int height);
// Where the tile is copied to cover the body r.
std::vector<Rect> TileCopies(std::uint8_t style, const Rect& r, const GradientTile& tile);

}  // namespace pellwise
