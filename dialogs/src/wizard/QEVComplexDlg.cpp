#include "pixorama/parlet/QEVComplexDlg.h"

#include "CentreWindow.h"

#include "pixorama/parlet/ParletMessages.h"
#include "pixorama/platform/Messages.h"
#include "pixorama/platform/Modal.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QResizeEvent>

QEVComplexDlg::QEVComplexDlg()
{
    m_LayOut.SetFinishHandler([this] { OnWizardFinish(); });
}

QEVComplexDlg::~QEVComplexDlg() = default;

int QEVComplexDlg::CreateModeDlg(const CString& caption, const plat::Rect& rect, int modal, QWidget* owner)
{
    (void)rect; // the pages decide the size
    if (Prepare(caption, true, modal, owner))
        return 1;
    OnInitDialog();
    show();
    return 1;
}

bool QEVComplexDlg::OnInitDialog()
{
    TemplateDialog::OnInitDialog();
    // The wizard body sizes the dialog to the larger page.
    m_LayOut.Create({10, 10, 500, 500}, this, kLayOutId);
    m_LayOut.SetSize({0, 0, width(), height()});
    parlet::CentreWindow(*this);
    return true;
}

void QEVComplexDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_bInitialised)
        m_LayOut.SetSize({0, 0, event->size().width(), event->size().height()});
}

void QEVComplexDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const int page = m_LayOut.GetVisiblePage();
        if (page >= 0) {
            if (QPushButton* next = m_LayOut.GetPage(page).GetButton(IDC_NEXT))
                next->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void QEVComplexDlg::OnWizardFinish()
{
    End(plat::IDOK);
}

void QEVComplexDlg::accept()
{
    const CString finish = L"完成";
    plat::sendMessage(&m_LayOut, MSG_PRE_NEXT, 1, reinterpret_cast<std::intptr_t>(&finish));
}

void QEVComplexDlg::reject()
{
    End(plat::IDCANCEL);
}

void QEVComplexDlg::End(int code)
{
    done(code);
    if (m_Modal == 0)
        deleteLater();
}
