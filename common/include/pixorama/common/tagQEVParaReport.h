#pragma once

#include <cstdint>
#include <cstring>

// The 44-byte report record of the contrast, threshold and parameter strips,
// sent by address as wParam of message 0x089A. Eleven 32-bit words; a word a
// strip does not fill keeps what it held.
//
//   word  contrast strip                  threshold strip
//   0     changed flag, 1                 changed flag, 1
//   1     low point (float)               -
//   2     high point (float)              -
//   3     low colour (COLORREF)           -
//   4     high colour (COLORREF)          -
//   7     -                               position (float)
//   8     -                               combo index (int, mode 3)
//   9     display mode                    display mode
//   10    owner id value: the strip's id, which the workbench reads as the
//         kind of parameter that changed
struct tagQEVParaReport {
    static constexpr unsigned message = 0x089A;

    std::uint32_t words[11] = {};

    float FloatAt(int word) const
    {
        float f;
        std::memcpy(&f, &words[word], sizeof f);
        return f;
    }
    void SetFloat(int word, float f) { std::memcpy(&words[word], &f, sizeof f); }
    int IntAt(int word) const { return static_cast<int>(words[word]); }
    void SetInt(int word, int v) { words[word] = static_cast<std::uint32_t>(v); }

    float Left() const { return FloatAt(1); }
    float Right() const { return FloatAt(2); }
    float Value() const { return FloatAt(7); }
    int Kind() const { return IntAt(10); }
};

static_assert(sizeof(tagQEVParaReport) == 44, "the report record is eleven 32-bit words");
