#include "platform/win32/renderer/win_window_shape.h"

#include <cmath>
#include <vector>

namespace pwstd {

namespace {

constexpr wchar_t kImageProperty[] = L"PwStd.WindowShapeImage";

int Pixel(double value) { return static_cast<int>(std::lround(value)); }

void ReplayRegions(HWND window, const std::vector<forms::RegionOp>& ops) {
    std::vector<HRGN> slots;
    auto slot = [&slots](int index) -> HRGN& {
        if (static_cast<size_t>(index) >= slots.size()) slots.resize(static_cast<size_t>(index) + 1, nullptr);
        return slots[static_cast<size_t>(index)];
    };
    for (const forms::RegionOp& op : ops) {
        const forms::Box& a = op.Area;
        switch (op.Step) {
            case forms::RegionStep::CreateEllipse:
                slot(op.Slot) = CreateEllipticRgn(a.Left, a.Top, a.Right, a.Bottom);
                break;
            case forms::RegionStep::CreateRectangle:
                slot(op.Slot) = CreateRectRgn(a.Left, a.Top, a.Right, a.Bottom);
                break;
            case forms::RegionStep::Combine:
                CombineRgn(slot(op.Slot), slot(op.Source1), slot(op.Source2), op.Mode);
                break;
            case forms::RegionStep::Delete:
                DeleteObject(slot(op.Slot));
                slot(op.Slot) = nullptr;
                break;
            case forms::RegionStep::SetWindowRegion:
                // The window owns the region now; it is released with the window.
                SetWindowRgn(window, slot(op.Slot), op.Redraw ? TRUE : FALSE);
                slot(op.Slot) = nullptr;
                break;
        }
    }
}

void DrawFigure(HDC dc, const forms::Figure& figure) {
    HPEN pen = CreatePen(PS_SOLID, figure.PenWidth, figure.Color);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    if (figure.Kind == forms::FigureKind::Line) {
        MoveToEx(dc, Pixel(figure.From.X), Pixel(figure.From.Y), nullptr);
        LineTo(dc, Pixel(figure.To.X), Pixel(figure.To.Y));
    } else {
        // The arc's circle, centred on the centre pixel: the box's right and bottom are exclusive.
        // Arc takes its ends as points on the rays from the centre; it runs counterclockwise on the
        // screen from the first to the second when the direction says so.
        const forms::Point start = forms::PointOnArc(figure, figure.StartAngle);
        const forms::Point end = forms::PointOnArc(figure, figure.EndAngle);
        const double x = figure.Center.X, y = figure.Center.Y, r = figure.Radius;
        SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        Arc(dc, Pixel(x - r), Pixel(y - r), Pixel(x + r) + 1, Pixel(y + r) + 1, Pixel(start.X), Pixel(start.Y),
            Pixel(end.X), Pixel(end.Y));
    }
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}

// The window's background as its class paints it, else the dialog face colour.
HBRUSH Background(HWND window) {
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
    return brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

void ApplyWindowShape(HWND window, const forms::WindowShape& shape) {
    ReplayRegions(window, shape.Regions);

    ReleaseWindowShape(window);
    RECT client{};
    GetClientRect(window, &client);
    HDC window_dc = GetDC(window);
    HDC dc = CreateCompatibleDC(window_dc);
    HBITMAP image = CreateCompatibleBitmap(window_dc, client.right, client.bottom);
    ReleaseDC(window, window_dc);
    HGDIOBJ old_bitmap = SelectObject(dc, image);
    FillRect(dc, &client, Background(window));
    for (const forms::Figure& figure : shape.Outline) DrawFigure(dc, figure);
    SelectObject(dc, old_bitmap);
    DeleteDC(dc);
    SetPropW(window, kImageProperty, image);
    InvalidateRect(window, nullptr, FALSE);
}

bool PaintWindowShape(HWND window, HDC dc) {
    auto image = static_cast<HBITMAP>(GetPropW(window, kImageProperty));
    if (image == nullptr) return false;
    BITMAP size{};
    GetObjectW(image, sizeof size, &size);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old_bitmap = SelectObject(source, image);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old_bitmap);
    DeleteDC(source);
    return true;
}

void ReleaseWindowShape(HWND window) {
    if (HANDLE image = RemovePropW(window, kImageProperty)) DeleteObject(image);
}

}  // namespace pwstd
