#include "pixorama/parlet/QEVBasicImaParaWnd.h"

#include "ImaParaItems.h"
#include "RecordFields.h"
#include "TextNumber.h"

#include "pixorama/common/OSDIR.h"
#include "pixorama/parlet/CDragAndDropListBox.h"
#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/platform/Profile.h"
#include "pixorama/platform/SourceText.h"
#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// The profile reader's buffer held 255 characters and a terminator.
constexpr std::size_t kMaxValueChars = 255;

int clampToInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

QEVBasicImaParaWnd::QEVBasicImaParaWnd() = default;

QEVBasicImaParaWnd::~QEVBasicImaParaWnd() = default;

void QEVBasicImaParaWnd::SetCtrlItem()
{
    ReserveItem(0);
    const QEVImaParaType type = GetImaParaType();
    parlet::ImaParaShape shape;
    if (!parlet::ShapeOf(type, shape))
        return;
    if (shape.title != nullptr && parentWidget() != nullptr)
        plat::setSourceText(parentWidget(), QString::fromWCharArray(shape.title));
    if (shape.cellWidth != GetBaseCellPara().width) {
        const CellPara base = GetBaseCellPara();
        SetCtrlPara(shape.cellWidth, base.height, base.hGap, base.leftMargin, base.vGap, base.topMargin);
    }
    SetLayOutPara(shape.rows, shape.columns);
    parlet::ItemLayout layout(m_Items, shape.columns, int(GetBaseId()));
    parlet::FillImaParaItems(type, layout);
}

void QEVBasicImaParaWnd::CreateCtrl()
{
    QEVCtrlContainer::CreateCtrl();
    if (GetImaParaType() == QEV_PROCESS)
        CreateStepLists();
}

void QEVBasicImaParaWnd::CreateStepLists()
{
    m_StepSource = new CDragAndDropListBox(this);
    m_StepSource->setProperty("ctrlId", IDC_STEP_SOURCE);
    for (const wchar_t* step : parlet::ProcessSteps())
        m_StepSource->AddLine(QString::fromWCharArray(step));
    m_StepSource->SetRole(CDragAndDropListBox::RoleSource);

    m_StepTarget = new CDragAndDropListBox(this);
    m_StepTarget->setProperty("ctrlId", IDC_STEP_TARGET);
    m_StepTarget->AddLine(QString::fromWCharArray(parlet::kProcessHeader));
    m_StepTarget->SetRole(CDragAndDropListBox::RoleTarget);

    // Created after the items, so they follow them in the tab order.
    m_StepSource->show();
    m_StepTarget->show();
    MoveCtrl();
}

void QEVBasicImaParaWnd::MoveCtrl()
{
    QEVCtrlContainer::MoveCtrl();
    if (m_StepSource == nullptr || m_StepTarget == nullptr)
        return;
    // Each list takes half of the grid's columns over every row above the buttons.
    const int half = GetColumnCount() / 2;
    const int rows = std::max(1, GetRowCount() - 1);
    plat::Rect left;
    plat::Rect right;
    GetCtrlRect(0, 0, left, rows, half);
    GetCtrlRect(0, float(half), right, rows, GetColumnCount() - half);
    m_StepSource->setGeometry(left.left, left.top, left.width(), left.height());
    m_StepTarget->setGeometry(right.left, right.top, right.width(), right.height());
}

void QEVBasicImaParaWnd::LoadInitPara()
{
    for (auto& [name, item] : m_Values) {
        // The byte order starts as the machine's own until a choice is stored.
        const wchar_t* meant = parlet::UnstoredValue(name);
        const wchar_t* unstored = meant != nullptr ? meant : L"nul";
        CString value = plat::getProfileString(GetSectionName(), name, unstored, GetInitFilePath());
        if (value.size() > kMaxValueChars)
            value.resize(kMaxValueChars);
        item.value = value;
    }
    UpData();
}

void QEVBasicImaParaWnd::SaveInitPara()
{
    DownData();
    // A value that cannot be written (no file, a line break) keeps the old one.
    for (const auto& [name, item] : m_Values)
        plat::writeProfileString(GetSectionName(), name, item.value, GetInitFilePath());
}

void QEVBasicImaParaWnd::OnOk()
{
    ReadRecord();
    QEVCtrlContainer::OnOk();
}

void QEVBasicImaParaWnd::ReadRecord()
{
    const parlet::ValueSource source{
        [this](const CString& name) { return GetRetInt(name); },
        [this](const CString& name) { return GetRetFloat(name); },
        [this](const CString& name) { return GetRet(name); },
    };
    if (const parlet::ImaParaTable* table = parlet::TableOf(GetImaParaType()); table && table->readRecord) {
        table->readRecord(*this, source);
        return;
    }
    switch (GetImaParaType()) {
    case QEV_MATRIXTHREE: ReadMatrix(3); break;
    case QEV_MATRIXFOUR: ReadMatrix(4); break;
    case QEV_MATRIXFIVE: ReadMatrix(5); break;
    case QEV_PROCESS:
        m_ProcessPara.m_ProcessList = m_StepTarget != nullptr ? m_StepTarget->Lines() : std::vector<CString>{};
        break;
    default: break;
    }
}

void QEVBasicImaParaWnd::ReadMatrix(int n)
{
    tagQEVImaMatrixPara& record = m_MatrixPara[n - 3];
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const float value = GetRetFloat(parlet::MatrixKey(n, r, c));
            if (n == 3)
                record.m_Matrix3[r][c] = value;
            else if (n == 4)
                record.m_Matrix4[r][c] = value;
            else
                record.m_Matrix5[r][c] = value;
        }
    }
}

void QEVBasicImaParaWnd::OnCommand(int id)
{
    switch (id) {
    case IDC_COMPUTE_PAIR_SIZE: ComputePairSize(); break;
    case IDC_BROWSE_RECONSTRUCTION:
    case IDC_BROWSE_PAIR:
    case IDC_BROWSE_FORMAT:
    case IDC_BROWSE_SPIRAL:
    case IDC_BROWSE_ROWDATA:
    case IDC_BROWSE_WEIGHT: Browse(id); break;
    default: QEVCtrlContainer::OnCommand(id); break;
    }
}

void QEVBasicImaParaWnd::Browse(int id)
{
    ReadRecord();
    const CString folder = OSDIR::GetDir(); // "NULL" when cancelled
    SetValue(id == IDC_BROWSE_FORMAT ? L"OutDir" : L"m_SaveDir", folder.empty() ? CString(L"NULL") : folder);
    UpData();
}

void QEVBasicImaParaWnd::ComputePairSize()
{
    ReadRecord();
    tagQEVImaPairPara& p = m_ImaPairPara;
    // 64-bit sums, so junk sizes cannot overflow; the result saturates.
    const std::int64_t cuts = std::int64_t(p.LeftCut) + p.RightCut + p.HoriPara;
    if (p.bVertical != 0) {
        p.ImaThreeW = p.ImaOneW;
        p.ImaThreeH = clampToInt(std::int64_t(p.ImaOneH) + p.ImaTwoH - cuts);
    } else {
        p.ImaThreeH = p.ImaOneH;
        p.ImaThreeW = clampToInt(std::int64_t(p.ImaOneW) + p.ImaTwoW - cuts);
    }
    SetValue(L"ImaThreeW", parlet::IntText(p.ImaThreeW));
    SetValue(L"ImaThreeH", parlet::IntText(p.ImaThreeH));
    UpData();
}
