#pragma once

#include "Types.h"

#include <string>

// Value types for the drawing attributes a Dc selects.
namespace plat {

struct Pen {
    enum Style { Solid, Dot, Null };
    Style style = Solid;
    int width = 1; // pixels; 0 draws as 1
    ColorRef color{};
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    enum Style { Solid, DiagCross, Hollow };
    Style style = Solid;
    ColorRef color{};
    friend bool operator==(const Brush&, const Brush&) = default;
};

// height is the em height in pixels (a negative GDI height); weight runs
// from 100 to 900, 400 normal and 700 bold.
struct Font {
    std::wstring face = L"宋体";
    int height = 12;
    int weight = 400;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Background modes, stretch modes and text flags with their Windows values.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;

} // namespace plat
