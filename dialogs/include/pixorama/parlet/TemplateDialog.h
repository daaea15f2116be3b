#pragma once

#include "DialogTemplate.h"

#include <QDialog>

// A dialog built from a template of its caption. A modal one is prepared
// and runs with DoModal, which initialises it on first run; a modeless one
// is initialised and shown by its creator.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    // Runs a dialog prepared as modal through plat::execModal; -1 when none was prepared.
    int DoModal();

protected:
    // Applies the template and takes the parent; true for a modal dialog,
    // which is then prepared for DoModal.
    bool Prepare(const CString& caption, bool framed, int modal, QWidget* parent);
    virtual bool OnInitDialog();

    DialogTemplate m_Template;
    CString m_Caption;
    int m_Modal = 1;
    QWidget* m_Parent = nullptr;
    bool m_bInitialised = false;

private:
    bool m_bPrepared = false;
};
