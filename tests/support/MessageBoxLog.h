#pragma once

// Message boxes in tests: answered with OK, their texts kept.
#include "pixorama/platform/Modal.h"

#include <string>
#include <vector>

// From now on every message box answers OK and appends its text to texts
// (which must outlive the responder; clear it with
// plat::setMessageBoxResponder({})).
inline void RecordMessageBoxes(std::vector<std::wstring>& texts)
{
    plat::setMessageBoxResponder([&texts](const std::wstring& text, const std::wstring&, unsigned) {
        texts.push_back(text);
        return plat::IDOK;
    });
}
