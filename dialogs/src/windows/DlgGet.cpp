#include "pixorama/parlet/DlgGet.h"

#include "ImaParaItems.h"
#include "RecordFields.h"

#include "pixorama/parlet/QEVComplexDlg.h"
#include "pixorama/parlet/QEVDlgBase.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/System.h"

#include <QApplication>

#include <functional>
#include <memory>

namespace {

const plat::Rect kInitialRect{0, 0, 400, 200};

bool canShowDialogs()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

struct Storage {
    const CString* section = nullptr;
    const CString* fileName = nullptr;
};

// Runs one dialog of type on the user-interface thread and hands the
// window to take when the user confirmed.
bool runDialog(QEVImaParaType type, Storage storage, const std::function<void(QEVBasicImaParaWnd&)>& take)
{
    if (!canShowDialogs())
        return false;
    const wchar_t* caption = parlet::TableOf(type)->caption;
    bool confirmed = false;
    plat::runOnUiThread([&] {
        std::unique_ptr<QEVDlgBase> dialog;
        if (storage.section != nullptr) {
            dialog = std::make_unique<QEVDlgBase>(*storage.section, *storage.fileName, type);
        } else {
            dialog = std::make_unique<QEVDlgBase>();
            dialog->GetImaParaWnd().SetWndType(type);
        }
        dialog->CreateModeDlg(0, caption, kInitialRect, 1, nullptr);
        if (dialog->DoModal() == plat::IDOK) {
            take(dialog->GetImaParaWnd());
            confirmed = true;
        }
    });
    return confirmed;
}

template <class R>
bool getRecord(QEVImaParaType type, R& record, R ImaParaRecordSet::*hosted, Storage storage = {})
{
    return runDialog(type, storage, [&](QEVBasicImaParaWnd& wnd) {
        parlet::CopyFields(record, wnd.*hosted, parlet::FieldsOf(record));
    });
}

template <std::size_t N>
void copyMatrix(float (&to)[N][N], const float (&from)[N][N])
{
    for (std::size_t r = 0; r < N; ++r) {
        for (std::size_t c = 0; c < N; ++c)
            to[r][c] = from[r][c];
    }
}

} // namespace

bool gDlgGetImaLoadPara(tagQEVImaLoadPara& para)
{
    return getRecord(QEV_IMALOAD, para, &QEVBasicImaParaWnd::m_ImaLoadPara);
}

bool gDlgGetImaLoadParaV2(tagQEVImaLoadPara& para, const CString& section, const CString& fileName)
{
    return getRecord(QEV_IMALOAD, para, &QEVBasicImaParaWnd::m_ImaLoadPara, {&section, &fileName});
}

bool gDlgGetImaROICirclePara(tagQEVImaROICirclePara& para)
{
    return getRecord(QEV_ROICIRCLE, para, &QEVBasicImaParaWnd::m_ROICirclePara);
}

bool gDlgGetImaROIRectPara(tagQEVImaROIRectPara& para)
{
    return getRecord(QEV_ROIRECT, para, &QEVBasicImaParaWnd::m_ROIRectPara);
}

bool gDlgGetImaFormatPara(tagQEVImaFormatPara& para)
{
    return getRecord(QEV_FORMAT, para, &QEVBasicImaParaWnd::m_FormatPara);
}

bool gDlgGetImaFormatParaV2(tagQEVImaFormatPara& para, const CString& section, const CString& fileName)
{
    return getRecord(QEV_FORMAT, para, &QEVBasicImaParaWnd::m_FormatPara, {&section, &fileName});
}

bool gDlgGetImaPairPara(tagQEVImaPairPara& para)
{
    return getRecord(QEV_IMAPAIR, para, &QEVBasicImaParaWnd::m_ImaPairPara);
}

bool gDlgGetImaPairParaV2(tagQEVImaPairPara& para, const CString& section, const CString& fileName)
{
    return getRecord(QEV_IMAPAIR, para, &QEVBasicImaParaWnd::m_ImaPairPara, {&section, &fileName});
}

bool gDlgGetFDKRecPara(tagQEVImaVolumeRecPara& para)
{
    return getRecord(QEV_VOLUMEREC, para, &QEVBasicImaParaWnd::m_VolumeRecPara);
}

