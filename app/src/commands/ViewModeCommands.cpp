#include "FrameCommands.h"

#include "pixorama/tilemo/Tilemo.h"

void RunViewModeCommand(int id)
{
    switch (id) {
    case 2255:
        gCTERSetLayOut(1.2f, -0.2f, -0.2f, true);
        break;
    case 2256:
        gCTERSetLayOut(1.2f, -0.2f, 0.5f, false);
        break;
    case 2257:
        gCTERSetLayOut(1.2f, 0.5f, 0.5f, false);
        break;
    case 2258:
        gCTERSetLayOut(0.8f, -0.2f, -0.2f, false);
        break;
    default:
        break;
    }
}
