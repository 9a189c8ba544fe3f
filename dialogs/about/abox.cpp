#include "dialogs/about/abox.h"

namespace pwstd {

using forms::Box;
using forms::ControlKind;
using forms::ControlSpec;
using forms::Figure;
using forms::FigureKind;
using forms::RegionOp;
using forms::RegionStep;

namespace {

constexpr int32_t kTwipsPerPixel = 15;
constexpr double kPi = 3.1415926535;
constexpr uint32_t kGray = forms::Rgb(128, 128, 128);
constexpr uint32_t kLightGray = forms::Rgb(160, 160, 160);
constexpr int32_t kPenWidth = 2;

const char* const kFace = "ＭＳ Ｐゴシック";

forms::Rect Pixels(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {left * kTwipsPerPixel, top * kTwipsPerPixel, width * kTwipsPerPixel, height * kTwipsPerPixel};
}

// The regions the shape is built from, by slot.
enum Slot : int { kLeftDisc, kRightDisc, kBar, kPair, kWindowRegion };

Figure Arc(double x, double y, double radius, double from, double to, uint32_t color) {
    return {.Kind = FigureKind::Arc, .Center = {x, y}, .Radius = radius, .StartAngle = from, .EndAngle = to,
            .Color = color, .PenWidth = kPenWidth};
}

Figure Line(double x1, double y1, double x2, double y2, uint32_t color) {
    return {.Kind = FigureKind::Line, .From = {x1, y1}, .To = {x2, y2}, .Color = color, .PenWidth = kPenWidth};
}

}  // namespace

const forms::FormSpec& ABox::Layout() const {
    static const forms::FormSpec desc{.ClientWidth = 352 * kTwipsPerPixel,
                                      .ClientHeight = 150 * kTwipsPerPixel,
                                      .Border = forms::BorderStyle::None,
                                      .ShowIcon = false,
                                      .TextFont = {.Name = kFace, .Size = 12, .Bold = true}};
    return desc;
}

const forms::WindowShape* ABox::Shape() const {
    static const forms::WindowShape shape{BuildRegion(), DrawOutline()};
    return &shape;
}

std::vector<ControlSpec> ABox::Declare() const {
    const forms::Font title{.Name = kFace, .Size = 18, .Bold = true};
    const forms::Font text{.Name = kFace, .Size = 12, .Bold = true};
    const forms::Font button{.Name = kFace, .Size = 12, .Bold = false};
    return {
        {.Kind = ControlKind::Label, .Name = "Label1", .Index = 0, .Place = Pixels(24, 8, 305, 25),
         .Caption = "Padwright Standard v" PWSTD_TITLE_VERSION, .TextFont = title},
        {.Kind = ControlKind::Label, .Name = "Label1", .Index = 1, .Place = Pixels(24, 36, 305, 17),
         .Caption = "ジョイスティックで仮想キーボード", .TextFont = text},
        {.Kind = ControlKind::Label, .Name = "Label1", .Index = 2, .Place = Pixels(96, 56, 233, 17),
         .Caption = "Presented by ＮＡＧＩ", .TextFont = text},
        {.Kind = ControlKind::Image, .Name = "Image1", .Place = Pixels(56, 56, 36, 36),
         .Picture = kProgramIconResource},
        {.Kind = ControlKind::CommandButton, .Name = "Command1", .Place = Pixels(144, 72, 81, 25), .Caption = "OK",
         .TabIndex = 0, .TextFont = button, .Default = true},
    };
}

void ABox::Connect() {
    Find("Command1").Click = [this] { Command1_Click(); };
}

void ABox::Command1_Click() { Unload(); }

void ABox::Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    Unload();
}

// Two discs of 150 pixels and the bar across their upper halves, united into one region that the
// window keeps; the temporary regions are freed before it is handed over.
std::vector<RegionOp> ABox::BuildRegion() {
    const Box left_disc{1, 1, 151, 151};
    return {
        {.Step = RegionStep::CreateEllipse, .Slot = kLeftDisc, .Area = left_disc},
        {.Step = RegionStep::CreateEllipse, .Slot = kRightDisc, .Area = {201, 1, 351, 151}},
        {.Step = RegionStep::CreateRectangle, .Slot = kBar, .Area = {76, 1, 276, 100}},
        // Only destinations of the unions below: their own ellipses are overwritten.
        {.Step = RegionStep::CreateEllipse, .Slot = kPair, .Area = left_disc},
        {.Step = RegionStep::CreateEllipse, .Slot = kWindowRegion, .Area = left_disc},
        {.Step = RegionStep::Combine, .Slot = kPair, .Source1 = kLeftDisc, .Source2 = kRightDisc,
         .Mode = forms::kRgnOr},
        {.Step = RegionStep::Combine, .Slot = kWindowRegion, .Source1 = kPair, .Source2 = kBar,
         .Mode = forms::kRgnOr},
        {.Step = RegionStep::Delete, .Slot = kLeftDisc},
        {.Step = RegionStep::Delete, .Slot = kRightDisc},
        {.Step = RegionStep::Delete, .Slot = kBar},
        {.Step = RegionStep::Delete, .Slot = kPair},
        {.Step = RegionStep::SetWindowRegion, .Slot = kWindowRegion, .Redraw = true},
    };
}

// The edge: each disc's arc leaves open the part where the bar joins it, and two pairs of lines
// run along the top of the bar and along its lower edge between the discs.
std::vector<Figure> ABox::DrawOutline() {
    return {
        Arc(75, 75, 73, kPi / 2, 1.9 * kPi, kGray),
        Arc(75, 75, 71, kPi / 2, 1.9 * kPi, kLightGray),
        Line(76, 2, 276, 2, kGray),
        Line(76, 4, 276, 4, kLightGray),
        Line(145, 98, 207, 98, kGray),
        Line(145, 96, 207, 96, kLightGray),
        Arc(275, 75, 73, 1.11 * kPi, kPi / 2, kGray),
        Arc(275, 75, 71, 1.11 * kPi, kPi / 2, kLightGray),
    };
}

}  // namespace pwstd
