// The about window's behaviour against the control model: what it shows and what closes it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/about/abox.h"

namespace pwstd {
namespace {

using forms::ControlKind;

struct UnloadCounter final : forms::FormObserver {
    int unloads = 0;
    void ControlChanged(forms::Control&, forms::Property) override {}
    void FocusMoved(forms::Control&) override {}
    void Unloaded() override { ++unloads; }
};

class ABoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.SetObserver(&observer);
        box.Load();
    }
    ABox box;
    UnloadCounter observer;
};

TEST_F(ABoxTest, IsABorderlessWindowOfThreeHundredFiftyTwoByOneHundredFiftyPixels) {
    const forms::FormSpec& desc = box.Layout();
    EXPECT_EQ(desc.Border, forms::BorderStyle::None);
    EXPECT_FALSE(desc.ShowIcon);
    EXPECT_EQ(desc.ClientWidth, 5280);
    EXPECT_EQ(desc.ClientHeight, 2250);
    EXPECT_NE(box.Shape(), nullptr);
}

TEST_F(ABoxTest, ShowsTheTitleTheDescriptionTheCreditTheIconAndOk) {
    struct Row {
        const char* name;
        int index;
        ControlKind kind;
        forms::Rect place;
        std::string caption;
        int32_t size;
        bool bold;
    };
    // The title names the release: the project version's major and minor ("1.5.0" shows "v1.5").
    const std::string version = PWSTD_VERSION;
    const std::string title = "Padwright Standard v" + version.substr(0, version.rfind('.'));
    const Row rows[] = {
        {"Label1", 0, ControlKind::Label, {360, 120, 4575, 375}, title, 18, true},
        {"Label1", 1, ControlKind::Label, {360, 540, 4575, 255}, "ジョイスティックで仮想キーボード", 12, true},
        {"Label1", 2, ControlKind::Label, {1440, 840, 3495, 255}, "Presented by ＮＡＧＩ", 12, true},
        {"Image1", -1, ControlKind::Image, {840, 840, 540, 540}, "", 0, false},
        {"Command1", -1, ControlKind::CommandButton, {2160, 1080, 1215, 375}, "OK", 12, false},
    };
    ASSERT_EQ(box.Controls().size(), std::size(rows));
    for (const Row& row : rows) {
        const forms::Control& control = box.Find(row.name, row.index);
        const forms::ControlSpec& desc = control.layout();
        SCOPED_TRACE(std::string(row.name) + "(" + std::to_string(row.index) + ")");
        EXPECT_EQ(control.kind(), row.kind);
        EXPECT_EQ(desc.Place.Left, row.place.Left);
        EXPECT_EQ(desc.Place.Top, row.place.Top);
        EXPECT_EQ(desc.Place.Width, row.place.Width);
        EXPECT_EQ(desc.Place.Height, row.place.Height);
        EXPECT_EQ(control.Caption(), row.caption);
        if (row.kind == ControlKind::Image) {
            EXPECT_EQ(desc.Picture, kProgramIconResource);
            continue;
        }
        EXPECT_EQ(desc.TextFont.Name, "ＭＳ Ｐゴシック");
        EXPECT_EQ(desc.TextFont.Size, row.size);
        EXPECT_EQ(desc.TextFont.Bold, row.bold);
    }
    EXPECT_TRUE(box.Find("Command1").layout().Default);
    EXPECT_FALSE(box.Find("Command1").layout().Cancel);
    EXPECT_EQ(box.Focused(), &box.Find("Command1"));
}

TEST_F(ABoxTest, OkEnterAndAMousePressOnTheSurfaceCloseItAndEscLabelsAndTheIconDoNot) {
    using Action = void (*)(ABox&);
    struct Row {
        const char* what;
        Action act;
        bool closes;
    };
    const Row rows[] = {
        {"OK", [](ABox& b) { b.Find("Command1").UserClick(); }, true},
        {"Enter", [](ABox& b) { b.PressEnter(); }, true},
        {"left press on the surface", [](ABox& b) { b.UserMouseDown(1, 0, 10, 10); }, true},
        {"right press with Shift", [](ABox& b) { b.UserMouseDown(2, 1, 3000, 600); }, true},
        {"Esc", [](ABox& b) { b.PressEscape(); }, false},
        {"press on the title", [](ABox& b) { b.Find("Label1", 0).UserMouseDown(); }, false},
        {"press on the icon", [](ABox& b) { b.Find("Image1").UserMouseDown(); }, false},
    };
    for (const Row& row : rows) {
        box.Load();
        observer.unloads = 0;
        row.act(box);
        EXPECT_EQ(!box.Loaded(), row.closes) << row.what;
        EXPECT_EQ(observer.unloads, row.closes ? 1 : 0) << row.what;
    }
}

TEST(AboutOutline, EightFiguresInTheirOrderWithTwoPixelPensInTwoGrays) {
    constexpr uint32_t gray = 0x808080, light = 0xA0A0A0;
    using forms::FigureKind;
    struct Row {
        FigureKind kind;
        double a, b, c, d;  // arc: centre x, y, radius, unused; line: x1, y1, x2, y2
        double from, to;
        uint32_t color;
    };
    const Row rows[] = {
        {FigureKind::Arc, 75, 75, 73, 0, 1.57079632675, 5.96902604165, gray},
        {FigureKind::Arc, 75, 75, 71, 0, 1.57079632675, 5.96902604165, light},
        {FigureKind::Line, 76, 2, 276, 2, 0, 0, gray},
        {FigureKind::Line, 76, 4, 276, 4, 0, 0, light},
        {FigureKind::Line, 145, 98, 207, 98, 0, 0, gray},
        {FigureKind::Line, 145, 96, 207, 96, 0, 0, light},
        {FigureKind::Arc, 275, 75, 73, 0, 3.48716784538, 1.57079632675, gray},
        {FigureKind::Arc, 275, 75, 71, 0, 3.48716784538, 1.57079632675, light},
    };
    const auto& outline = ABox().Shape()->Outline;
    ASSERT_EQ(outline.size(), std::size(rows));
    for (size_t i = 0; i < outline.size(); ++i) {
        const forms::Figure& f = outline[i];
        const Row& row = rows[i];
        SCOPED_TRACE("figure " + std::to_string(i + 1));
        EXPECT_EQ(f.Kind, row.kind);
        EXPECT_EQ(f.Color, row.color);
        EXPECT_EQ(f.PenWidth, 2);
        if (row.kind == FigureKind::Arc) {
            EXPECT_EQ(f.Center.X, row.a);
            EXPECT_EQ(f.Center.Y, row.b);
            EXPECT_EQ(f.Radius, row.c);
            EXPECT_NEAR(f.StartAngle, row.from, 1e-10);
            EXPECT_NEAR(f.EndAngle, row.to, 1e-10);
        } else {
            EXPECT_EQ(f.From.X, row.a);
            EXPECT_EQ(f.From.Y, row.b);
            EXPECT_EQ(f.To.X, row.c);
            EXPECT_EQ(f.To.Y, row.d);
        }
    }
}

}  // namespace
}  // namespace pwstd
