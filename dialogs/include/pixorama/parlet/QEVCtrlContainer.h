#pragma once

#include "CtrlItem.h"
#include "QEVImaParaType.h"

#include "pixorama/common/CString.h"
#include "pixorama/platform/Wnd.h"

#include <QFont>

#include <map>
#include <vector>

class QPushButton;

// A window that lays a list of labelled controls out on a grid of equal
// cells, keeps their values as text under the items' names, reads and writes
// them to a parameter file and adds a centred OK/Cancel (or Pre/Next) pair
// in an extra last row. Subclasses fill the item list and persist values.
//
// Geometry is in client pixels with plat::Rect's convention (right and
// bottom exclusive). Cell block (row r, column c, spans rs x cs) under the
// effective parameters W, H, Gx, Mx, Gy, My:
//   left = trunc((W + Gx) * c + Mx), right = left + (cs - 1) * (W + Gx) + W
//   top  = trunc((H + Gy) * r + My), bottom = top + (rs - 1) * (H + Gy) + H
// with the products in single precision, so fractional rows and columns
// (the centred button pair) land where they did on the original platform.
class QEVCtrlContainer : public plat::Wnd {
    Q_OBJECT

public:
    struct CellPara {
        int width = 150;
        int height = 30;
        int hGap = 10;
        int leftMargin = 10;
        int vGap = 10;
        int topMargin = 10;
        friend bool operator==(const CellPara&, const CellPara&) = default;
    };

    QEVCtrlContainer();
    ~QEVCtrlContainer() override;

    void SetCtrlPara(int width, int height, int hGap, int leftMargin, int vGap, int topMargin);
    void SetTitleWidth(int width) { m_TitleWidth = width; }
    void SetOkCancel(bool show) { m_bShowOkCancel = show; }
    void SetPreNext(bool show) { m_bShowPreNext = show; }
    void SetAdjustParentWinSize(bool adjust) { m_bAdjustParentWinSize = adjust; }
    void SetXAdjustable(bool adjustable) { m_bXAdjustable = adjustable; }
    void SetYAdjustable(bool adjustable) { m_bYAdjustable = adjustable; }
    void SetCtrlUsedInDlg(bool usedInDlg) { m_bUsedInDlg = usedInDlg; }
    // Whether OK/Cancel end a modal run of the parent dialog (default) or close it.
    void SetModalDlg(bool modal) { m_bModalDlg = modal; }
    void SetPreBtnText(const CString& text) { m_PreText = text; }
    void SetNextBtnText(const CString& text) { m_NextText = text; }

    void SetWndType(QEVImaParaType type);
    void SetWndTypeOnly(QEVImaParaType type) { m_ParaType = type; }
    QEVImaParaType GetImaParaType() const { return m_ParaType; }
    // Section and parameter file of the current type; other types keep theirs.
    void GetInitName();
    // Keeps the values in this section of fileName inside the parameter
    // folder. Only the last path component of fileName is used, so a name
    // can never point outside that folder.
    void SetConfigInfo(const CString& section, const CString& fileName);
    const CString& GetSectionName() const { return m_Section; }
    const CString& GetInitFilePath() const { return m_InitFile; }

    void ReserveItem(int n);
    // Creates the window under parent in rect and everything in it; false
    // when it was created already.
    bool CreateWin(const plat::Rect& rect, QWidget* parent, unsigned baseId);
    bool IsCreated() const { return m_bCreated; }

    // Stored values -> controls, and controls -> stored values.
    void UpData();
    void DownData();
    // "true" is 1, "false" 0, other text its leading decimal integer (0 without one).
    int GetRetInt(const CString& name);
    // The leading decimal number of the text, 0.0 without one.
    float GetRetFloat(const CString& name);

    void GetContainerRect(plat::Rect& out) const;
    void GetParentWinRect(plat::Rect& out);

