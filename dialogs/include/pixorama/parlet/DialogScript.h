#pragma once

#include "DialogDriver.h"

#include <functional>

// Answers every modal dialog shown while it lives: `act` fills and presses
// through a DialogDriver; a dialog that `act` leaves open is cancelled, so a
// script (or a failed test check) can never hang on a modal loop.
class DialogScript {
public:
    explicit DialogScript(std::function<void(DialogDriver&)> act);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // How many dialogs were answered.
    int shown = 0;
};
