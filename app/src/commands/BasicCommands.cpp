#include "FrameCommands.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/OpenPicture.h"
#include "pixorama/workbench/ShowPlanes.h"
#include "pixorama/workbench/WorkState.h"

namespace {

constexpr int canvas = WorkState::workingCanvas;

bool holdsRaw()
{
    const FileType kind = gCVSGetFileType(canvas);
    return kind == FileRawOther || kind == FileFloat;
}

void openImage()
{
    plat::FileDialogRequest request;
    request.title = L"打开图像";
    request.filter = L"图像文件|*.raw;*.hraw;*.his;*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.dcm|所有文件|*.*||";
    const std::vector<std::wstring> chosen = plat::fileDialog(request);
    if (!chosen.empty() && !chosen.front().empty())
        OpenPicture(chosen.front());
}

void reopenImage()
{
    WorkState& state = gWorkState();
    if (gCVSGetFileType(canvas) == FilePicture8) {
        if (!state.planesCaptured)
            return;
        gShowPlanesUpright(state.sourceR, state.sourceG, state.sourceB, true);
        state.PictureReplaced();
        gCTERRefreshAllView();
    } else if (holdsRaw()) {
        ReadIntoWorkingCanvas(state.imagePath);
    }
}

void keepResult()
{
    if (holdsRaw()) {
        plat::messageBox(L"raw图像的处理自带此功能");
        return;
    }
    gWorkState().CommitResult();
}

} // namespace

void RunBasicCommand(int id)
{
    switch (id) {
    case 2224:
        openImage();
        break;
    case 2228:
        reopenImage();
        break;
    case 2232:
        gCVSSaveLabel(canvas);
        break;
    case 2234:
        gCVSSaveRaw(canvas);
        break;
    case 2236:
        gCVSSaveImaWithOverlap(canvas);
        break;
    case 2238:
        gCVSSaveNowShowIma(canvas);
        break;
    case 2240:
        gCVSSaveClient(canvas);
        break;
    case 2242:
        gCVSSave8bit(canvas);
        break;
    case 2244:
        keepResult();
        break;
    default:
        break;
    }
}
