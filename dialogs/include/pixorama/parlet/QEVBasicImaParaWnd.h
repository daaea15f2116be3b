#pragma once

#include "QEVCtrlContainer.h"
#include "QEVImaParaRecords.h"

class CDragAndDropListBox;

// The parameter window of every QEVImaParaType: builds the type's items,
// keeps their values in the type's parameter file and, on OK, fills the
// type's record from what is on screen.
class QEVBasicImaParaWnd : public QEVCtrlContainer {
    Q_OBJECT

public:
    QEVBasicImaParaWnd();
    ~QEVBasicImaParaWnd() override;

    void LoadInitPara() override;
    void SaveInitPara() override;
    void SetCtrlItem() override;
    void CreateCtrl() override;
    void MoveCtrl() override;
    void OnOk() override;

    // Fills the record of the current type from the values on screen.
    void ReadRecord();

    // The processing chain's lists (null for other types).
    CDragAndDropListBox* GetStepSource() const { return m_StepSource; }
    CDragAndDropListBox* GetStepTarget() const { return m_StepTarget; }

    tagQEVImaLoadPara m_ImaLoadPara;
    tagQEVImaROICirclePara m_ROICirclePara;
    tagQEVImaROIRectPara m_ROIRectPara;
    tagQEVImaFormatPara m_FormatPara;
    tagQEVImaPairPara m_ImaPairPara;
    tagQEVImaVolumeRecPara m_VolumeRecPara;
    tagQEVImaFanSimPara m_FanSimPara;
    tagQEVImaSipralSimPara m_SipralSimPara;
    tagQEVImaRowDataPara m_RowDataPara;
    tagQEVImaWeightAndExtentPara m_WeightAndExtentPara;
    tagQEVImaFanRecPara m_FanRecPara;
    tagQEVImaGeneralPara m_GeneralPara;
    tagQEVImaDimPara m_DimPara;
    tagQEVImaMatrixPara m_MatrixPara[3]; // 3 x 3, 4 x 4, 5 x 5
    tagQEVTwoPointsPara m_TwoPointsPara;
    tagQEVImaProcessPara m_ProcessPara;

protected:
    void OnCommand(int id) override;

private:
    void Browse(int id);
    void ComputePairSize();
    void ReadMatrix(int n);
    void CreateStepLists();

    CDragAndDropListBox* m_StepSource = nullptr;
    CDragAndDropListBox* m_StepTarget = nullptr;
};
