#include "OverlayText.h"

#include "pixorama/platform/Translation.h"

#include <cstdarg>
#include <cwchar>

plat::Font overlayFont(int height)
{
    return plat::Font{L"微软雅黑", height, 400, false};
}

plat::Size measureOverlayText(plat::Dc* dc, const CString& text, int height)
{
    static plat::DibBitmap scratchSurface(1, 1);
    static plat::Dc scratch(scratchSurface);
    plat::Dc& measurer = dc ? *dc : scratch;
    const plat::Font previous = measurer.selectFont(overlayFont(height));
    plat::Rect r{0, 0, 0, 0};
    measurer.drawText(text, r, plat::DT_CALCRECT);
    measurer.selectFont(previous);
    return {r.width(), r.height()};
}

CString formatOverlayText(const wchar_t* format, ...)
{
    wchar_t buffer[1024]; // room for any double in %f
    va_list args;
    va_start(args, format);
    const std::wstring pattern = plat::tr(std::wstring(format));
    const int n = std::vswprintf(buffer, sizeof buffer / sizeof buffer[0], pattern.c_str(), args);
    va_end(args);
    return n < 0 ? CString() : CString(buffer, std::size_t(n));
}
