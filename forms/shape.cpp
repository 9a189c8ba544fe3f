#include "forms/shape.h"

#include <cmath>

namespace pwstd::forms {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kDescribedDpi = 96;

int32_t ScalePixels(int32_t pixels, int dpi) {
    return static_cast<int32_t>(std::lround(static_cast<double>(pixels) * dpi / kDescribedDpi));
}

Point ScalePoint(Point point, double factor) { return {point.X * factor, point.Y * factor}; }

}  // namespace

Point PointOnArc(const Figure& arc, double angle) {
    return {arc.Center.X + arc.Radius * std::cos(angle), arc.Center.Y - arc.Radius * std::sin(angle)};
}

double ArcSweep(const Figure& arc) {
    const double sweep = std::fmod(arc.EndAngle - arc.StartAngle, kTwoPi);
    // An arc that ends where it starts is a whole circle, as the system's arc call draws it.
    if (sweep <= 0) return sweep + kTwoPi;
    return sweep;
}

WindowShape Scaled(const WindowShape& shape, int dpi) {
    WindowShape scaled = shape;
    for (RegionOp& op : scaled.Regions) {
        op.Area = {ScalePixels(op.Area.Left, dpi), ScalePixels(op.Area.Top, dpi), ScalePixels(op.Area.Right, dpi),
                   ScalePixels(op.Area.Bottom, dpi)};
    }
    const double factor = static_cast<double>(dpi) / kDescribedDpi;
    for (Figure& figure : scaled.Outline) {
        figure.From = ScalePoint(figure.From, factor);
        figure.To = ScalePoint(figure.To, factor);
        figure.Center = ScalePoint(figure.Center, factor);
        figure.Radius *= factor;
        figure.PenWidth = ScalePixels(figure.PenWidth, dpi);
    }
    return scaled;
}

}  // namespace pwstd::forms
