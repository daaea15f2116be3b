#include "pixorama/workbench/ParaReport.h"

#include "pixorama/common/tagQEVParaReport.h"
#include "pixorama/workbench/CommandGroups.h"
#include "pixorama/workbench/PictureHistory.h"
#include "pixorama/workbench/QEVDetailWorker.h"
#include "pixorama/workbench/RawWindow.h"

void DispatchParaReport(const tagQEVParaReport& report)
{
    if (report.Kind() == rawWindowReportKind) {
        SetRawWindow(report.Left(), report.Right());
        return;
    }
    const bool detail = report.Kind() >= QEVDetailWorker::firstKind && report.Kind() <= QEVDetailWorker::lastKind;
    gPictureHistory().BeginLive(report.Kind(), detail ? L"细节调整" : L"颜色调整");
    ApplyLiveAdjustment(report);
}
