#pragma once
// Non-rectangular windows: the region of a forms::WindowShape built with the system's region calls,
// and its outline drawn once into an image the window keeps and shows whenever it is painted.
// Native windows keep no drawing of their own between paints, hence the image. UI thread only.
#include <windows.h>

#include "forms/shape.h"

namespace pwstd {

// Replays the shape's region steps with CreateEllipticRgn, CreateRectRgn, CombineRgn, DeleteObject
// and SetWindowRgn, in their order, then draws the outline into the window's image. The region
// handed to the window belongs to the window from then on. Call once the window has its size;
// calling it again replaces the image. No result is examined.
void ApplyWindowShape(HWND window, const forms::WindowShape& shape);

// Copies the outline image onto `dc` (the window's client area, as from BeginPaint). Returns false,
// painting nothing, when the window has no image.
bool PaintWindowShape(HWND window, HDC dc);

// Frees the window's image; call when the window is destroyed (WM_DESTROY).
void ReleaseWindowShape(HWND window);

}  // namespace pwstd
