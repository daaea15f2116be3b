#include "HeadlessDialogs.h"

#include "pixorama/parlet/QEVCtrlContainer.h"
#include "pixorama/platform/Profile.h"

namespace {

const wchar_t* const unset = L"nul";

// The keys a raw frame cannot be read without.
const wchar_t* const loadKeys[] = {L"InImaW", L"InImaH", L"InImaPixelType"};

bool storedLoadValues(const QEVCtrlContainer& values)
{
    for (const wchar_t* key : loadKeys)
        if (plat::getProfileString(values.GetSectionName(), key, unset, values.GetInitFilePath()) == unset)
            return false;
    return true;
}

} // namespace

HeadlessDialogs::HeadlessDialogs()
    : script([this](DialogDriver& dialog) { answer(dialog); })
{
}

void HeadlessDialogs::answer(DialogDriver& dialog)
{
    const QEVCtrlContainer* values = dialog.Container();
    if (values && values->GetImaParaType() == QEV_IMALOAD) {
        if (storedLoadValues(*values)) {
            dialog.PressOk();
            return;
        }
        if (needed.empty())
            needed = L"a raw file needs stored load parameters (InImaW, InImaH, InImaPixelType in "
                     + values->GetInitFilePath() + L"); confirm the load dialog once to store them";
    } else if (needed.empty()) {
        needed = L"the dialog \"" + dialog.Title() + L"\" needs an answer, and this run has nobody to give one";
    }
    dialog.PressCancel();
}
