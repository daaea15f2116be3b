#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plat {
class Wnd;
}

// The wide strings that the browser's messages carry (0x084C, 0x084E,
// 0x084F, 0x0852). The sender allocates one for each receiver and passes it
// as lParam; the receiver owns it and frees it with SysFreeString, whether
// it uses the text or not.
using BSTR = wchar_t*;

BSTR SysAllocString(std::wstring_view text);
void SysFreeString(BSTR text); // null is allowed
// How many strings are allocated and not yet freed: a leak check.
long SysStringsAlive();

// Takes ownership of the string in a message's lParam and frees it on
// scope exit; receivers wrap lParam in one of these first thing.
class OwnedBSTR {
public:
    explicit OwnedBSTR(std::intptr_t lParam) : text(reinterpret_cast<BSTR>(lParam)) {}
    ~OwnedBSTR() { SysFreeString(text); }
    OwnedBSTR(const OwnedBSTR&) = delete;
    OwnedBSTR& operator=(const OwnedBSTR&) = delete;

    std::wstring str() const { return text ? std::wstring(text) : std::wstring(); }

private:
    BSTR text;
};

// Sends msg with a fresh copy of text to target, which then owns it.
// Nothing is allocated when target is null.
std::intptr_t SendStringMessage(plat::Wnd* target, unsigned msg, std::uintptr_t wParam, std::wstring_view text);
