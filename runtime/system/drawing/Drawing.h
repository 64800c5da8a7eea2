#pragma once

#include "runtime/system/strings/String.h"

#include <cstdint>

namespace nevalon::system {

// Bits of SetDrawingMode.
enum DrawingMode : int64_t {
    // Text leaves the pixels between its glyphs as they were, instead of filling its box first.
    DrawingTransparentText = 1,
    // FillBox draws the box's edges only.
    DrawingOutlined = 4,
    // Fills are laid over the pixels by their alpha, instead of replacing them.
    DrawingAlphaBlend = 16,
};

// A colour: r | g << 8 | b << 16 | a << 24, each taken as a byte.
int64_t MakeRgba(int64_t red, int64_t green, int64_t blue, int64_t alpha);

// A drawing target on the image's pixels for BeginDrawing (an open pass is ended first); 0 for an unknown
// number.
int64_t ImageCanvas(int64_t image);

// Opens the drawing pass on the canvas ImageCanvas last gave: mode 0, no font. Nonzero on success; 0 for any
// other value or a pass already open.
int64_t BeginDrawing(int64_t canvas);

// Ends the open pass: its mode and font end with it; the pixels stay. Does nothing without a pass.
void EndDrawing();

// Replaces the pass's mode bits (DrawingMode).
void SetDrawingMode(int64_t mode);

// Sets text in the platform font with this handle (a platform::Font); any other value sets the default font.
void SetDrawingFont(int64_t font);

// Fills the box in `colour` (outlines it with DrawingOutlined); a negative width or height extends it left
// or up from x or y. Clipped to the image; nothing without an open pass.
void FillBox(int64_t x, int64_t y, int64_t width, int64_t height, int64_t colour);

// Fills the box as FillBox does, with its corners cut along ellipse quadrants of the radii, each clamped to
// half the box's size; the edges are not smoothed.
void FillRoundBox(int64_t x, int64_t y, int64_t width, int64_t height, int64_t radiusX, int64_t radiusY,
                  int64_t colour);

// Width and height in pixels of the text set on one line in the pass's font (the default font outside a
// pass), a point of the font being a pixel.
double MeasureTextWidth(const String& text);
double MeasureTextHeight(const String& text);

// Draws the text with the top-left corner of its line box at (x, y) in `colour`, always laid over the pixels
// by its coverage; without DrawingTransparentText its box is filled in opaque black first. Returns x plus
// the text's width; draws nothing without an open pass.
double PaintText(double x, double y, const String& text, int64_t colour);

} // namespace nevalon::system
