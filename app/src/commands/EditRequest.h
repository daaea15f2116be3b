#pragma once

#include "pixorama/common/QEVRECT.h"

// What an edit command does, with the answers of its dialog.
struct EditRequest {
    int id = 0;
    QEVRECT crop;    // image rows top-down, inclusive
    int width = 0;   // new size of "缩放"
    int height = 0;

    // Shows the dialog the command needs (rectangle or size) and checks the
    // answer against a pictureWidth x pictureHeight picture. False when the
    // dialog was cancelled or the answer was refused (with a message).
    bool Ask(int command, int pictureWidth, int pictureHeight);
};
