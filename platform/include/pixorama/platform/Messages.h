#pragma once

#include <cstdint>

namespace plat {

class Wnd;

// A window message as a queue hands it out (MSG); lParam of mouse messages
// packs x in the low and y in the high 16 bits.
struct Msg {
    Wnd* hwnd = nullptr;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// The input messages a canvas window forwards to its canvas.
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;

constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_APP = 0x8000;

// SendMessage: calls wnd->onMessage on the window's thread and returns its
// result. From another thread it blocks until that thread has handled the
// message (the window's thread must be running its event loop). 0 for a
// null window or one destroyed before the message was handled.
std::intptr_t sendMessage(Wnd* wnd, unsigned msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

// PostMessage: queues the message for the window's thread and returns at
// once; false for a null window. A window destroyed before then drops it.
bool postMessage(Wnd* wnd, unsigned msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

} // namespace plat
