#include "pixorama/workbench/OpenPicture.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/RawWindow.h"
#include "pixorama/workbench/RecentFiles.h"
#include "pixorama/workbench/WorkState.h"

#include <filesystem>

bool OpenPicture(const std::wstring& path)
{
    WorkState& state = gWorkState();
    const int id = WorkState::workingCanvas;
    state.imagePath = path;
    CString readPath = path;
    gCVSReadFile(id, readPath, true);
    state.PictureReplaced();
    state.rawWindowLeft = 0.0f;
    state.rawWindowRight = 1.0f;
    gCTERRefreshAllView();
    ShowRawHistogram();
    const bool shown = gCVSGetFileType(id) != FileNothing;
    if (shown)
        RecentFiles::Add(path);
    return shown;
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
