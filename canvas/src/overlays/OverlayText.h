#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/Types.h"

// Text helpers shared by the text, measurement and control overlays.

// The overlay face at a pixel height.
plat::Font overlayFont(int height);

// Width and height of text on one line in that font. Without a painter the
// text is measured on a scratch surface, so sizes never depend on whether a
// window exists yet.
plat::Size measureOverlayText(plat::Dc* dc, const CString& text, int height);

// printf-style formatting into a wide string.
CString formatOverlayText(const wchar_t* format, ...);
