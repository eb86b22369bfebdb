#include "win32/panel_pictures.h"

#include "win32/form.h"

#include <cmath>
#include <vector>

namespace tavrix::win32 {

namespace {

// The flags are drawn in units of a 30 x 20 flag, scaled to the picture's size.
constexpr int kFlagWidth = 30;
constexpr int kFlagHeight = 20;
// The flags are drawn this many times larger, then shrunk with averaging for smooth edges.
constexpr int kOversample = 4;
constexpr double kPi = 3.14159265358979323846;

// A 24-bit bitmap selected into a memory device context for painting.
class Canvas {
public:
    Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    // Hands the bitmap over, no longer selected.
    HBITMAP release() {
        SelectObject(dc_, old_);
        HBITMAP bitmap = bitmap_;
        bitmap_ = nullptr;
        return bitmap;
    }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

struct Point {
    double x, y;
};

// `p` turned by `degrees` (clockwise on the screen) and moved to `origin`.
Point turned(Point p, double degrees, Point origin) {
    const double angle = degrees * kPi / 180.0;
    return {origin.x + p.x * std::cos(angle) - p.y * std::sin(angle),
            origin.y + p.x * std::sin(angle) + p.y * std::cos(angle)};
}

// Paints in flag units on the enlarged canvas, `unit` of its pixels to one unit.
class FlagPainter {
public:
    FlagPainter(HDC dc, double unit) : dc_(dc), unit_(unit) { SelectObject(dc_, GetStockObject(NULL_PEN)); }

