#include "pixorama/parlet/QEVCtrlContainer.h"

#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/SourceText.h"
#include "pixorama/platform/Translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
const plat::ColorRef kBackground = plat::rgb(0xF0, 0xF0, 0xF0);

// Ends the hosting dialog with code, or closes a modeless one.
void endHost(QWidget* host, bool modal, int code)
{
    auto* dialog = qobject_cast<QDialog*>(host);
    if (dialog != nullptr && modal)
        dialog->done(code);
    else if (dialog != nullptr)
        dialog->close();
}

} // namespace

QEVCtrlContainer::QEVCtrlContainer() : m_Font(QStringLiteral("微软雅黑"), 10)
{
    // The controls take the focus; the container only lays them out.
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(false);
    setBackgroundPixel(plat::pixelOf(kBackground));
}

QEVCtrlContainer::~QEVCtrlContainer() = default;

void QEVCtrlContainer::SetCtrlPara(int width, int height, int hGap, int leftMargin, int vGap, int topMargin)
{
    m_BaseCell = {width, height, hGap, leftMargin, vGap, topMargin};
}

void QEVCtrlContainer::SetLayOutPara(int rows, int columns)
{
    m_Rows = rows;
    m_Columns = columns;
    if (m_bShowOkCancel || m_bShowPreNext)
        ++m_Rows;
}

void QEVCtrlContainer::SetWndType(QEVImaParaType type)
{
    m_ParaType = type;
    GetInitName();
}

void QEVCtrlContainer::ReserveItem(int n)
{
    m_ReservedCount = std::max(0, n);
    m_Items.assign(std::size_t(m_ReservedCount), CtrlItem{});
    m_Controls.assign(std::size_t(m_ReservedCount), nullptr);
}

bool QEVCtrlContainer::CreateWin(const plat::Rect& rect, QWidget* parent, unsigned baseId)
{
    if (m_bCreated)
        return false;
    m_CreateRect = rect;
    m_Parent = parent;
    m_BaseId = baseId;
    setParent(parent);
    setProperty("ctrlId", int(baseId));
    Place(this, rect);
    show();

    SetCtrlItem();
    FitCellsToTexts();
    m_UsedCount = int(m_Items.size());
    // The controls start at the size SetCtrlItem chose.
    m_Cell = m_BaseCell;
    CreateCtrl();
    LoadInitPara();

    m_Cell = m_BaseCell;
    GetContainerRect(m_ReferenceRect);
    m_bCreated = true;
    if (m_bAdjustParentWinSize) {
        SetParentWinSize();
    } else if (QWidget* sized = SizedWindow()) {
        m_ParentClientRect = {0, 0, sized->width(), sized->height()};
    }
    return true;
}

void QEVCtrlContainer::CreateCtrl()
{
    m_Values.clear();
    m_Controls.assign(m_Items.size(), nullptr);
    for (std::size_t i = 0; i < m_Items.size(); ++i) {
        CtrlItem& item = m_Items[i];
        item.index = int(i);
        plat::Rect r;
        GetCtrlRect(float(item.row), float(item.column), r, item.rowSpan, item.columnSpan);
        const QString source = QString::fromStdWString(item.caption);
        const QString caption = plat::tr(source);
        QWidget* control = nullptr;
        if (item.kind == L"Static") {
            auto* label = new QLabel(this);
            label->setAlignment(Qt::AlignCenter);
            control = label;
        } else if (item.kind == L"Edit") {
            auto* edit = new QLineEdit(this);
            edit->setAlignment(Qt::AlignCenter);
            control = edit;
        } else if (item.kind == L"CheckBox") {
            control = new QCheckBox(this);
        } else if (item.kind == L"Button") {
            auto* button = new QPushButton(this);
            const int id = item.id;
            connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
            control = button;
        } else if (item.kind == L"Combo") {
            auto* combo = new QComboBox(this);
            QStringList options;
            for (const CString& option : item.options)
                options << QString::fromStdWString(option);
            plat::setSourceItems(combo, options);
            combo->setCurrentIndex(item.options.empty() ? -1 : 0);
            if (item.droppedWidth > 0)
                combo->view()->setMinimumWidth(item.droppedWidth);
            control = combo;
        } else {
            continue; // an unknown kind gets no control and no value
        }
        if (!source.isEmpty() && !qobject_cast<QComboBox*>(control) && !qobject_cast<QLineEdit*>(control))
            plat::setSourceText(control, source);
        control->setObjectName(QString::fromStdWString(item.name));
        control->setProperty("ctrlId", item.id);
        control->setFont(m_Font);
        // A label too narrow for its text still tells the whole of it.
        if (!caption.isEmpty())
            control->setToolTip(caption);
        Place(control, r);
        control->show();
        m_Controls[i] = control;
        if (item.kind == L"Edit" || item.kind == L"CheckBox" || item.kind == L"Combo")
            m_Values.try_emplace(item.name, item); // the first item of a name wins
    }
    if (m_bShowOkCancel)
        CreateOkCancel();
    if (m_bShowPreNext)
        CreatePreNext();
}

