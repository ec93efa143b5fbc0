// The gallery's page of drawing primitives: text in the mapped fonts,
// pens, brushes, shapes, edges, inversion and block transfers.
#pragma once

class CDC;

namespace gallery {

inline constexpr int kPageWidth = 900;
inline constexpr int kPageHeight = 700;

// Draws the page into `dc` with its top-left corner at logical (0, 0).
void DrawDrawingPage(CDC& dc);

}  // namespace gallery
