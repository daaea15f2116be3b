#pragma once

#include "DialogTemplate.h"
#include "LayOutCtrl.h"

#include "pixorama/platform/Types.h"

#include <QDialog>

// The two-page wizard dialog. Ends with 1 when "完成" was pressed on the
// last page, with 2 when it was cancelled or closed.
class QEVComplexDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kLayOutId = 1124;

    QEVComplexDlg();
    ~QEVComplexDlg() override;

    // Non-zero on success; a modal dialog then runs with DoModal.
    int CreateModeDlg(const CString& caption, const plat::Rect& rect, int modal, QWidget* owner);
    int DoModal();

    LayOutCtrl& GetLayOutCtrl() { return m_LayOut; }
    // "完成" was pressed on the last page.
    void OnWizardFinish();

    // Enter presses the visible page's Next; accept() finishes the wizard.
    void accept() override;
    void reject() override;

protected:
    virtual bool OnInitDialog();
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void End(int code);

    LayOutCtrl m_LayOut;
    DialogTemplate m_Template;
    CString m_Caption;
    int m_Modal = 1;
    QWidget* m_Owner = nullptr;
    bool m_bInitialised = false;
    bool m_bPrepared = false;
};
