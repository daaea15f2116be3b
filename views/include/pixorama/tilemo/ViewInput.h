#pragma once

#include <cstdint>

// Private messages of the view layout.
constexpr unsigned WM_CTER_VIEWINPUT = 0x089C;  // view -> application: wParam = const tagQEVViewInput*
constexpr unsigned WM_CTER_MAXIMISE = 0x08D3;   // view -> view area: wParam = maximise index
constexpr unsigned WM_CTER_BARMOVED = 0x0464;   // bar -> owner: wParam = new position, lParam = bar id

// Event codes of the input record.
constexpr int CTER_LBUTTONDOWN = 0;
constexpr int CTER_LBUTTONUP = 1;
constexpr int CTER_MOUSEMOVE = 3; // moves and wheel turns alike
constexpr int CTER_KEYDOWN = 5;

// What a view reports to the application before its canvas sees the
// event. One record serves the whole process and is valid only while the
// message is being handled; members that do not belong to an event keep
// their last values.
struct tagQEVViewInput {
    std::int32_t viewId = 0; // the view's canvas id
    std::int32_t event = 0;
    std::int32_t x = 0; // client coordinates of the view
    std::int32_t y = 0;
    std::int32_t flags = 0;   // MK_ bits, or the key flags of a key event
    std::int32_t keyCode = 0; // virtual-key code
    std::int16_t wheelDelta = 0;
};
