#include "win32/status_images.h"

namespace tavrix::win32 {

namespace {

// The pictures are drawn on a grid of this many units, scaled to the images' size.
constexpr int kSize = 16;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

COLORREF darker(COLORREF colour) {
    return RGB(GetRValue(colour) * 10 / 16, GetGValue(colour) * 10 / 16, GetBValue(colour) * 10 / 16);
}

COLORREF lighter(COLORREF colour) {
    return RGB((GetRValue(colour) + 255) / 2, (GetGValue(colour) + 255) / 2, (GetBValue(colour) + 255) / 2);
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    const RECT area{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

// A chip: a rounded body with legs on both sides, in the status colour, and a light dot.
void drawChip(HDC dc, COLORREF colour) {
    for (int y = 4; y <= 10; y += 3) {
        fill(dc, 1, y, 4, y + 1, RGB(60, 60, 60));
        fill(dc, 12, y, 15, y + 1, RGB(60, 60, 60));
    }
    HPEN pen = CreatePen(PS_SOLID, 1, darker(colour));
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    RoundRect(dc, 3, 2, 13, 14, 4, 4);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    fill(dc, 5, 4, 8, 7, lighter(colour));
}

// A sort arrow on the left and four bars on the right, lengthening downwards when ascending.
void drawArrow(HDC dc, bool ascending) {
    const COLORREF ink = RGB(40, 40, 40);
    fill(dc, 3, 3, 5, 13, ink);
    const POINT up[3] = {{4, 1}, {1, 5}, {7, 5}};
    const POINT down[3] = {{4, 15}, {1, 11}, {7, 11}};
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HBRUSH brush = CreateSolidBrush(ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Polygon(dc, ascending ? up : down, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    for (int bar = 0; bar < 4; ++bar) {
        const int length = ascending ? 2 + bar * 2 : 8 - bar * 2;
        const int top = 2 + bar * 7 / 2;
        fill(dc, 8, top, 8 + length, top + 2, ink);
    }
}

}  // namespace

HIMAGELIST makeStatusImages(int size) {
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 5, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    SetGraphicsMode(dc, GM_ADVANCED);
    const auto scale = static_cast<FLOAT>(size) / kSize;
    const XFORM grid{scale, 0, 0, scale, 0, 0};
    SetWorldTransform(dc, &grid);
    for (int index = 0; index < 5; ++index) {
        HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(dc, picture);
        fill(dc, 0, 0, kSize, kSize, kTransparent);
        switch (index) {
        case 0: drawChip(dc, RGB(220, 30, 30)); break;
        case 1: drawChip(dc, RGB(240, 200, 20)); break;
        case 2: drawChip(dc, RGB(30, 170, 50)); break;
        default: drawArrow(dc, index == 4); break;
        }
        SelectObject(dc, old);
        ImageList_AddMasked(images, picture, kTransparent);
        DeleteObject(picture);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return images;
}

}  // namespace tavrix::win32