bool gDlgGetFDKRecParaV2(tagQEVImaVolumeRecPara& para, const CString& section, const CString& fileName)
{
    return getRecord(QEV_VOLUMEREC, para, &QEVBasicImaParaWnd::m_VolumeRecPara, {&section, &fileName});
}

bool gDlgGetFanSimPara(tagQEVImaFanSimPara& para)
{
    return getRecord(QEV_FANSIM, para, &QEVBasicImaParaWnd::m_FanSimPara);
}

bool gDlgGetSipralSimPara(tagQEVImaSipralSimPara& para)
{
    return getRecord(QEV_SPIRALSIM, para, &QEVBasicImaParaWnd::m_SipralSimPara);
}

bool gDlgGetImaRowDataPara(tagQEVImaRowDataPara& para)
{
    return getRecord(QEV_ROWDATA, para, &QEVBasicImaParaWnd::m_RowDataPara);
}

bool gDlgGetImaWeightAndExtentPara(tagQEVImaWeightAndExtentPara& para)
{
    return getRecord(QEV_WEIGHTEXTENT, para, &QEVBasicImaParaWnd::m_WeightAndExtentPara);
}

bool gDlgGetFanRecPara(tagQEVImaFanRecPara& para)
{
    return getRecord(QEV_FANREC, para, &QEVBasicImaParaWnd::m_FanRecPara);
}

bool gDlgGetImaGeneralPara(tagQEVImaGeneralPara& para)
{
    return getRecord(QEV_GENERAL, para, &QEVBasicImaParaWnd::m_GeneralPara);
}

bool gDlgGetImaGeneralParaV2(tagQEVImaGeneralPara& para, const CString& section, const CString& fileName)
{
    return getRecord(QEV_GENERAL, para, &QEVBasicImaParaWnd::m_GeneralPara, {&section, &fileName});
}

bool gDlgGetImaProcessSetPara(tagQEVImaProcessPara& para)
{
    return runDialog(QEV_PROCESS, {}, [&](QEVBasicImaParaWnd& wnd) {
        para.m_ProcessList = wnd.m_ProcessPara.m_ProcessList;
    });
}

bool gDlgGetImaDimPara(tagQEVImaDimPara& para)
{
    return getRecord(QEV_IMADIM, para, &QEVBasicImaParaWnd::m_DimPara);
}

bool gDlgGetImaMatrixThreePara(tagQEVImaMatrixPara& para)
{
    return runDialog(QEV_MATRIXTHREE, {}, [&](QEVBasicImaParaWnd& wnd) {
        copyMatrix(para.m_Matrix3, wnd.m_MatrixPara[0].m_Matrix3);
    });
}

bool gDlgGetImaMatrixFourPara(tagQEVImaMatrixPara& para)
{
    return runDialog(QEV_MATRIXFOUR, {}, [&](QEVBasicImaParaWnd& wnd) {
        copyMatrix(para.m_Matrix4, wnd.m_MatrixPara[1].m_Matrix4);
    });
}

bool gDlgGetImaMatrixFivePara(tagQEVImaMatrixPara& para)
{
    return runDialog(QEV_MATRIXFIVE, {}, [&](QEVBasicImaParaWnd& wnd) {
        copyMatrix(para.m_Matrix5, wnd.m_MatrixPara[2].m_Matrix5);
    });
}

bool gDlgGetTwoPtPara(tagQEVTwoPointsPara& para)
{
    return getRecord(QEV_TWOPOINTS, para, &QEVBasicImaParaWnd::m_TwoPointsPara);
}

bool gDlgGetLargeFovPara(tagQEVImaPairPara& pair, tagQEVImaVolumeRecPara& reconstruction)
{
    if (!canShowDialogs())
        return false;
    bool finished = false;
    plat::runOnUiThread([&] {
        QEVComplexDlg dialog;
        dialog.CreateModeDlg(L"大视场重建参数输入", kInitialRect, 1, nullptr);
        if (dialog.DoModal() != plat::IDOK)
            return;
        const LayOutCtrl& result = dialog.GetLayOutCtrl();
        parlet::CopyFields(pair, result.m_PairPara, parlet::FieldsOf(pair));
        parlet::CopyFields(reconstruction, result.m_VolumeRecPara, parlet::FieldsOf(reconstruction));
        finished = true;
    });
    return finished;
}
