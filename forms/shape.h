#pragma once
// A window whose outline is not a rectangle, as data: the region calls that build its shape, in the
// order they are made, and the figures drawn once along its edge. A renderer replays both on the
// native window. All coordinates are pixels relative to the window's top-left corner, y downward;
// they are the client area's too, as shapes are for borderless windows (renderers ignore them on
// any other). Pixels are those of a display of 96 dots per inch: a renderer shows the shape
// Scaled() to its window's resolution, as the window and its controls grow with it.
#include <cstdint>
#include <vector>

namespace pwstd::forms {

// A box as left, top, right, bottom; right and bottom are exclusive.
struct Box {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Combine modes, as the system's region service numbers them.
constexpr int32_t kRgnOr = 2;

enum class RegionStep {
    CreateEllipse,    // Slot = a new elliptic region inscribed in Area
    CreateRectangle,  // Slot = a new rectangular region covering Area
    Combine,          // Slot (an existing region, overwritten) = Source1 <Mode> Source2
    Delete,           // frees the temporary region in Slot
    SetWindowRegion,  // hands the region in Slot to the window (Redraw: repaint at once); the
                      // window owns it from then on, so it is never deleted afterwards
};

// One region call. Regions are told apart by slot numbers, 0, 1, 2, ...
struct RegionOp {
    RegionStep Step = RegionStep::CreateEllipse;
    int Slot = 0;
    Box Area;                       // CreateEllipse, CreateRectangle
    int Source1 = 0, Source2 = 0;   // Combine
    int32_t Mode = kRgnOr;          // Combine
    bool Redraw = true;             // SetWindowRegion
};

struct Point {
    double X = 0, Y = 0;
};

enum class FigureKind { Arc, Line };

// One figure of the outline. An arc is part of a circle; its angles are radians measured from the
// positive x axis, counterclockwise as seen on the screen, and it runs counterclockwise from
// StartAngle to EndAngle.
struct Figure {
    FigureKind Kind = FigureKind::Line;
    Point From, To;                         // Line
    Point Center;                           // Arc
    double Radius = 0;                      // Arc
    double StartAngle = 0, EndAngle = 0;    // Arc
    uint32_t Color = 0;                     // 0x00BBGGRR
    int32_t PenWidth = 1;                   // pixels
};

struct WindowShape {
    std::vector<RegionOp> Regions;  // replayed in order
    std::vector<Figure> Outline;    // drawn in order, once, into the window's persistent image
};

// The screen point at `angle` on the circle of an arc. The screen's y axis points down, so a
// counterclockwise angle goes up: y = centre - r sin(angle).
Point PointOnArc(const Figure& arc, double angle);

// The sweep of an arc in radians, in (0, 2π]: how far it turns counterclockwise from start to end.
double ArcSweep(const Figure& arc);

// The shape on a display of `dpi` dots per inch: every coordinate, radius and pen width times
// dpi / 96, region boxes and pen widths rounded to whole pixels. At 96 it is the shape itself.
WindowShape Scaled(const WindowShape& shape, int dpi);

}  // namespace pwstd::forms