QPushButton* QEVCtrlContainer::MakeButton(const CString& text, int id, const plat::Rect& rect)
{
    auto* button = new QPushButton(this);
    plat::setSourceText(button, QString::fromStdWString(text));
    button->setProperty("ctrlId", id);
    button->setFont(m_Font);
    Place(button, rect);
    button->show();
    connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
    return button;
}

void QEVCtrlContainer::CreateOkCancel()
{
    ComputeOkCancelRect();
    m_Ok = MakeButton(L"确定", kOkId, m_OkRect);
    m_Cancel = MakeButton(L"取消", kCancelId, m_CancelRect);
    // Enter anywhere in the dialog means OK.
    m_Ok->setDefault(true);
}

void QEVCtrlContainer::CreatePreNext()
{
    ComputeOkCancelRect();
    m_Pre = MakeButton(m_PreText, IDC_PRE, m_OkRect);
    m_Next = MakeButton(m_NextText, IDC_NEXT, m_CancelRect);
}

void QEVCtrlContainer::onPaint(plat::Dc& dc)
{
    dc.fillRect(clientRect(), kBackground);
}

void QEVCtrlContainer::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
}

QWidget* QEVCtrlContainer::GetControl(int index) const
{
    if (index < 0 || std::size_t(index) >= m_Controls.size())
        return nullptr;
    return m_Controls[std::size_t(index)];
}

QPushButton* QEVCtrlContainer::GetButton(int id) const
{
    switch (id) {
    case kOkId: return m_Ok;
    case kCancelId: return m_Cancel;
    case IDC_PRE: return m_Pre;
    case IDC_NEXT: return m_Next;
    default: return nullptr;
    }
}

void QEVCtrlContainer::OnCommand(int id)
{
    switch (id) {
    case kOkId: OnOk(); break;
    case kCancelId: OnCancel(); break;
    case IDC_PRE: SendPreNext(m_Pre); break;
    case IDC_NEXT: SendPreNext(m_Next); break;
    default: break;
    }
}

void QEVCtrlContainer::SendPreNext(QPushButton* button)
{
    auto* host = dynamic_cast<plat::Wnd*>(parentWidget());
    if (button == nullptr || host == nullptr)
        return;
    // The host tells the buttons apart by their Chinese text, whatever the
    // language shown.
    const CString text = button == m_Pre ? m_PreText : m_NextText;
    plat::sendMessage(host, MSG_PRE_NEXT, 1, reinterpret_cast<std::intptr_t>(&text));
}

void QEVCtrlContainer::OnOk()
{
    SaveInitPara();
    endHost(parentWidget(), m_bModalDlg, plat::IDOK);
}

void QEVCtrlContainer::OnCancel()
{
    endHost(parentWidget(), m_bModalDlg, plat::IDCANCEL);
}
