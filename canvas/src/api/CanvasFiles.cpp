#include "pixorama/canvo/CanvasFiles.h"

#include "CanvasFileSaver.h"
#include "CanvasFileLoader.h"

#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/platform/Modal.h"

#include <new>

namespace {

// Runs one file command on canvas id; running out of memory is told to the
// user instead of leaving the library.
template <typename F>
void onCanvas(int id, F command)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas)
        return;
    try {
        command(*canvas);
    } catch (const std::bad_alloc&) {
        plat::messageBox(L"内存不足");
    }
}

} // namespace

bool gCVSReadFile(int id, CString& path, bool keepOriginal)
{
    bool shown = false;
    onCanvas(id, [&](InteractiveImage& canvas) { shown = CanvasFileLoader::Load(canvas, path, keepOriginal); });
    return shown;
}

bool gCVSCanReadFile(const CString& path)
{
    return CanvasFileLoader::Claims(path);
}

void gCVSSaveRaw(int id)
{
    onCanvas(id, CanvasFileSaver::SaveRaw);
}

void gCVSSave8bit(int id)
{
    onCanvas(id, CanvasFileSaver::Save8bit);
}

void gCVSSaveLabel(int id)
{
    onCanvas(id, CanvasFileSaver::SaveLabel);
}

void gCVSSaveImaWithOverlap(int id)
{
    onCanvas(id, [](InteractiveImage& canvas) { CanvasFileSaver::SaveClient(canvas, false); });
}

void gCVSSaveNowShowIma(int id)
{
    onCanvas(id, CanvasFileSaver::SaveShown);
}

void gCVSSaveClient(int id)
{
    onCanvas(id, [](InteractiveImage& canvas) { CanvasFileSaver::SaveClient(canvas, true); });
}
