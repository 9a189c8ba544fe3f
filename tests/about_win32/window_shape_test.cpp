// The about window's shape on a real window: the region the system keeps for it and the outline
// drawn into its image.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>

#include "dialogs/about/abox.h"
#include "platform/win32/renderer/win_window_shape.h"

namespace pwstd {
namespace {

LRESULT CALLBACK ShapedProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            PaintWindowShape(window, dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY: ReleaseWindowShape(window); return 0;
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

// A bare borderless window of the about window's size.
class ShapedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ShapedProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PwStdShapeTest";
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 100, 100, 352, 150, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    const forms::WindowShape& shape() const { return *about.Shape(); }

    ABox about;
    HWND window = nullptr;
};

TEST_F(ShapedWindow, TheWindowKeepsARegionOfTwoDiscsAndABar) {
    ApplyWindowShape(window, shape());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, region), COMPLEXREGION);
    struct Row {
        int x, y;
        bool inside;
    };
    const Row rows[] = {{75, 75, true},   {275, 75, true},   {175, 50, true},  {175, 99, true},
                        {175, 100, false}, {175, 140, false}, {2, 140, false}, {349, 140, false},
                        {2, 2, false},    {349, 2, false},   {1, 75, true},    {0, 75, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(PtInRegion(region, row.x, row.y) != FALSE, row.inside) << row.x << "," << row.y;
    }
    DeleteObject(region);
}

TEST_F(ShapedWindow, ApplyingAgainGivesTheSameRegion) {
    ApplyWindowShape(window, shape());
    HRGN first = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, first);
    ApplyWindowShape(window, shape());
    HRGN second = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, second), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(first, second));
    DeleteObject(first);
    DeleteObject(second);
}

// The outline as painted, read back from a bitmap.
class Painted {
public:
    explicit Painted(HWND window) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 352, 150);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        painted = PaintWindowShape(window, dc_);
    }
    ~Painted() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    // Whether a pixel within `reach` of (x, y) has the colour.
    bool Near(double x, double y, COLORREF color, int reach) const {
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                if (GetPixel(dc_, static_cast<int>(std::lround(x)) + dx, static_cast<int>(std::lround(y)) + dy) == color) {
                    return true;
                }
            }
        }
        return false;
    }
    bool painted = false;

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST_F(ShapedWindow, ArcsRunCounterclockwiseAndLeaveTheBarSideOpen) {
    ApplyWindowShape(window, shape());
    const Painted image(window);
    ASSERT_TRUE(image.painted);
    constexpr COLORREF gray = RGB(128, 128, 128), light = RGB(160, 160, 160);
    constexpr double pi = 3.1415926535;
    const forms::Figure& left = shape().Outline[0];
    const forms::Figure& left_inner = shape().Outline[1];
    const forms::Figure& right = shape().Outline[6];
    struct Row {
        const forms::Figure* arc;
        double angle;
        bool drawn;
        COLORREF color;
    };
    const Row rows[] = {
        // Left disc: drawn from the top over the left and the bottom to just below the right.
        {&left, pi, true, gray}, {&left, 1.5 * pi, true, gray}, {&left, 1.8 * pi, true, gray},
        {&left_inner, pi, true, light}, {&left, 0.2 * pi, false, gray}, {&left, 0.0, false, gray},
        // Right disc: from just below the left over the bottom and the right to the top.
        {&right, 0.0, true, gray}, {&right, 1.5 * pi, true, gray}, {&right, 1.2 * pi, true, gray},
        {&right, 0.8 * pi, false, gray}, {&right, pi, false, gray},
    };
    for (const Row& row : rows) {
        const forms::Point p = forms::PointOnArc(*row.arc, row.angle);
        if (row.drawn) {
            EXPECT_TRUE(image.Near(p.X, p.Y, row.color, 1)) << "centre x " << row.arc->Center.X << " at " << row.angle;
        } else {
            EXPECT_FALSE(image.Near(p.X, p.Y, gray, 2) || image.Near(p.X, p.Y, light, 2))
                << "centre x " << row.arc->Center.X << " open at " << row.angle;
        }
    }
    // The lines along the bar's top and its lower edge between the discs.
    EXPECT_TRUE(image.Near(175, 2, gray, 1));
    EXPECT_TRUE(image.Near(175, 4, light, 1));
    EXPECT_TRUE(image.Near(175, 98, gray, 1));
    EXPECT_TRUE(image.Near(175, 96, light, 1));
}

TEST_F(ShapedWindow, TheImageGoesWithTheWindow) {
    ApplyWindowShape(window, shape());
    ReleaseWindowShape(window);
    EXPECT_FALSE(Painted(window).painted);
}

}  // namespace
}  // namespace pwstd
