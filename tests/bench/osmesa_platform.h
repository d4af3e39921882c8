// osmesa_platform.h -- the game on an off-screen Mesa canvas: platform, canvas, pixels and pictures
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <GL/osmesa.h>

// One screen pixel as the rasterizer left it.
struct Pixel {
    int r;
    int g;
    int b;
};

// An RGBA colour buffer with a depth buffer, current while open.
struct OsmesaCanvas {
    OSMesaContext context;
    int width;
    int height;
    std::vector<std::uint8_t> rgba;  // bottom row first, as OpenGL stores it
};

// Creates the canvas and makes it current; false when Mesa refuses.
bool OpenCanvas(OsmesaCanvas& canvas, int width, int height);

// Releases the context; the canvas can be opened again.
void CloseCanvas(OsmesaCanvas& canvas);

// Opens the canvas and prepares it as the game's start-up does: every piece of
// game state fresh, then the first render state for a screen of that size.
bool StartOnCanvas(OsmesaCanvas& canvas, int width, int height);

// The pixel x from the left and y from the top; frames end with glFinish, so
// the buffer is complete once a frame has returned.
Pixel PixelAt(const OsmesaCanvas& canvas, int x, int y);

// Writes the canvas as an 8-bit RGB PNG, top row first; false on a write error.
bool WritePng(const OsmesaCanvas& canvas, const std::string& path);
