#include "ResultsCommands.h"
#include "ProfileExport.h"

#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/canvo/CanvasTable.h"
#include "pixorama/canvo/InteractiveLineProfile.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/tilemo/Tilemo.h"
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/CanvasResults.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/RegionFile.h"
#include "pixorama/workbench/ResultsDock.h"
#include "pixorama/workbench/WorkState.h"

#include <string>

namespace {

constexpr int canvasId = WorkState::workingCanvas;

std::wstring chooseFile(bool save, const std::wstring& title, const std::wstring& name, const std::wstring& extension,
                        const std::wstring& filter)
{
    const std::vector<std::wstring> chosen = plat::fileDialog({.save = save,
                                                               .overwritePrompt = save,
                                                               .title = title,
                                                               .initialName = name,
                                                               .defaultExtension = extension,
                                                               .filter = filter});
    return chosen.empty() ? std::wstring() : chosen.front();
}

const std::wstring regionFilter = L"区域文件 (*.json)|*.json||";

void measureAll(CMainFrame& frame)
{
    frame.resultsDock()->show();
    gPostResults(gMeasureWorkingOverlays());
}

void saveRegions()
{
    const RegionSet set = gWorkingRegionSet();
    if (set.overlays.empty()) {
        plat::messageBox(L"没有可保存的区域或测量");
        return;
    }
    const std::wstring path = chooseFile(true, L"保存区域", L"regions.json", L"json", regionFilter);
    std::wstring error;
    if (!path.empty() && !gWriteRegionFile(path, set, error))
        plat::messageBox(error);
}

// A set of another size is put on the picture only when the user asks for
// it scaled.
bool fitToPicture(RegionSet& set, int width, int height)
{
    if (set.width == width && set.height == height)
        return true;
    const std::wstring question = L"区域文件的图像尺寸为 " + std::to_wstring(set.width) + L" × " +
                                  std::to_wstring(set.height) + L"，当前图像为 " + std::to_wstring(width) +
                                  L" × " + std::to_wstring(height) + L"。按比例缩放后载入吗？";
    if (plat::messageBox(question, L"Pixorama", plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
        return false;
    set.ScaleTo(width, height);
    return true;
}

void loadRegions()
{
    const int width = gCVSGetCanvasWidth(canvasId);
    const int height = gCVSGetCanvasHeight(canvasId);
    if (gCVSGetFileType(canvasId) == FileNothing || width <= 0 || height <= 0) {
        plat::messageBox(L"没有图像数据");
        return;
    }
    const std::wstring path = chooseFile(false, L"载入区域", L"", L"json", regionFilter);
    if (path.empty())
        return;
    RegionSet set;
    std::wstring error;
    if (!gReadRegionFile(path, set, error)) {
        plat::messageBox(error);
        return;
    }
    if (!fitToPicture(set, width, height))
        return;
    gPlaceRegionSet(set);
    gCTERRefreshAllView();
}

void saveProfile()
{
    InteractiveImage* canvas = CanvasTable::At(canvasId);
    auto* profile = canvas ? dynamic_cast<InteractiveLineProfile*>(canvas->Selected()) : nullptr;
    const std::vector<float> values = profile ? profile->Sample() : std::vector<float>{};
    if (values.empty()) {
        plat::messageBox(L"请先选择一条线数据（至少 10 个像素长）");
        return;
    }
    const std::wstring path = chooseFile(true, L"保存线数据", L"profile.csv", L"csv", L"CSV 文件 (*.csv)|*.csv||");
    if (path.empty())
        return;
    std::wstring error;
    if (!gSaveProfile(path, values, error))
        plat::messageBox(error);
}

} // namespace

bool IsResultsCommand(int id)
{
    return id >= ID_RESULTS_WINDOW && id <= ID_SAVE_PROFILE;
}

void RunResultsCommand(CMainFrame& frame, int id)
{
    switch (id) {
    case ID_RESULTS_WINDOW: frame.resultsDock()->show(); frame.resultsDock()->raise(); break;
    case ID_MEASURE_ALL: measureAll(frame); break;
    case ID_SAVE_REGIONS: saveRegions(); break;
    case ID_LOAD_REGIONS: loadRegions(); break;
    case ID_SAVE_PROFILE: saveProfile(); break;
    default: break;
    }
}
