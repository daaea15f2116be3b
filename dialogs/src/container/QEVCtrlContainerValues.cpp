// The value side of QEVCtrlContainer: moving values between the table and
// the controls, reading them as numbers, and naming the parameter file.
#include "pixorama/parlet/QEVCtrlContainer.h"

#include "TextNumber.h"

#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <filesystem>

namespace {

std::filesystem::path parameterFolder()
{
    const std::filesystem::path folder = plat::writableFolder() / "ImaPInitPara";
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder, ignored))
        std::filesystem::create_directories(folder, ignored);
    return folder;
}

// Section and file base name of every type that keeps its values.
const wchar_t* initBaseName(QEVImaParaType type)
{
    switch (type) {
    case QEV_IMALOAD: return L"ImaLoad";
    case QEV_ROICIRCLE: return L"ImaROICircle";
    case QEV_ROIRECT: return L"ImaROIRect";
    case QEV_FORMAT: return L"ImaFormat";
    case QEV_IMAPAIR: return L"ImaPair";
    case QEV_VOLUMEREC: return L"ImaRec";
    case QEV_FANSIM: return L"ImaFanSim";
    case QEV_SPIRALSIM: return L"ImaSpiralConeBeamPara";
    case QEV_ROWDATA: return L"ImaRowDataPara";
    case QEV_WEIGHTEXTENT: return L"ImaWeightAndExtentPara";
    case QEV_FANREC: return L"ImaFanRec";
    case QEV_GENERAL: return L"ImaGeneralPara";
    case QEV_IMADIM: return L"ImaDim";
    case QEV_MATRIXTHREE: return L"ImaMatrixThree";
    case QEV_MATRIXFOUR: return L"ImaMatrixFour";
    case QEV_MATRIXFIVE: return L"ImaMatrixFive";
    case QEV_TWOPOINTS: return L"TwoPointsPara";
    default: return nullptr;
    }
}

} // namespace

void QEVCtrlContainer::GetInitName()
{
    const std::filesystem::path folder = parameterFolder();
    const wchar_t* base = initBaseName(m_ParaType);
    if (base == nullptr)
        return;
    m_Section = base;
    m_InitFile = plat::fromPath(folder / plat::toPath(CString(base) + L".ini"));
}

void QEVCtrlContainer::SetConfigInfo(const CString& section, const CString& fileName)
{
    m_Section = section;
    const std::size_t slash = fileName.find_last_of(L"/\\");
    const CString leaf = slash == CString::npos ? fileName : fileName.substr(slash + 1);
    const std::filesystem::path folder = parameterFolder();
    // "", "." and ".." name no file: the values then live for the run only.
    if (leaf.empty() || leaf == L"." || leaf == L"..")
        m_InitFile.clear();
    else
        m_InitFile = plat::fromPath(folder / plat::toPath(leaf));
}

void QEVCtrlContainer::UpData()
{
    for (const auto& [name, item] : m_Values) {
        QWidget* control = GetControl(item.index);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(QString::fromStdWString(item.value));
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            // An index the combo does not have keeps the current selection.
            const int index = parlet::LeadingInt(item.value);
            if (index >= 0 && index < combo->count())
                combo->setCurrentIndex(index);
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            if (item.value == L"true")
                check->setChecked(true);
            else if (item.value == L"false")
                check->setChecked(false);
        }
    }
}

void QEVCtrlContainer::DownData()
{
    for (auto& [name, item] : m_Values) {
        QWidget* control = GetControl(item.index);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            item.value = edit->text().toStdWString();
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            item.value = parlet::IntText(combo->currentIndex());
        else if (auto* check = qobject_cast<QCheckBox*>(control))
            item.value = check->isChecked() ? L"true" : L"false";
    }
}

CString QEVCtrlContainer::GetRet(const CString& name)
{
    DownData();
    const auto found = m_Values.find(name);
    return found == m_Values.end() ? CString() : found->second.value;
}

int QEVCtrlContainer::GetRetInt(const CString& name)
{
    const CString text = GetRet(name);
    if (text == L"true")
        return 1;
    if (text == L"false")
        return 0;
    return parlet::LeadingInt(text);
}

float QEVCtrlContainer::GetRetFloat(const CString& name)
{
    return parlet::LeadingFloat(GetRet(name));
}

void QEVCtrlContainer::SetValue(const CString& name, const CString& text, const CString& kind)
{
    auto found = m_Values.find(name);
    if (found == m_Values.end()) {
        CtrlItem item;
        item.name = name;
        item.kind = kind;
        item.index = -1; // no control of its own
        found = m_Values.emplace(name, item).first;
    }
    found->second.value = text;
}