    double unit() const { return unit_; }
    void polygon(const std::vector<Point>& points, COLORREF colour) {
        std::vector<POINT> scaled;
        for (const Point& p : points)
            scaled.push_back({static_cast<LONG>(std::lround(p.x * unit_)), static_cast<LONG>(std::lround(p.y * unit_))});
        HBRUSH brush = CreateSolidBrush(colour);
        HGDIOBJ old = SelectObject(dc_, brush);
        Polygon(dc_, scaled.data(), static_cast<int>(scaled.size()));
        SelectObject(dc_, old);
        DeleteObject(brush);
    }
    void rectangle(double x, double y, double width, double height, COLORREF colour) {
        polygon({{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}, colour);
    }
    // The part of a circle from `from` to `to` degrees, counted anticlockwise from the right,
    // turned by `turn` about the circle's own frame at `origin`.
    void sector(Point centre, double radius, double from, double to, double turn, Point origin, COLORREF colour) {
        std::vector<Point> points;
        if (to - from < 360) points.push_back(turned(centre, turn, origin));
        constexpr int kSteps = 48;
        for (int step = 0; step <= kSteps; ++step) {
            const double angle = (from + (to - from) * step / kSteps) * kPi / 180.0;
            points.push_back(turned({centre.x + radius * std::cos(angle), centre.y - radius * std::sin(angle)}, turn,
                                    origin));
        }
        polygon(points, colour);
    }
    // A straight stroke of the given width between two points.
    void line(Point a, Point b, double width, COLORREF colour) {
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const double nx = -(b.y - a.y) / length * width / 2, ny = (b.x - a.x) / length * width / 2;
        polygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}, colour);
    }

private:
    HDC dc_;
    double unit_;
};

// Paints a flag enlarged, then returns it at its size.
template <typename Paint>
HBITMAP paintFlag(int width, int height, Paint paint) {
    Canvas large(width * kOversample, height * kOversample);
    FlagPainter painter(large.dc(), static_cast<double>(width) * kOversample / kFlagWidth);
    painter.rectangle(0, 0, kFlagWidth, kFlagHeight, RGB(255, 255, 255));
    paint(painter, large.dc());
    Canvas flag(width, height);
    SetStretchBltMode(flag.dc(), HALFTONE);
    SetBrushOrgEx(flag.dc(), 0, 0, nullptr);
    StretchBlt(flag.dc(), 0, 0, width, height, large.dc(), 0, 0, width * kOversample, height * kOversample, SRCCOPY);
    return flag.release();
}

}  // namespace

HBITMAP paintPromptPicture(HFONT font, std::string_view text, int width, int height) {
    Canvas picture(width, height);
    HDC dc = picture.dc();
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    // One pixel higher than the picture, from one pixel above it, as the line needs it.
    RECT line{0, -1, width, height};
    const std::wstring shown = wide(text);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &line,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(dc, old);
    return picture.release();
}

HBITMAP paintKoreanFlag(int width, int height) {
    return paintFlag(width, height, [](FlagPainter& p, HDC) {
        const COLORREF red = RGB(0xCD, 0x2E, 0x3A), blue = RGB(0x00, 0x47, 0xA0), black = RGB(0, 0, 0);
        const Point centre{kFlagWidth / 2.0, kFlagHeight / 2.0};
        const double r = 5.0;
        // The circle's dividing line and the bars follow the flag's diagonals.
        const double angle = std::atan2(2.0, 3.0) * 180.0 / kPi;
        p.sector({0, 0}, r, 0, 180, angle, centre, red);
        p.sector({0, 0}, r, 180, 360, angle, centre, blue);
        p.sector({-r / 2, 0}, r / 2, 0, 360, angle, centre, red);
        p.sector({r / 2, 0}, r / 2, 0, 360, angle, centre, blue);
        const Point corners[4] = {{5, 4}, {25, 16}, {25, 4}, {5, 16}};
        for (const Point& corner : corners) {
            const bool falling = (corner.x < centre.x) == (corner.y < centre.y);
            const double turn = falling ? angle + 90 : -angle + 90;
            for (int bar = -1; bar <= 1; ++bar) {
                const double top = bar * 1.4 - 0.5, bottom = top + 0.9;
                p.polygon({turned({-3, top}, turn, corner), turned({3, top}, turn, corner),
                           turned({3, bottom}, turn, corner), turned({-3, bottom}, turn, corner)},
                          black);
            }
        }
    });
}

HBITMAP paintEnglishFlag(int width, int height) {
    return paintFlag(width, height, [](FlagPainter& p, HDC dc) {
        const double w = kFlagWidth, h = kFlagHeight;
        // United States: seven red stripes of thirteen, the blue canton with its stars.
        for (int stripe = 0; stripe < 13; stripe += 2) p.rectangle(0, stripe * h / 13, w / 2, h / 13, RGB(0xB2, 0x22, 0x34));
        p.rectangle(0, 0, 8, 7 * h / 13, RGB(0x3C, 0x3B, 0x6E));
        for (int y = 1; y < 10; y += 3)
            for (int x = 1; x < 8; x += 3) p.rectangle(x, y, 1, 1, RGB(255, 255, 255));
        // United Kingdom: blue field, the white and red saltires, the white and red cross.
        const double left = w / 2, middleX = left + w / 4, middleY = h / 2;
        const COLORREF white = RGB(255, 255, 255), red = RGB(0xC8, 0x10, 0x2E);
        p.rectangle(left, 0, w / 2, h, RGB(0x01, 0x21, 0x69));
        IntersectClipRect(dc, static_cast<int>(std::lround(left * p.unit())), 0, static_cast<int>(std::lround(w * p.unit())),
                          static_cast<int>(std::lround(h * p.unit())));
        p.line({left, 0}, {w, h}, 3, white);
        p.line({left, h}, {w, 0}, 3, white);
        p.line({left, 0}, {w, h}, 1, red);
        p.line({left, h}, {w, 0}, 1, red);
        SelectClipRgn(dc, nullptr);
        p.rectangle(middleX - 2.5, 0, 5, h, white);
        p.rectangle(left, middleY - 2.5, w / 2, 5, white);
        p.rectangle(middleX - 1.5, 0, 3, h, red);
        p.rectangle(left, middleY - 1.5, w / 2, 3, red);
    });
}

}  // namespace tavrix::win32
