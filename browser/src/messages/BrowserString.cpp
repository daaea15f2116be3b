#include "pixorama/brovia/BrowserString.h"

#include "pixorama/platform/Messages.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<long> alive{0};

} // namespace

BSTR SysAllocString(std::wstring_view text)
{
    auto* out = static_cast<BSTR>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
    if (out == nullptr)
        return nullptr;
    std::memcpy(out, text.data(), text.size() * sizeof(wchar_t));
    out[text.size()] = L'\0';
    ++alive;
    return out;
}

void SysFreeString(BSTR text)
{
    if (text != nullptr)
        --alive;
    std::free(text);
}

long SysStringsAlive()
{
    return alive;
}

std::intptr_t SendStringMessage(plat::Wnd* target, unsigned msg, std::uintptr_t wParam, std::wstring_view text)
{
    if (target == nullptr)
        return 0;
    return plat::sendMessage(target, msg, wParam, reinterpret_cast<std::intptr_t>(SysAllocString(text)));
}
