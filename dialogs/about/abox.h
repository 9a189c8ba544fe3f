#pragma once
// The about window: the product title, a one-line description and the author credit in a
// borderless window shaped as two discs joined by a bar across their upper halves, edged with a
// two-tone line. It closes on its OK button or on a mouse press anywhere on its own surface.
#include <cstdint>
#include <vector>

#include "forms/form.h"
#include "forms/shape.h"

namespace pwstd {

// The icon resource the program shows as its own icon.
constexpr int32_t kProgramIconResource = 1;

class ABox final : public forms::Form {
public:
    ABox() = default;

    const forms::FormSpec& Layout() const override;
    // The same shape at every opening, in pixels of a 96-dpi display; the renderer builds the
    // native region and outline from it, scaled to the window's resolution, each time it creates
    // the window (and again when the window moves to a display of another scale), then centres
    // the window on the screen.
    const forms::WindowShape* Shape() const override;

protected:
    std::vector<forms::ControlSpec> Declare() const override;
    void Connect() override;
    void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;

private:
    void Command1_Click();
    static std::vector<forms::RegionOp> BuildRegion();
    static std::vector<forms::Figure> DrawOutline();
};

}  // namespace pwstd
