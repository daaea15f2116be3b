#pragma once

// What the canvas benches share: their folder, a window for canvas 4 and the
// raw-load dialog answered through its controls.
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/parlet/DialogDriver.h"
#include "pixorama/platform/DibBitmap.h"
#include "pixorama/platform/Modal.h"

#include <QDialog>

#include <filesystem>
#include <string>

constexpr int canvasId = 4;

// The folder name in the system's temporary folder, made when missing.
inline std::filesystem::path BenchFolder(const std::string& name)
{
    std::filesystem::path p = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(p);
    return p;
}

// A w x h window surface that canvas 4 paints into.
struct CanvasWindow {
    CanvasWindow(int w, int h) : surface(w, h), dc(surface)
    {
        plat::Rect client{0, 0, w, h};
        gCVSSetClient(canvasId, client, &dc);
    }
    plat::DibBitmap surface;
    plat::Dc dc;
};

// Raw-load dialogs are confirmed from now on for side x side files of
// pixelType, without skipped bytes or a map range.
inline void AnswerRawLoad(int side, int pixelType, bool littleEndian)
{
    plat::setDialogHook([side, pixelType, littleEndian](QDialog& dialog) {
        DialogDriver d(dialog);
        d.SetText(L"InImaW", std::to_wstring(side));
        d.SetText(L"InImaH", std::to_wstring(side));
        d.SetComboIndex(L"InImaPixelType", pixelType);
        d.SetChecked(L"bLittleEndian", littleEndian);
        d.SetText(L"skipBytes", L"0");
        d.SetChecked(L"bUseMapRange", false);
        d.PressOk();
    });
}
