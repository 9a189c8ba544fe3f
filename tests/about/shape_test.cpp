// The about window's shape replayed the way the system's region service would run it: a recording
// region table checks the order and ownership of every call, and a point test of the resulting
// region checks the outline the user sees.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/about/abox.h"

namespace pwstd {
namespace {

using forms::Box;
using forms::Figure;
using forms::FigureKind;
using forms::RegionStep;

// A region as a predicate over pixels, built like the system builds it.
struct Region {
    enum { Ellipse, Rectangle, Union } kind = Rectangle;
    Box area;
    std::shared_ptr<Region> a, b;

    bool Contains(int x, int y) const {
        switch (kind) {
            case Rectangle: return x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom;
            case Ellipse: {
                // Inscribed in the box, tested at the pixel's centre.
                const double rx = (area.Right - area.Left) / 2.0, ry = (area.Bottom - area.Top) / 2.0;
                const double dx = (x + 0.5 - area.Left - rx) / rx, dy = (y + 0.5 - area.Top - ry) / ry;
                return dx * dx + dy * dy <= 1.0;
            }
            case Union: return a->Contains(x, y) || b->Contains(x, y);
        }
        return false;
    }
};

// Replays the region steps, logging each as the system call it stands for, and enforcing what the
// system needs: a region exists before it is used and is freed at most once.
struct RegionReplay {
    std::vector<std::string> calls;
    std::map<int, std::shared_ptr<Region>> live;
    std::shared_ptr<Region> window;
    std::vector<std::string> faults;

    static std::string Text(const Box& b) {
        return std::to_string(b.Left) + "," + std::to_string(b.Top) + "," + std::to_string(b.Right) + "," +
               std::to_string(b.Bottom);
    }
    std::shared_ptr<Region> Use(int slot) {
        auto it = live.find(slot);
        if (it != live.end()) return it->second;
        faults.push_back("region " + std::to_string(slot) + " used but not live");
        return std::make_shared<Region>();
    }

