#pragma once

#include "pixorama/parlet/DialogScript.h"

#include <string>

// Answers the dialogs of a run without a user, so it never waits: the
// raw-load dialog takes the values stored from its last confirmed use when
// its size and pixel type are among them; any other dialog, and a load
// dialog without them, is cancelled and what it needed is noted.
class HeadlessDialogs {
public:
    HeadlessDialogs();

    // One line saying what the first cancelled dialog needed; empty while
    // nothing was refused.
    const std::wstring& refusal() const { return needed; }

private:
    void answer(DialogDriver& dialog);

    std::wstring needed;
    DialogScript script;
};
