#include "engine/output/mouse_cursor.h"

#include <algorithm>
#include <cmath>

namespace pwstd {

namespace {
constexpr double kHalfRange = 32767.5;
}  // namespace

MouseCursor::MouseCursor(int32_t speed, int32_t dead_zone, int32_t curve)
    : speed_(std::clamp(speed, 50, 5000)),
      dead_(std::clamp(dead_zone, 0, 90) / 100.0),
      curve_(std::clamp(curve, 1, 3)) {}

CursorStep MouseCursor::Step(uint32_t x, uint32_t y, int32_t wait) {
    const double nx = (static_cast<double>(x) - kHalfRange) / kHalfRange;
    const double ny = (static_cast<double>(y) - kHalfRange) / kHalfRange;
    const double n = std::sqrt(nx * nx + ny * ny);
    const double r = std::min(1.0, n);
    if (r <= dead_ || wait <= 0) {
        Clear();
        return {};
    }
    const double past = (r - dead_) / (1.0 - dead_);
    double m = past;
    for (int32_t i = 1; i < curve_; ++i) m *= past;
    const double pixels = speed_ * m * wait / 1000.0;
    carried_x_ += pixels * nx / n;
    carried_y_ += pixels * ny / n;
    const double whole_x = std::trunc(carried_x_);
    const double whole_y = std::trunc(carried_y_);
    carried_x_ -= whole_x;
    carried_y_ -= whole_y;
    return {static_cast<int32_t>(whole_x), static_cast<int32_t>(whole_y)};
}

}  // namespace pwstd
