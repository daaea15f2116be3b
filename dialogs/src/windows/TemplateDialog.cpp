#include "pixorama/parlet/TemplateDialog.h"

#include "pixorama/platform/Modal.h"

int TemplateDialog::DoModal()
{
    if (!m_bPrepared)
        return -1;
    if (!m_bInitialised)
        OnInitDialog();
    return plat::execModal(*this);
}

bool TemplateDialog::Prepare(const CString& caption, bool framed, int modal, QWidget* parent)
{
    m_Caption = caption;
    m_Modal = modal;
    m_Parent = parent;
    if (parent != nullptr)
        setParent(parent);
    m_Template = DialogTemplate::Build(caption, framed);
    m_Template.Apply(*this);
    if (modal == 0)
        return false;
    setModal(true);
    m_bPrepared = true;
    return true;
}

bool TemplateDialog::OnInitDialog()
{
    m_bInitialised = true;
    return true;
}
