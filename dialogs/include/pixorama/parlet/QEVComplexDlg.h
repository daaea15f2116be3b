#pragma once

#include "LayOutCtrl.h"
#include "TemplateDialog.h"

#include "pixorama/platform/Types.h"

// The two-page wizard dialog. Ends with 1 when "完成" was pressed on the
// last page, with 2 when it was cancelled or closed.
class QEVComplexDlg : public TemplateDialog {
    Q_OBJECT

public:
    static constexpr int kLayOutId = 1124;

    QEVComplexDlg();
    ~QEVComplexDlg() override;

    // Non-zero on success; a modal dialog then runs with DoModal.
    int CreateModeDlg(const CString& caption, const plat::Rect& rect, int modal, QWidget* owner);

    LayOutCtrl& GetLayOutCtrl() { return m_LayOut; }
    // "完成" was pressed on the last page.
    void OnWizardFinish();

    // Enter presses the visible page's Next; accept() finishes the wizard.
    void accept() override;
    void reject() override;

protected:
    bool OnInitDialog() override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void End(int code);

    LayOutCtrl m_LayOut;
};
