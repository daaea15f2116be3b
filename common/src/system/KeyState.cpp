#include "pixorama/common/KeyState.h"

#include "pixorama/platform/System.h"

int KEYDOWN(int virtualKey)
{
    return (plat::asyncKeyState(virtualKey) & 0x8000) ? 1 : 0;
}

int KEYUP(int virtualKey)
{
    return KEYDOWN(virtualKey) ? 0 : 1;
}
