#include "pixorama/common/MessageHelpers.h"

#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <cstdio>

namespace {

template <typename... Args>
void showFormatted(const char* format, Args... args)
{
    char text[128];
    std::snprintf(text, sizeof text, format, args...);
    plat::messageBox(plat::toWide(text));
}

} // namespace

void QEVBInt(int a)
{
    showFormatted("%d", a);
}

void QEVBInt(int a, int b)
{
    showFormatted("%d %d", a, b);
}

void QEVBFloat(float a)
{
    showFormatted("%4.4f", double(a));
}

void QEVBFloat(float a, float b)
{
    showFormatted("%4.4f %4.4f", double(a), double(b));
}

void QEVBChar(const char* text)
{
    plat::messageBox(plat::toWide(text ? text : ""));
}
