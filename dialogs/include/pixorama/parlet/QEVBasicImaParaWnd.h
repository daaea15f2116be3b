#pragma once

#include "QEVCtrlContainer.h"
#include "ImaParaRecordSet.h"

class CDragAndDropListBox;

// The parameter window of every QEVImaParaType: builds the type's items,
// keeps their values in the type's parameter file and, on OK, fills the
// type's record from what is on screen.
class QEVBasicImaParaWnd : public QEVCtrlContainer, public ImaParaRecordSet {
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
