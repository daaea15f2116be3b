#include "pixorama/brovia/QEVWndParaRawIma.h"

#include "pixorama/brovia/QEVDlgForContrast.h"

void QEVWndParaRawIma::SetupGroups()
{
    AddGroup(L"窗宽窗位", {{L"窗宽窗位", 19}}, true);
    AddGroup(L"RGB通道", {{L"R", 20}, {L"G", 21}, {L"B", 22}}, false);
}

QEVSelfDrawWndBase* QEVWndParaRawIma::NewStrip() const
{
    return new QEVDlgForContrast;
}

QEVDlgForContrast* QEVWndParaRawIma::WindowStrip() const
{
    return dynamic_cast<QEVDlgForContrast*>(StripByReportId(19));
}

void QEVWndParaRawIma::SetHistogram(const std::vector<double>& bins)
{
    if (QEVDlgForContrast* strip = WindowStrip())
        strip->SetHistogram(bins);
}

void QEVWndParaRawIma::SetWindow(float low, float high)
{
    if (QEVDlgForContrast* strip = WindowStrip())
        strip->SetHandlePara(low, high);
}
