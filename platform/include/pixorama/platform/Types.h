#pragma once

#include <cstdint>

// Windows-shaped value types. Rectangles follow the Windows convention:
// left/top inclusive, right/bottom exclusive, y growing downwards.
namespace plat {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A COLORREF: 0x00BBGGRR, red in the low byte.
struct ColorRef {
    std::uint32_t value = 0;
    friend bool operator==(const ColorRef&, const ColorRef&) = default;
};

constexpr ColorRef rgb(int r, int g, int b)
{
    return ColorRef{std::uint32_t(r & 0xFF) | std::uint32_t(g & 0xFF) << 8 | std::uint32_t(b & 0xFF) << 16};
}
constexpr int redOf(ColorRef c) { return int(c.value & 0xFF); }
constexpr int greenOf(ColorRef c) { return int(c.value >> 8 & 0xFF); }
constexpr int blueOf(ColorRef c) { return int(c.value >> 16 & 0xFF); }

// A surface pixel: blue | green << 8 | red << 16. Kept apart from ColorRef.
using Pixel = std::uint32_t;

constexpr Pixel pixelOf(int r, int g, int b)
{
    return Pixel(b & 0xFF) | Pixel(g & 0xFF) << 8 | Pixel(r & 0xFF) << 16;
}
constexpr Pixel pixelOf(ColorRef c) { return pixelOf(redOf(c), greenOf(c), blueOf(c)); }

// Mouse flags carried with button and move events.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70;

} // namespace plat
