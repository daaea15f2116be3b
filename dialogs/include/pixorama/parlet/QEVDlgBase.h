#pragma once

#include "QEVBasicImaParaWnd.h"
#include "TemplateDialog.h"

#include "pixorama/platform/Types.h"

#include <QIcon>

// The dialog that hosts one parameter window and is sized to fit it.
// Modal: build it on the stack, CreateModeDlg(..., modal = 1, ...) and
// DoModal(), which returns 1 for OK and 2 for Cancel. Non-modal: create it
// with new; it shows at once and deletes itself when closed.
class QEVDlgBase : public TemplateDialog {
    Q_OBJECT

public:
    static constexpr unsigned kBaseId = 50001;

    QEVDlgBase();
    // Keeps the values in section of fileName instead of the type's own file.
    QEVDlgBase(const CString& section, const CString& fileName, QEVImaParaType type);
    ~QEVDlgBase() override;

    // Non-zero on success.
    int CreateModeDlg(unsigned id, const CString& caption, const plat::Rect& rect, int modal, QWidget* parent);
    virtual void CreateModal() {}
    virtual void CreateNoModal() {}

    void SetHasFrame(bool hasFrame) { m_bHasFrame = hasFrame; }
    void SetShowOkCancel(bool show) { m_bShowOkCancel = show; }
    void SetUseDefaultName(bool useDefault) { m_bUseDefaultName = useDefault; }
    void SetDialogIcon(const QIcon& icon) { m_Icon = icon; }
    // The dialog's current size.
    plat::Size GetSize() const;

    QEVBasicImaParaWnd& GetImaParaWnd() { return m_ImaParaWnd; }
    const DialogTemplate& GetTemplate() const { return m_Template; }

    // OK and Cancel of the dialog itself (Enter on the default button, Esc,
    // the close box) go the way of the hosted window's buttons.
    void accept() override;
    void reject() override;

protected:
    bool OnInitDialog() override;
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnSize(int width, int height);
    virtual void PostNcDestroy();
    void resizeEvent(QResizeEvent* event) override;

private:
    QEVBasicImaParaWnd m_ImaParaWnd;
    QIcon m_Icon;
    CString m_Section;
    CString m_FileName;
    bool m_bHasConfigInfo = false;
    bool m_bHasFrame = true;
    bool m_bUseDefaultName = true;
    bool m_bShowOkCancel = true;
    unsigned m_TemplateId = 0;
    plat::Rect m_InitRect;
    QEVImaParaType m_ParaType = QEV_IMALOAD;
};
