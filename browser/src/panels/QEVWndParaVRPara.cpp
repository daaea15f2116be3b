#include "pixorama/brovia/QEVWndParaVRPara.h"

#include "pixorama/brovia/QEVDlgForThreshold.h"

void QEVWndParaVRPara::SetupGroups()
{
    AddGroup(L"光照模型参数", {{L"Ia", 26}, {L"Id", 27}, {L"Is", 28}, {L"Is-n", 29}, {L"Trans", 30}}, true);
    AddGroup(L"采样步长", {{L"步长", 31}}, false);
}

QEVSelfDrawWndBase* QEVWndParaVRPara::NewStrip() const
{
    return new QEVDlgForThreshold;
}
