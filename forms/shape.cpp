#include "forms/shape.h"

#include <cmath>

namespace pwstd::forms {

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

Point PointOnArc(const Figure& arc, double angle) {
    return {arc.Center.X + arc.Radius * std::cos(angle), arc.Center.Y - arc.Radius * std::sin(angle)};
}

double ArcSweep(const Figure& arc) {
    const double sweep = std::fmod(arc.EndAngle - arc.StartAngle, kTwoPi);
    // An arc that ends where it starts is a whole circle, as the system's arc call draws it.
    if (sweep <= 0) return sweep + kTwoPi;
    return sweep;
}

}  // namespace pwstd::forms
