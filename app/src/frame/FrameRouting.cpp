// Routing of command ids to the frame's handler groups.
#include "pixorama/workbench/CMainFrame.h"
#include "pixorama/workbench/CommandIds.h"

#include "FrameCommands.h"
#include "EditCommands.h"
#include "ResultsCommands.h"

#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/MenuTables.h"
#include "pixorama/workbench/OpenPicture.h"
#include "pixorama/workbench/RawWindow.h"
#include "pixorama/workbench/RecentFiles.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/WorkState.h"

namespace {

struct Route {
    int first;
    int last;
    void (CMainFrame::*handler)(int);
};

constexpr Route routes[] = {
    {2224, 2244, &CMainFrame::OnBasicCommand},
    {2255, 2258, &CMainFrame::OnViewModeCommand},
    {2274, 2304, &CMainFrame::OnSelectionCommand},
    {2334, 2349, &CMainFrame::OnArtCommand},
    {2375, 2384, &CMainFrame::OnEditCommand},
    {2394, 2403, &CMainFrame::OnEnhanceCommand},
    {2415, 2416, &CMainFrame::OnAnalysisCommand},
    {2454, 2464, &CMainFrame::OnReconCommand},
    {2475, 2484, &CMainFrame::OnLargeFovCommand},
    {2926, 2926, &CMainFrame::OnReconCommand}, // "测试" of "图像重建实验"
    {2494, 2503, &CMainFrame::OnVolumeCommand},
    {2524, 2544, &CMainFrame::OnSegmentCommand},
    {2625, 2626, &CMainFrame::OnScriptCommand},
    {2928, 2954, &CMainFrame::OnDrTestCommand},
};


bool isSequenceCommand(int id)
{
    return id == 2379 || id == 2380 || id == 2383;
}

// Commands that may change canvas 4's picture: each one run is a step of
// the history (none when it changed nothing).
bool changesPicture(int id)
{
    const bool edit = id >= 2375 && id <= 2384 && !isSequenceCommand(id);
    const bool basic = id == 2228 || id == 2244;
    const bool processing = (id >= 2334 && id <= 2349) || (id >= 2394 && id <= 2403) ||
                            (id >= 2524 && id <= 2544) || (id >= 2928 && id <= 2954);
    return edit || basic || processing;
}

// A step is named after its menu entry.
std::wstring captionOf(int id)
{
    if (id == ID_AUTO_RAW_WINDOW)
        return L"自动窗宽窗位";
    for (const auto tables : {MainMenuTables(), OffMenuTables()})
        for (const MenuTable& table : tables)
            for (int i = 0; i < table.count; ++i)
                if (table.items[i].id == id)
                    return table.items[i].caption;
    return std::to_wstring(id);
}

// Brackets one command as a step of the history.
class StepOf {
public:
    StepOf(int id, StepScope scope) { gPictureHistory().Begin(captionOf(id), scope); }
    ~StepOf() { gPictureHistory().End(); }
    StepOf(const StepOf&) = delete;
    StepOf& operator=(const StepOf&) = delete;
};

} // namespace

void CMainFrame::OnCommand(int id)
{
    if (id == ID_FULL_SCREEN) {
        ToggleFullScreen();
        return;
    }
    if (id == ID_ALWAYS_ON_TOP) {
        ToggleAlwaysOnTop();
        return;
    }
    if (id == ID_UNDO || id == ID_REDO) {
        PictureHistory& history = gPictureHistory();
        if (id == ID_UNDO)
            history.Undo();
        else
            history.Redo();
        return;
    }
    if (id == ID_AUTO_RAW_WINDOW) {
        StepOf step(id, StepScope::Window);
        AutoRawWindow();
        return;
    }
    if (IsResultsCommand(id)) {
        RunResultsCommand(*this, id);
        return;
    }
    if (id == ID_SMOOTH_WHEN_SHRUNK) {
        ToggleSmoothWhenShrunk();
        return;
    }
    if (id >= ID_RECENT_FILE_FIRST && id < ID_RECENT_FILE_FIRST + recentFileCount) {
        const std::vector<std::wstring> paths = RecentFiles::Load();
        const std::size_t index = std::size_t(id - ID_RECENT_FILE_FIRST);
        if (index < paths.size())
            OpenRecentPicture(paths[index]);
        return;
    }
    for (const Route& route : routes)
        if (id >= route.first && id <= route.last) {
            if (changesPicture(id)) {
                StepOf step(id, StepScope::Picture);
                (this->*route.handler)(id);
            } else {
                (this->*route.handler)(id);
            }
            return;
        }
}

void CMainFrame::OnBasicCommand(int id)
{
    RunBasicCommand(id);
}

void CMainFrame::OnViewModeCommand(int id)
{
    RunViewModeCommand(id);
}

void CMainFrame::OnSelectionCommand(int id)
{
    RunSelectionCommand(id);
}

void CMainFrame::OnEditCommand(int id)
{
    if (isSequenceCommand(id))
        RunSequenceCommand(id);
    else
        RunEditCommand(id);
}

void CMainFrame::OnEnhanceCommand(int id)
{
    RunEnhanceCommand(id);
}

void CMainFrame::OnArtCommand(int id)
{
    RunArtCommand(id);
}

void CMainFrame::OnAnalysisCommand(int id)
{
    RunAnalysisCommand(id);
}

void CMainFrame::OnSegmentCommand(int id)
{
    RunSegmentCommand(id);
}

void CMainFrame::OnDrTestCommand(int id)
{
    RunTestCommand(id);
}

void CMainFrame::OnLargeFovCommand(int id)
{
    RunLargeFovCommand(id);
}

void CMainFrame::OnReconCommand(int id)
{
    RunReconCommand(id);
}

// Groups whose commands are not built: their ids do nothing.
void CMainFrame::OnVolumeCommand(int) {}
void CMainFrame::OnScriptCommand(int) {}
