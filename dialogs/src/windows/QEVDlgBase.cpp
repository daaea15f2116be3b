#include "pixorama/parlet/QEVDlgBase.h"

#include "CentreWindow.h"

#include "pixorama/platform/Modal.h"
#include "pixorama/platform/SourceText.h"

#include <QPushButton>
#include <QResizeEvent>

QEVDlgBase::QEVDlgBase() = default;

QEVDlgBase::QEVDlgBase(const CString& section, const CString& fileName, QEVImaParaType type)
    : m_Section(section), m_FileName(fileName), m_bHasConfigInfo(true), m_ParaType(type)
{
    m_ImaParaWnd.SetWndTypeOnly(type);
}

QEVDlgBase::~QEVDlgBase() = default;

int QEVDlgBase::CreateModeDlg(unsigned id, const CString& caption, const plat::Rect& rect, int modal, QWidget* parent)
{
    m_TemplateId = id;
    m_InitRect = rect;
    if (Prepare(caption, modal != 0 || m_bHasFrame, modal, parent)) {
        CreateModal();
        return 1;
    }
    // Closing ends it even while it is hidden (a hidden owner hides it
    // too), when no reject() runs.
    setAttribute(Qt::WA_DeleteOnClose);
    OnInitDialog();
    show();
    CreateNoModal();
    return 1;
}

bool QEVDlgBase::OnInitDialog()
{
    TemplateDialog::OnInitDialog();
    if (!m_Icon.isNull())
        setWindowIcon(m_Icon);
    if (m_bHasConfigInfo)
        m_ImaParaWnd.SetConfigInfo(m_Section, m_FileName);
    m_ImaParaWnd.SetModalDlg(m_Modal != 0);
    // The window sizes the dialog to its grid.
    m_ImaParaWnd.CreateWin({}, this, kBaseId);
    OnSize(width(), height());
    if (!m_bUseDefaultName)
        plat::setSourceText(this, QString::fromStdWString(m_Caption));
    parlet::CentreWindow(*this);
    return true;
}

// A modeless dialog goes once it has ended.
void QEVDlgBase::OnOK()
{
    done(plat::IDOK);
    if (m_Modal == 0)
        PostNcDestroy();
}

void QEVDlgBase::OnCancel()
{
    done(plat::IDCANCEL);
    if (m_Modal == 0)
        PostNcDestroy();
}

void QEVDlgBase::PostNcDestroy()
{
    deleteLater();
}

void QEVDlgBase::accept()
{
    // Only the window's OK fills the record and saves the values.
    if (QPushButton* ok = m_ImaParaWnd.GetButton(plat::IDOK); ok != nullptr && m_ImaParaWnd.IsCreated())
        m_ImaParaWnd.OnOk();
    else
        OnOK();
}

void QEVDlgBase::reject()
{
    OnCancel();
}

void QEVDlgBase::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    OnSize(event->size().width(), event->size().height());
}

void QEVDlgBase::OnSize(int width, int height)
{
    if (m_ImaParaWnd.IsCreated())
        m_ImaParaWnd.setGeometry(0, 0, width, height);
}

plat::Size QEVDlgBase::GetSize() const
{
    return {width(), height()};
}
