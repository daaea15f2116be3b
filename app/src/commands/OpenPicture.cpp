#include "pixorama/workbench/OpenPicture.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/RawWindow.h"
#include "pixorama/workbench/RecentFiles.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/WorkState.h"

#include <filesystem>

bool ReadIntoWorkingCanvas(const std::wstring& path)
{
    WorkState& state = gWorkState();
    CString readPath = path;
    // A file that gives no picture leaves the one shown as it was.
    if (!gCVSReadFile(WorkState::workingCanvas, readPath, true))
        return false;
    state.PictureReplaced();
    state.rawWindowLeft = 0.0f;
    state.rawWindowRight = 1.0f;
    gCTERRefreshAllView();
    ShowRawHistogram();
    return gCVSGetFileType(WorkState::workingCanvas) != FileNothing;
}

bool OpenPicture(const std::wstring& path)
{
    if (!ReadIntoWorkingCanvas(path))
        return false;
    gWorkState().imagePath = path;
    gPictureHistory().Clear();
    RecentFiles::Add(path);
    return true;
}

bool OpenRecentPicture(const std::wstring& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(plat::toPath(path), error)) {
        RecentFiles::Remove(path);
        plat::messageBox(L"文件不存在");
        return false;
    }
    return OpenPicture(path);
}
