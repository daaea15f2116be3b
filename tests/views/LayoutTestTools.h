#pragma once

#include "ViewTestTools.h"

#include "pixorama/tilemo/Tilemo.h"

namespace viewtest {

// Sizes app as the application's 1405 x 600 window and creates the layout in
// it over rect with the application's ratios and maximise response.
inline bool CreateLayout(RecordingWnd& app, const plat::Rect& rect)
{
    app.resize(1405, 600);
    gCTERSetLayOut(1.2f, 0.5f, 0.5f, false);
    gCTERSetRespondToMaxView(true);
    return gCTERCreate(L"#32770", L"Hello", 0x5000004E, rect, &app, 2000);
}

} // namespace viewtest
