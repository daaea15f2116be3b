#include "pixorama/brovia/QEVWndParaColorIma.h"

#include "pixorama/brovia/QEVDlgForThreshold.h"

void QEVWndParaColorIma::SetupGroups()
{
    AddGroup(L"阈值", {{L"阈值", 1}}, true);
    AddGroup(L"模糊", {{L"模糊半径", 2}}, false);
    AddGroup(L"旋转", {{L"旋转", 11}}, false);
    AddGroup(L"平移", {{L"X", 9}, {L"Y", 10}}, false);
    AddGroup(L"加噪声", {{L"程度", 12}}, false);
    AddGroup(L"饱和度", {{L"饱和度", 3}, {L"色调", 4}}, false);
    AddGroup(L"锐化", {{L"程度", 5}, {L"半径", 6}}, false);
    AddGroup(L"马赛克", {{L"块大小", 7}}, false);
    AddGroup(L"径向放大", {{L"放大程度", 13}}, false);
    AddGroup(L"图像细节增强", {{L"图像轮廓", 14}, {L"小细节", 15}, {L"中细节", 16}, {L"大细节", 17}}, false);
}

QEVSelfDrawWndBase* QEVWndParaColorIma::NewStrip() const
{
    return new QEVDlgForThreshold;
}