    virtual void SetParentWinSize();
    virtual void LoadInitPara() = 0;
    virtual void SaveInitPara() = 0;
    virtual void SetCtrlItem() = 0;
    virtual void CreateCtrl();
    virtual void MoveCtrl();
    virtual void ComputeOkCancelRect();
    virtual void OnOk();
    virtual void OnCancel();
    virtual void AdjustPara();

    const std::vector<CtrlItem>& GetItems() const { return m_Items; }
    const std::map<CString, CtrlItem>& GetValueTable() const { return m_Values; }
    QWidget* GetControl(int index) const;
    // The OK (1), Cancel (2), Pre or Next button; null when not created.
    QPushButton* GetButton(int id) const;
    CellPara GetCellPara() const { return m_Cell; }
    CellPara GetBaseCellPara() const { return m_BaseCell; }
    int GetRowCount() const { return m_Rows; }
    int GetColumnCount() const { return m_Columns; }
    float GetScaleX() const { return m_ScaleX; }
    float GetScaleY() const { return m_ScaleY; }
    const QFont& GetFont() const { return m_Font; }
    unsigned GetBaseId() const { return m_BaseId; }

protected:
    // The grid; one row more when a button pair is shown.
    void SetLayOutPara(int rows, int columns);
    // DownData, then the stored value of name (empty for an unknown name).
    CString GetRet(const CString& name);
    void GetCtrlRect(float row, float column, plat::Rect& out, int rowSpan = 1, int columnSpan = 1) const;
    void ComputeParentWinSize();
    void AdjustXPara();
    void AdjustYPara();
    void CreateOkCancel();
    void CreatePreNext();
    void MoveOkCancel();
    void MovePreNext();
    // A button of the window was clicked.
    virtual void OnCommand(int id);
    // Stores text as the value of name, entering it when missing.
    void SetValue(const CString& name, const CString& text, const CString& kind = L"Edit");
    // The window that the container sizes and closes: the parent, or the
    // parent's parent for a page one level deeper.
    QWidget* SizedWindow() const;

    void onPaint(plat::Dc& dc) override;
    void onSize(int width, int height) override;
    // Enter, Esc and Tab belong to the dialog, not to the container.
    void keyPressEvent(QKeyEvent* event) override;

    std::vector<CtrlItem> m_Items;
    std::vector<QWidget*> m_Controls; // owned through Qt's parent chain
    std::map<CString, CtrlItem> m_Values;

private:
    QPushButton* MakeButton(const CString& text, int id, const plat::Rect& rect);
    // Widens the cells so every caption and combo entry, in the language
    // shown, fits its control.
    void FitCellsToTexts();
    void SendPreNext(QPushButton* button);
    static void Place(QWidget* widget, const plat::Rect& rect);

    int m_TitleWidth = 0;
    bool m_bModalDlg = true;
    bool m_bShowOkCancel = true;
    bool m_bShowPreNext = false;
    bool m_bAdjustParentWinSize = true;
    bool m_bXAdjustable = true;
    bool m_bYAdjustable = false;
    bool m_bUsedInDlg = true;
    bool m_bCreated = false;
    CellPara m_BaseCell;
    CellPara m_Cell;
    float m_ScaleX = 1.0f;
    float m_ScaleY = 1.0f;
    int m_Columns = 4;
    int m_Rows = 8;
    int m_ReservedCount = 0;
    int m_UsedCount = 0;
    QPushButton* m_Ok = nullptr;
    QPushButton* m_Cancel = nullptr;
    QPushButton* m_Pre = nullptr;
    QPushButton* m_Next = nullptr;
    CString m_PreText = L"上一步";
    CString m_NextText = L"下一步";
    plat::Rect m_OkRect;
    plat::Rect m_CancelRect;
    QFont m_Font;
    unsigned m_BaseId = 0;
    QWidget* m_Parent = nullptr;
    plat::Rect m_ParentWinRect;
    plat::Rect m_CreateRect;
    plat::Rect m_ParentClientRect;
    plat::Rect m_ReferenceRect;
    QEVImaParaType m_ParaType = QEV_IMALOAD;
    CString m_Section;
    CString m_InitFile;
};