    explicit RegionReplay(const forms::WindowShape& shape) {
        for (const forms::RegionOp& op : shape.Regions) {
            const std::string r = "r" + std::to_string(op.Slot);
            switch (op.Step) {
                case RegionStep::CreateEllipse:
                case RegionStep::CreateRectangle: {
                    const bool ellipse = op.Step == RegionStep::CreateEllipse;
                    calls.push_back(r + " = " + (ellipse ? "CreateEllipticRgn(" : "CreateRectRgn(") + Text(op.Area) + ")");
                    if (live.count(op.Slot)) faults.push_back(r + " created twice");
                    auto region = std::make_shared<Region>();
                    region->kind = ellipse ? Region::Ellipse : Region::Rectangle;
                    region->area = op.Area;
                    live[op.Slot] = region;
                    break;
                }
                case RegionStep::Combine: {
                    calls.push_back("CombineRgn(" + r + ", r" + std::to_string(op.Source1) + ", r" +
                                    std::to_string(op.Source2) + ", " + std::to_string(op.Mode) + ")");
                    auto dest = Use(op.Slot);
                    auto a = Use(op.Source1), b = Use(op.Source2);
                    *dest = Region{Region::Union, {}, std::make_shared<Region>(*a), std::make_shared<Region>(*b)};
                    break;
                }
                case RegionStep::Delete:
                    calls.push_back("DeleteObject(" + r + ")");
                    if (live.erase(op.Slot) == 0) faults.push_back(r + " deleted but not live");
                    if (window && window == Use(op.Slot)) faults.push_back("window region deleted");
                    break;
                case RegionStep::SetWindowRegion:
                    calls.push_back(std::string("SetWindowRgn(window, ") + r + ", " + (op.Redraw ? "TRUE" : "FALSE") + ")");
                    window = Use(op.Slot);
                    break;
            }
        }
    }
};

const forms::WindowShape& Shape() {
    static ABox box;
    return *box.Shape();
}

TEST(AboutShape, RegionCallsRunInTheirOrderAndOnlyTheWindowsRegionOutlivesThem) {
    const RegionReplay replay(Shape());
    EXPECT_EQ(replay.calls, (std::vector<std::string>{
                                "r0 = CreateEllipticRgn(1,1,151,151)",
                                "r1 = CreateEllipticRgn(201,1,351,151)",
                                "r2 = CreateRectRgn(76,1,276,100)",
                                "r3 = CreateEllipticRgn(1,1,151,151)",
                                "r4 = CreateEllipticRgn(1,1,151,151)",
                                "CombineRgn(r3, r0, r1, 2)",
                                "CombineRgn(r4, r3, r2, 2)",
                                "DeleteObject(r0)",
                                "DeleteObject(r1)",
                                "DeleteObject(r2)",
                                "DeleteObject(r3)",
                                "SetWindowRgn(window, r4, TRUE)",
                            }));
    EXPECT_TRUE(replay.faults.empty()) << replay.faults.front();
    ASSERT_NE(replay.window, nullptr);
    // Only the region handed to the window is left, and nothing after the hand-over frees it.
    ASSERT_EQ(replay.live.size(), 1u);
    EXPECT_EQ(replay.live.begin()->second, replay.window);
    EXPECT_EQ(Shape().Regions.back().Step, RegionStep::SetWindowRegion);
}

TEST(AboutShape, TwoDiscsJoinedByABarAcrossTheirUpperHalves) {
    const RegionReplay replay(Shape());
    ASSERT_NE(replay.window, nullptr);
    struct Row {
        int x, y;
        bool inside;
        const char* what;
    };
    const Row rows[] = {
        {75, 75, true, "left disc centre"},     {275, 75, true, "right disc centre"},
        {175, 50, true, "bar middle"},          {175, 1, true, "bar top edge"},
        {175, 99, true, "bar's last row"},      {175, 100, false, "below the bar"},
        {175, 140, false, "between the discs"}, {2, 140, false, "bottom-left corner"},
        {349, 140, false, "bottom-right corner"}, {2, 2, false, "top-left corner"},
        {349, 2, false, "top-right corner"},    {0, 75, false, "left of the left disc"},
        {1, 75, true, "left disc's leftmost column"}, {351, 75, false, "right of the right disc"},
        {75, 0, false, "above the left disc"}, {75, 1, true, "left disc's top row"},
        {130, 110, true, "left disc's lower right"}, {220, 110, true, "right disc's lower left"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(replay.window->Contains(row.x, row.y), row.inside) << row.what << " (" << row.x << "," << row.y << ")";
    }
    // The bar's ends sit inside the discs: the row through the centres has no gap.
    for (int x = 1; x < 351; ++x) EXPECT_TRUE(replay.window->Contains(x, 75)) << "gap at x=" << x;
}

// On a display of any scale the window, its controls and its shape grow together: every control
// lies inside the shape, each corner of it a pixel in, save the title's upper corners (its box
// reaches above the discs' curve, its text does not). At 96 dpi the shape is the described one.
TEST(AboutShape, EveryControlLiesInsideTheShapeAtEveryScale) {
    EXPECT_EQ(RegionReplay(forms::Scaled(Shape(), 96)).calls, RegionReplay(Shape()).calls);
    ABox box;
    box.Load();
    for (const int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        const RegionReplay replay(forms::Scaled(Shape(), dpi));
        ASSERT_NE(replay.window, nullptr);
        // Twips to pixels as the renderer places controls, rounding halves up.
        auto px = [dpi](int32_t twips) { return (twips * dpi + 720) / 1440; };
        for (const auto& control : box.Controls()) {
            const forms::Rect& place = control->layout().Place;
            const int left = px(place.Left), top = px(place.Top);
            const int right = left + px(place.Width), bottom = top + px(place.Height);
            const bool title = control->name() == "Label1" && control->index() == 0;
            const std::pair<int, int> corners[] = {
                {left + 1, bottom - 2}, {right - 2, bottom - 2}, {left + 1, top + 1}, {right - 2, top + 1}};
            for (size_t i = 0; i < (title ? 2u : 4u); ++i) {
                EXPECT_TRUE(replay.window->Contains(corners[i].first, corners[i].second))
                    << control->name() << "(" << control->index() << ") corner " << i << " at " << dpi << " dpi";
            }
            if (title) {
                EXPECT_TRUE(replay.window->Contains((left + right) / 2, top + 1)) << dpi << " dpi";
            }
        }
    }
}

// Ends of the outline's figures meet: a gap of more than two pixels would show.
double Distance(forms::Point a, forms::Point b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

TEST(AboutShape, OutlineArcsLeaveOpenWhereTheBarJoinsAndMeetTheLines) {
    const auto& outline = Shape().Outline;
    ASSERT_EQ(outline.size(), 8u);
    const Figure& left = outline[0];
    const Figure& right = outline[6];
    const Figure& top = outline[2];
    const Figure& bottom = outline[4];
    // Arcs start and end where the bar's lines do: the top at the arc's start (left) or end
    // (right), the bar's lower edge at the other end.
    EXPECT_LT(Distance(forms::PointOnArc(left, left.StartAngle), top.From), 2.0);
    EXPECT_LT(Distance(forms::PointOnArc(left, left.EndAngle), bottom.From), 2.0);
    EXPECT_LT(Distance(forms::PointOnArc(right, right.EndAngle), top.To), 2.0);
    EXPECT_LT(Distance(forms::PointOnArc(right, right.StartAngle), bottom.To), 2.5);
    // The open part, from the end angle on to the start angle, faces the bar: up and inward.
    for (const Figure* arc : {&left, &right}) {
        const double gap_middle = arc->EndAngle + (2 * 3.1415926535 - forms::ArcSweep(*arc)) / 2;
        const forms::Point p = forms::PointOnArc(*arc, gap_middle);
        EXPECT_LT(p.Y, arc->Center.Y) << "open part faces up";
        EXPECT_LT(std::abs(p.X - 175), std::abs(arc->Center.X - 175)) << "open part faces the bar";
    }
}

TEST(AboutShape, ArcPointsAndSweepsFollowTheScreen) {
    const Figure arc{.Kind = FigureKind::Arc, .Center = {10, 20}, .Radius = 5};
    struct Row {
        double angle;
        forms::Point expected;
    };
    const Row rows[] = {{0, {15, 20}}, {3.14159265358979 / 2, {10, 15}}, {3.14159265358979, {5, 20}},
                        {3 * 3.14159265358979 / 2, {10, 25}}};
    for (const Row& row : rows) {
        const forms::Point p = forms::PointOnArc(arc, row.angle);
        EXPECT_NEAR(p.X, row.expected.X, 1e-9) << row.angle;
        EXPECT_NEAR(p.Y, row.expected.Y, 1e-9) << row.angle;
    }
    struct Sweep {
        double from, to, sweep;
    };
    const Sweep sweeps[] = {{1, 2, 1}, {2, 1, 2 * 3.14159265358979 - 1}, {1, 1, 2 * 3.14159265358979},
                            {-1, 1, 2}, {0, 4 * 3.14159265358979 + 1, 1}};
    for (const Sweep& s : sweeps) {
        Figure f = arc;
        f.StartAngle = s.from;
        f.EndAngle = s.to;
        EXPECT_NEAR(forms::ArcSweep(f), s.sweep, 1e-9) << s.from << " to " << s.to;
    }
}

}  // namespace
}  // namespace pwstd
