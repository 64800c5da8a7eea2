#pragma once

#include <cstdint>

namespace nevalon::system {

// The background of NewImage that leaves every pixel clear (0, 0, 0, 0).
inline constexpr int64_t kTransparentBackground = -1;

// Starts the image library; 1.
int64_t InitImages();

// Ends an open drawing pass and frees every image.
void EndImages();

// A width x height image (each 1 to 65535 pixels) under `image` (-1: a new number), a live image there being
// freed first. Pixels are 32-bit RGBA whatever the `depth`. kTransparentBackground (or 0xFFFFFFFF) clears
// every pixel; any other value fills them with its red, green and blue, opaque. Returns the new number for
// -1, the platform image's handle for a fixed number; 0 on failure, the number then names nothing.
[[nodiscard]] int64_t NewImage(int64_t image, int64_t width, int64_t height, int64_t depth = 32,
                               int64_t background = kTransparentBackground);

// Frees the image (-1: every image); an unknown number does nothing. Its platform image lives on while
// someone else (an image gadget, an open drawing pass) holds it.
void DisposeImage(int64_t image);

// 1 when the number names an image, else 0.
int64_t ImageExists(int64_t image);

// The handle of the image's platform image (a platform::Image), which an image gadget displays; 0 for an
// unknown number. The image keeps its own reference.
int64_t ImageHandle(int64_t image);

} // namespace nevalon::system
